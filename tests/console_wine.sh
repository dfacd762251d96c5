#!/usr/bin/env bash
# The Windows report in a terminal under wine, which presents the terminal as
# a console: the screen as a person sees it (drawn by tmux in UTF-8), one
# Enter ends the pause, and the console's code page is the same after the
# run as before it (chcp, in the one cmd session that runs the report).
# Usage: console_wine.sh REPORT_EXE CASE_FOLDER [ENCODING]
# ENCODING is that of the case's dialogue, shown as Unicode (default UTF-8).
set -euo pipefail
report=$(realpath "$1") cas=$(realpath "$2") encodage=${3:-UTF-8}
ici=$(mktemp -d)
tmux="tmux -L console-wine-$$ -u"
trap '$tmux kill-server 2>/dev/null || true; rm -rf "$ici"' EXIT
cp "$cas/etudiant.txt" "$ici/"

attendre() {  # until the screen shows $1, for at most 60 s
  for _ in $(seq 240); do
    $tmux capture-pane -p -t essai 2>/dev/null | grep -qF -- "$1" && return 0
    sleep 0.25
  done
  echo "never shown: $1"; $tmux capture-pane -p -t essai; exit 1
}

cd "$ici"
# Wine's cmd runs both sides of && and ||: the status is echoed instead.
commande="chcp & $(WINEDEBUG=-all winepath -w "$report" 2>/dev/null) & echo statut=!errorlevel! & chcp"
LANG=C.UTF-8 $tmux new-session -d -s essai -x 100 -y 50 "WINEDEBUG=-all wine cmd /v:on /c '$commande'; sleep 600"
attendre "Appuyer sur entrer pour continuer ..."
# tmux drops trailing spaces, so does the expected screen here; both are
# compared from their first line of text to their last.
visible() { sed 's/ *$//' | sed '/./,$!d' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'; }
$tmux capture-pane -p -t essai | visible >ecran
pageAvant=$(head -n 1 ecran)
{ iconv -f "$encodage" -t UTF-8 "$cas/dialogue"; echo; } | visible >attendu
tail -n +2 ecran | visible | diff -u attendu -
$tmux send-keys -t essai Enter
attendre "statut="
sleep 1
$tmux capture-pane -p -t essai | grep -q "statut=0" || { $tmux capture-pane -p -t essai; exit 1; }
pageApres=$($tmux capture-pane -p -t essai | grep 'code page' | tail -n 1)
echo "before: $pageAvant; after: $pageApres"
[[ $pageAvant == "Active code page: "* && $pageApres == "$pageAvant" ]]
echo "one Enter ended the pause, exit status 0, the console's code page unchanged"
