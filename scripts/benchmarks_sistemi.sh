#!/usr/bin/env bash
# Reduced systems through the real command: for each case the tickets written, the lower bound
# the command states, the best count known (a design's or Fort and Hedlund's, built here or
# proven to exist; blank when not known here) and the wall time. Prints the rows of the table
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
11 3 2 2 19
53 3 2 2 460
71 3 2 2 829
89 3 2 2 1306
21 5 2 2 21
31 6 2 2 31
81 9 2 2 90
40 4 2 2 130
28 4 2 2 63
37 4 2 2 111
52 4 2 2 221
73 4 2 2 438
88 4 2 2 638
41 5 2 2 82
45 5 2 2 99
61 5 2 2 183
65 5 2 2 208
81 5 2 2 324
57 8 2 2 57
73 9 2 2 73
30 5 2 2 -
50 7 2 2 -
36 6 2 2 -
90 4 2 2 -
90 10 2 2 -
16 4 3 3 140
14 4 3 3 91
22 4 3 3 385
34 4 3 3 1496
38 4 3 3 2109
62 4 3 3 9455
82 4 3 3 22140
88 4 3 3 27434
46 4 3 3 3795
70 4 3 3 13685
86 4 3 3 25585
90 4 3 3 -
17 5 3 3 68
26 6 3 3 130
82 10 3 3 738
40 4 3 3 2470
22 6 3 3 77
30 6 3 3 -
25 7 3 3 -
90 10 3 3 -
10 5 4 4 51
11 5 4 4 66
23 7 4 4 253
20 8 4 4 -
60 10 4 4 -
12 6 5 5 132
24 8 5 5 759
15 7 5 5 -
20 10 5 5 -
40 10 5 5 -
20 6 3 2 -
30 10 5 2 -
15 5 4 3 -
30 5 2 2 - 60
"
echo "| numbers | per ticket | guarantee | tickets | lower bound | best known | optimal | seconds |"
echo "|---|---|---|---|---|---|---|---|"
while read -r n k p v best seconds; do
    [ -z "$n" ] && continue
    rm -f "$work/s.slott"
    start=$(date +%s.%N)
    line=$("$cli" system "$work/s.slott" --numeri "$(seq -s, 1 "$n")" --classe "$k" \
        --ruote BARI --giocata Estratto=1 --garanzia "${names[$v]}" --se "$p" \
        --tempo "${seconds:-10}")
    end=$(date +%s.%N)
    python3 -c 'import json, sys
r = json.loads(sys.argv[1])
n, k, p, v, best, start, end, budget, classe, tipo = sys.argv[2:]
opt = {True: "yes", False: "no", None: "?"}[r["ottimo"]]
tempo = "" if budget == "10" else " (--tempo %s)" % budget
print("| %s | %s | %s se %s%s | %d | %d | %s | %s | %.2f |" % (
    n, classe, tipo, p, tempo, r["schedine"], r["limite_inferiore"],
    "" if best == "-" else best, opt, float(end) - float(start)))' "$line" "$n" "$k" "$p" "$v" \
        "$best" "$start" "$end" "${seconds:-10}" "${classes[$k]}" "${names[$v]}"
done <<<"$cases"
