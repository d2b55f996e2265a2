#!/usr/bin/env bash
# Checks the format of the C++ files, then configures, builds and runs every test: the foundation
# natively and under sanitizers with its fuzz targets, then the Windows build under Wine; also
# compiles the 32-bit Windows build, and runs the commands of README.md and docs/HACKING.md.
# Exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh || exit 1

failed=0
step() {
  local start=$SECONDS
  echo "=== $*"
  "$@" || { echo "=== FAILED: $*"; failed=1; }
  echo "=== $((SECONDS - start)) s"
}

# Every tracked C++ file as .clang-format has it (Debian's clang-format, version 14).
step bash -c "git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror"

step cmake --preset native >/dev/null
step cmake --build --preset native
step ctest --preset native

# The foundation again under AddressSanitizer and UndefinedBehaviorSanitizer, and ~5 s of
# fuzzing for each fuzz target.
step bash scripts/fuzz.sh 5

step bash scripts/build.sh
step cmake --preset mingw32 >/dev/null
step cmake --build --preset mingw32

source scripts/wine-env.sh
# One prefix made for the run, copied by this session and by every test that starts its own.
zk_wine_template
trap 'zk_wine_stop; zk_wine_template_remove' EXIT
zk_wine_start
# Three at a time: the tests with sessions of their own mostly wait for windows. A test program
# that fails is run once more (scripts/wine-run.sh); every such first failure is shown below.
again="$(mktemp -d -t zarvik-again.XXXXXX)"
step env ZK_RUN_AGAIN_DIR="$again" ctest --preset mingw64 -j3
for first in "$again"/run.*; do
  [ -e "$first" ] || continue
  echo "=== failed once, then run again: $(head -n 1 "$first")"
  sed 1d "$first" | tail -n 40
done
rm -rf "$again"
# Every command the README and HACKING give, as written there, in the same Wine session.
step bash scripts/docs-check.sh

if [ "$failed" -ne 0 ]; then
  echo "Some steps failed."
  exit 1
fi
echo "All tests passed."
