#!/usr/bin/env bash
# Runs the performance budget's benchmarks on an optimised build and prints their figures.
# Usage: bash scripts/benchmarks.sh   (after the README's setup has installed the packages)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --parallel "$(nproc)" >/dev/null
build=build
work=$(mktemp -d)
trap 'bash tests/sound/nullsink.sh stop "$work/pulse" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

echo "== set files (100,000 tickets)"
"$build/benchmarks/bench_storage" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== main window (fake sound and boxes)"
"$build/benchmarks/bench_finestra" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo "== start-up: the game against a bare Qt window, each a fresh process"
"$build/benchmarks/bench_avvio" --runs 15

echo "== simulate: 100 tickets"
for i in $(seq 1 100); do
    first=$((i % 80 + 1))
    wheels=BARI,ROMA,NAPOLI
    [ $((i % 3)) = 0 ] && wheels=TUTTE
    "$build/src/zaffirone-cli" add "$work/cento.slott" --titolo "Schedina $i" \
        --numeri "$first,$((first + 1)),$((first + 2)),$((first + 3)),$((first + 5))" \
        --ruote "$wheels" --giocata Estratto=1 --giocata Ambo=2 --giocata Terno=1 >/dev/null
done
# CPU seconds (user + system) of one command, its output kept in $work/last.
cpu_seconds() {
    local TIMEFORMAT='%3U %3S'
    { time "$@" >"$work/last"; } 2>&1 | awk '{ print $1 + $2 }'
}
draws=1000000
echo "-- per core: simulate --thread 1 against the hand-written loop (benchmarks/ciclo_a_mano.cpp),"
echo "   the two in turn on the same CPU in each run (the CPUs of a virtual machine may differ),"
echo "   load average $(cut -d' ' -f1 /proc/loadavg) at the start"
for run in 1 2 3 4 5 6 7; do
    cpu=$((run % $(nproc)))
    simulate_cpu=$(cpu_seconds taskset -c $cpu "$build/src/zaffirone-cli" simulate \
        "$work/cento.slott" --estrazioni $draws --seme "$run" --thread 1)
    loop_cpu=$(cpu_seconds taskset -c $cpu "$build/benchmarks/ciclo_a_mano" "$work/cento.slott" $draws)
    awk -v s="$simulate_cpu" -v l="$loop_cpu" -v n=$((draws * 100)) -v c=$cpu 'BEGIN {
        printf "CPU %d: simulate %.1f M/s of CPU, hand loop %.1f M/s: %.0f%% (goal >= 85%%)\n",
               c, n / s / 1e6, n / l / 1e6, 100 * l / s }' | tee -a "$work/ratios"
done
sort -t: -k3 -n "$work/ratios" | awk 'NR == 4 { print "median run: " $0 }'
echo "-- every core: wall time of --thread 2 against --thread 1 ($(nproc) CPUs); beside it, the"
echo "   machine's own ceiling: two single-thread runs side by side against one (1.00: two whole cores)"
for run in 1 2 3 4 5 6 7; do
    for threads in 1 2; do
        "$build/src/zaffirone-cli" simulate "$work/cento.slott" --estrazioni 1000000 \
            --seme "$run" --thread $threads >"$work/t$threads"
    done
    "$build/src/zaffirone-cli" simulate "$work/cento.slott" --estrazioni 1000000 --seme "$run" \
        --thread 1 >"$work/a" &
    "$build/src/zaffirone-cli" simulate "$work/cento.slott" --estrazioni 1000000 --seme "$run" \
        --thread 1 >"$work/b"
    wait
    python3 -c 'import json, sys
one, two, a, b = (json.load(open(f))["secondi"] for f in sys.argv[1:])
print(f"--thread 1: {one:.3f} s, --thread 2: {two:.3f} s, ratio {two / one:.2f} (goal <= 0.55); "
      f"side by side {max(a, b) / one:.2f}")' "$work/t1" "$work/t2" "$work/a" "$work/b" |
        tee -a "$work/threads"
done
sort -t' ' -k10 -n "$work/threads" | awk 'NR == 4 { print "median run: " $0 }'
echo "-- whole games: 2000 games of at most 1000 turns with the 100 tickets"
for run in 1 2 3; do
    "$build/src/zaffirone-cli" simulate "$work/cento.slott" --partite 2000 --seme "$run" |
        python3 -c 'import json, sys
r = json.load(sys.stdin)
print("%.0f games/s, %.0f turns on average" % (r["partite"] / r["secondi"], r["turni"]["media"]))'
done

echo "== the companion's workbench: wall time of each command, limit beside it (3 runs)"
# Runs a command three times and prints each wall time against its limit in seconds.
timed() {
    local limit=$1 name=$2
    shift 2
    for run in 1 2 3; do
        [ -n "${PREPARE:-}" ] && eval "$PREPARE"
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        awk -v s="$start" -v e="$end" -v n="$name" -v l="$limit" \
            'BEGIN { printf "%s: %.3f s (limit %s s)\n", n, e - s, l }' 
    done
}
PREPARE="rm -f $work/sistema.slott" timed 2 "system, 40 numbers in cinquine (658,008 tickets)" \
    "$build/src/zaffirone-cli" system "$work/sistema.slott" --numeri "$(seq -s, 1 40)" \
    --classe 5 --ruote BARI,ROMA --giocata Cinquina=1
# A few tickets onto that set: it is copied into the new version that takes its place.
PREPARE="cp $work/sistema.slott $work/grande.slott" timed 1 "system, 56 tickets onto the 658,008" \
    "$build/src/zaffirone-cli" system "$work/grande.slott" --numeri 1,2,3,4,5,6,7,8 --classe 3 \
    --ruote BARI --giocata Ambo=1 --titolo Piccolo
awk 'BEGIN { print "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\r";
             for (i = 1; i <= 100000; i++)
                 printf "Schedina %06d,%d %d %d %d %d,BARI ROMA,1,2,,,\r\n", i, i % 90 + 1,
                        (i + 7) % 90 + 1, (i + 20) % 90 + 1, (i + 33) % 90 + 1, (i + 50) % 90 + 1 }' \
    >"$work/centomila.csv"
PREPARE="rm -f $work/centomila.slott" timed 1 "import, 100,000 tickets" \
    "$build/src/zaffirone-cli" import "$work/centomila.slott" "$work/centomila.csv"
timed 1 "export, 100,000 tickets" "$build/src/zaffirone-cli" export "$work/centomila.slott"
# The spreadsheets' own files of the same set, and back into a new one.
for formato in ods xlsx; do
    timed 3 "export --formato $formato, 100,000 tickets" bash -c \
        "'$build/src/zaffirone-cli' export '$work/centomila.slott' --formato $formato \
            >'$work/centomila.$formato'"
    PREPARE="rm -f $work/centomila_$formato.slott" timed 3 "import of the .$formato, 100,000 tickets" \
        "$build/src/zaffirone-cli" import "$work/centomila_$formato.slott" "$work/centomila.$formato"
done
head -n 10001 "$work/centomila.csv" >"$work/diecimila_stampa.csv"
"$build/src/zaffirone-cli" import "$work/diecimila_stampa.slott" "$work/diecimila_stampa.csv" \
    >/dev/null
timed 3 "print, 10,000 tickets to an A4 PDF" "$build/src/zaffirone-cli" print \
    "$work/diecimila_stampa.slott" --pdf "$work/diecimila.pdf"

echo "== import: peak memory against the CSV's size"
awk 'BEGIN { print "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\r";
             for (i = 1; i <= 2500000; i++)
                 printf "Schedina %07d,%d %d %d,BARI,1,2,,,\r\n", i, i % 90 + 1,
                        (i + 7) % 90 + 1, (i + 20) % 90 + 1 }' >"$work/due_milioni_e_mezzo.csv"
head -n 1000001 "$work/due_milioni_e_mezzo.csv" >"$work/milione.csv"
head -n 10001 "$work/milione.csv" >"$work/diecimila.csv"
head -n 100001 "$work/milione.csv" >"$work/centomila_righe.csv"
head -1 "$work/milione.csv" >"$work/infinita.csv"
truncate -s 256M "$work/infinita.csv"
{ head -1 "$work/milione.csv"; yes x | head -1500000; } >"$work/lettere.csv"
{ head -1 "$work/milione.csv"; yes x | head -50000000; } >"$work/cento_mega.csv"
# GNU time's maximum resident set: a parent's own memory is not counted, as it is when a script
# forks the command.
for csv in diecimila centomila_righe milione due_milioni_e_mezzo infinita lettere cento_mega; do
    rm -f "$work/peso.slott"
    /usr/bin/time -f "$csv.csv: %e s, peak %M KB, exit %x" \
        "$build/src/zaffirone-cli" import "$work/peso.slott" "$work/$csv.csv" 2>&1 >/dev/null |
        tail -1 | awk -v b="$(stat -c %s "$work/$csv.csv")" '{ printf "%.1f MB: %s\n", b / 1e6, $0 }'
done

echo "== sound: time beyond the recording, PulseAudio null sink"
bash tests/sound/nullsink.sh start "$work/pulse" >/dev/null
PULSE_SERVER="unix:$work/pulse/native" "$build/benchmarks/bench_sound"

echo "== reduced systems: tickets written against the bounds, wall time (docs/performance.md)"
bash scripts/benchmarks_sistemi.sh "$build"
