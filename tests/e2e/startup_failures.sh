#!/usr/bin/env bash
# Each start-up failure shows its box; OK ends the program with exit code 0
# and nothing of it is left running. A second copy is refused while the
# first runs on.
. "$(dirname "$0")/lib.sh"

# What, the VIDMORA_SIM text, and (third) whether another copy runs on meanwhile.
refused_start() {
    local what=$1 config=$2 box code
    start_vidmora "$config"
    if ! box=$(wait_window "$BOX_TITLE"); then
        fail "$what: no message box"
        kill "$VIDMORA_PID" 2>/dev/null
        return
    fi
    if wait_window "$MAIN_TITLE" 0 >/dev/null; then
        fail "$what: the main window opened"
    fi
    press "$box" Return
    wait_exit "$VIDMORA_PID"; code=$EXIT_CODE
    [ "$code" = 0 ] && pass "$what: exit code 0 after the box" || fail "$what: exit code $code"
    [ -n "${3:-}" ] || no_vidmora_left || fail "$what: a vidmora.exe process is left"
}

refused_start "a setting the simulated card does not have" "colour=red"
CARD=other refused_start "a card that is neither real nor simulated" ""
CARD=real refused_start "the real card, which this machine does not have" ""
refused_start "no decoder" "decoder=absent"
refused_start "clock line held low" "scl=stuck"
refused_start "no video port" "videoport=absent"
refused_start "no overlay" "overlay=absent"

restore_directx() {
    "$WINE" reg add 'HKLM\SOFTWARE\Microsoft\DirectX' /v Version /t REG_SZ /d 4.05.00.0155 /f >/dev/null 2>&1
}
trap restore_directx EXIT
"$WINE" reg add 'HKLM\SOFTWARE\Microsoft\DirectX' /v Version /t REG_SZ /d 4.06.02.0436 /f >/dev/null 2>&1
refused_start "DirectX 6 registered" ""
restore_directx

# A second copy while the first one's window is open.
start_vidmora "source=composite:60"
first=$VIDMORA_PID
if main=$(wait_window "$MAIN_TITLE"); then
    refused_start "second instance" "" first-runs-on
    kill -0 "$first" 2>/dev/null && pass "the first copy runs on" || fail "the first copy ended"
    press "$main" alt+F4
    wait_exit "$first"; code=$EXIT_CODE
    [ "$code" = 0 ] && pass "first copy: exit code 0 when closed" || fail "first copy: exit code $code"
else
    fail "the first copy opened no main window"
    kill "$first" 2>/dev/null
fi
no_vidmora_left || fail "a vidmora.exe process is left"
finish
