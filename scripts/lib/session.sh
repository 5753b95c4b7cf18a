#!/usr/bin/env bash
# The demonstration session: what a user does with Vidmora on the simulated
# card, with a screenshot of each step under out/.
. "$(dirname "$0")/../../tests/e2e/lib.sh"

OUT=$ROOT/out
mkdir -p "$OUT"
shot() {
    sleep 0.5
    import -window root "$OUT/$1.png"
    log "  screenshot: out/$1.png"
}

log "Starting vidmora.exe on the simulated card (S-Video, 60 Hz) ..."
start_vidmora "source=svideo:60"
if ! main=$(wait_window "$MAIN_TITLE"); then
    log "The main window did not open."
    exit 1
fi
log "The main window is open."
shot 01-main-window

log "File > Exit ..."
press "$main" alt+f
shot 02-file-menu
xdotool key Up Return
wait_exit "$VIDMORA_PID"; code=$EXIT_CODE
log "vidmora.exe ended with exit code $code."
[ "$code" = 0 ] && no_vidmora_left
