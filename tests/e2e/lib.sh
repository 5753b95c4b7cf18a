# Helpers for driving the real vidmora.exe under Wine as a person would:
# windows found by their titles, keys through X, screenshots.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"

VIDMORA_EXE=${VIDMORA_EXE:-$BUILD/x86_64/vidmora.exe}
MAIN_TITLE='^Zentrik Vidmora   \(LiveVideo mode\)$'
BOX_TITLE='^Zentrik Vidmora$'
FAILURES=0

fail() {
    log "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}

pass() {
    log "ok: $*"
}

# Starts vidmora.exe on the simulated card with the VIDMORA_SIM text given
# (VIDMORA_CARD from CARD, sim when unset; CARD=real leaves it unset for the
# real card); sets VIDMORA_PID.
start_vidmora() {
    if [ "${CARD:-}" = real ]; then
        env -u VIDMORA_CARD "$WINE" "$VIDMORA_EXE" >/dev/null 2>&1 </dev/null &
    else
        VIDMORA_CARD=${CARD:-sim} VIDMORA_SIM="$1" "$WINE" "$VIDMORA_EXE" >/dev/null 2>&1 </dev/null &
    fi
    VIDMORA_PID=$!
}

# Waits for a visible window whose title matches; prints its id.
wait_window() {
    local title=$1 seconds=${2:-20} i w
    for i in $(seq $((seconds * 10))); do
        w=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1)
        if [ -n "$w" ]; then
            echo "$w"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits for the process to end and sets EXIT_CODE to its exit code ("running"
# when it did not end in time). Call it directly, not in $( ): only this
# shell can collect its own child.
wait_exit() {
    local pid=$1 seconds=${2:-20} i
    for i in $(seq $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null || [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ]; then
            wait "$pid"
            EXIT_CODE=$?
            return 0
        fi
        sleep 0.1
    done
    EXIT_CODE=running
    kill "$pid" 2>/dev/null
    return 1
}

# Sends keys to a window, through the X keyboard, once it has the focus.
press() {
    local w=$1
    shift
    sleep 0.3
    xdotool windowfocus --sync "$w" 2>/dev/null
    xdotool key "$@"
}

# No process of ours, and none of its windows still on the screen.
no_vidmora_left() {
    local i
    for i in $(seq 50); do
        xdotool search --onlyvisible --name '^Zentrik Vidmora' >/dev/null 2>&1 || break
        sleep 0.1
    done
    ! pgrep -f 'vidmora\.exe' >/dev/null && ! xdotool search --onlyvisible --name '^Zentrik Vidmora' >/dev/null 2>&1
}

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        log "$FAILURES check(s) failed"
        exit 1
    fi
}
