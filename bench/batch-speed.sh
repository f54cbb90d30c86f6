#!/usr/bin/env bash
# Speed of batch production: copies the program into a temporary folder beside
# a rules file with one rule (by default singles only, 200 puzzles, no
# filter), runs "/prod" off screen and prints how many rated puzzles per
# second it wrote.  The weights that steer the search of a rule with
# techniques are set too, so that such a rule can be timed the same way.
# With a size in MiB the rule appends instead, to a file that already holds
# that much (0: an empty file), to time the appends against the file's size.
#   bench/batch-speed.sh [kenvaron program] [techniques, e.g. CNDIMP,HIDNAK] [puzzles] [MiB already in the file]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
programma="${1:-$here/build/ui/kenvaron}"
tecniche="${2:-}"
quanti="${3:-200}"
gia="${4:-}"
cartella="$(mktemp -d)"
trap 'rm -rf "$cartella"' EXIT
cp "$programma" "$cartella/kenvaron"
tipo=OUTPUT
if [ -n "$gia" ]; then
  tipo=APPEND
  riga="$(printf '%0250d' 0)"
  { yes "$riga" || true; } | head -n $((gia * 1024 * 1024 / 251)) > "$cartella/schemi.txt"
fi
prima=0
[ -f "$cartella/schemi.txt" ] && prima=$(wc -l < "$cartella/schemi.txt")
printf '%s\r\n' "Singoli nudi: 1" "Singoli nascosti: 2" "Candidati imprigionati: 5" "Tripletta nascosta: 8" \
  "Swordfish: 20" "Simple Color: 40" "[REGOLE]" "<REGOLA>" \
  "FILE=schemi.txt,$tipo" "TECNICHE=$tecniche" "SCHEMI=$quanti" "FILTRO=0" "COMPLICA=TRUE" > "$cartella/Kenvaron.ini"
inizio=$(date +%s.%N)
codice=0
(cd "$cartella" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ./kenvaron /prod) || codice=$?
fine=$(date +%s.%N)
schemi=0
[ -f "$cartella/schemi.txt" ] && schemi=$(( $(wc -l < "$cartella/schemi.txt") - prima ))
awk -v n="$schemi" -v a="$inizio" -v b="$fine" \
  'BEGIN { s = b - a; printf "puzzles %d seconds %.2f per-second %.1f\n", n, s, (s > 0 ? n / s : 0) }'
exit "$codice"
