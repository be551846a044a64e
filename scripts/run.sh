#!/usr/bin/env bash
# Installs what is missing, builds Veldra Studio and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)" --target veldra-studio
exec build/app/veldra-studio
