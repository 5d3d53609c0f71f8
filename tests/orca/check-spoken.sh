#!/usr/bin/env bash
# What the screen reader Orca says while a user goes through an experiment,
# run under with-orca.sh: the keyboard experiment of the README with real
# keys, the table of points read row by row before CLEAR, then the same by
# mouse (three points, Begin, Stop, CLEAR). Each step must be heard when it
# happens: a picked point with its row and coordinates, the crosshair's
# position on each arrow key and when asked where the user is, the run
# starting and stopping with the final count, CLEAR.
#
#   with-orca.sh check-spoken.sh TARNELBY
#
# Prints what was said, key by key.
set -euo pipefail

readonly program=$1
readonly area_height=393  # the client area's height in pixels, without the menu bar
failures=0
mark=0
transcript=$(mktemp "$XDG_RUNTIME_DIR/transcript.XXXXXX")

# What was said since the last step began, a text a line: speech-dispatcher
# hands on a text sentence by sentence.
spoken() { tail -n +"$((mark + 1))" "$SPOKEN"; }

# The same as one line of words. Orca's own wording differs by release where
# what it reads does not: Orca 43 says "push button" where 48 says "button",
# names a panel's role after its name where 48 does after its texts, and
# pauses (a new text, a sentence's period) in other places. So buttons are
# compared as "button", a panel's role word is left out, and a period that
# ends a sentence counts as the pause that a new line is.
said() {
    spoken | sed -E 's/push button/button/g; s/ panel\.?$//; s/\.( |$)/\1/g; s/^ +| +$//g' \
        | tr '\n' ' ' | tr -s ' '
}

# The step named $1 begins: what is said from now on belongs to it.
step() {
    mark=$(wc -l <"$SPOKEN")
    printf '%s\n' "$1" >>"$transcript"
}

# Waits up to $patience seconds (ten unless set) for each text, in order and
# as whole words, among what the step said. After a step failed, the others
# are given a few seconds each, so that the test ends within its time and
# tells them all.
patience_left=10
hears() {
    local text rest
    for _ in $(seq "$((${patience:-$patience_left} * 10))"); do
        rest=" $(said) "
        for text in "$@"; do
            [[ "$rest" == *" $text "* ]] || { sleep 0.1; continue 2; }
            rest=" ${rest#*" $text "}"
        done
        return 0
    done
    echo "FAILED: expected to hear, in order: $(printf '"%s" ' "$@")" >&2
    echo "        but heard: \"$(said)\"" >&2
    failures=$((failures + 1))
    patience_left=3
}

# Ends the step: what it said goes to the transcript, a text after each "|".
ends() {
    sleep "${1:-0.3}"
    printf '    %s\n' "$(spoken | tr '\n' '|')" >>"$transcript"
}

# As hears, for a change the window announces (the last text): the step ends
# after $pause seconds (0.3 unless set), and the announcement was heard once.
announced() {
    local times
    hears "$@"
    ends "${pause:-0.3}"
    times=$(said | grep -o -F -- "${!#}" | wc -l)
    if [ "$times" -gt 1 ]; then
        echo "FAILED: heard \"${!#}\" $times times" >&2
        failures=$((failures + 1))
    fi
}

key() { xdotool key --clearmodifiers "$@"; }

# Presses $2 $1 times, a quarter of a second apart, and checks that every
# press moved the crosshair and was heard, the last at $3.
crosshair_moves() {
    local times=$1 keys=$2 last=$3 heard
    step "$keys x$times"
    for _ in $(seq "$times"); do
        key "$keys"
        sleep 0.25
    done
    hears "$last"
    heard=$(spoken | grep -cE '^[0-9]+, [0-9]+\.?$' || true)
    if [ "$heard" -lt "$times" ]; then
        echo "FAILED: $times presses of $keys, but $heard positions heard" >&2
        failures=$((failures + 1))
    fi
    ends
}

"$program" >"$XDG_RUNTIME_DIR/tarnelby.log" 2>&1 &
app=$!
trap 'kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true' EXIT

# Orca takes a while to learn a program it meets for the first time.
step "start"
patience=30 hears "Tarnelby frame Control Tarnelby AN EXPERIMENT IN CHAOS Number of dots: 0 Begin button"
ends 1
window=$(xdotool search --onlyvisible --name '^Tarnelby$' | head -n1)
[ -n "$window" ] || { echo "FAILED: no window named Tarnelby" >&2; exit 1; }

step "Tab, Tab"; key Tab; sleep 0.5; key Tab
hears "CLEAR button" "Read Me" "Picture: Sierpinski triangle How to use this program" \
    "Web address: http://www.example.org/tarnelby" "Tarnelby is free to copy and share OK button"
ends
step "Return (OK)"; key Return
hears "Begin button"
ends
step "Tab, Tab"; key Tab; sleep 0.5; key Tab
hears "CLEAR button" "Drawing area canvas" "Click to pick a point here"
ends
step "Return (the first point)"; key Return
announced "Point 1: 4560, 2940"
crosshair_moves 10 shift+Left "4410, 2940"
step "Return"; key Return
announced "Point 2: 3060, 2940"
crosshair_moves 20 shift+Right "6060, 2940"
crosshair_moves 5 shift+Up "6060, 2190"
step "KP_Enter (where am I)"; key KP_Enter
hears "6060, 2190"
ends
step "Return"; key Return
announced "Point 3: 6060, 2190"
step "Escape"; key Escape
hears "Begin button"
ends
step "Return (Begin)"; key Return
pause=3 announced "Running; the button reads Stop"
step "Return (Stop)"; key Return
pause=0.5 announced "Stopped Number of dots:"
[[ " $(said) " =~ " Number of dots: "[1-9][0-9]*" " ]] || { echo "FAILED: no count heard at Stop" >&2; failures=$((failures + 1)); }
step "Shift+Tab (the table)"; key shift+Tab
hears "Table of Coordinates" "List with 10 items" "Point 1: 4560, 2940"
ends
step "Down"; key Down
hears "Point 2: 3060, 2940"
ends
step "Down"; key Down
hears "Point 3: 6060, 2190"
ends
step "Tab"; key Tab
hears "Begin button"
ends
step "Tab, Return (CLEAR)"; key Tab; sleep 0.5; key Return
announced "CLEAR button" "Cleared: no points, no drawing Number of dots: 0"

# By mouse, at positions of the client area below the menu bar.
menu_height=$(($(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p') - area_height))
click() {
    xdotool mousemove --window "$window" "$1" "$((menu_height + $2))" click 1
}
step "click at 400, 100"; click 400 100
announced "Point 1: 6000, 1500"
step "click at 300, 300"; click 300 300
announced "Point 2: 4500, 4500"
step "click at 550, 300"; click 550 300
announced "Point 3: 8250, 4500"
step "click on Begin"; click 88 91
pause=3 announced "Running; the button reads Stop"
step "click on Stop"; click 88 91
announced "Stopped Number of dots:"
step "click on CLEAR"; click 88 331
announced "CLEAR button" "Cleared: no points, no drawing Number of dots: 0"

cat "$transcript"
# A role said twice ("Control panel panel") is a name that repeats its role.
if grep -qiE '\b(panel panel|canvas canvas|button push button)\b' "$SPOKEN"; then
    echo "FAILED: a role said twice" >&2
    failures=$((failures + 1))
fi
# What the window announces is said as its text alone.
if grep -qiw 'notification' "$SPOKEN"; then
    echo "FAILED: an announcement said with a role word" >&2
    failures=$((failures + 1))
fi
# The table's rows are read, never chosen.
if grep -qi 'selected' "$SPOKEN"; then
    echo "FAILED: a row of the table said with its selection" >&2
    failures=$((failures + 1))
fi
if [ "$failures" != 0 ]; then
    echo "$failures steps were not heard as they should be" >&2
    exit 1
fi
