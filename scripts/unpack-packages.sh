#!/bin/sh
# unpack-packages.sh ZIP: unpacks the ZIP a user gets into a fresh C:\TympZip-test
# of the test prefix, and the other word size's ZIP, when TYMP_OTHER_ZIP names
# one, into C:\TympZip-other, as a user would unpack each into a new folder.
set -eu
unpack() {
    d=${WINEPREFIX:-$PWD/wineprefix}/drive_c/$1
    rm -rf "$d"
    mkdir -p "$d"
    (cd "$d" && cmake -E tar xf "$2")
}
unpack TympZip-test "$1"
[ -z "${TYMP_OTHER_ZIP:-}" ] || unpack TympZip-other "$TYMP_OTHER_ZIP"
