#!/bin/sh
# Rebuilds the coded collections: for each table N, D, C, M the record maker
# turns generation/raccolte/L/n.txt ("seed|skip|81 digits" a line) into
# generation/raccolte/L/y.txt, and the records of every y.txt become the
# tables of generation/RaccolteDati.cpp.  A record with more than 12 cells in
# a list is left out.
#
#   scripts/raccolte.sh BENCH     (BENCH: the kenvaron-bench program)
set -eu
bench=${1:?uso: scripts/raccolte.sh KENVARON-BENCH}
radice=$(cd "$(dirname "$0")/.." && pwd)
cartella=$radice/generation/raccolte
uscita=$radice/generation/RaccolteDati.cpp

for l in N D C M; do
  rm -f "$cartella/$l/y.txt"
  "$bench" --records "$l" "$cartella/$l"
done

{
  cat <<'TESTA'
// The records of the coded collections, made by scripts/raccolte.sh from the
// wanted puzzles in generation/raccolte/; do not edit by hand.
#include "generation/Raccolte.h"

namespace kenvaron {

const std::vector<const char*>& RecordTabella(char tabella) {
TESTA
  for l in N D C M; do
    echo "    static const std::vector<const char*> k$l{"
    tr -d '\r' < "$cartella/$l/y.txt" | awk -F'"' '{
        split($2, f, "|");
        if (length(f[3]) <= 24 && length(f[4]) <= 24) print "        \"" $2 "\",";
      }'
    echo "    };"
  done
  cat <<'CODA'
    static const std::vector<const char*> kNessuna{};
    switch (tabella) {
        case 'N': return kN;
        case 'D': return kD;
        case 'C': return kC;
        case 'M': return kM;
        default: return kNessuna;
    }
}

}  // namespace kenvaron
CODA
} > "$uscita"
