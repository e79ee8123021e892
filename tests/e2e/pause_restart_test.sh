#!/usr/bin/env bash
# R, P and the course timer on the real game under the X display: a flame that burns out
# in seconds shows GAME OVER, R brings it back full; a paused picture stands still but for
# the frame-rate line and shows "Paused"; the timer line counts while walking.
#   pause_restart_test.sh <vellamora> <data dir> <test level>
set -u
game=$1
data=$2
level=$3
work=$(mktemp -d)
trap '[[ ${failures:-0} -gt 0 ]] || rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

# The share of a region's pixels in a colour: "red" for GAME OVER's (1, 0.2, 0.2), "hud"
# for the warm white of the HUD text (1, 0.8, 0.5).
share() {
    local test
    case $3 in
    red) test='r > 0.8 && g < 0.35 && b < 0.35 && abs(g - b) < 0.08' ;;
    hud) test='r > 0.85 && g > 0.65 && g < 0.92 && b > 0.35 && b < 0.65' ;;
    esac
    share_where "$1" "$2" "$test"
}
# How many pixels differ between two pictures outside the frame-rate line (top right).
differing() {
    convert "$1" "$2" -compose difference -composite -fill black -draw 'rectangle 600,0 1024,60' \
        -threshold 0 -format "%[fx:mean*w*h]" info:
}
press() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
}

# The test level with the flame started inside its water jet: it drains a hundredth a
# frame and is out within seconds.
awk 'started == 0 && /^#Character/ { print; character = 1; next }
         character && /^ *-?[0-9]/ && !placed { print " 20 1 -6"; placed = 1; started = 1; next }
         { print }' "$level" >"$work/drowning.txt"

start_game "$data" drowning "$work/drowning.txt"
need_window
wait_for_first_frame || fail "the game drew no first frame"
xdotool windowfocus --sync "$window" 2>/dev/null || true
# GAME OVER: a wide red line across the middle.
for _ in $(seq 1 40); do
    sleep 0.5
    shot over
    above "$(share "$work/over.png" 700x120+160+300 red)" 0.01 && break
done
above "$(share "$work/over.png" 700x120+160+300 red)" 0.01 || fail "no GAME OVER within 20 s"

# Back at the start, in the jet again, a hundredth a frame: W is held at once, so the flame
# walks out of it before it can burn out. The timer line (bottom left, above the flame
# line) changes from picture to picture while it walks.
press r
xdotool keydown w
sleep 0.8
shot restarted
above "$(share "$work/restarted.png" 700x120+160+300 red)" 0.002 && fail "R: GAME OVER still shows"
shot walking1
sleep 0.6
shot walking2
xdotool keyup w
above "$(share "$work/walking1.png" 200x30+10+690 hud)" 0.01 || fail "no timer line while walking"
convert "$work/walking1.png" -crop 200x30+10+690 +repage "$work/timer1.png"
convert "$work/walking2.png" -crop 200x30+10+690 +repage "$work/timer2.png"
[[ "$(differing "$work/timer1.png" "$work/timer2.png")" != 0 ]] ||
    fail "the timer line does not count while walking"

# Paused: two pictures a second apart are the same but for the frame-rate line.
press p
sleep 1
shot paused1
sleep 1
shot paused2
changed=$(differing "$work/paused1.png" "$work/paused2.png")
[[ "$changed" == 0 ]] || fail "P: $changed pixels changed a second into the pause"
above "$(share "$work/paused1.png" 240x70+392+340 hud)" 0.02 || fail "P: no Paused line in the middle"
press p
sleep 1
shot resumed
[[ "$(differing "$work/paused2.png" "$work/resumed.png")" != 0 ]] || fail "P again: the game did not go on"

press_escape
[[ "$status" == "0" ]] || fail "exit status $status"
finish "pictures in $work"
echo "pause, restart and timer checks passed"
