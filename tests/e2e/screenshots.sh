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
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

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

# Starts the game in a data folder, waits for its window; prints the window id.
start() {
    (cd "$1" && exec "$game") >"$work/$2.out" 2>&1 &
    pid=$!
    window=""
    for _ in $(seq 1 120); do
        window=$(xdotool search --onlyvisible --name '^Vellamora$' 2>/dev/null | head -n 1)
        [[ -n "$window" ]] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.5
    done
    [[ -n "$window" ]] || fail "no game window for $2"
}

stop() {
    xdotool keydown Escape
    sleep 0.3
    xdotool keyup Escape
    for _ in $(seq 1 40); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.25
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
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

# Mean of one channel (0..1) over a region WxH+X+Y of a full-size screenshot.
mean() { convert "$work/$1.png" -crop "$2" +repage -format "%[fx:mean.$3]" info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

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
start "$(placed victory '16.5 20 -1' '-90 0 1 0')" victory
if [[ -n "$window" ]]; then
    sleep 3
    import -window "$window" "$work/before.png"
    key w 0.6
    sleep 2
    shoot victory
    stop
    # The closing lines are white on the dark below the goal.
    lines=440x24+424+480
    before=$(mean before "$lines" r)
    after=$(mean victory "$lines" r)
    above "$after" "$(awk -v b="$before" 'BEGIN { print b + 0.05 }')" ||
        fail "no closing lines on the victory picture ($before before, $after after)"
fi

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
ls -l "$pictures"/start.png "$pictures"/midcourse.png "$pictures"/victory.png
