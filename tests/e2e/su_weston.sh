#!/usr/bin/env bash
# Runs a test program on a Wayland desktop (weston, headless, drawing in memory so that screenshots
# can be taken), where Qt draws the windows' title bars itself. The desktop is one plain colour.
set -euo pipefail
export XDG_RUNTIME_DIR="$(mktemp -d)" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=zaffirone-test
printf '[shell]\nbackground-color=0xff204060\nbackground-image=\npanel-position=none\n' \
    >"$XDG_RUNTIME_DIR/weston.ini"
weston --config="$XDG_RUNTIME_DIR/weston.ini" --backend=headless-backend.so --use-pixman --debug \
    --socket="$WAYLAND_DISPLAY" --width=1280 --height=1024 >"$XDG_RUNTIME_DIR/weston.log" 2>&1 &
weston=$!
trap 'kill $weston; wait $weston; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 200); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break || sleep 0.1; done
"$@"
