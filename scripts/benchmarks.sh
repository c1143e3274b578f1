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

echo "== simulate: 100 tickets, 200,000 draws"
for i in $(seq 1 100); do
    first=$((i % 80 + 1))
    wheels=BARI,ROMA,NAPOLI
    [ $((i % 3)) = 0 ] && wheels=TUTTE
    "$build/src/zaffirone-cli" add "$work/cento.slott" --titolo "Schedina $i" \
        --numeri "$first,$((first + 1)),$((first + 2)),$((first + 3)),$((first + 5))" \
        --ruote "$wheels" --giocata Estratto=1 --giocata Ambo=2 --giocata Terno=1 >/dev/null
done
for run in 1 2 3; do
    "$build/src/zaffirone-cli" simulate "$work/cento.slott" --estrazioni 200000 --seme "$run"
done

echo "== sound: time beyond the recording, PulseAudio null sink"
bash tests/sound/nullsink.sh start "$work/pulse" >/dev/null
PULSE_SERVER="unix:$work/pulse/native" "$build/benchmarks/bench_sound"
