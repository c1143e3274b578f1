#!/usr/bin/env bash
# Runs a test program on a real X server (Xvfb) with a window manager (openbox), with a private
# runtime folder as a desktop gives.
set -euo pipefail
export XDG_RUNTIME_DIR="$(mktemp -d)" QT_QPA_PLATFORM=xcb
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
# A light window manager frames the windows, as on a desktop.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash -c 'openbox --sm-disable & sleep 0.5; "$@"; status=$?; kill %1; exit $status' _ "$@"
