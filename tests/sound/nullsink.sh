#!/usr/bin/env bash
# "nullsink.sh start DIR" starts a private PulseAudio daemon on DIR/native whose default output
# is a null sink, "nullsink.sh stop DIR" ends it. A daemon that cannot start (pulseaudio-utils
# missing, say) is no error here: the player's test then finds no output and skips, saying why.
set -u
action=${1:-} dir=${2:-}
[[ -n "$dir" && "$action" =~ ^(start|stop)$ ]] || { echo "uso: $0 start|stop DIR" >&2; exit 2; }
# Only the daemon this script started, and only while that pid still is a pulseaudio.
pid=$(cat "$dir/pid" 2>/dev/null)
if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = pulseaudio ]; then
    kill "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
fi
rm -f "$dir/pid"
[ "$action" = stop ] && exit 0
mkdir -p "$dir" && chmod 700 "$dir" && rm -f "$dir/native"

# Everything the daemon keeps stays in DIR, also as root; -n loads only the modules below. An
# idle null sink renders two seconds ahead, so a new stream could wait as long for its first
# sample; the silent loopback keeps the sink at a low latency, as a sound card's driver would.
HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config XDG_STATE_HOME=$dir/state \
    setsid pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    --load="module-null-sink sink_name=zaffirone_nulla" \
    --load="module-null-source source_name=zaffirone_silenzio" \
    --load="module-loopback source=zaffirone_silenzio sink=zaffirone_nulla latency_msec=20" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    </dev/null >"$dir/log" 2>&1 &
echo $! >"$dir/pid"

# Ready once the sink has played out the two seconds it rendered before the loopback came.
export PULSE_SERVER=unix:$dir/native
for _ in $(seq 100); do
    latency=$(pactl set-default-sink zaffirone_nulla 2>/dev/null && pactl list sinks |
        sed -n 's/^\s*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1)
    [ "${latency:-100000}" -lt 100000 ] && { echo "PulseAudio null sink ready"; exit 0; }
    kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
    sleep 0.1
done
echo "PulseAudio did not start; the player's test will skip. Its log:"
cat "$dir/log"
exec bash "$0" stop "$dir"
