#!/usr/bin/env bash
# The demonstration session: what a user does with Vidmora on the simulated
# card, with a screenshot of each step and the captured files under out/.
. "$(dirname "$0")/../../tests/e2e/lib.sh"

CAPTURE_TITLE='^Zentrik Vidmora   \(Capture mode\)$'
OUT=$ROOT/out
mkdir -p "$OUT"
rm -f "$OUT"/[01][0-9]-*.png "$OUT"/*.bmp "$OUT"/*.avi "$OUT"/video-*.png "$OUT"/frames-*.png

# The program re-places the overlay on a 200 ms timer and the card draws at
# field rate: a moment for both before each screenshot.
shot() {
    sleep 0.5
    screenshot "$OUT/$1.png"
    log "  screenshot: out/$1.png"
}

give_up() {
    log "$1"
    kill "$VIDMORA_PID" 2>/dev/null
    exit 1
}

# Waits for the window to take its new size; says what it is.
resized() {
    if wait_geometry "$1" "$2" "$3"; then
        log "  the window is $WIN_W x $WIN_H at ($WIN_X, $WIN_Y)."
    else
        log "  the window stays $WIN_W x $WIN_H at ($WIN_X, $WIN_Y), not $2 x $3."
    fi
}

log "Starting vidmora.exe on the simulated card (S-Video, 60 Hz) ..."
start_vidmora "source=svideo:60"
main=$(wait_window "$MAIN_TITLE") || give_up "The main window did not open."
log "The main window is open in LiveVideo mode, the test picture live in its 720 x 480 client area."
resized "$main" 728 526
shot 01-main-window

log "Ctrl+C: Capture mode, a 352 x 240 client area ..."
press "$main" ctrl+c
capture=$(wait_window "$CAPTURE_TITLE") || give_up "No window titled Capture mode appeared."
resized "$capture" 358 284
shot 02-capture-mode

log "Ctrl+V: back to LiveVideo mode; Ctrl+S: full screen ..."
press "$capture" ctrl+v
main=$(wait_window "$MAIN_TITLE") || give_up "No window titled LiveVideo mode appeared."
resized "$main" 728 526
press "$main" ctrl+s
resized "$main" 1024 768
shot 03-full-screen

log "Esc: the window again ..."
press "$main" Escape
resized "$main" 728 526

log "Ctrl+T: the frame-less window ..."
press "$main" ctrl+t
resized "$main" 728 488
shot 04-frameless-window

log "Ctrl+T: the frame, caption and menu back ..."
press "$main" ctrl+t
resized "$main" 728 526

log "Help > About Vidmora ..."
menu "$main" alt+h Return
about=$(wait_window '^About') || give_up "The About box did not open."
shot 05-about
press "$about" Return

log "Options > Video Format ..."
menu "$main" alt+o Return
format=$(wait_window '^Video Format$') || give_up "The Video Format dialog did not open."
shot 06-video-format
press "$format" Escape

log "Options > Video Source, then the Saturation bar moved to its left end ..."
menu "$main" alt+o Down Return
source=$(wait_window '^Video Source$') || give_up "The Video Source dialog did not open."
shot 07-video-source
dialog_point "$source" 221 154 140 76     # the Saturation bar's trough, left of its thumb
click_repeatedly "$x" "$y" 15
log "  clicked the Saturation bar 15 times at ($x, $y)."
shot 08-video-source-saturation
click_dialog "$source" 221 154 174 138   # Cancel (the modeless dialog gets no Esc)
sleep 0.5
shot 09-after-cancel
log "  Cancel: the committed colours are back."

log "Ctrl+C: Capture mode; File > Set Capture File ..."
press "$main" ctrl+c
capture=$(wait_window "$CAPTURE_TITLE") || give_up "No window titled Capture mode appeared."
resized "$capture" 358 284
menu "$capture" alt+f Return
settings=$(wait_window '^Set Capture File$') || give_up "The Set Capture File dialog did not open."
shot 10-set-capture-file
press "$settings" Escape
log "  single frames to c:\\capture.bmp, videos to c:\\capture.avi."

# Copies a capture into out/ and says whether it shows the test picture.
keep() {
    cp "$1" "$OUT/$2"
    if check_capture_picture "${3:-$1}"; then
        log "  out/$2: the test picture, its bars in place and its rows in order."
    else
        log "  out/$2: NOT the test picture."
        PICTURES_OK=0
    fi
}
PICTURES_OK=1
frame_of() { frame_png "$1" "$OUT/$2"; echo "$OUT/$2"; }

for format in 0 1; do
    name=$([ $format = 0 ] && echo rgb24 || echo yvu9)
    if [ $format = 1 ]; then
        log "Options > Video Format: YVU9 Planar ..."
        choose_capture_format "$capture" 1 || give_up "The Video Format dialog did not open."
    else
        log "F1: a single frame ..."
        press "$capture" F1
        sleep 1
        keep "$DRIVE_C/capture.bmp" single-frame.bmp
    fi
    log "F3: a timed video of three seconds, ended by the space bar ($name) ..."
    MIDWAY="shot 1$((1 + 2 * format))-capturing-$name" SUMMARY="shot 1$((2 + 2 * format))-summary-$name" \
        capture_video "$capture" 3 || give_up "The timed capture gave no summary."
    log "  $(probe "$DRIVE_C/capture.avi" nb_frames) frames at $(probe "$DRIVE_C/capture.avi" r_frame_rate) a second."
    keep "$DRIVE_C/capture.avi" "video-$name.avi" "$(frame_of "$DRIVE_C/capture.avi" "video-$name.png")"
    log "F2: three frames, by frame ($name) ..."
    capture_frames "$capture" 3 || give_up "The Capture Frames dialog did not open or close."
    keep "$DRIVE_C/capture.avi" "frames-$name.avi" "$(frame_of "$DRIVE_C/capture.avi" "frames-$name.png")"
done

log "File > Exit ..."
main=$capture
menu "$main" alt+f Up Return
wait_exit "$VIDMORA_PID"; code=$EXIT_CODE
log "vidmora.exe ended with exit code $code."
[ "$code" = 0 ] && [ "$PICTURES_OK" = 1 ] && no_vidmora_left
