#!/usr/bin/env bash
# Runs a test program on a real X server (Xvfb), with a private runtime folder as a desktop gives.
set -euo pipefail
export XDG_RUNTIME_DIR="$(mktemp -d)" QT_QPA_PLATFORM=xcb
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
