#!/usr/bin/env bash
# Starts or stops a private PulseAudio daemon whose default output is a null sink, for the
# player's tests.
#   nullsink.sh start DIR   the daemon listens on DIR/native; its log is DIR/log
#   nullsink.sh stop DIR    ends the daemon that "start" left in DIR/pid
# A daemon that cannot start is not an error here: the player's test then finds no output
# device and skips, saying so.
set -u
azione=${1:-}
dir=${2:-}
if [ -z "$dir" ] || { [ "$azione" != start ] && [ "$azione" != stop ]; }; then
    echo "uso: nullsink.sh start|stop CARTELLA" >&2
    exit 2
fi
pidfile="$dir/pid"
socket="$dir/native"

ferma() {
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(cat "$pidfile")
    # Only the daemon this script started, and only while that pid still is a pulseaudio.
    if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = pulseaudio ]; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
    fi
    rm -f "$pidfile"
}

if [ "$azione" = stop ]; then
    ferma
    exit 0
fi

ferma
if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    echo "pulseaudio or pactl is not installed: the player's test will skip"
    exit 0
fi
mkdir -p "$dir"
chmod 700 "$dir"
rm -f "$socket"

# Everything the daemon keeps (cookie, runtime files) stays in DIR, also when run as root,
# where the daemon warns but works in user mode. -n skips the system's default.pa: only the
# modules below load. An idle null sink renders two seconds ahead and, when a stream arrives,
# rewinds only that stream's latency, so a new stream could wait up to two seconds for its first
# sample; the silent loopback holds the sink at a low latency all the time, as a sound card's
# driver would be.
HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/config" XDG_STATE_HOME="$dir/state" \
    setsid pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 --use-pid-file=no \
    --disallow-exit=false --log-target=stderr \
    --load="module-null-sink sink_name=zaffirone_nulla" \
    --load="module-null-source source_name=zaffirone_silenzio" \
    --load="module-loopback source=zaffirone_silenzio sink=zaffirone_nulla latency_msec=20" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
    </dev/null >"$dir/log" 2>&1 &
echo $! >"$pidfile"

# Ready once the sink has finished the two seconds it rendered before the loopback arrived.
latenza() {
    PULSE_SERVER="unix:$socket" pactl list sinks 2>/dev/null |
        sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1
}
for _ in $(seq 100); do
    if PULSE_SERVER="unix:$socket" pactl set-default-sink zaffirone_nulla >/dev/null 2>&1; then
        l=$(latenza)
        if [ -n "$l" ] && [ "$l" -lt 100000 ]; then
            echo "PulseAudio null sink ready on $socket"
            exit 0
        fi
    fi
    kill -0 "$(cat "$pidfile")" 2>/dev/null || break
    sleep 0.1
done
echo "PulseAudio did not start; the player's test will skip. Its log:"
cat "$dir/log"
ferma
exit 0
