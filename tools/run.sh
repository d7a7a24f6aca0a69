#!/usr/bin/env bash
# Builds Stadionix and starts it on a local demo competition: the stand-in
# competition server serves the demo on 127.0.0.1:8090 and the program is
# bound to it. The demo keeps its own folder (build/demo) for the program's
# "sync" file, settings and database, and for the server's state; nothing of
# the user's own settings or database is read or written.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

# Only what the demo runs: the program with its data folders, and the stand-in.
bash "$here/tools/build.sh" stadionix meetwise-standin

demo="$build/demo"
mkdir -p "$demo/config/Chronavel" "$demo/data" "$demo/cache"
cat > "$demo/sync" <<'SYNC'
[general]
type=meetwise
ip=127.0.0.1
user=official
pass=lap&time=42
competition=1
SYNC
settings="$demo/config/Chronavel/Stadionix.ini"
if [[ ! -f "$settings" ]]; then
    printf '[communication]\ndatabase=1\n\n[general]\nlanguage=en\n' > "$settings"
fi

server_pid=""
cleanup() {
    if [[ -n "$server_pid" ]]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
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
    for _ in $(seq 1 50); do
        grep -q "ready" "$demo/server.out" 2>/dev/null && break
        sleep 0.1
    done
    echo "Demo competition server: $(head -n 1 "$demo/server.out")"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "No display found: starting without a window (QT_QPA_PLATFORM=offscreen). Run it on a desktop," \
         "or under xvfb-run, to see it."
    export QT_QPA_PLATFORM=offscreen
fi

XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data" XDG_CACHE_HOME="$demo/cache" \
    STADIONIX_DATA_FOLDER="$demo" "$build/stadionix"
