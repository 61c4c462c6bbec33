#!/bin/sh
# Demo bank stand-in for Zandor's booking script: appends the nine texts of
# one booking to journal.tsv as one line of nine tab-separated fields. Each
# field escapes backslash as \\, tab as \t, line feed as \n and carriage return
# as \r, so every text can be recovered exactly. Texts are only ever expanded
# inside quotes and printed through '%s', so nothing in them is interpreted.

LC_ALL=C
bank=${VELMORA_DEMO_BANK:-$HOME/.local/share/velmora-demo-bank}

if [ $# -ne 9 ]; then
    printf 'Die Demo-Bank erwartet neun Texte für eine Buchung, erhalten: %s\n' "$#" >&2
    exit 2
fi
if [ ! -d "$bank" ]; then
    printf 'Zandor läuft nicht: der Ordner der Demo-Bank »%s« fehlt.\n' "$bank" >&2
    exit 3
fi

newline='
'
carriage_return=

# Escapes $1 into $escaped. The loop jumps from one character that needs
# escaping to the next rather than walking every character, and forks nothing
# except once to learn the carriage return when a text holds an unusual
# control character.
escape() {
    rest=$1
    escaped=
    while :; do
        plain=${rest%%[\\[:cntrl:]]*}
        [ ${#plain} -lt ${#rest} ] || break
        rest=${rest#"$plain"}
        character=${rest%"${rest#?}"}
        rest=${rest#?}
        case $character in
            \\) escaped=$escaped$plain'\\' ;;
            "$newline") escaped=$escaped$plain'\n' ;;
            [[:blank:]]) escaped=$escaped$plain'\t' ;;
            *)
                [ -n "$carriage_return" ] || carriage_return=$(printf '\r')
                if [ "$character" = "$carriage_return" ]; then
                    escaped=$escaped$plain'\r'
                else
                    escaped=$escaped$plain$character
                fi ;;
        esac
    done
    escaped=$escaped$rest
}

for text do
    escape "$text"
    set -- "$@" "$escaped"
done
shift 9

printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$@" >> "$bank/journal.tsv" || {
    printf 'Die Buchung ließ sich nicht in »%s« schreiben.\n' "$bank/journal.tsv" >&2
    exit 4
}
