#!/usr/bin/env bash
# Builds Stadionix and starts it on a local demo competition: the stand-in
# competition server serves the demo on 127.0.0.1:8090 and the program is
# bound to it; the stand-in results service answers on 127.0.0.1:8443 (code
# "DEMO") for a folder bound to AtletiekNu instead. The demo keeps its own folder (build/demo) for the program's
# "sync" file, settings and database, and for the server's state; nothing of
# the user's own settings or database is read or written. A virtual LED
# scoreboard (tools/virtual-scoreboard) hangs on the program's scoreboard port
# through a socat pair and shows what the board would show; without a display
# it draws into build/demo/scoreboard.png instead of a window. The same program
# stands in for the video wall and the result output (their messages in its
# output, build/demo/scoreboard.out), and a second one for the attempt clock
# (build/demo/countdown.png). The distance meter (tools/total-station-standin)
# hangs on a socat pair of its own and takes its commands from the pipe
# build/demo/total-station.in ("aim discus"); the wind gauge
# (tools/wind-gauge-standin) sits behind a stand-in Wi-Fi bridge on
# 127.0.0.2 (tools/wifi-bridge-standin), which announces itself to the program.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

# Only what the demo runs: the program with its data folders, and the stand-in.
bash "$here/tools/build.sh" stadionix meetwise-standin atletieknu-standin virtual-scoreboard \
    total-station-standin wind-gauge-standin wifi-bridge-standin

demo="$build/demo"
mkdir -p "$demo/config/Chronavel" "$demo/data" "$demo/cache"
cat > "$demo/sync" <<'SYNC'
[general]
type=meetwise
ip=127.0.0.1
user=official
pass=lap&time=42
competition=1
competitionname=Northern Lakes Open 2026
SYNC
settings="$demo/config/Chronavel/Stadionix.ini"
if [[ ! -f "$settings" ]]; then
    printf '[communication]\ndatabase=1\n\n[general]\nlanguage=en\n' > "$settings"
fi

# The results service's address and the stand-in's certificate, which the
# program trusts for it.
certificate="$demo/atletieknu-certificate.pem"
key="$demo/atletieknu-key.pem"
if [[ ! -f "$certificate" || ! -f "$key" ]]; then
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 365 \
        -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
        -keyout "$key" -out "$certificate" 2>/dev/null
fi
# The scoreboard: a C-Power board of 192x64 on the program's end of the pair
# (a choice made in the devices dialog stays).
scoreboard_port="$demo/scoreboard-port"
scoreboard_board="$demo/scoreboard-board"
scoreboard_layout="$build/scoreboardlayouts/k-3312-field-events.json"
if ! grep -q '^\[scoreboard\]' "$settings"; then
    printf '\n[scoreboard]\ntype=1\nport=%s\nproduct=K-3312\nlayout=Field events 192x64\n' "$scoreboard_port" \
        >> "$settings"
fi
# The attempt clock (a C-Power board of 128x32, started by the call), the video
# wall and the result output, each on a socat pair of its own.
countdown_port="$demo/countdown-port"
countdown_board="$demo/countdown-board"
countdown_layout="$build/countdownclocklayouts/attempt-clock-cpower-128x32.json"
video_port="$demo/video-port"
video_wall="$demo/video-wall"
result_port="$demo/result-port"
result_receiver="$demo/result-receiver"
if ! grep -q '^\[countdown\]' "$settings"; then
    printf '\n[countdown]\ntype=1\nport=%s\nlayout=attempt-clock-cpower-128x32\nstart_countdown_after_call=true\n' \
        "$countdown_port" >> "$settings"
fi
if ! grep -q '^\[videoscoreboard\]' "$settings"; then
    printf '\n[videoscoreboard]\ntype=1\nport=%s\n' "$video_port" >> "$settings"
fi
if ! grep -q '^\[thirdpartyresult\]' "$settings"; then
    printf '\n[thirdpartyresult]\ntype=1\nport=%s\n' "$result_port" >> "$settings"
fi
# The distance meter on a cable, the wind gauge behind a bridge (its address
# as the devices dialog stores it: the IPv4 address as a number).
edm_port="$demo/edm-port"
edm_instrument="$demo/edm-instrument"
edm_commands="$demo/total-station.in"
wind_bridge_serial="$demo/wind-bridge"
wind_gauge_serial="$demo/wind-gauge"
bridge_address=127.0.0.2
if ! grep -q '^\[edm\]' "$settings"; then
    printf '\n[edm]\ntype=1\nport=%s\n' "$edm_port" >> "$settings"
fi
if ! grep -q '^\[windspeed\]' "$settings"; then
    printf '\n[windspeed]\ntype=2\nport=6/1/123\nip=%s\n' $(( (127 << 24) + 2 )) >> "$settings"
fi
if ! grep -q '^\[atletieknu\]' "$settings"; then
    printf '\n[atletieknu]\nhost=https://127.0.0.1:8443/\ncertificate=%s\n' "$certificate" >> "$settings"
fi

# Waits up to five seconds for a stand-in's "ready" line in its output file.
wait_ready() {
    for _ in $(seq 1 50); do
        grep -q "ready" "$1" 2>/dev/null && return
        sleep 0.1
    done
}

server_pid=""
results_pid=""
socat_pids=""
board_pid=""
clock_pid=""
station_pid=""
gauge_pid=""
bridge_pid=""
cleanup() {
    for pid in $board_pid $clock_pid $station_pid $gauge_pid $bridge_pid $socat_pids $server_pid $results_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

if (exec 3<>/dev/tcp/127.0.0.1/8090) 2>/dev/null; then
    echo "Something already answers on 127.0.0.1:8090; using it as the competition server."
else
    state="$demo/server-state.json"
    competition=()
    [[ -f "$state" ]] && competition=(--competition "$state")
    "$build/tools/meetwise-standin" "${competition[@]}" --state "$state" --log "$demo/server-requests.jsonl" \
        > "$demo/server.out" 2>&1 &
    server_pid=$!
    wait_ready "$demo/server.out"
    echo "Demo competition server: $(head -n 1 "$demo/server.out")"
fi

if (exec 3<>/dev/tcp/127.0.0.1/8443) 2>/dev/null; then
    echo "Something already answers on 127.0.0.1:8443; using it as the results service."
else
    "$build/tools/atletieknu-standin" --certificate "$certificate" --key "$key" \
        --code "DEMO=LOGINOK Northern Lakes Open 2026 (demo)" --offset 1500 --log "$demo/results-requests.jsonl" \
        < /dev/null > "$demo/results.out" 2>&1 &
    results_pid=$!
    wait_ready "$demo/results.out"
    echo "Demo results service: $(head -n 1 "$demo/results.out")"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display found: starting without a window (QT_QPA_PLATFORM=offscreen). Run it on a desktop," \
         "or under xvfb-run, to see it."
    export QT_QPA_PLATFORM=offscreen
fi

# The cables between program and devices: a socat pair each, the program's
# end first.
cable() {
    rm -f "$1" "$2"
    socat pty,raw,echo=0,link="$1" pty,raw,echo=0,link="$2" 2>/dev/null &
    socat_pids="$socat_pids $!"
    for _ in $(seq 1 50); do
        [[ -e "$1" && -e "$2" ]] && break
        sleep 0.1
    done
}
cable "$scoreboard_port" "$scoreboard_board"
cable "$countdown_port" "$countdown_board"
cable "$video_port" "$video_wall"
cable "$result_port" "$result_receiver"
cable "$edm_port" "$edm_instrument"
cable "$wind_bridge_serial" "$wind_gauge_serial"

# The virtual scoreboard shows the board in a window and keeps
# build/demo/scoreboard.png current; it prints what the video wall and the
# result output receive.
"$build/tools/virtual-scoreboard" --layout "$scoreboard_layout" --pty "$scoreboard_board" \
    --video-pty "$video_wall" --result-pty "$result_receiver" \
    --png "$demo/scoreboard.png" < /dev/null > "$demo/scoreboard.out" 2>&1 &
board_pid=$!
wait_ready "$demo/scoreboard.out"
echo "Virtual scoreboard: $(grep -m 1 ready "$demo/scoreboard.out"); picture in $demo/scoreboard.png"
"$build/tools/virtual-scoreboard" --layout "$countdown_layout" --pty "$countdown_board" \
    --png "$demo/countdown.png" < /dev/null > "$demo/countdown.out" 2>&1 &
clock_pid=$!
wait_ready "$demo/countdown.out"
echo "Attempt clock: $(grep -m 1 ready "$demo/countdown.out"); picture in $demo/countdown.png"

# The total station reads its commands from a pipe that stays open (read
# and write), so each "echo ... > build/demo/total-station.in" is one command.
rm -f "$edm_commands"
mkfifo "$edm_commands"
"$build/tools/total-station-standin" --serial "$edm_instrument" <> "$edm_commands" \
    > "$demo/total-station.out" 2>&1 &
station_pid=$!
wait_ready "$demo/total-station.out"
echo "Total station: $(grep -m 1 ready "$demo/total-station.out")"
echo "  take a measurement: echo 'aim discus' > $edm_commands"
"$build/tools/wind-gauge-standin" --serial "$wind_gauge_serial" --wind 1.2 < /dev/null \
    > "$demo/wind-gauge.out" 2>&1 &
gauge_pid=$!
wait_ready "$demo/wind-gauge.out"
echo "Wind gauge: $(grep -m 1 ready "$demo/wind-gauge.out")"
if (exec 3<>/dev/tcp/$bridge_address/3210) 2>/dev/null; then
    echo "Something already answers on $bridge_address:3210; the wind gauge's bridge is not started."
else
    "$build/tools/wifi-bridge-standin" --listen "$bridge_address" --announce-to 127.0.0.1 \
        --serial "$wind_bridge_serial" < /dev/null > "$demo/wind-bridge.out" 2>&1 &
    bridge_pid=$!
    wait_ready "$demo/wind-bridge.out"
    echo "Wind gauge's bridge: $(grep -m 1 ready "$demo/wind-bridge.out")"
fi

# The folder dialog finds the demo server by pinging it on loopback.
XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data" XDG_CACHE_HOME="$demo/cache" \
    STADIONIX_DATA_FOLDER="$demo" STADIONIX_DISCOVERY_PING=127.0.0.1 "$build/stadionix"
