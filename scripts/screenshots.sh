#!/usr/bin/env bash
# Draws the README's screenshots into docs/ (offscreen, at scale 1 and 2).
# Usage: scripts/screenshots.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target readme-screenshot console-screenshot
export QT_QPA_PLATFORM=offscreen
"$build/tests/screenshots/readme-screenshot" "$root/docs/screenshot.png"
QT_SCALE_FACTOR=2 "$build/tests/screenshots/readme-screenshot" "$root/docs/screenshot@2x.png"
"$build/tests/screenshots/console-screenshot" "$root/docs/console.png"
