#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest on a
# private virtual screen. Exits non-zero when any test fails, and before
# building when a C++ file is not formatted with the tree's .clang-format.
. "$(dirname "$0")/scripts/setup.sh"
setup check-format

XVFB_PID=
trap 'stop_wine; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT
start_xvfb
say "Running the tests on $DISPLAY"
cd "$BUILD"
ctest --output-on-failure --timeout 600 "$@"
