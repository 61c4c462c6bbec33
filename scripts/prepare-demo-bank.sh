#!/bin/sh
# Prepares the demo bank that stands in for Zandor: a folder with a few German
# accounts. An existing demo bank is left as it is. Prints where it lies.
set -eu

bank=${VELMORA_DEMO_BANK:-$HOME/.local/share/velmora-demo-bank}
mkdir -p "$bank"
if [ ! -f "$bank/konten.txt" ]; then
    printf '%s\n' Girokonto Sparbuch Kreditkarte Haushaltskasse > "$bank/konten.txt"
fi
printf 'Demo-Bank: %s\n' "$bank"
printf 'Konten:    %s\n' "$bank/konten.txt"
printf 'Buchungen: %s\n' "$bank/journal.tsv"
