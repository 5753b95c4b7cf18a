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

# Opens a menu of the window by its Alt key and picks an item by the keys
# given: menu WINDOW alt+o Down Return.
menu() {
    press "$1" "$2"
    sleep 0.3
    shift 2
    xdotool key "$@"
}

# File > Exit, then the checks that the program ended with exit code 0 and
# left nothing behind.
exit_through_menu() {
    menu "$1" alt+f Up Return
    wait_exit "$VIDMORA_PID"
    [ "$EXIT_CODE" = 0 ] && pass "File > Exit: exit code 0" || fail "File > Exit: exit code $EXIT_CODE"
    no_vidmora_left || fail "a vidmora.exe process or window is left"
}

# Clicks the mouse COUNT times at X, Y, a moment apart.
click_repeatedly() {
    local i
    xdotool mousemove "$1" "$2"
    for i in $(seq "$3"); do
        xdotool click 1
        sleep 0.05
    done
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

# The window's rectangle on the screen, frame included (Wine draws the frames
# itself): sets WIN_X, WIN_Y, WIN_W, WIN_H.
window_geometry() {
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    WIN_X=${X:-?} WIN_Y=${Y:-?} WIN_W=${WIDTH:-?} WIN_H=${HEIGHT:-?}
}

# Waits until the window is WIDTH x HEIGHT (frame included); the geometry is
# left in WIN_X, WIN_Y, WIN_W, WIN_H either way.
wait_geometry() {
    local w=$1 width=$2 height=$3 seconds=${4:-10} i
    for i in $(seq $((seconds * 10))); do
        window_geometry "$w"
        [ "$WIN_W" = "$width" ] && [ "$WIN_H" = "$height" ] && return 0
        sleep 0.1
    done
    return 1
}

# A PNG of the whole screen.
screenshot() {
    import -window root "$1"
}

# The colours of a PNG at the points X,Y given: one "R G B" line (0-255) each.
pixels() {
    local file=$1 format="" p
    shift
    for p in "$@"; do
        format+="%[fx:round(255*p{$p}.r)] %[fx:round(255*p{$p}.g)] %[fx:round(255*p{$p}.b)]\n"
    done
    convert "$file" -format "$format" info:
}

# Whether the colour "R G B" is within TOLERANCE (default 12) of "R G B" in
# each channel.
colour_near() {
    local a=($1) b=($2) tolerance=${3:-12} i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ "${d#-}" -le "$tolerance" ] || return 1
    done
}

# The first of WIDTH pixels of row Y from column X on that is bright in every
# channel (above 128), as an offset from X; nothing when there is none.
first_bright() {
    convert "$1" -crop "${4}x1+$2+$3" +repage -depth 8 txt:- |
        awk -F'[(,)]' 'NR > 1 && $3 > 128 && $4 > 128 && $5 > 128 { print $1; exit }'
}

# The overlay shows the picture's 480 rows, and its columns less a crop at
# each side of 8 x client width / 720 rounded up (8 at 720, 12 at 1024),
# scaled to the client area: where picture column (or row) P lands in a
# client of SIZE pixels.
at_column() {
    local crop=$((($2 * 8 + 719) / 720))
    echo $(((($1 - crop) * $2 + (720 - 2 * crop) / 2) / (720 - 2 * crop)))
}
at_row() { echo $(((($1) * $2 + 240) / 480)); }

# A point of a dialog given in dialog units, scaled from its client area of
# WIDTH x HEIGHT units (Wine's frame is 3 pixels at the sides, 22 above):
# dialog_point WINDOW WIDTH HEIGHT X Y sets x, y.
dialog_point() {
    window_geometry "$1"
    x=$((WIN_X + 3 + $4 * (WIN_W - 6) / $2))
    y=$((WIN_Y + 22 + $5 * (WIN_H - 25) / $3))
}

# Clicks a point of a dialog given in dialog units (as dialog_point).
click_dialog() {
    dialog_point "$@"
    xdotool mousemove "$x" "$y" click 1
}
