#!/usr/bin/env bash
# Runs the commands of README.md and docs/HACKING.md as they are written there, each first looked
# up in its page so that the two cannot drift apart. The Wine ones share one Wine session (the
# pages start and stop it around them): the caller's, when it has one (scripts/test.sh), else a
# private one. Left out: scripts/test.sh, which runs this, the hour
# of fuzzing (test.sh runs scripts/fuzz.sh for 5 s) and scripts/bench.sh (minutes of benchmarks).
# Exits non-zero when a command fails or is no longer in its page.
set -uo pipefail
cd "$(dirname "$0")/.."

failed=0
run() {  # run PAGE COMMAND
  echo "=== $1: $2"
  if [[ "$(cat "$1")" != *"$2"* ]]; then
    echo "=== FAILED: not in $1 any more; update scripts/docs-check.sh"
    failed=1
    return
  fi
  bash -c "$2" || { echo "=== FAILED: $2"; failed=1; }
}

# The tours, headless whatever display the caller has (with one, a program would wait for a user
# to quit it), side by side: each has a private display and prefix, and most of a tour is waiting
# for windows. The folders of screenshots the tours print are removed.
bash scripts/build.sh >/dev/null  # built once here, so the tours' own builds do nothing
tours=('bash scripts/velmo.sh' 'bash scripts/grid.sh' 'bash scripts/carnet.sh')
logs=() pids=()
for i in "${!tours[@]}"; do
  logs+=("$(mktemp)")
  (DISPLAY='' ZK_DISPLAY_FIRST=$((${ZK_DISPLAY_FIRST:-77} + 13 + 10 * i)) run README.md \
    "${tours[$i]}" </dev/null \
    >"${logs[$i]}" 2>&1
  exit "$failed") &
  pids+=($!)
done
for i in "${!tours[@]}"; do
  wait "${pids[$i]}" || failed=1
  cat "${logs[$i]}"
  folder="$(grep -o "[^ ]*/[a-z]*-tour\.[A-Za-z0-9]*" "${logs[$i]}" | head -n 1)"
  [ -n "$folder" ] && rm -rf "$folder"
  rm -f "${logs[$i]}"
done

run README.md 'bash scripts/build.sh'
run README.md 'cmake --install build/mingw64 --prefix "$PWD/build/sdk" --component Zarvik'
run README.md 'cmake -S tests/package/consumer -B build/consumer -G Ninja -DCMAKE_BUILD_TYPE=Release \
  --toolchain "$PWD/build/sdk/lib/cmake/Zarvik/mingw-w64-x86_64.cmake" \
  -DCMAKE_PREFIX_PATH="$PWD/build/sdk"'
run README.md 'cmake --build build/consumer'
run docs/HACKING.md 'cmake --preset native && cmake --build --preset native'
run docs/HACKING.md "build/native/bin/foundation_tests --gtest_filter='PropertyGet.*'"

source scripts/wine-env.sh
own_session=0
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  zk_wine_start
  own_session=1
fi
run README.md '(cd build && wine consumer/consumer.exe)'
# The consumer's GUI test, in this session (the package test runs it in one of its own).
export ZARVIK_SESSION=reuse
run README.md 'ctest --test-dir build/consumer --output-on-failure'
unset ZARVIK_SESSION
run docs/HACKING.md "ctest --preset mingw64 -R 'MenuDisplay|PropertyGet' --output-on-failure"
run docs/HACKING.md "(cd build/mingw64/bin && wine window_tests.exe --gtest_filter='MenuDisplay.GreyedAndCheckedEntries')"
run docs/HACKING.md "(cd build/mingw64/bin && wine zarvik_minimal.exe &)"
run docs/HACKING.md 'sleep 2; import -window root build/screen.png'
[ -s build/screen.png ] || { echo "=== FAILED: no screenshot"; failed=1; }
rm -f build/screen.png
run docs/HACKING.md "ctest --preset mingw64 -R 'package|Reference' --output-on-failure"
[ "$own_session" -eq 1 ] && zk_wine_stop

if [ "$failed" -ne 0 ]; then
  echo "Some documented commands failed."
  exit 1
fi
echo "Every documented command worked."
