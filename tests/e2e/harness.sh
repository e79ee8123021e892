# Shared by the end-to-end scripts, which source it: failures counted, the real game
# started in a data folder, its window found, Escape pressed, its exit awaited.
# The sourcing script sets `game` (the binary) and `work` (a scratch folder).

failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A picture of the game window (`window`), as $work/<name>.png.
shot() { import -window "$window" "$work/$1.png"; }
# The share (0..1) of a region's pixels WxH+X+Y for which a condition on r, g and b holds.
share_where() { convert "$1" -crop "$2" +repage -fx "($3) ? 1 : 0" -format "%[fx:mean]" info:; }

# Mean of one channel (0..1) over a region WxH+X+Y of a picture.
mean() { convert "$1" -crop "$2" +repage -format "%[fx:mean.$3]" info:; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# start_game <data folder> <name> [argument ...]: the game in the background, run in the
# data folder with the arguments given; sets pid and out.
start_game() {
    out=$work/$2.out
    local folder=$1
    shift 2
    (cd "$folder" && exec "$game" "$@") >"$out" 2>&1 &
    pid=$!
}

# Waits up to 60 s for the game window to be mapped; prints its id. Fails when the
# game ends first or no window comes. Only this game's own window counts (by its pid),
# whatever else runs on the display.
wait_for_window() {
    local id=""
    for _ in $(seq 1 120); do
        id=$(xdotool search --onlyvisible --pid "$pid" --name '^Vellamora$' 2>/dev/null | head -n 1)
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.5
    done
    return 1
}

# wait_for_window for a script that cannot go on without the window: sets window, or
# fails, prints the game's output and ends the script.
need_window() {
    if ! window=$(wait_for_window); then
        fail "no game window appeared"
        cat "$out"
        kill -9 "$pid" 2>/dev/null
        exit 1
    fi
}

# Waits up to 60 s for the first frame: the game prints its loading time with it. The
# window is mapped before the level loads, so a picture taken earlier shows nothing.
wait_for_first_frame() {
    for _ in $(seq 1 120); do
        grep -q '^loadingtime: ' "$out" 2>/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.5
    done
    return 1
}

# Waits up to 30 s for the game to exit; sets status ("still running" after a kill).
wait_for_exit() {
    for _ in $(seq 1 60); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            status=$?
            return 0
        fi
        sleep 0.5
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    status="still running"
    return 1
}

# Escape held for half a second, as a player would press it, then the exit awaited.
press_escape() {
    xdotool keydown Escape
    sleep 0.5
    xdotool keyup Escape
    wait_for_exit
}

# The closing line of a script: its failures, or success.
finish() {
    if [[ $failures -gt 0 ]]; then
        echo "$failures failure(s)${1:+; $1}"
        exit 1
    fi
}
