#!/usr/bin/env bash
# Runs a command on a desktop of its own with the screen reader Orca
# listening, as a blind user's desktop would be: an Xvfb screen under
# openbox, a session bus, the AT-SPI bus, and speech-dispatcher with a
# module that writes each text it is given to a file instead of a sound card.
#
#   with-orca.sh COMMAND...
#
# The command finds the spoken texts, one a line, in $SPOKEN, and Orca's own
# log in $ORCA_LOG. Everything runs in a folder of its own (HOME and the XDG
# folders included) and every process started here is ended by its id.
# Exits 77 (skipped) only where none of the tools is installed.
set -euo pipefail

readonly SKIPPED=77
tools=(Xvfb openbox dbus-daemon orca speech-dispatcher xdotool xprop)
missing=()
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ "${#missing[@]}" = "${#tools[@]}" ]; then
    echo "SKIPPED: no screen reader and no desktop installed" >&2
    exit "$SKIPPED"
fi
if [ "${#missing[@]}" != 0 ]; then
    echo "${missing[*]} not installed" >&2
    exit 1
fi
readonly bus_launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$bus_launcher" ] || { echo "$bus_launcher not installed" >&2; exit 1; }

# Orca refuses to start where the process table holds another Orca of this
# user (it asks pgrep), as it does while another run of this script goes on:
# each run gets a process table of its own, where the system lets a user make
# one, and everything started in it ends with it.
if [ -z "${WITH_ORCA_OWN_PROCESSES:-}" ]; then
    own=(unshare --pid --fork --mount-proc)
    [ "$(id -u)" = 0 ] || own+=(--map-current-user)
    if "${own[@]}" true 2>/dev/null; then
        WITH_ORCA_OWN_PROCESSES=1 exec "${own[@]}" --kill-child "$0" "$@"
    fi
    echo "no process table of its own: another Orca of this user would stop this one" >&2
fi

dir=$(mktemp -d /tmp/tarnelby-orca.XXXXXX)
pids=()
# Ends a process by its id: politely, then for sure. Orca answers a TERM
# only when an event wakes it, so it may need the second.
stop() {
    kill "$1" 2>/dev/null || return 0
    for _ in $(seq 20); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null || true
}
# The AT-SPI bus launcher starts a bus of its own, and that bus starts the
# registry, which leaves its parent: the registry is asked for by its name.
registry=
cleanup() {
    local i pid child
    [ -n "$registry" ] && stop "$registry"
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        for child in $(pgrep -P "$pid" || true); do
            stop "$child"
        done
        stop "$pid"
        wait "$pid" 2>/dev/null || true
    done
    if [ -n "${KEEP_ORCA_FOLDER:-}" ]; then
        echo "kept: $dir" >&2
    else
        rm -rf "$dir"
    fi
}
trap cleanup EXIT

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    "$@" >/dev/null 2>&1
}

export HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data"
export XDG_CACHE_HOME="$dir/cache" XDG_RUNTIME_DIR="$dir/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SPOKEN="$dir/spoken.txt" ORCA_LOG="$dir/orca-debug.txt"
: >"$SPOKEN"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
pids+=($!)
wait_for 100 test -s "$dir/display" || { cat "$dir/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$dir/display")"

openbox --sm-disable >"$dir/openbox.log" 2>&1 &
pids+=($!)
supporting_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_for 100 supporting_wm || { cat "$dir/openbox.log" >&2; echo "openbox did not start" >&2; exit 1; }

export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" >"$dir/dbus.log" 2>&1 &
pids+=($!)
wait_for 100 test -S "$XDG_RUNTIME_DIR/bus" || { cat "$dir/dbus.log" >&2; echo "no session bus" >&2; exit 1; }

"$bus_launcher" --launch-immediately >"$dir/at-spi.log" 2>&1 &
pids+=($!)
a11y_bus() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress; }
wait_for 100 a11y_bus || { cat "$dir/at-spi.log" >&2; echo "no AT-SPI bus" >&2; exit 1; }

# The recorder: speech-dispatcher's generic module, whose command appends the
# text to $SPOKEN. Without a sound device of some kind the module gives up.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<CONF
AddModule "recorder" "sd_generic" "recorder.conf"
DefaultModule recorder
AudioOutputMethod "alsa"
AudioALSADevice "null"
CONF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/recorder.conf" <<'CONF'
GenericExecuteSynth "printf '%s\\n' \'$DATA\' >> \"$SPOKEN\""
GenericStripPunctChars ""
GenericDelimiters ""
GenericMaxChunkLength 100000
AddVoice "en" "MALE1" "recorder"
CONF
speech-dispatcher --run-single --timeout 0 --config-dir "$XDG_CONFIG_HOME/speech-dispatcher" \
    --communication-method unix_socket --socket-path default >"$dir/speechd.log" 2>&1 &
pids+=($!)
wait_for 100 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" \
    || { cat "$dir/speechd.log" >&2; echo "speech-dispatcher did not start" >&2; exit 1; }

orca --debug-file="$ORCA_LOG" >"$dir/orca.log" 2>&1 &
pids+=($!)
orca_speaks() { grep -q . "$SPOKEN"; }
wait_for 300 orca_speaks || { tail -n 50 "$dir/orca.log" "$ORCA_LOG" >&2; echo "Orca said nothing" >&2; exit 1; }

a11y_address=$(a11y_bus | sed -n 's/^ *string "\(.*\)"$/\1/p')
registry=$(dbus-send --bus="$a11y_address" --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.atspi.Registry | awk '/uint32/ { print $2 }')

export QT_QPA_PLATFORM=xcb
"$@"
