#!/usr/bin/env bash
# The full soak of Velmo's forms: each form opened and closed 2 000 times (or the count given),
# modal and modeless, checking the toolkit's tables, GDI objects and private bytes. The test
# suite runs the same soak with a few hundred cycles.
set -euo pipefail
cd "$(dirname "$0")/.."
cycles="${1:-2000}"
bash scripts/build.sh soak_tests
source scripts/wine-env.sh
zk_wine_start
trap zk_wine_stop EXIT
ZK_SOAK_CYCLES="$cycles" ctest --preset mingw64 -L soak --timeout 1800
