# The same report as the program's, for files of one record per line.
BEGIN {
    for (i = 0; i < 25; i++) print ""
    filet = "___________________________________"
}
NR == 1 {
    printf "%-15s%-10s%10s\n%-40s\n", "prenom", "nom", "note", filet
    next
}
{
    somme = 0
    for (i = 3; i <= 7; i++) somme += $i
    moyenne = somme / 5
    total += moyenne
    n++
    printf "%-15s%-15s%4.0f%%%s\n", $1, $2, moyenne, (moyenne < 60 ? " EC" : "   ")
}
END {
    printf "%-40s\n%30s%4.0f%%\n", filet, "moyenne", total / n
    printf "\n______  _______________________________\n      |/\n (\\_/)\n( . .)\nc(\")(\")\nFin du programme\n"
    printf "Appuyer sur entrer pour continuer ... "
}
