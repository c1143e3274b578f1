#!/usr/bin/env bash
# The companion's manual page against the program: groff renders it without a warning, every command
# of the help ("draws import" for a command's own) has its section, every option is in it.
set -euo pipefail
pagina=$1 cli=$2 # the page, the program
errori=0
manca() { echo "FAIL: $*" >&2; errori=$((errori + 1)); }
avvisi=$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$pagina" 2>&1) || manca "groff (groff-base): $avvisi"
[ -z "$avvisi" ] || manca "groff warns on the page: $avvisi"

# The commands below a help's "Comandi:", one a line.
comandi() { "$cli" "$@" --help | sed -n '/^Comandi:/,$p' | awk 'NR > 1 && NF { print $1 }'; }
nomi=$(for c in $(comandi); do comandi "$c" | sed "s/^/$c /" | grep . || echo "$c"; done)
[ "$(wc -l <<<"$nomi")" -ge 10 ] || manca "the help lists only these commands: $nomi"
while read -r nome; do
    grep -qxE "\.SS \"?$nome\"?" "$pagina" || manca "no section .SS $nome"
    for opzione in $("$cli" $nome --help | grep -oE -- '--[a-z]+' | sort -u); do
        grep -qF -- "${opzione//-/\\-}" "$pagina" || manca "$nome: $opzione is not in the page"
    done
done <<<"$nomi"
exit $((errori > 0))
