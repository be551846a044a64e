#!/usr/bin/env bash
# Installs the Debian packages that building and testing Veldra Studio needs,
# but only those that are missing, so it is quick on a prepared machine.
# Runs as root, or through sudo when that is available.
set -euo pipefail

packages=(
  build-essential
  cmake
  qt6-base-dev
  qt6-base-dev-tools
  # The editor component is built from Debian's source package, downloaded from the same
  # mirror apt uses and patched. The system's library is used only when configured with
  # -DVELDRA_SYSTEM_QSCINTILLA=ON.
  patch
  libqscintilla2-qt6-dev
  libgl-dev
  fonts-dejavu-core
  libvterm-dev
  pkg-config
  qt6-svg-dev
  # The example compiler driver and its tests.
  yabasic
  nasm
  # The installed program's end-to-end test drives it on a virtual X server.
  xvfb
  xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
