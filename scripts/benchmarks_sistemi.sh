#!/usr/bin/env bash
# Reduced systems through the real command: for each case the tickets written, the lower bound
# the command states, the best count known (a design's or Fort and Hedlund's, built here or
# proven to exist, or the best the covering tables record; blank when not known here), the wall
# time and the CPU time of the whole command. Prints the rows of the table
# in docs/performance.md.
# Usage: bash scripts/benchmarks_sistemi.sh [BUILD]   (BUILD: the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build}/src/zaffirone-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=(x x ambo terno quaterna cinquina)
classes=(x x x terzine quartine cinquine sestine settine ottine novine decine)

# numbers, per ticket, drawn, guarantee, best known (- for none), seconds (default 10)
cases="
7 3 2 2 7
89 3 2 2 1306
21 5 2 2 21
31 6 2 2 31
81 9 2 2 90
40 4 2 2 130
28 4 2 2 63
52 4 2 2 221
88 4 2 2 638
41 5 2 2 82
65 5 2 2 208
81 5 2 2 324
57 8 2 2 57
73 9 2 2 73
50 7 2 2 65
30 5 2 2 48
90 4 2 2 675
40 6 2 2 55
49 6 2 2 82
90 6 2 2 273
70 7 2 2 123
90 8 2 2 152
60 10 2 2 47
90 10 2 2 91
16 4 3 3 140
22 4 3 3 385
34 4 3 3 1496
62 4 3 3 9455
82 4 3 3 22140
88 4 3 3 27434
46 4 3 3 3795
70 4 3 3 13685
86 4 3 3 25585
17 5 3 3 68
26 6 3 3 130
82 10 3 3 738
22 6 3 3 77
49 6 3 3 1035
30 7 3 3 142
30 10 3 3 46
90 6 3 3 6363
11 5 4 4 66
23 7 4 4 253
10 5 4 4 51
20 6 4 4 382
27 6 4 4 1170
30 8 4 4 559
40 10 4 4 703
12 6 5 5 132
24 8 5 5 759
20 7 5 5 977
30 10 5 5 1090
90 3 3 2 660
40 3 5 2 62
30 3 4 2 48
90 4 3 2 338
90 6 3 2 140
90 10 3 2 51
30 6 5 3 62
40 3 5 3 -
"
echo "| numbers | per ticket | guarantee | tickets | lower bound | best known | optimal | seconds | CPU seconds |"
echo "|---|---|---|---|---|---|---|---|---|"
while read -r n k p v best seconds; do
    [ -z "$n" ] && continue
    rm -f "$work/s.slott"
    start=$(date +%s.%N)
    cpu0=$(awk '{print $14 + $15 + $16 + $17}' /proc/$$/stat)
    line=$("$cli" system "$work/s.slott" --numeri "$(seq -s, 1 "$n")" --classe "$k" \
        --ruote BARI --giocata Estratto=1 --garanzia "${names[$v]}" --se "$p" \
        --tempo "${seconds:-10}")
    end=$(date +%s.%N)
    cpu=$(awk -v c0="$cpu0" -v hz="$(getconf CLK_TCK)" '{print ($14 + $15 + $16 + $17 - c0) / hz}' /proc/$$/stat)
    python3 -c 'import json, sys
r = json.loads(sys.argv[1])
n, k, p, v, best, start, end, budget, classe, tipo, cpu = sys.argv[2:]
opt = {True: "yes", False: "no", None: "?"}[r["ottimo"]]
tempo = "" if budget == "10" else " (--tempo %s)" % budget
print("| %s | %s | %s se %s%s | %d | %d | %s | %s | %.2f | %.2f |" % (
    n, classe, tipo, p, tempo, r["schedine"], r["limite_inferiore"],
    "" if best == "-" else best, opt, float(end) - float(start), float(cpu)))' "$line" "$n" "$k" \
        "$p" "$v" "$best" "$start" "$end" "${seconds:-10}" "${classes[$k]}" "${names[$v]}" "$cpu"
done <<<"$cases"
