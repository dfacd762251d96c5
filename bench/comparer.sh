#!/usr/bin/env bash
# The report against an equivalent awk script (mawk) and against the I/O
# floor (cat etudiant.txt | md5sum), side by side in one run: median wall
# time over several runs each at 1,000,000 students, peak memory at 100,000
# and 1,000,000 students, and instructions per student counted by callgrind
# at 100,000 students (random marks, and every row the example's first).
# Each with ASCII names and with accented (UTF-8) names in every row.
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

# Folders: N (ASCII names) and N-accents, and the fixed rows of each kind.
for n in 100000 1000000; do
  mkdir -p "$ici/$n" "$ici/$n-accents"
  build/default/bench/generer "$n" >"$ici/$n/etudiant.txt"
  build/default/bench/generer "$n" accents >"$ici/$n-accents/etudiant.txt"
done
fixes() {
  mkdir -p "$ici/$1"
  { echo "prenom nom notes"; awk -v l="$2" 'BEGIN { for (i = 0; i < 100000; i++) print l }'; } >"$ici/$1/etudiant.txt"
}
fixes fixes "Alice Durand 80 70.5 90 65 74"
fixes fixes-accents "Hélène Lefèvre 80 70.5 90 65 74"

# Instructions per student, whatever else the machine is doing.
instructions() {
  (cd "$ici/$1" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$report" </dev/null 2>&1 >/dev/null) |
    awk '/Collected/ { printf "%.0f", $NF / 100000 }'
}
if command -v valgrind >/dev/null; then
  echo "instructions per student at 100,000 students (callgrind):"
  echo "  ASCII names:    random marks $(instructions 100000), fixed marks $(instructions fixes)"
  echo "  accented names: random marks $(instructions 100000-accents), fixed marks $(instructions fixes-accents)"
fi

echo "peak memory (KiB):"
for n in 100000 1000000; do
  printf '  %8d students: report %s, mawk %s\n' "$n" \
    "$(mesurer "$ici/$n" "$report" | cut -d' ' -f2)" \
    "$(mesurer "$ici/$n" mawk -f "$awk_script" etudiant.txt | cut -d' ' -f2)"
done

for f in report report-accents mawk plancher plancher-accents; do : >"$ici/t-$f"; done
for _ in $(seq "$essais"); do
  mesurer "$ici/1000000" "$report" | cut -d' ' -f1 >>"$ici/t-report"
  mesurer "$ici/1000000-accents" "$report" | cut -d' ' -f1 >>"$ici/t-report-accents"
  mesurer "$ici/1000000" mawk -f "$awk_script" etudiant.txt | cut -d' ' -f1 >>"$ici/t-mawk"
  mesurer "$ici/1000000" sh -c 'cat etudiant.txt | md5sum' | cut -d' ' -f1 >>"$ici/t-plancher"
  mesurer "$ici/1000000-accents" sh -c 'cat etudiant.txt | md5sum' | cut -d' ' -f1 >>"$ici/t-plancher-accents"
done
r=$(mediane <"$ici/t-report"); ra=$(mediane <"$ici/t-report-accents"); m=$(mediane <"$ici/t-mawk")
p=$(mediane <"$ici/t-plancher"); pa=$(mediane <"$ici/t-plancher-accents")
echo "wall time at 1,000,000 students, median of $essais runs each, interleaved:"
awk -v r="$r" -v ra="$ra" -v m="$m" -v p="$p" -v pa="$pa" 'BEGIN {
  printf "  ASCII names:    report %.3f s, mawk %.3f s, cat | md5sum %.3f s\n", r, m, p
  printf "                  report %.2fx faster than mawk, %.2fx the time of cat | md5sum\n", m / r, r / p
  printf "  accented names: report %.3f s, cat | md5sum %.3f s: %.2fx\n", ra, pa, ra / pa }'
