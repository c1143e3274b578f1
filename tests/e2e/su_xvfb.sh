#!/usr/bin/env bash
# Runs a test program on a real X server (Xvfb) with the xcb platform and a runtime folder of
# its own, as a desktop session would give it.
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
