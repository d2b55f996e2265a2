#!/usr/bin/env bash
# The package as a user adopts it. Installs the library and its test kit alone from this build
# into a fresh prefix, builds the application in consumer/ out of the tree with the toolchain file
# installed there and find_package(Zarvik) (no Zarvik_DIR), runs it under Wine from a folder
# without the catalogue, and reads its error box: it must carry the catalogue's message. Then runs
# the consumer's own GUI test with ctest, in a headless session the installed kit makes. Last,
# takes the sources in with add_subdirectory, which must bring none of the project's tests and no
# GoogleTest.
# Run by CTest in the cross build, inside the Wine environment of scripts/wine-env.sh.
set -uo pipefail
: "${ZK_SOURCE:?}" "${ZK_BUILD:?}" "${ZK_CMAKE:?}" "${ZK_CTEST:?}" "${ZK_TOOLCHAIN:?}" "${ZK_EMULATOR:?}"
unset Zarvik_DIR

work="$(mktemp -d -t zkconsumer.XXXXXX)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $1" >&2
  [ $# -gt 1 ] && tail -n 40 "$2" >&2
  exit 1
}
consumer="$ZK_SOURCE/tests/package/consumer"
prefix="$work/prefix"

"$ZK_CMAKE" --install "$ZK_BUILD" --prefix "$prefix" --component Zarvik >"$work/install.log" 2>&1 ||
  fail "install" "$work/install.log"
empty="$(find "$prefix" -type d -empty)"
[ -z "$empty" ] || fail "empty folders installed: $empty"
[ -f "$prefix/share/doc/Zarvik/LICENSE" ] || fail "no licence installed"
programs="$(ls "$prefix/bin" | xargs)"
[ "$programs" == "zarvik-probe.exe zarvik-session" ] ||
  fail "the library's component installed other programs than the test kit: $programs"
toolchain="$prefix/lib/cmake/Zarvik/$(basename "$ZK_TOOLCHAIN")"
[ -f "$toolchain" ] || fail "no toolchain file installed as $toolchain"

"$ZK_CMAKE" -S "$consumer" -B "$work/app" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
  fail "configure with find_package(Zarvik)" "$work/configure.log"
"$ZK_CMAKE" --build "$work/app" >"$work/build.log" 2>&1 || fail "build" "$work/build.log"
[ -f "$work/app/zarmsg.zdb" ] || fail "zarvik_add_catalogue put no catalogue beside the program"

# The message of status 5 in the toolkit's language ("FR"), from the installed catalogue.
expected="$(LC_ALL=C awk '$0 == "<ZDBRC>" {
    getline kind; getline product; getline language; getline number; getline message
    if (language == "\"FR\"" && number == "\"5\"") print substr(message, 2, length(message) - 2)
  }' "$prefix/share/zarvik/zarmsg.zdb")"
[ -n "$expected" ] || fail "the installed catalogue has no French message for status 5"

mkdir "$work/elsewhere"
status=0
(cd "$work/elsewhere" && "$ZK_EMULATOR" "$work/app/consumer.exe") >"$work/run.txt" 2>&1 || status=$?
box="$(tr -d '\r' <"$work/run.txt")"
printf '%s\n' "$box"
[ "$status" -eq 0 ] || fail "the program exited with $status"
LC_ALL=C grep -qF "Error number : 5" <<<"$box" || fail "the error box was not read"
LC_ALL=C grep -qF "Error msg : $expected" <<<"$box" || fail "the error box lacks the catalogue's message"

# The consumer's GUI test, as its developer runs it: in a session of its own, not this one, in a
# prefix it makes itself.
(unset DISPLAY WINEPREFIX ZARVIK_SESSION_TEMPLATE; "$ZK_CTEST" --test-dir "$work/app" --output-on-failure) \
  >"$work/gui.log" 2>&1 || fail "the consumer's GUI test" "$work/gui.log"
grep -q "100% tests passed, 0 tests failed out of 1" "$work/gui.log" ||
  fail "the consumer's GUI test did not run" "$work/gui.log"

"$ZK_CMAKE" -S "$consumer" -B "$work/sub" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ZK_TOOLCHAIN" -DZARVIK_SOURCE_DIR="$ZK_SOURCE" >"$work/sub.log" 2>&1 ||
  fail "configure with add_subdirectory" "$work/sub.log"
[ ! -e "$work/sub/zarvik/googletest" ] || fail "add_subdirectory brought GoogleTest"
# Only the consumer's own test.
"$ZK_CTEST" --test-dir "$work/sub" -N | grep -q "Total Tests: 1" || fail "add_subdirectory brought tests"
if grep -qE '^build [^:]*(velmo|foundation_tests)' "$work/sub/build.ninja"; then
  fail "add_subdirectory brought the project's programs"
fi
echo "Consumer test passed."
