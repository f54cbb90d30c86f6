#!/bin/sh
# One golden-result check: runs kenvaron-bench and compares the SHA-256 of its
# whole output with the digest committed in bench/golden.txt.
#
#   golden.sh NAME DIGEST OUTPUT CMAKE BENCH "OPTIONS" FILE [VERIFIER MAX]
#
# OPTIONS is one word list as a shell would read it (so --code '' passes an
# empty code).  FILE "-" runs without a puzzle file.  With VERIFIER, the dump
# is also checked against the independent solver, counting up to MAX.
set -u
nome=$1 atteso=$2 uscita=$3 cmake=$4 bench=$5 opzioni=$6 file=$7
if [ "$file" = "-" ]; then
  eval "\"\$bench\" --frozen-clock $opzioni" > "$uscita" || exit 1
else
  eval "\"\$bench\" --frozen-clock $opzioni \"\$file\"" > "$uscita" || exit 1
fi
if [ $# -ge 9 ]; then
  "$8" "$9" "$file" "$uscita" || exit 1
fi
letto=$("$cmake" -E sha256sum "$uscita" | cut -d' ' -f1)
if [ "$letto" != "$atteso" ]; then
  echo "$nome: digest $letto, golden.txt has \"$atteso\" (output in $uscita)"
  echo "$nome $letto"
  exit 1
fi
echo "$nome $letto ($(wc -l < "$uscita") lines)"
