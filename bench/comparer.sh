#!/usr/bin/env bash
# The report against an equivalent awk script (mawk) and against the I/O
# floor (cat etudiant.txt | md5sum), side by side in one run: median wall
# time over several runs each at 1,000,000 students, peak memory at 100,000
# and 1,000,000 students, and instructions per student counted by callgrind
# at 100,000 students (random marks, and every row the example's first).
# Standard input from /dev/null.
set -euo pipefail
cd "$(dirname "$0")/.."
essais=${ESSAIS:-5}
cmake --preset default >/dev/null
cmake --build --preset default --target report generer >/dev/null
report=$PWD/build/default/report/rapport-notes
awk_script=$PWD/bench/rapport.awk
ici=$(mktemp -d)
trap 'rm -rf "$ici"' EXIT

# Runs one command in the folder of its file; prints "seconds peak-KiB".
mesurer() {
  local dossier=$1; shift
  local debut=$EPOCHREALTIME
  (cd "$dossier" && /usr/bin/time -f %M -o "$ici/pic" "$@" </dev/null >/dev/null)
  local fin=$EPOCHREALTIME
  awk -v a="$debut" -v b="$fin" -v pic="$(cat "$ici/pic")" 'BEGIN { printf "%.4f %s\n", b - a, pic }'
}

mediane() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for n in 100000 1000000; do
  mkdir -p "$ici/$n"
  build/default/bench/generer "$n" >"$ici/$n/etudiant.txt"
done
mkdir -p "$ici/fixes"
{ echo "prenom nom notes"; awk 'BEGIN { for (i = 0; i < 100000; i++) print "Alice Durand 80 70.5 90 65 74" }'; } >"$ici/fixes/etudiant.txt"

# Instructions per student, whatever else the machine is doing.
instructions() {
  (cd "$1" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$report" </dev/null 2>&1 >/dev/null) |
    awk '/Collected/ { printf "%.0f", $NF / 100000 }'
}
if command -v valgrind >/dev/null; then
  echo "instructions per student at 100,000 students (callgrind):"
  echo "  random marks $(instructions "$ici/100000"), fixed marks $(instructions "$ici/fixes")"
fi

echo "peak memory (KiB):"
for n in 100000 1000000; do
  printf '  %8d students: report %s, mawk %s\n' "$n" \
    "$(mesurer "$ici/$n" "$report" | cut -d' ' -f2)" \
    "$(mesurer "$ici/$n" mawk -f "$awk_script" etudiant.txt | cut -d' ' -f2)"
done

: >"$ici/t-report"; : >"$ici/t-mawk"; : >"$ici/t-plancher"
for _ in $(seq "$essais"); do
  mesurer "$ici/1000000" "$report" | cut -d' ' -f1 >>"$ici/t-report"
  mesurer "$ici/1000000" mawk -f "$awk_script" etudiant.txt | cut -d' ' -f1 >>"$ici/t-mawk"
  mesurer "$ici/1000000" sh -c 'cat etudiant.txt | md5sum' | cut -d' ' -f1 >>"$ici/t-plancher"
done
r=$(mediane <"$ici/t-report"); m=$(mediane <"$ici/t-mawk"); p=$(mediane <"$ici/t-plancher")
echo "wall time at 1,000,000 students, median of $essais runs each, interleaved:"
awk -v r="$r" -v m="$m" -v p="$p" 'BEGIN {
  printf "  report %.3f s, mawk %.3f s, cat | md5sum %.3f s\n", r, m, p
  printf "  report %.2fx faster than mawk, %.2fx the time of cat | md5sum\n", m / r, r / p }'
