#!/usr/bin/env bash
# The three dialogs as a user drives them, the picture read back from the
# screen: About opens and closes; a size chosen in Video Format sizes the
# window; in Video Source the Saturation bar greys the live picture at once,
# a second Video Source command opens no second dialog, Default selects the
# Composite input (no signal there), and Cancel brings back the S-Video
# picture in its committed colours.
. "$(dirname "$0")/lib.sh"

YELLOW="211 210 19"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

give_up() {
    fail "$1"
    kill "$VIDMORA_PID" 2>/dev/null
    finish
}

# The yellow bar's centre on the screen, for the main window at its
# 720 x 480 client area (client at 4, 42 of the frame): sets bar_x, bar_y.
yellow_point() {
    window_geometry "$main"
    bar_x=$((WIN_X + 4 + $(at_column 135 720)))
    bar_y=$((WIN_Y + 42 + $(at_row 160 480)))
}

# The colour at the yellow bar's centre now, once the card has drawn a few
# fields.
yellow_now() {
    sleep 0.5
    screenshot "$dir/shot.png"
    pixels "$dir/shot.png" "$bar_x,$bar_y"
}

# Whether "R G B" is grey: its channels at most 16 apart.
is_grey() {
    local c=($1) low high
    low=$(printf '%s\n' "${c[@]}" | sort -n | head -n1)
    high=$(printf '%s\n' "${c[@]}" | sort -n | tail -n1)
    [ $((high - low)) -le 16 ]
}

open_video_source() { menu "$main" alt+o Down Return; }

start_vidmora "source=svideo:60"
main=$(wait_window "$MAIN_TITLE") || give_up "no main window"
wait_geometry "$main" 728 526 || give_up "the main window is $WIN_W x $WIN_H, not 728 x 526"

# About: opens from Help, Return closes it.
menu "$main" alt+h Return
if about=$(wait_window '^About Zentrik Vidmora$' 10); then
    press "$about" Return
    sleep 0.5
    xdotool search --onlyvisible --name '^About Zentrik Vidmora$' >/dev/null 2>&1 &&
        fail "About: Return leaves the box open" || pass "About: opened from Help, closed by Return"
else
    fail "About: Help > About Vidmora opens no box"
fi

# Options > Video Format, the size list's entry INDEX, OK; then waits for the
# window to be WIDTH x HEIGHT (frame included).
choose_size() {
    local format downs
    menu "$main" alt+o Return
    format=$(wait_window '^Video Format$' 10) || return 1
    click_dialog "$format" 166 89 50 22       # the size list, dropped down
    sleep 0.3
    downs=$(printf 'Down %.0s' $(seq "$1"))
    xdotool key Home $downs Return
    sleep 0.3
    click_dialog "$format" 166 89 141 21      # OK
    wait_geometry "$main" "$2" "$3"
}

if choose_size 2 328 286; then
    pass "Video Format: \"320 x 240\" gives a client area of 320 x 240"
else
    fail "Video Format: after \"320 x 240\" the window is $WIN_W x $WIN_H, not 328 x 286"
fi
# Back to "720 x 480" for the picture checks.
choose_size 5 728 526 || give_up "after \"720 x 480\" the window is $WIN_W x $WIN_H"

yellow_point
colour=$(yellow_now)
colour_near "$colour" "$YELLOW" && pass "the yellow bar is yellow ($colour)" ||
    fail "before Video Source the yellow bar shows ($colour), not ($YELLOW)"

open_video_source
source=$(wait_window '^Video Source$' 10) || give_up "Options > Video Source opens no dialog"
open_video_source
sleep 0.5
count=$(xdotool search --onlyvisible --name '^Video Source$' 2>/dev/null | wc -l)
[ "$count" = 1 ] && pass "a second Video Source command opens no second dialog" ||
    fail "$count Video Source dialogs after the command twice"

dialog_point "$source" 221 154 140 76     # the Saturation bar's trough, left of its thumb
click_repeatedly "$x" "$y" 15
colour=$(yellow_now)
is_grey "$colour" && pass "Saturation to its left end: the yellow bar turns grey ($colour)" ||
    fail "Saturation to its left end: the yellow bar shows ($colour), not grey"

click_dialog "$source" 221 154 112 138    # Default: Composite, which carries no signal here
colour=$(yellow_now)
colour_near "$colour" "$YELLOW" && fail "Default: the yellow bar still shows ($colour) on Composite" ||
    pass "Default: the Composite input shows no bars ($colour)"

click_dialog "$source" 221 154 174 138    # Cancel
sleep 0.5
xdotool search --onlyvisible --name '^Video Source$' >/dev/null 2>&1 && fail "Cancel leaves the Video Source dialog open"
colour=$(yellow_now)
colour_near "$colour" "$YELLOW" && pass "Cancel: S-Video and the committed colours are back ($colour)" ||
    fail "Cancel: the yellow bar shows ($colour), not ($YELLOW)"

exit_through_menu "$main"
finish
