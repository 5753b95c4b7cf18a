#!/usr/bin/env bash
# The bus at start-up, as written by the simulated card to a VCD and decoded
# by sigrok's I2C decoder: the probe, the sixteen writes of the initial
# table, the detection's writes and status read, and the shutdown write.
. "$(dirname "$0")/lib.sh"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
start_vidmora "clock=stepped,source=composite:60,trace=$(winepath -w "$dir/trace.vcd" 2>/dev/null || echo "Z:$dir/trace.vcd")"
if main=$(wait_window "$MAIN_TITLE"); then
    press "$main" alt+F4
else
    fail "no main window"
fi
wait_exit "$VIDMORA_PID"; code=$EXIT_CODE
[ "$code" = 0 ] || fail "exit code $code"
no_vidmora_left || fail "a vidmora.exe process is left"

sigrok-cli -I vcd -i "$dir/trace.vcd" -P i2c:scl=SCL:sda=SDA:address_format=unshifted -A i2c=addr-data \
    >"$dir/decoded.txt" 2>"$dir/sigrok.err"
if [ -s "$dir/sigrok.err" ]; then
    fail "sigrok-cli: $(cat "$dir/sigrok.err")"
fi
grep -E 'Address (read|write)|Data (read|write)' "$dir/decoded.txt" | sed 's/^i2c-1: //' >"$dir/got.txt"

{
    echo "Address write: 48"                                   # the probe
    for pair in 01:00 02:D3 03:23 04:00 05:00 08:48 09:10 0A:80 0B:47 0C:40 0D:00 0E:01 0F:00 10:C8 11:0C 12:80; do
        printf 'Address write: 48\nData write: %s\nData write: %s\n' "${pair%:*}" "${pair#*:}"
    done
    for pair in 08:48 09:10 0E:01 02:D3; do                    # NTSC - M, Composite
        printf 'Address write: 48\nData write: %s\nData write: %s\n' "${pair%:*}" "${pair#*:}"
    done
    printf 'Address write: 48\nData write: 1F\nAddress read: 49\nData read: 21\n'   # locked, 60 Hz
    printf 'Address write: 48\nData write: 11\nData write: 84\n'                   # shutdown
} >"$dir/expected.txt"

if diff -u "$dir/expected.txt" "$dir/got.txt" >"$dir/diff.txt"; then
    pass "decoded trace: probe, initial table, detection, shutdown ($(wc -l <"$dir/got.txt") annotations)"
else
    fail "decoded trace differs:"
    cat "$dir/diff.txt" >&2
fi
finish
