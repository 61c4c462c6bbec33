#!/bin/sh
# Runs the built program as a user would start it, under a virtual X server
# without a window manager, in two throw-away bundles:
#   1. the account script prints nothing: the explanation appears, Return
#      acknowledges it, and the process ends with status 0;
#   2. the demo bank: the window opens showing the demo accounts, and a click
#      on "Beenden" at its place ends the process with status 0.
# Usage: run_program.sh <built Velmora executable> <folder of the demo bank scripts>
set -eu

program=$1
demo_scripts=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FEHLER: $*" >&2; exit 1; }

# A bundle of its own: the program finds its scripts next to its real path.
make_bundle() {
    mkdir -p "$work/$1.app/Contents/MacOS" "$work/$1.app/Contents/Resources"
    cp "$program" "$work/$1.app/Contents/MacOS/Velmora"
    echo "$work/$1.app"
}

# Waits up to thirty seconds for a visible window of process $2 whose title
# matches $1; prints its id. Gives up at once when the process has ended.
wait_for_window() {
    tries=0
    while [ $tries -lt 300 ] && kill -0 "$2" 2>/dev/null; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        tries=$((tries + 1)); sleep 0.1
    done
    return 1
}

# Waits up to thirty seconds for process $1 to end and sets $status to its exit
# status (not in a subshell: only this shell can wait for its child).
wait_for_exit() {
    tries=0
    while kill -0 "$1" 2>/dev/null && [ $tries -lt 300 ]; do
        tries=$((tries + 1)); sleep 0.1
    done
    if kill -0 "$1" 2>/dev/null; then
        kill "$1"
        return 1
    fi
    status=0
    wait "$1" || status=$?
}

# The text a person would read in window $1, as far as OCR can tell.
read_window() {
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pamscale 3 | ppmtopgm > "$work/window.pgm"
    tesseract "$work/window.pgm" - 2>/dev/null
}

zandor_not_running() {
    bundle=$(make_bundle NoAccounts)
    printf '#!/bin/sh\nexit 0\n' > "$bundle/Contents/Resources/Kontennamen ermitteln.scpt"
    chmod +x "$bundle/Contents/Resources/Kontennamen ermitteln.scpt"
    "$bundle/Contents/MacOS/Velmora" &
    pid=$!
    message=$(wait_for_window '^Velmora$' "$pid") || fail "keine Meldung erschienen"
    read_window "$message" | grep -q "Zandor Professional" || fail "die Meldung nennt Zandor Professional nicht"
    xdotool windowfocus --sync "$message" key Return
    wait_for_exit "$pid" || fail "Velmora endet nach der Meldung nicht"
    [ "$status" -eq 0 ] || fail "Velmora endete mit Status $status statt 0"
    echo "ok: ohne Konten erscheint die Meldung, danach Ende mit Status 0"
}

demo_bank() {
    bundle=$(make_bundle Demo)
    cp "$demo_scripts"/*.scpt "$bundle/Contents/Resources/"
    export VELMORA_DEMO_BANK="$work/bank"
    mkdir -p "$VELMORA_DEMO_BANK"
    printf 'Girokonto\nSparbuch\n' > "$VELMORA_DEMO_BANK/konten.txt"
    "$bundle/Contents/MacOS/Velmora" &
    pid=$!
    window=$(wait_for_window '^Velmora v1\.16' "$pid") || fail "das Fenster ist nicht erschienen"
    sleep 0.5
    read_window "$window" | grep -q "Girokonto" || fail "das Fenster zeigt das Konto Girokonto nicht"
    # "Beenden" lies at 378,287 (69 x 20) in the content area, below the menu bar.
    menu_height=$(( $(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p') - 327 ))
    xdotool mousemove --window "$window" $((378 + 34)) $((menu_height + 287 + 10)) click 1
    wait_for_exit "$pid" || fail "Velmora endet nach „Beenden“ nicht"
    [ "$status" -eq 0 ] || fail "Velmora endete mit Status $status statt 0"
    echo "ok: mit der Demo-Bank zeigt das Fenster die Konten; „Beenden“ endet mit Status 0"
}

zandor_not_running
demo_bank
