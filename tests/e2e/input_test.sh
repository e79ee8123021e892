#!/usr/bin/env bash
# The real input path of the real game: quick taps (xdotool key and click, no hold: a
# press and release some 12 ms apart, within one frame) and mouse motion, as a player
# gives them. F2 and F7 show their lines, Space jumps, the wheel zooms, the right button
# with mouse motion turns the view, and Escape ends the game with status 0.
#   input_test.sh <vellamora> <data dir>
set -u
game=$1
data=$2
work=$(mktemp -d)
# Kept when a check fails, to look at.
trap '[[ ${failures:-0} -gt 0 ]] || rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

start_game "$data" input
if ! window=$(wait_for_window) || ! wait_for_first_frame; then
    fail "the game showed no window or no first frame"
    cat "$out"
    kill -9 "$pid" 2>/dev/null
    exit 1
fi
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool mousemove --window "$window" 512 600

# Share of a region's pixels brighter than half: HUD text over the dark scene.
lit() { convert "$work/$1.png" -crop "$2" +repage -colorspace gray -threshold 50% -format '%[fx:mean]' info:; }
# Share of the upper half of the picture that is black sky.
sky() { convert "$work/$1.png" -crop 1024x384+0+0 +repage -colorspace gray -threshold 1% -format '%[fx:1-mean]' info:; }
rmse() { compare -metric RMSE "$work/$1.png" "$work/$2.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
plus() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }

# tap_shows <key> <region> <what>: a tap of the key lights up HUD text in the region
# (the scene behind both regions is dark); sets shown to the lit share after it.
tap_shows() {
    local key=$1 region=$2 what=$3 before
    shot "before-$key"
    xdotool key "$key"
    sleep 1
    shot "$key"
    before=$(lit "before-$key" "$region")
    shown=$(lit "$key" "$region")
    above "$shown" "$(plus "$before" 0.01)" ||
        fail "$key: no $what (bright share $before before, $shown after)"
}

# 1. F2 shows the frame rate at the top right for a while; F7 pins the status lines at
# the top left.
tap_shows F2 150x30+870+0 "frame-rate line"
fps_shown=$shown
tap_shows F7 430x90+0+0 "status lines"
status_shown=$shown

# 2. Space: the flame jumps and the camera with it, so more of the black sky shows above
# the hall. The jump lasts about a second and a half; a picture is grabbed as its taking
# starts and takes some 0.7 s, so two of them from 0.3 s on fall within the jump. A
# machine slow enough to miss it gets the tap up to 3 times.
sky_rest=$(sky F7)
jumped=""
for _ in 1 2 3; do
    xdotool key space
    sleep 0.3
    for i in 1 2; do
        shot "jump$i"
        s=$(sky "jump$i")
        above "$s" "$(plus "$sky_rest" 0.02)" && jumped=$s
    done
    [[ -n "$jumped" ]] && break
    sleep 1.5
done
[[ -n "$jumped" ]] || fail "Space: the view never rose (sky share $sky_rest at rest)"
sleep 2

# 3. The wheel: five steps towards the flame, each a click of its own; the camera moves
# five units closer and stays there. Then the right button held and the mouse moved
# turns the view. Each changes the picture far more than the flicker of a still scene.
shot still1
sleep 0.3
shot still2
noise=$(rmse still1 still2)
for _ in 1 2 3 4 5; do xdotool click 4; done
sleep 1
shot zoomed
zoom=$(rmse still2 zoomed)
above "$zoom" "$(awk -v n="$noise" 'BEGIN { print n * 2 + 0.03 }')" ||
    fail "the wheel did not zoom (RMSE $zoom, still scene $noise)"
xdotool mousedown 3
sleep 0.2
xdotool mousemove_relative -- 40 0
sleep 0.2
xdotool mouseup 3
sleep 0.5
shot turned
turn=$(rmse zoomed turned)
above "$turn" "$(awk -v n="$noise" 'BEGIN { print n * 2 + 0.03 }')" ||
    fail "right button and mouse did not turn the view (RMSE $turn, still scene $noise)"

# 4. A tap of Escape ends the game.
xdotool key Escape
if ! wait_for_exit; then
    fail "a tap of Escape did not end the game"
elif [[ $status -ne 0 ]]; then
    fail "exit status $status after Escape"
fi

finish "pictures in $work"
echo "input checks passed (F2 $fps_shown, F7 $status_shown, jump sky $jumped against" \
    "$sky_rest, zoom $zoom, turn $turn, still $noise)"
