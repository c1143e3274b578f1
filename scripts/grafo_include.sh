#!/usr/bin/env bash
# Prints which folders of src/ include which, one arrow a line ("editor -> widgets;"), in
# Graphviz form: `bash scripts/grafo_include.sh | dot -Tsvg > grafo.svg` draws it. With
# --controlla it prints nothing and fails when the folders include each other in a circle.
set -eu
cd "$(dirname "$0")/../src"
arrows() {
    for dir in */; do
        dir=${dir%/}
        cat "$dir"/*.cpp "$dir"/*.h 2>/dev/null | sed -nE 's/^#include "([a-z_]+)\/.*/\1/p' |
            sort -u | while read -r to; do
            if [ "$to" != "$dir" ]; then echo "$dir $to"; fi
        done
    done
}
if [ "${1:-}" = --controlla ]; then
    # tsort orders the folders below the ones that include them, and names every circle it meets.
    if ! out=$(arrows | tsort 2>&1 >/dev/null) || [ -n "$out" ]; then
        echo "folders in a circle: $out" >&2
        exit 1
    fi
    exit 0
fi
echo "digraph include {"
arrows | sed -E 's/^(.*) (.*)$/    \1 -> \2;/'
echo "}"
