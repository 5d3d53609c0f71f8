#!/usr/bin/env bash
# Runs the program's command line with no display to open a window on: --help
# and --version answer on standard output with 0, a bad option or argument
# answers on standard error, naming it, with the usage, and 2. Qt's own
# options are not taken for bad ones and still reach Qt.
set -uo pipefail

program=$1
version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

failed=0
# arguments | exit status | the stream that answers | its first line
while IFS='|' read -r args status stream first; do
    # shellcheck disable=SC2086 # the arguments are split on purpose
    timeout 20 "$program" $args >"$out/stdout" 2>"$out/stderr"
    got=$?
    quiet=$([ "$stream" = stdout ] && echo stderr || echo stdout)
    problem=
    if [ "$got" != "$status" ]; then
        problem="exit status $got, not $status"
    elif [ "$(head -n 1 "$out/$stream")" != "$first" ]; then
        problem="$stream begins '$(head -n 1 "$out/$stream")', not '$first'"
    elif ! grep -q '^Usage: tarnelby \[options\]$' "$out/$stream" && [ "$args" != --version ]; then
        problem="$stream lacks the usage"
    elif [ -s "$out/$quiet" ]; then
        problem="$quiet is not empty: $(head -n 1 "$out/$quiet")"
    fi
    if [ -n "$problem" ]; then
        echo "FAIL: tarnelby $args: $problem"
        failed=$((failed + 1))
    fi
done <<TABLE
--help|0|stdout|Usage: tarnelby [options]
-h|0|stdout|Usage: tarnelby [options]
-platform offscreen -style=fusion -reverse --help|0|stdout|Usage: tarnelby [options]
--version|0|stdout|tarnelby $version
--bogus|2|stderr|tarnelby: Unknown option 'bogus'.
-platform offscreen -bogus|2|stderr|tarnelby: Unknown option 'bogus'.
-style|2|stderr|tarnelby: Missing value after '-style'.
picture.png|2|stderr|tarnelby: Unexpected argument 'picture.png'.
TABLE

# Still running after 3 s with no display: Qt took -platform and opened the window.
timeout 3 "$program" -platform offscreen >/dev/null 2>&1
if [ $? != 124 ]; then
    echo "FAIL: tarnelby -platform offscreen did not open its window"
    failed=$((failed + 1))
fi

[ "$failed" = 0 ] || exit 1
