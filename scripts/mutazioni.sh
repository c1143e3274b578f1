#!/usr/bin/env bash
# Before a release: puts the faults of scripts/mutazioni.tsv into the code one at a time,
# rebuilds, runs the tests and puts the file back. A fault that no test notices survives: the
# tests have a hole there. A fault that does not compile counts as caught.
#   bash scripts/mutazioni.sh              every fault of the table
#   bash scripts/mutazioni.sh 3 7          faults 3 and 7 (numbered as --list shows them)
#   bash scripts/mutazioni.sh -g cache     the faults whose row contains "cache"
#   bash scripts/mutazioni.sh --list       the numbered table, nothing built
# It ends with the share of faults caught and the survivors, and fails when any survived. The
# build folder is build-mutazioni (MUTAZIONI_BUILD changes it); each fault's build and test
# output stays in its mutazioni/ folder.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
table=scripts/mutazioni.tsv
build=${MUTAZIONI_BUILD:-build-mutazioni}
# The package test and the validators check data files, which no fault here touches.
skip='^(pacchetto_deb|desktop_file_validate|metainfo_validate)$'

# The table's rows, numbered, fields apart by \x1f so that an empty replacement stays a field.
rows() { grep -vE '^(#|\s*$)' "$table" | awk -F'\t' -v OFS='\x1f' '{ $1 = $1; print NR, $0 }'; }

# mutate FILE ORIGINAL REPLACEMENT: exact replacement, \n \t \\ escaped in the table. Without a
# replacement it only says how often the original occurs.
mutate() {
    python3 - "$@" <<'EOF'
import sys
unescape = lambda t: t.encode().decode("unicode_escape").encode("latin-1").decode()
path, original = sys.argv[1], unescape(sys.argv[2])
text = open(path, encoding="utf-8").read()
if len(sys.argv) < 4:
    print(text.count(original))
else:
    open(path, "w", encoding="utf-8").write(text.replace(original, unescape(sys.argv[3]), 1))
EOF
}

case "${1:-}" in
--list) rows | awk -F'\x1f' '{ printf "%3s %s: %s\n", $1, $2, $5 }'; exit 0 ;;
-g) mapfile -t chosen < <(rows | grep -iF -- "${2:?uso: mutazioni.sh -g TESTO}") ;;
'') mapfile -t chosen < <(rows) ;;
*) mapfile -t chosen < <(rows | grep -E "^($(IFS='|'; echo "$*"))"$'\x1f') ;;
esac
[ "${#chosen[@]}" -gt 0 ] || { echo "no fault matches" >&2; exit 2; }

# A row whose original text is missing or repeated no longer says what it breaks: refuse them all
# before anything is built, so the table keeps up with the code.
bad=0
while IFS=$'\x1f' read -r n file original _ _; do
    count=$(mutate "$file" "$original" 2>/dev/null || echo 0)
    [ "$count" = 1 ] || { echo "fault $n: its text occurs ${count:-0} times in $file" >&2; bad=1; }
done < <(rows)
[ "$bad" = 0 ] || exit 2
mapfile -t files < <(rows | cut -d$'\x1f' -f2 | sort -u)
if ! git diff --quiet HEAD -- "${files[@]}"; then
    echo "the files of the table have changes not committed; commit or stash them first" >&2
    exit 2
fi

mutated=
restore() {
    [ -n "$mutated" ] || return 0
    git checkout -q -- "$mutated"
    git diff --quiet -- "$mutated" || echo "ERROR: $mutated is not back to its committed text" >&2
    mutated=
}
# Each build and test run is a job of its own, so that an interruption stops it whole (ctest
# handles an interrupt itself and would otherwise let the script go on).
set -m
step() { "$@" </dev/null & step_pid=$!; wait "$step_pid"; local rc=$?; step_pid=; return "$rc"; }
interrupt() {
    [ -z "${step_pid:-}" ] || { kill -INT -- -"$step_pid" 2>/dev/null; wait "$step_pid"; }
    restore
    exit 130
}
trap restore EXIT
trap interrupt INT TERM

logs="$build/mutazioni"
mkdir -p "$logs"
# Both cores, and the first failure is enough to call a fault caught.
run_tests() { nice ctest --test-dir "$build" -E "$skip" -j2 --stop-on-failure --output-on-failure; }
echo "building and testing the unchanged code in $build"
[ -f "$build/CMakeCache.txt" ] ||
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAFFIRONE_BENCHMARKS=OFF \
        >"$logs/base.log" 2>&1
if ! { step nice cmake --build "$build" -j2 && step run_tests; } >>"$logs/base.log" 2>&1; then
    echo "the unchanged code fails its build or its tests, see $logs/base.log" >&2
    exit 1
fi

killed=0
survivors=()
for row in "${chosen[@]}"; do
    IFS=$'\x1f' read -r n file original replacement description <<<"$row"
    mutated=$file
    mutate "$file" "$original" "$replacement"
    log="$logs/$n.log"
    if ! step nice cmake --build "$build" -j2 >"$log" 2>&1; then
        verdict="caught: does not compile"
    elif step run_tests >>"$log" 2>&1; then
        verdict=
    else
        verdict="caught by $(sed -nE 's/^\s*[0-9]+ - (\S+) .*/\1/p' "$log" | paste -sd' ')"
    fi
    restore
    if [ -n "$verdict" ]; then
        killed=$((killed + 1))
    else
        verdict="SURVIVED"
        survivors+=("$n $file: $description")
    fi
    printf '%3s %-48s %s\n' "$n" "$description" "$verdict"
done

total=${#chosen[@]}
echo "caught $killed of $total ($((100 * killed / total))%)"
[ "${#survivors[@]}" -eq 0 ] || { echo "survivors:"; printf '  %s\n' "${survivors[@]}"; exit 1; }
