#!/bin/sh
# Demo bank stand-in for Zandor's account-names script: prints the names in
# konten.txt (one per line, empty lines skipped) joined by ", " and one line
# end. No demo bank folder means Zandor is not running: nothing is printed.
# Plain sh builtins only, so a call costs no more than starting the shell.

bank=${VELMORA_DEMO_BANK:-$HOME/.local/share/velmora-demo-bank}
[ -d "$bank" ] || exit 0
[ -r "$bank/konten.txt" ] || exit 0

names=
separator=
while IFS= read -r name || [ -n "$name" ]; do
    [ -n "$name" ] || continue
    names=$names$separator$name
    separator=', '
done < "$bank/konten.txt"

[ -z "$names" ] || printf '%s\n' "$names"
