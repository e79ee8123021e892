#!/usr/bin/env bash
# Pictures of the real game on the shipped level for the README: the start, a view from
# the bridge halfway through the course, and the victory screen.
#   screenshots.sh <vellamora> <data dir> <picture dir>
# Driving the real binary through the whole course with xdotool depends on the frame rate
# of the machine, so the later pictures start the game on a copy of the shipped level
# whose only change is where the flame stands and faces; everything it sees is the level.
set -u
game=$(realpath "$1")
data=$(cd "$2" && pwd)
pictures=$3
mkdir -p "$pictures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

# A data folder that shares obj/ and shader/ and holds the level with the Character's
# position and rotation lines replaced.
placed() {
    local folder=$work/$1 position=$2 rotation=$3
    mkdir -p "$folder/config"
    ln -s "$data/obj" "$folder/obj"
    ln -s "$data/shader" "$folder/shader"
    awk -v p=" $position" -v r=" $rotation" '
        /^#Character$/ { character = NR }
        character && NR == character + 4 { print p; next }
        character && NR == character + 5 { print r; next }
        { print }' "$data/config/config.txt" >"$folder/config/config.txt"
    echo "$folder"
}

# Starts the game in a data folder and waits for its window; sets window.
start() {
    start_game "$1" "$2"
    window=$(wait_for_window) || { window=""; fail "no game window for $2"; }
}

stop() {
    press_escape || true
}

key() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# 800 wide, as the README shows them.
shoot() {
    import -window "$window" "$work/$1.png"
    convert "$work/$1.png" -resize 800x "$pictures/$1.png" || fail "no picture $1"
}


# 1. The start, as the player first sees it.
start "$data" start
if [[ -n "$window" ]]; then
    sleep 3
    shoot start
    stop
fi

# 2. Leg three at the edge of the pool, facing the goal, the camera wheeled in to half
# its distance: the pool, the puddle, the water jets and their shadows, the climb beyond.
start "$(placed midcourse '40 2 -89.5' '180 0 1 0')" midcourse
if [[ -n "$window" ]]; then
    sleep 2
    xdotool mousemove --window "$window" 512 384 click --repeat 15 --delay 50 4
    sleep 3
    shoot midcourse
    stop
fi

# 3. Behind the goal on the goal platform, facing it: a step forward touches it.
start "$(placed victory '16.5 16 -1' '-90 0 1 0')" victory
if [[ -n "$window" ]]; then
    sleep 3
    import -window "$window" "$work/before.png"
    key w 0.6
    sleep 2
    shoot victory
    stop
    # The closing lines are white on the dark below the goal.
    lines=440x24+424+480
    before=$(mean "$work/before.png" "$lines" r)
    after=$(mean "$work/victory.png" "$lines" r)
    above "$after" "$(awk -v b="$before" 'BEGIN { print b + 0.05 }')" ||
        fail "no closing lines on the victory picture ($before before, $after after)"
fi

finish
ls -l "$pictures"/start.png "$pictures"/midcourse.png "$pictures"/victory.png
