#!/bin/sh
# Runs the built program as a user would start it, under a virtual X server
# without a window manager, in two throw-away bundles. Windows are found by
# their exact titles as the X server has them (_NET_WM_NAME):
#   1. the account script prints nothing: the explanation appears, Return
#      acknowledges it, and the process ends with status 0;
#   2. the demo bank: the window opens showing the demo accounts; a file is
#      chosen in the (German) file chooser and sent; the confirmation appears
#      and closes on Return; the bookings are in the journal; a click on
#      "Beenden" ends the process with status 0;
#   3. a long send (a booking script that takes a tenth of a second): the
#      progress window "An Zandor senden" counts, "Anhalten" stops the send
#      after the running booking, the next press offers to go on with the
#      next booking, Return ("Weitersenden") sends exactly the rest, and
#      SIGTERM ends the idle program with status 0.
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
        # The search matches WM_NAME; what a window manager shows is _NET_WM_NAME.
        [ -n "$id" ] && xdotool getwindowname "$id" | grep -qE "$1" && { echo "$id"; return 0; }
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
    message=$(wait_for_window '^Velmora$' "$pid") || fail "keine Meldung, die genau „Velmora“ heißt"
    read_window "$message" | grep -q "Zandor Professional" || fail "die Meldung nennt Zandor Professional nicht"
    xdotool windowfocus --sync "$message" key Return
    wait_for_exit "$pid" || fail "Velmora endet nach der Meldung nicht"
    [ "$status" -eq 0 ] || fail "Velmora endete mit Status $status statt 0"
    echo "ok: ohne Konten erscheint die Meldung, danach Ende mit Status 0"
}

# Waits up to ten seconds for window $1 to be gone.
wait_until_gone() {
    tries=0
    while xdotool getwindowname "$1" > /dev/null 2>&1 && [ $tries -lt 100 ]; do
        tries=$((tries + 1)); sleep 0.1
    done
    ! xdotool getwindowname "$1" > /dev/null 2>&1
}

# Clicks the control whose top-left corner lies at $2,$3 of window $1's content area.
click_at() {
    xdotool mousemove --window "$1" $(($2 + 20)) $((menu_height + $3 + 10)) click 1
}

# In $window of process $pid: "Datei auswählen", the file $1 typed into the
# (German) chooser, then "An Zandor senden".
choose_file_and_send() {
    click_at "$window" 20 110  # "Datei auswählen"
    chooser=$(wait_for_window '^Öffnen$' "$pid") || fail "keine deutsche Dateiauswahl „Öffnen“ erschienen"
    xdotool windowfocus --sync "$chooser" type --delay 20 "$1"
    xdotool key Return
    wait_until_gone "$chooser" || fail "die Dateiauswahl schließt sich nicht"
    click_at "$window" 20 163  # "An Zandor senden"
}

demo_bank() {
    bundle=$(make_bundle Demo)
    cp "$demo_scripts"/*.scpt "$bundle/Contents/Resources/"
    export VELMORA_DEMO_BANK="$work/bank"
    mkdir -p "$VELMORA_DEMO_BANK"
    printf 'Girokonto\nSparbuch\n' > "$VELMORA_DEMO_BANK/konten.txt"
    # The second payee holds what a shell would run, a tab and a backslash; the
    # demo bank's journal must show it literally (tab and backslash escaped).
    printf '!Type:Bank\nD01.03.2026\nT-1.234,56\nPStadtwerke\n^\nD02.03.2026\nT2.850,00\n%s\n^\n' \
        "P\$(touch '$work/ausgefuehrt') \`id\` \"; A	B \\ C" > "$work/konto.qif"
    "$bundle/Contents/MacOS/Velmora" &
    pid=$!
    window=$(wait_for_window '^Velmora v1\.16$' "$pid") || fail "kein Fenster, das genau „Velmora v1.16“ heißt"
    sleep 0.5
    read_window "$window" | grep -q "Girokonto" || fail "das Fenster zeigt das Konto Girokonto nicht"
    menu_height=$(( $(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p') - 327 ))

    choose_file_and_send "$work/konto.qif"
    confirmation=$(wait_for_window '^Bestätigung$' "$pid") || fail "kein Dialog, der genau „Bestätigung“ heißt"
    xdotool windowfocus --sync "$confirmation" key Return
    wait_until_gone "$confirmation" || fail "„Bestätigung“ schließt sich mit Return nicht"
    [ "$(wc -l < "$VELMORA_DEMO_BANK/journal.tsv")" -eq 2 ] || fail "die Demo-Bank hat nicht genau zwei Buchungen"
    grep -q "^01.03.2026	01.03.2026	123456	Girokonto	Unbekannt	" "$VELMORA_DEMO_BANK/journal.tsv" \
        || fail "die erste Buchung kam nicht so an, wie sie in der Datei steht"
    grep -qF "	\$(touch '$work/ausgefuehrt') \`id\` \"; A\\tB \\\\ C	" "$VELMORA_DEMO_BANK/journal.tsv" \
        && [ ! -e "$work/ausgefuehrt" ] || fail "der zweite Empfänger kam nicht wörtlich an"

    click_at "$window" 378 287  # "Beenden"
    wait_for_exit "$pid" || fail "Velmora endet nach „Beenden“ nicht"
    [ "$status" -eq 0 ] || fail "Velmora endete mit Status $status statt 0"
    echo "ok: mit der Demo-Bank: Fenster „Velmora v1.16“ mit den Konten, Datei gewählt, zwei Buchungen gesendet,"
    echo "    „Bestätigung“ mit Return geschlossen, „Beenden“ endet mit Status 0"
}

# The journal's lines, and how many of them differ.
journal_lines() { wc -l < "$VELMORA_DEMO_BANK/journal.tsv"; }
distinct_journal_lines() { sort -u "$VELMORA_DEMO_BANK/journal.tsv" | wc -l; }

long_send() {
    bundle=$(make_bundle Slow)
    cp "$demo_scripts"/*.scpt "$bundle/Contents/Resources/"
    mv "$bundle/Contents/Resources/buchungViaTessel.scpt" "$work/demo-booking"
    printf '#!/bin/sh\nsleep 0.1\nexec "%s" "$@"\n' "$work/demo-booking" > "$bundle/Contents/Resources/buchungViaTessel.scpt"
    chmod +x "$bundle/Contents/Resources/buchungViaTessel.scpt"
    export VELMORA_DEMO_BANK="$work/slow-bank"
    mkdir -p "$VELMORA_DEMO_BANK"
    printf 'Girokonto\n' > "$VELMORA_DEMO_BANK/konten.txt"
    { echo '!Type:Bank'; i=1; while [ $i -le 40 ]; do printf 'D01.03.2026\nT-%d,00\nPEmpfänger %d\n^\n' $i $i; i=$((i + 1)); done; } \
        > "$work/lang.qif"
    "$bundle/Contents/MacOS/Velmora" &
    pid=$!
    window=$(wait_for_window '^Velmora v1\.16$' "$pid") || fail "kein Fenster „Velmora v1.16“ für das lange Senden"
    sleep 0.5
    menu_height=$(( $(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p') - 327 ))
    choose_file_and_send "$work/lang.qif"
    progress=$(wait_for_window '^An Zandor senden$' "$pid") || fail "kein Fortschrittsfenster „An Zandor senden“"
    read_window "$progress" | grep -q "von 40 Buchungen gesendet" || fail "das Fortschrittsfenster zählt nicht"
    xdotool mousemove --window "$progress" 330 91 click 1  # "Anhalten"
    message=$(wait_for_window '^Velmora$' "$pid") || fail "keine Meldung nach „Anhalten“"
    sent=$(journal_lines)
    [ "$sent" -lt 40 ] || fail "„Anhalten“ hat das Senden nicht angehalten"
    read_window "$message" | grep -q "Senden angehalten" || fail "die Meldung sagt nicht „Senden angehalten“"
    xdotool windowfocus --sync "$message" key Return
    wait_until_gone "$message" || fail "die Meldung schließt sich nicht"
    [ "$(journal_lines)" -eq "$sent" ] || fail "nach dem Anhalten ging noch eine Buchung hinaus"
    click_at "$window" 20 163
    question=$(wait_for_window '^Velmora$' "$pid") || fail "keine Frage beim nächsten Senden"
    read_window "$question" | tr '\n' ' ' | grep -q "Buchung $((sent + 1)) weitermachen" \
        || fail "die Frage bietet nicht an, mit Buchung $((sent + 1)) weiterzumachen"
    xdotool windowfocus --sync "$question" key Return  # "Weitersenden"
    confirmation=$(wait_for_window '^Bestätigung$' "$pid") || fail "kein „Bestätigung“ nach dem Weitersenden"
    [ "$(journal_lines)" -eq 40 ] && [ "$(distinct_journal_lines)" -eq 40 ] \
        || fail "nicht jede der 40 Buchungen kam genau einmal an ($(journal_lines) Zeilen)"
    xdotool windowfocus --sync "$confirmation" key Return
    wait_until_gone "$confirmation" || fail "„Bestätigung“ schließt sich nicht"
    kill -TERM "$pid"
    wait_for_exit "$pid" || fail "Velmora endet auf SIGTERM nicht"
    [ "$status" -eq 0 ] || fail "Velmora endete auf SIGTERM mit Status $status statt 0"
    echo "ok: langes Senden: Fortschritt gezählt, nach $sent Buchungen angehalten, mit Buchung $((sent + 1))"
    echo "    weitergesendet, jede der 40 Buchungen genau einmal; SIGTERM endet mit Status 0"
}

zandor_not_running
demo_bank
long_send
