#!/usr/bin/env bash
# Speed of batch production: copies the program into a temporary folder beside
# a rules file with one singles-only rule (200 puzzles, no filter), runs
# "/prod" off screen and prints how many rated puzzles per second it wrote.
#   bench/batch-speed.sh [path of the kenvaron program]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
programma="${1:-$here/build/ui/kenvaron}"
cartella="$(mktemp -d)"
trap 'rm -rf "$cartella"' EXIT
cp "$programma" "$cartella/kenvaron"
printf '%s\r\n' "Singoli nudi: 1" "Singoli nascosti: 2" "[REGOLE]" "<REGOLA>" \
  "FILE=singoli.txt,OUTPUT" "TECNICHE=" "SCHEMI=200" "FILTRO=0" "COMPLICA=TRUE" > "$cartella/Kenvaron.ini"
inizio=$(date +%s.%N)
codice=0
(cd "$cartella" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ./kenvaron /prod) || codice=$?
fine=$(date +%s.%N)
schemi=0
[ -f "$cartella/singoli.txt" ] && schemi=$(grep -c . "$cartella/singoli.txt" || true)
awk -v n="$schemi" -v a="$inizio" -v b="$fine" \
  'BEGIN { s = b - a; printf "puzzles %d seconds %.2f per-second %.1f\n", n, s, (s > 0 ? n / s : 0) }'
exit "$codice"
