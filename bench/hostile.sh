#!/usr/bin/env bash
# Hostile results files: what the report prints, its exit status, peak
# memory and time. Each input is made in a folder of its own; the report runs
# there with standard input from /dev/null.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target report generer >/dev/null
report=$PWD/build/default/report/rapport-notes
ici=$(mktemp -d)
trap 'rm -rf "$ici"' EXIT
exemple=$'prenom nom notes\nAlice Durand 80 70.5 90 65 74\nBruno Petit 40 55 62 48 50\nChloe Roux 100 95 98 99 97\n'
repeter() { head -c "$2" </dev/zero | tr '\0' "$1"; }  # a byte, that many times

preparer() {
  local nom=$1
  mkdir -p "$ici/$nom"
  cd "$ici/$nom"
  case $nom in
    1GB) "$OLDPWD/build/default/bench/generer" 27000000 >etudiant.txt ;;
    binaire) head -c 10000000 /dev/urandom >etudiant.txt ;;
    nul-dans-les-noms) printf 'prenom nom notes\nAl\0ice Du\0rand 80 70.5 90 65 74\n\0Bruno Petit\0 40 55 62 48 50\n' >etudiant.txt ;;
    mot-de-100MB) { echo "prenom nom notes"; repeter x 100000000; } >etudiant.txt ;;
    nom-de-100MB-imprime) { echo "prenom nom notes"; repeter x 100000000; echo ' Nom 1 2 3 4 5'; } >etudiant.txt ;;
    note-de-100MB) { printf 'prenom nom notes\nAlice Durand '; repeter 7 100000000; echo ' 1 2 3 4'; } >etudiant.txt ;;
    entete-de-100MB) { repeter x 100000000; echo; } >etudiant.txt ;;
    fins-de-ligne-cr) printf '%s' "${exemple//$'\n'/$'\r'}" >etudiant.txt ;;
    repertoire) mkdir etudiant.txt ;;
  esac
  cd - >/dev/null
}

printf '%-18s %10s %6s %10s %8s  %s\n' input size status peak_KiB seconds "what it printed after the 25 blank lines"
for nom in 1GB binaire nul-dans-les-noms mot-de-100MB nom-de-100MB-imprime note-de-100MB entete-de-100MB fins-de-ligne-cr repertoire; do
  preparer "$nom"
  taille=$(du -sb "$ici/$nom/etudiant.txt" | cut -f1)
  debut=$EPOCHREALTIME
  set +e
  (cd "$ici/$nom" && /usr/bin/time -f %M -o "$ici/pic" "$report" </dev/null >"$ici/sortie")
  statut=$?
  set -e
  fin=$EPOCHREALTIME
  resume=$(tail -n +26 "$ici/sortie" | cut -c1-50 | tr '\0' '@' |
    awk 'NR <= 3 { printf "%s | ", $0 } END { printf "... %d lines", NR }')
  printf '%-18s %10s %6s %10s %8.2f  %s\n' "$nom" "$taille" "$statut" "$(cat "$ici/pic")" \
    "$(awk -v a="$debut" -v b="$fin" 'BEGIN { print b - a }')" "$resume"
  rm -rf "${ici:?}/$nom"
done
