#!/usr/bin/env bash
# Runs a command on a desktop of its own: an Xvfb screen of the given size
# with openbox managing its windows, as a user's desktop would.
#
#   with-window-manager.sh [--late-frame | --silent] WIDTHxHEIGHT COMMAND...
#
# --late-frame: openbox does not list the request for a window's frame (only
#   the frame's extents), so a program learns the frame only once its window
#   is mapped.
# --silent: no window manager runs, but the root window lists the request for
#   a window's frame as if one did: nothing ever answers it.
#
# Exits 77 (skipped) only where neither Xvfb nor openbox is installed; a
# server or window manager that is installed but fails to start is an error.
set -euo pipefail

readonly SKIPPED=77
mode=openbox
case $1 in
    --late-frame | --silent) mode=${1#--}; shift ;;
esac
readonly mode
readonly size=$1
shift

missing=()
for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ "${#missing[@]}" = 2 ]; then
    echo "SKIPPED: neither Xvfb nor openbox is installed" >&2
    exit "$SKIPPED"
fi
if [ "${#missing[@]}" != 0 ]; then
    echo "${missing[*]} is not installed" >&2
    exit 1
fi

dir=$(mktemp -d /tmp/tarnelby-desktop.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$dir"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it listens.
# It must not reset when its last client leaves: a client that connects while
# it resets is turned away, which made openbox fail to start now and then.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
done
[ -s "$dir/display" ] || { cat "$dir/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"

# xprop sets a single atom, not a list: a window manager that lists only the
# one of the two that matters here stands in for each case.
if [ "$mode" = silent ]; then
    xprop -root -f _NET_SUPPORTED 32a -set _NET_SUPPORTED _NET_REQUEST_FRAME_EXTENTS
else
    # A theme and title font of the test's own: the frame's size is then the
    # same whatever fonts the machine has (the desktop's usual sans-serif face
    # would change the title bar's height). At twice the scale, this title bar
    # makes a frame whose top and bottom do not halve to whole pixels.
    cat >"$dir/rc.xml" <<END
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <name>Clearlooks</name>
    <font place="ActiveWindow"><name>Liberation Sans</name><size>10</size><weight>bold</weight></font>
    <font place="InactiveWindow"><name>Liberation Sans</name><size>10</size><weight>bold</weight></font>
  </theme>
</openbox_config>
END
    # openbox announces itself on the root window once it manages the screen.
    HOME="$dir" openbox --sm-disable --config-file "$dir/rc.xml" >"$dir/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
        || { cat "$dir/openbox.log" >&2; echo "openbox did not start" >&2; exit 1; }
fi
if [ "$mode" = late-frame ]; then
    xprop -root -f _NET_SUPPORTED 32a -set _NET_SUPPORTED _NET_FRAME_EXTENTS
fi

export QT_QPA_PLATFORM=xcb
"$@"
