#!/usr/bin/env bash
# The real game on the shipped level under the X display: the first picture shows
# the flame and the lit hall, holding W changes the picture, Escape ends the game.
#   play_test.sh <vellamora> <data dir> [screenshot dir]
set -u
game=$1
data=$2
if [[ $# -ge 3 ]]; then
    shots=$3
else
    shots=$(mktemp -d)
    # Kept when a check fails, to look at.
    trap '[[ ${failures:-0} -gt 0 ]] || rm -rf "$shots"' EXIT
fi
mkdir -p "$shots"
work=$shots
source "$(dirname "$0")/harness.sh"

start_game "$data" play
need_window
wait_for_first_frame || fail "the game drew no first frame"
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
import -window "$window" "$shots/start.png"

# The flame burns in the middle of the picture (a share of its central strip glows
# bright red), above the floor it lights; the sky around it stays dark.
bright() { convert "$1" -crop "$2" +repage -channel R -separate -threshold 85% -format "%[fx:mean]" info:; }
flame=$(bright "$shots/start.png" 160x320+432+160)
sky=$(bright "$shots/start.png" 160x120+40+40)
floor=$(mean "$shots/start.png" 300x100+362+440 r)
above "$flame" 0.02 || fail "no flame in the middle of the picture (bright share $flame)"
above "$flame" "$(awk -v s="$sky" 'BEGIN { print s * 4 + 0.005 }')" ||
    fail "the flame is not brighter than the dark around it ($flame against $sky)"
above "$floor" 0.05 || fail "the floor around the flame is not lit (mean red $floor)"

xdotool keydown w
sleep 0.6
xdotool keyup w
sleep 0.5
import -window "$window" "$shots/walked.png"
difference=$(compare -metric RMSE "$shots/start.png" "$shots/walked.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
above "$difference" 0.02 || fail "holding W did not change the picture (RMSE $difference)"

if ! press_escape; then
    fail "Escape did not end the game"
else
    [[ $status -eq 0 ]] || fail "exit status $status"
fi
if grep -v -E -x 'GLFW initialized|GLEW initialized|Shader loaded and compiled successfully\.|Shader-program linked successfully\.|Texture loading succesful|loadingtime: .*|' "$out"; then
    fail "the shipped level printed more than success lines (above)"
fi

finish "screenshots in $shots"
echo "play checks passed (flame $flame, floor $floor, change $difference)"
