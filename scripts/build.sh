#!/usr/bin/env bash
# Builds the 64-bit Windows build into build/mingw64: everything, or the targets given
# (bash scripts/build.sh velmo zarvik_probe). The build tree is locked while it is configured and
# built, so that scripts started side by side (the tours scripts/docs-check.sh runs) take turns:
# configure steps run at the same moment on one tree race on the files they generate.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
exec 9>build/.mingw64.lock
flock 9
bash scripts/deps.sh
cmake --preset mingw64 >/dev/null
if [ $# -gt 0 ]; then
  cmake --build --preset mingw64 --target "$@"
else
  cmake --build --preset mingw64
fi
