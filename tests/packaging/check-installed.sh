#!/usr/bin/env bash
# Runs the installed package's tests (debian/tests) with autopkgtest on this
# machine (the null runner), which installs the package built in DIR. The
# package is removed again afterwards unless it was installed before.
#
#   check-installed.sh DIR
set -euo pipefail

dir=$1
changes=("$dir"/tarnelby_*.changes)
[ -f "${changes[0]}" ] || { echo "FAIL: no tarnelby_*.changes in $dir" >&2; exit 1; }

SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
if ! dpkg-query -W -f='${Status}\n' tarnelby 2>/dev/null | grep -q '^install ok installed'; then
    trap '$SUDO apt-get remove -y -q tarnelby >/dev/null' EXIT
fi
$SUDO autopkgtest "${changes[0]}" -- null
