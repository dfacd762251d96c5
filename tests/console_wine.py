#!/usr/bin/env python3
"""A case of tests/cas run at a Windows console under wine, drawn by tmux in
UTF-8, as a person sees it and types at it.

Usage: console_wine.py WINDOWS_BUILD CASE_FOLDER [PROGRAM_FOLDER]

The case's program (`commande`, the report by default) runs in one cmd
session between two `chcp`, in a copy of the case folder, wine started as the
Windows build starts its programs (its emulateur.txt). Each answer of
`dialogue` is typed once the screen shows exactly what precedes it: text as
keys, a line end as Enter, U+001A as Ctrl+Z. At a console, keys typed while
a read waits are taken by the console at once, but it shows each line only
when the program reads it: of one answer, only its first line is expected on
the screen, the rest being typed ahead of the next question. A dialogue that
ends at the report's pause is ended with one Enter. Then the exit status must
be the case's (`statut`, 0 by default) and the code page the same as before.
The screen is compared from its first line of text to its last, without
trailing spaces (tmux drops them); a dialogue that is not UTF-8 is taken as
Windows-1252, as the report shows such a file's names. Wine's console draws
each half of a character beyond U+FFFF as U+FFFD, typed or shown: such a
case shows the bytes the program received.

With PROGRAM_FOLDER, the case's program is the one of that name there (a
program of examples/lecture, built against the installed library).
"""
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

PROGRAMMES = {"report": "report/rapport-notes.exe", "saisir": "tests/saisir.exe", "questions": "tests/questions.exe"}


def lire(chemin, sinon=None):
    try:
        with open(chemin, "rb") as fichier:
            return fichier.read()
    except FileNotFoundError:
        return sinon


def texte(octets):
    try:
        return octets.decode("utf-8")
    except UnicodeDecodeError:
        return octets.decode("cp1252")


def visible(ecran):
    lignes = [ligne.rstrip(" ") for ligne in ecran.split("\n")]
    while lignes and not lignes[0]:
        lignes.pop(0)
    while lignes and not lignes[-1]:
        lignes.pop()
    return "\n".join(lignes)


def ecran_du_programme(ecran):
    """What the program shows: between the first chcp and cmd's status line."""
    lignes = ecran.split("\n")[1:]
    fin = next((i for i, ligne in enumerate(lignes) if ligne.startswith("statut=")), len(lignes))
    return "\n".join(lignes[:fin])


def echange(dialogue):
    """(shown, typed) pairs from "text{{typed}}text"."""
    morceaux = re.split(r"\{\{(.*?)\}\}", dialogue, flags=re.S)
    return [(morceaux[i], morceaux[i + 1] if i + 1 < len(morceaux) else "") for i in range(0, len(morceaux), 2)]


def comme_wine_le_dessine(texte):
    return re.sub("[\U00010000-\U0010FFFF]", "\ufffd\ufffd", texte)


def echo(saisie):
    premiere, saut, _ = saisie.partition("\n")
    return premiere.replace("\x1a", "^Z") + saut


def wine(construction):
    """How the Windows build starts its programs: its emulateur.txt, after the
    system's name, one word a line."""
    return lire(os.path.join(construction, "emulateur.txt")).decode().splitlines()[1:]


class Console:
    def __init__(self, dossier, lanceur, emulateur):
        self.tmux = ["tmux", "-L", f"console-wine-{os.getpid()}", "-u"]
        environnement = dict(os.environ, LANG="C.UTF-8")
        commande = f"cd '{dossier}' && {shlex.join(emulateur)} cmd /v:on /c {lanceur}; sleep 600"
        subprocess.run(self.tmux + ["new-session", "-d", "-s", "essai", "-x", "100", "-y", "50", commande],
                       check=True, env=environnement)

    def ecran(self):
        return subprocess.run(self.tmux + ["capture-pane", "-p", "-t", "essai"], capture_output=True,
                              text=True).stdout

    def attendre(self, condition, quoi):
        for _ in range(240):
            ecran = self.ecran()
            if condition(ecran):
                return ecran
            time.sleep(0.25)
        ecran = self.ecran()
        # wine's own words (its errors), or its cmd's when it could not start a program
        mots = [ligne for ligne in ecran.split("\n")
                if re.match(r"([0-9a-f]{4}:)?err:|wine: |wine client error|Can't recognize '", ligne)]
        echec = f"wine failed, not the program: {'; '.join(mots)}\n" if mots else ""
        sys.exit(f"{echec}never shown: {quoi}\n--- the screen:\n{ecran}")

    def taper(self, saisie):
        commandes = []
        for morceau in re.split(r"([\n\x1a])", saisie):
            if morceau:
                touches = {"\n": ["Enter"], "\x1a": ["C-z"]}.get(morceau, ["-l", "--", morceau])
                commandes += ["send-keys", "-t", "essai"] + touches + [";"]
        if commandes:
            subprocess.run(self.tmux + commandes[:-1], check=True)

    def terminal(self):
        return subprocess.run(self.tmux + ["display", "-p", "-t", "essai", "#{pane_tty}"], capture_output=True,
                              text=True, check=True).stdout.strip()

    def lit(self):
        """Whether wine's console has the terminal (no echo, no line editing):
        it takes it when the program first reads, a moment after the question
        is drawn. Keys typed before would be echoed and edited by the
        terminal itself."""
        reglages = subprocess.run(["stty", "-F", self.terminal(), "-a"], capture_output=True, text=True).stdout.split()
        return "-icanon" in reglages and "-echo" in reglages

    def fermer(self):
        subprocess.run(self.tmux + ["kill-server"], stderr=subprocess.DEVNULL)


def programme(construction, emulateur, cas, dossier_du_programme):
    commande = (lire(os.path.join(cas, "commande"), b"report").decode()).splitlines()
    if dossier_du_programme:
        chemin = os.path.join(os.path.realpath(dossier_du_programme), commande[0] + ".exe")
    else:
        chemin = os.path.join(os.path.realpath(construction), PROGRAMMES[commande[0]])
    chemin_windows = subprocess.run(emulateur + ["winepath", "-w", chemin], capture_output=True, text=True)
    if chemin_windows.returncode != 0:
        sys.exit(f"wine failed, not the program: winepath: {chemin_windows.stderr.strip()}")
    windows = chemin_windows.stdout.strip()
    return " ".join([windows] + [f'"{mot}"' if " " in mot else mot for mot in commande[1:]])


def main():
    construction, cas = sys.argv[1], os.path.realpath(sys.argv[2])
    dossier_du_programme = sys.argv[3] if len(sys.argv) > 3 else None
    emulateur = wine(construction)
    dialogue = echange(texte(lire(os.path.join(cas, "dialogue"))))
    statut = int(lire(os.path.join(cas, "statut"), b"0"))
    dossier = tempfile.mkdtemp()
    if os.path.exists(os.path.join(cas, "etudiant.txt")):
        shutil.copy(os.path.join(cas, "etudiant.txt"), dossier)
    with open(os.path.join(dossier, "lancer.bat"), "w", newline="\r\n") as lanceur:
        lanceur.write(f"@chcp\n@{programme(construction, emulateur, cas, dossier_du_programme)}\n@echo statut=!errorlevel!\n@chcp\n")
    console = Console(dossier, "lancer.bat", emulateur)
    try:
        premiere = console.attendre(lambda e: "Active code page:" in e, "the code page").split("\n")[0]
        attendu = ""
        for montre, saisie in dialogue:
            attendu += comme_wine_le_dessine(montre)
            voulu = visible(attendu)
            console.attendre(lambda e: visible(ecran_du_programme(e)) == voulu and (not saisie or console.lit()),
                             f"the screen{', wine reading' if saisie else ''}\n{voulu}")
            if "\x1a" in saisie:
                # Ctrl+Z is a key at a Windows console; the terminal under wine
                # would take it for its own suspend character. Changed once
                # the terminal's settings are wine's own.
                subprocess.run(["stty", "-F", console.terminal(), "susp", "undef"], check=True)
            console.taper(saisie)
            attendu += comme_wine_le_dessine(echo(saisie))
        if not dialogue[-1][1] and attendu.endswith("Appuyer sur entrer pour continuer ... "):
            console.attendre(lambda e: console.lit(), "wine's console reading at the pause")
            console.taper("\n")
        fin = console.attendre(lambda e: "statut=" in e and e.count("Active code page:") == 2, "the end")
        statut_lu = int(re.search(r"statut=(-?\d+)", fin).group(1))
        page_apres = [ligne for ligne in fin.split("\n") if ligne.startswith("Active code page:")][-1]
        print(f"{os.path.basename(cas)}: the screen as expected; exit status {statut_lu}; "
              f"before: {premiere}; after: {page_apres}")
        if statut_lu != statut or page_apres != premiere or not premiere.startswith("Active code page: "):
            sys.exit(f"expected exit status {statut} and the code page unchanged\n--- the screen:\n{fin}")
    finally:
        console.fermer()
        shutil.rmtree(dossier, ignore_errors=True)


if __name__ == "__main__":
    main()
