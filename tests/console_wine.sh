#!/usr/bin/env bash
# The Windows report in a terminal under wine, which presents the terminal as
# a console: the screen as a person sees it (drawn by tmux), and one Enter
# ends the pause. Usage: console_wine.sh REPORT_EXE CASE_FOLDER
set -euo pipefail
report=$1 cas=$2
ici=$(mktemp -d)
tmux="tmux -L console-wine-$$"
trap '$tmux kill-server 2>/dev/null || true; rm -rf "$ici"' EXIT
cas=$(cd "$cas" && pwd)
cp "$cas/etudiant.txt" "$ici/"

attendre() {  # until the screen shows $1, for at most 60 s
  for _ in $(seq 240); do
    $tmux capture-pane -p -t essai 2>/dev/null | grep -qF -- "$1" && return 0
    sleep 0.25
  done
  echo "never shown: $1"; $tmux capture-pane -p -t essai; exit 1
}

cd "$ici"
$tmux new-session -d -s essai -x 100 -y 50 "WINEDEBUG=-all wine '$report'; echo \"statut=\$?\"; sleep 600"
attendre "Appuyer sur entrer pour continuer ..."
# tmux drops trailing spaces, so does the expected screen here; both are
# compared from their first line of text to their last.
visible() { sed 's/ *$//' | sed '/./,$!d' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'; }
$tmux capture-pane -p -t essai | visible >ecran
{ cat "$cas/dialogue"; echo; } | visible >attendu
diff -u attendu ecran
$tmux send-keys -t essai Enter
attendre "statut="
$tmux capture-pane -p -t essai | grep -qx "statut=0" || { $tmux capture-pane -p -t essai; exit 1; }
echo "one Enter ended the pause, exit status 0"
