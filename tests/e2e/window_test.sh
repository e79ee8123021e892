#!/usr/bin/env bash
# The real game binary under the X display: start-up messages, Escape, the close
# button, a start without any display and a level without a player.
#   window_test.sh <vellamora> <close_window> <data dir>
set -u
game=$1
close_window=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

check_start_messages() {
    local glfw glew
    glfw=$(grep -n -x 'GLFW initialized' "$out" | head -n 1 | cut -d: -f1)
    glew=$(grep -n -x 'GLEW initialized' "$out" | head -n 1 | cut -d: -f1)
    if [[ -z "$glfw" || -z "$glew" || "$glfw" -ge "$glew" ]]; then
        fail "$1: expected 'GLFW initialized' then 'GLEW initialized', got:"
        cat "$out"
    fi
}

# 1. Escape ends the game with status 0.
start_game "$data" escape
if window=$(wait_for_window); then
    check_start_messages escape
    wait_for_first_frame || fail "escape: the game drew no first frame"
    kill -0 "$pid" 2>/dev/null || fail "escape: the game did not stay running"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    press_escape
    [[ "$status" == "0" ]] || fail "escape: exit status $status"
else
    fail "escape: no game window appeared"
    cat "$out"
    kill -9 "$pid" 2>/dev/null
fi

# 2. Closing the window ends the game with status 0.
start_game "$data" close
if wait_for_window >/dev/null; then
    sleep 1
    "$close_window" Vellamora || fail "close: could not send the close request"
    wait_for_exit
    [[ "$status" == "0" ]] || fail "close: exit status $status"
else
    fail "close: no game window appeared"
    cat "$out"
    kill -9 "$pid" 2>/dev/null
fi

# 3. Without a display GLFW cannot start: message and status 1.
(cd "$data" && env -u DISPLAY -u WAYLAND_DISPLAY "$game") >"$work/nodisplay.out" 2>&1
status=$?
[[ "$status" == "1" ]] || fail "no display: exit status $status"
grep -q -x 'Could not init GLFW!' "$work/nodisplay.out" ||
    { fail "no display: message missing"; cat "$work/nodisplay.out"; }

# 4. A level without a Character: nothing to play, a message naming the file, status 1.
empty=$work/empty-level
mkdir -p "$empty/config"
ln -s "$data/shader" "$empty/shader"
ln -s "$data/obj" "$empty/obj"
echo "A level with nothing in it." >"$empty/config/config.txt"
(cd "$empty" && "$game") >"$work/empty.out" 2>&1
status=$?
[[ "$status" == "1" ]] || fail "no character: exit status $status"
grep -q 'config/config.txt has no Character' "$work/empty.out" ||
    { fail "no character: message missing"; cat "$work/empty.out"; }

finish
echo "all window checks passed"
