#!/usr/bin/env bash
# Prints which folders of src/ include which, one arrow a line ("editor -> widgets;"), in
# Graphviz form: `bash scripts/grafo_include.sh | dot -Tsvg > grafo.svg` draws it.
set -eu
cd "$(dirname "$0")/../src"
echo "digraph include {"
for dir in */; do
    dir=${dir%/}
    cat "$dir"/*.cpp "$dir"/*.h 2>/dev/null | sed -nE 's/^#include "([a-z_]+)\/.*/\1/p' |
        sort -u | while read -r to; do
        if [ "$to" != "$dir" ]; then echo "    $dir -> $to;"; fi
    done
done
echo "}"
