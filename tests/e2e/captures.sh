#!/usr/bin/env bash
# The captures as a user makes them in Capture mode, the files read back by
# ffprobe, ffmpeg and ImageMagick: a single frame to c:\capture.bmp, a timed
# video (its temporary UYVY file copied while it records) and three frames
# by frame, in 24-bit RGB and in YVU9. Each picture must be the card's test
# picture with its bars in place and its rows in order; the RGB file must
# decode to exactly the bytes the converter wrote.
. "$(dirname "$0")/lib.sh"

CAPTURE_TITLE='^Zentrik Vidmora   \(Capture mode\)$'
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
BMP=$DRIVE_C/capture.bmp
AVI=$DRIVE_C/capture.avi

give_up() {
    fail "$1"
    kill "$VIDMORA_PID" 2>/dev/null
    finish
}

# Says whether a probed field has the value wanted.
expect_probe() {
    local file=$1 field=$2 want=$3 what=$4 got
    got=$(probe "$file" "$field")
    [ "$got" = "$want" ] && pass "$what: $field $got" || fail "$what: $field is '$got', not '$want'"
}

picture_ok() {
    check_capture_picture "$1" && pass "$2: the test picture, bars in place, rows in order" ||
        fail "$2: not the test picture"
}

rm -f "$BMP" "$AVI" "$DRIVE_C/temp.avi"
start_vidmora "source=svideo:60"
main=$(wait_window "$MAIN_TITLE") || give_up "no main window"
press "$main" ctrl+c
capture=$(wait_window "$CAPTURE_TITLE") || give_up "Ctrl+C: no Capture mode"
wait_geometry "$capture" 358 284 || give_up "Capture mode: the window is $WIN_W x $WIN_H"
sleep 0.5

# Single frame.
press "$capture" F1
for _ in $(seq 50); do [ -s "$BMP" ] && break; sleep 0.1; done
info=$(identify -format '%m %w %h %z' "$BMP" 2>/dev/null)
[ "$info" = "BMP3 352 240 8" ] && [ "$(stat -c %s "$BMP")" = 253494 ] && pass "F1: c:\\capture.bmp, $info, 253494 bytes" ||
    fail "F1: c:\\capture.bmp is '$info', $(stat -c %s "$BMP" 2>/dev/null) bytes"
picture_ok "$BMP" "the single frame"

# Timed video, 24-bit RGB.
MIDWAY='cp "$DRIVE_C/temp.avi" "$dir/temp.avi"' capture_video "$capture" 3 || give_up "F3: no summary box"
[ ! -e "$DRIVE_C/temp.avi" ] && pass "F3: c:\\temp.avi is gone" || fail "F3: c:\\temp.avi is left behind"
expect_probe "$dir/temp.avi" codec_tag_string UYVY "the temporary file"
expect_probe "$dir/temp.avi" pix_fmt uyvy422 "the temporary file"
expect_probe "$dir/temp.avi" width 352 "the temporary file"
[ "$(probe "$dir/temp.avi" nb_read_frames)" -ge 1 ] && pass "the temporary file: its frames decode" ||
    fail "the temporary file: no frame decodes"
expect_probe "$AVI" pix_fmt bgr24 "the RGB video"
expect_probe "$AVI" width 352 "the RGB video"
expect_probe "$AVI" height 240 "the RGB video"
frames=$(probe "$AVI" nb_frames)
read_frames=$(probe "$AVI" nb_read_frames)
rate=$(probe "$AVI" r_frame_rate)
[ "$frames" -ge 30 ] && [ "$frames" = "$read_frames" ] &&
    pass "the RGB video: $frames frames, all decoded, at $rate ($(awk -F/ '{ printf "%.2f", $1 / $2 }' <<<"$rate") a second)" ||
    fail "the RGB video: $frames frames in the header, $read_frames decoded"
[ "$(stat -c %s "$AVI")" = $((232 + frames * (253440 + 24))) ] && pass "the RGB video: 232 + n x 253464 bytes" ||
    fail "the RGB video: $(stat -c %s "$AVI") bytes for $frames frames"
# ffmpeg shows the bottom-up rows top first: flipped back, the first frame
# is byte for byte the first chunk's payload.
ffmpeg -v error -i "$AVI" -frames:v 1 -vf vflip -f rawvideo -pix_fmt bgr24 "$dir/decoded.raw"
dd if="$AVI" of="$dir/payload.raw" bs=8 skip=29 count=31680 status=none
cmp -s "$dir/decoded.raw" "$dir/payload.raw" && pass "the RGB video: ffmpeg decodes the bytes the converter wrote" ||
    fail "the RGB video: ffmpeg's first frame differs from the first payload"
frame_png "$AVI" "$dir/rgb.png"
picture_ok "$dir/rgb.png" "the RGB video"

# Frame by frame, 24-bit RGB: three frames at 30 a second.
capture_frames "$capture" 3 || give_up "F2: the Capture Frames dialog did not open or close"
expect_probe "$AVI" nb_read_frames 3 "three frames"
expect_probe "$AVI" r_frame_rate 30/1 "three frames"
frame_png "$AVI" "$dir/frames.png"
picture_ok "$dir/frames.png" "three frames"

# YVU9, timed and by frame.
choose_capture_format "$capture" 1 || give_up "Video Format did not open"
capture_video "$capture" 2 || give_up "F3 in YVU9: no summary box"
expect_probe "$AVI" codec_tag_string YVU9 "the YVU9 video"
expect_probe "$AVI" pix_fmt yuv410p "the YVU9 video"
frames=$(probe "$AVI" nb_frames)
[ "$(stat -c %s "$AVI")" = $((232 + frames * (95040 + 24))) ] && [ "$(probe "$AVI" nb_read_frames)" = "$frames" ] &&
    pass "the YVU9 video: $frames frames of 95040 bytes, all decoded" || fail "the YVU9 video: size or frames wrong"
frame_png "$AVI" "$dir/yvu9.png"
picture_ok "$dir/yvu9.png" "the YVU9 video"
capture_frames "$capture" 3 || give_up "F2 in YVU9: the Capture Frames dialog did not open or close"
expect_probe "$AVI" nb_read_frames 3 "three YVU9 frames"
[ "$(stat -c %s "$AVI")" = 285424 ] && pass "three YVU9 frames: 285424 bytes" || fail "three YVU9 frames: $(stat -c %s "$AVI") bytes"

exit_through_menu "$capture"
rm -f "$BMP" "$AVI"
finish
