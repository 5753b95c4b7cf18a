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

# ---- Captures (in Capture mode; the files land in the prefix's c:\) ----

DRIVE_C=$WINEPREFIX/drive_c
# The test picture's first four bars as the captures show them (352 columns
# from the fifth of 720), with the full-range conversion of the files.
CAPTURE_BARS=("40,10|198 198 198" "130,10|197 196 29" "220,10|26 194 193" "310,10|24 192 23")

# F3, a key after SECONDS, then the summary box closed with Return. Half
# way through, the command in MIDWAY runs (with the temporary file there);
# with the box up, the command in SUMMARY.
capture_video() {
    local w=$1 seconds=$2 half box
    half=$(awk -v s="$seconds" 'BEGIN { print s / 2 }')
    rm -f "$DRIVE_C/temp.avi"
    press "$w" F3
    for _ in $(seq 50); do [ -s "$DRIVE_C/temp.avi" ] && break; sleep 0.1; done
    sleep "$half"
    eval "${MIDWAY:-}"
    sleep "$half"
    xdotool key space
    box=$(wait_window "$BOX_TITLE" 60) || return 1
    sleep 0.3
    eval "${SUMMARY:-}"
    press "$box" Return
}

# F2, Capture clicked COUNT times, then Done.
capture_frames() {
    local w=$1 count=$2 dialog i
    press "$w" F2
    dialog=$(wait_window '^Capture Frames$' 10) || return 1
    sleep 0.3
    for i in $(seq "$count"); do
        click_dialog "$dialog" 96 49 24 35     # Capture
        sleep 0.3
    done
    click_dialog "$dialog" 96 49 70 35         # Done
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '^Capture Frames$' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Options > Video Format, the format list's entry INDEX (0 24-bit RGB,
# 1 YVU9), OK.
choose_capture_format() {
    local w=$1 index=$2 format downs
    menu "$w" alt+o Return
    format=$(wait_window '^Video Format$' 10) || return 1
    click_dialog "$format" 166 89 60 73        # the format list, dropped down
    sleep 0.3
    downs=$(printf 'Down %.0s' $(seq "$index"))
    xdotool key Home $downs Return
    sleep 0.3
    click_dialog "$format" 166 89 141 21       # OK
    sleep 0.5
}

# One field of ffprobe's first video stream (count_frames for nb_read_frames).
probe() {
    ffprobe -v error -count_frames -select_streams v:0 -show_entries "stream=$2" -of default=nw=1:nk=1 "$1"
}

# A frame of a video file as a PNG.
frame_png() {
    ffmpeg -v error -y -i "$1" -frames:v 1 "$2"
}

# Whether a capture's picture is the test picture: the four bars where they
# belong at the top, black at the bottom, the frame counter's white dots
# on its rows and none below. Says what does not match; 0 when all do.
check_capture_picture() {
    local file=$1 check point want got bad=0 i=0 points=()
    for check in "${CAPTURE_BARS[@]}"; do points+=("${check%%|*}"); done
    points+=("10,235")
    mapfile -t got < <(pixels "$file" "${points[@]}")
    for check in "${CAPTURE_BARS[@]}" "10,235|16 16 16"; do
        point=${check%%|*} want=${check#*|}
        colour_near "${got[i]}" "$want" 16 || { log "  $file at $point: (${got[i]}), not ($want)"; bad=1; }
        i=$((i + 1))
    done
    [ -n "$(first_bright "$file" 0 214 352)" ] || { log "  $file: no counter dots on row 214"; bad=1; }
    [ -z "$(first_bright "$file" 0 232 352)" ] || { log "  $file: bright pixels on row 232, under the counter"; bad=1; }
    return $bad
}
