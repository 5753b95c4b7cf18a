#!/usr/bin/env bash
# Live video in every window state, read back from the screen: the test
# picture fills exactly the client area (LiveVideo mode 720 x 480, Capture
# mode 352 x 240, full screen the whole screen, the frame-less window
# 720 x 480) and keeps moving; File > Exit ends the program with exit code 0.
. "$(dirname "$0")/lib.sh"

CAPTURE_TITLE='^Zentrik Vidmora   \(Capture mode\)$'

# The eight 75% bars as the card shows them with the decoder's initial
# settings: its contrast of 0x47 (71/64) lifts white's Y from B4 to C6.
BARS=("212 212 212" "211 210 19" "15 206 205" "13 203 12" "199 9 200" "197 6 6" "2 3 194" "0 0 0")
NAMES=(white yellow cyan green magenta red blue black)
BLACK="0 0 0"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Compares the points listed in CHECKS ("what|x,y|colour|near or far") with
# a screenshot; puts what does not match into MISMATCHES.
compare_points() {
    local file=$1 check what point colour want got i=0
    local points=()
    for check in "${CHECKS[@]}"; do
        IFS='|' read -r what point colour want <<<"$check"
        points+=("$point")
    done
    mapfile -t got < <(pixels "$file" "${points[@]}")
    MISMATCHES=()
    for check in "${CHECKS[@]}"; do
        IFS='|' read -r what point colour want <<<"$check"
        if [ "$want" = near ]; then
            colour_near "${got[i]}" "$colour" || MISMATCHES+=("$what at $point: (${got[i]}), not near ($colour)")
        else
            ! colour_near "${got[i]}" "$colour" || MISMATCHES+=("$what at $point: (${got[i]}), the picture's ($colour) spills over")
        fi
        i=$((i + 1))
    done
}

# One window state: the window, its client offsets (ClientToScreen(0,0) less
# the window's top-left), the client size, and (last) "framed" when a frame
# surrounds the client area.
check_state() {
    local state=$1 w=$2 dx=$3 dy=$4 width=$5 height=$6 framed=${7:-}
    local frame_w=$((width + 2 * dx)) frame_h=$((height + dy + dx))
    local cx cy k x y bar_row bottom x_yellow i shot

    if wait_geometry "$w" "$frame_w" "$frame_h"; then
        pass "$state: window ${WIN_W} x ${WIN_H} at ($WIN_X, $WIN_Y), a client area of $width x $height"
    else
        fail "$state: window ${WIN_W} x ${WIN_H} at ($WIN_X, $WIN_Y), expected $frame_w x $frame_h for a client area of $width x $height"
        return
    fi
    if [ -z "$framed" ] && { [ "$WIN_X" != 0 ] || [ "$WIN_Y" != 0 ]; }; then
        fail "$state: the window is at ($WIN_X, $WIN_Y), not at the screen's top-left"
    fi
    cx=$((WIN_X + dx)) cy=$((WIN_Y + dy))

    # Bar centres on a row in the bars' part, both sides of each bar edge,
    # and the picture's edges on the client area's edges.
    bar_row=$(at_row 160 "$height")
    bottom=$(at_row 320 "$height")
    x_yellow=$(at_column 135 "$width")
    CHECKS=()
    for k in 0 1 2 3 4 5 6 7; do
        x=$(at_column $((90 * k + 45)) "$width")
        CHECKS+=("${NAMES[k]} bar's centre|$((cx + x)),$((cy + bar_row))|${BARS[k]}|near")
    done
    for k in 1 2 3 4 5 6 7; do
        x=$(at_column $((90 * k)) "$width")
        CHECKS+=("left of the ${NAMES[k]} bar|$((cx + x - 3)),$((cy + bar_row))|${BARS[k - 1]}|near")
        CHECKS+=("start of the ${NAMES[k]} bar|$((cx + x + 2)),$((cy + bar_row))|${BARS[k]}|near")
    done
    CHECKS+=("client's left column|$cx,$((cy + bar_row))|${BARS[0]}|near")
    CHECKS+=("client's top row|$((cx + x_yellow)),$cy|${BARS[1]}|near")
    CHECKS+=("bars' last row|$((cx + x_yellow)),$((cy + bottom - 3))|${BARS[1]}|near")
    CHECKS+=("black below the bars|$((cx + x_yellow)),$((cy + bottom + 2))|$BLACK|near")
    CHECKS+=("client's right column|$((cx + width - 1)),$((cy + bottom + 10))|$BLACK|near")
    CHECKS+=("client's bottom row|$((cx + x_yellow)),$((cy + height - 1))|$BLACK|near")
    if [ -n "$framed" ]; then
        CHECKS+=("frame left of the client|$((cx - 1)),$((cy + bar_row))|${BARS[0]}|far")
        CHECKS+=("above the client|$((cx + x_yellow)),$((cy - 1))|${BARS[1]}|far")
        CHECKS+=("frame right of the client|$((cx + width)),$((cy + bottom + 10))|$BLACK|far")
        CHECKS+=("frame below the client|$((cx + x_yellow)),$((cy + height))|$BLACK|far")
    fi

    # The overlay follows on the program's timer and the card's next field.
    shot=$dir/shot.png
    for i in $(seq 50); do
        screenshot "$shot"
        compare_points "$shot"
        [ ${#MISMATCHES[@]} -eq 0 ] && break
        sleep 0.2
    done
    if [ ${#MISMATCHES[@]} -eq 0 ]; then
        pass "$state: the eight bars, their edges and the picture's edges on the client area's edges (${#CHECKS[@]} points)"
    else
        fail "$state: the picture does not fill the client area ($cx, $cy) $width x $height:"
        printf '    %s\n' "${MISMATCHES[@]}" >&2
        return
    fi

    # Live: the moving block leaves where it was.
    y=$((cy + $(at_row 376 "$height")))
    local first now
    first=$(first_bright "$shot" "$cx" "$y" "$width")
    if [ -z "$first" ]; then
        fail "$state: no moving block on row $y"
        return
    fi
    for i in $(seq 30); do
        sleep 0.1
        screenshot "$shot"
        now=$(first_bright "$shot" "$cx" "$y" "$width")
        [ -n "$now" ] && [ "$now" != "$first" ] && break
    done
    if [ -n "$now" ] && [ "$now" != "$first" ]; then
        pass "$state: live, the moving block went from client x $first to $now"
    else
        fail "$state: the moving block stays at client x $first (now '${now}')"
    fi
}

give_up() {
    fail "$1"
    kill "$VIDMORA_PID" 2>/dev/null
    wait_exit "$VIDMORA_PID" 5
    finish
}

start_vidmora "source=svideo:60"
main=$(wait_window "$MAIN_TITLE") || give_up "no main window"
check_state "LiveVideo mode" "$main" 4 42 720 480 framed

press "$main" ctrl+c
capture=$(wait_window "$CAPTURE_TITLE") || give_up "Ctrl+C: no window titled Capture mode"
check_state "Capture mode" "$capture" 3 41 352 240 framed

press "$capture" ctrl+v
main=$(wait_window "$MAIN_TITLE") || give_up "Ctrl+V: no window titled LiveVideo mode"
check_state "LiveVideo mode again" "$main" 4 42 720 480 framed

press "$main" ctrl+s
check_state "full screen" "$main" 0 0 1024 768

press "$main" Escape
check_state "after Esc" "$main" 4 42 720 480 framed

press "$main" ctrl+t
check_state "frame-less window" "$main" 4 4 720 480 framed

press "$main" ctrl+t
check_state "the frame back" "$main" 4 42 720 480 framed

exit_through_menu "$main"
finish
