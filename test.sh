#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest on a
# private virtual screen; then the areas where the word size matters again in
# the other word size's build, where it runs here. Exits non-zero when any
# test fails, and before building when a C++ file is not formatted with the
# tree's .clang-format.
. "$(dirname "$0")/scripts/setup.sh"
setup check-format

XVFB_PID=
trap 'stop_wine; [ -n "$OTHER" ] && with_other stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT
start_xvfb
say "Running the tests of $BUILD on $DISPLAY"
status=0
(cd "$BUILD" && ctest --output-on-failure --timeout 600 "$@") || status=1
if [ -n "$OTHER" ]; then
    say "Running the word-size areas of $OTHER on $DISPLAY"
    (cd "$OTHER" && with_other ctest --output-on-failure --timeout 600 -L wordsize --no-tests=ignore "$@") || status=1
fi
exit $status
