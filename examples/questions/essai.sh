#!/usr/bin/env bash
# Answers the questions program as a person would, each answer of
# reponses.txt typed into a pipe only once its question is on the screen,
# and compares the whole screen with attendu.txt. Usage: essai.sh PROGRAM
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
ecran=$(mktemp)
trap 'rm -f "$ecran"' EXIT
coproc QUESTIONS { "$1"; }
programme=$QUESTIONS_PID
exec {sortie}<&"${QUESTIONS[0]}" {entree}>&"${QUESTIONS[1]}"
question() {  # copies the screen up to the next question; false at the end
  local ligne
  while IFS= read -r -t 20 ligne <&"$sortie"; do
    printf '%s\n' "$ligne" >>"$ecran"
    [[ $ligne == *'?' ]] && return 0
  done
  return 1
}
while IFS= read -r reponse; do
  question || { echo "no question for the answer '$reponse'"; cat "$ecran"; exit 1; }
  printf '%s\n' "$reponse" >&"$entree"
done <"$ici/reponses.txt"
exec {entree}>&-
while question; do :; done
wait "$programme"
diff -u "$ici/attendu.txt" "$ecran"
echo "questions: the whole screen as expected"
