#!/usr/bin/env bash
# Builds the toolkit for Windows (cross, 64-bit) into build/mingw64.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset mingw64 >/dev/null
cmake --build --preset mingw64
