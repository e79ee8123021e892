#!/usr/bin/env bash
# A level edited while the game plays it: a save that moves the fan wall moves it on
# screen; a broken save leaves the game running the level it had, with the problem on
# standard output as `file:line:` and on the HUD.
#   live_reload_test.sh <vellamora> <data dir> <test level>
set -u
game=$1
data=$2
level=$3
work=$(mktemp -d)
trap '[[ ${failures:-0} -gt 0 ]] || rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

# The share of a region's pixels in a colour: "wall" for the lit orange of the fan wall,
# "error" for the HUD's error lines (1, 0.45, 0.35).
share() {
    local test
    case $3 in
    wall) test='r > 0.3 && g > 0.08 && b < 0.15 && r > 2 * g' ;;
    error) test='r > 0.75 && g > 0.3 && g < 0.6 && b > 0.2 && b < 0.5' ;;
    esac
    share_where "$1" "$2" "$test"
}
# Waits up to 10 s for a line matching the pattern in the game's output.
wait_for_line() {
    for _ in $(seq 1 20); do
        grep -qE "$1" "$out" && return 0
        sleep 0.5
    done
    return 1
}
# Where the fan wall stands at the start, straight ahead, and where the edit moves it.
at_start=40x30+435+395
moved_to=110x30+620+395

cp "$level" "$work/level.txt"
start_game "$data" reload "$work/level.txt"
need_window
wait_for_first_frame || fail "the game drew no first frame"
sleep 1
shot before
above "$(share "$work/before.png" $at_start wall)" 0.6 || fail "the fan wall is not straight ahead"
above "$(share "$work/before.png" $moved_to wall)" 0.1 && fail "the fan wall is already on the right"

# Saved the way many editors save: a new file renamed over the old one.
sed 's/^ 0 1 -10$/ 6 1 -10/' "$work/level.txt" >"$work/level.new"
mv "$work/level.new" "$work/level.txt"
wait_for_line "level.txt read again" || fail "no reload after the save"
sleep 0.5
shot moved
above "$(share "$work/moved.png" $moved_to wall)" 0.6 || fail "the fan wall did not move right"
above "$(share "$work/moved.png" $at_start wall)" 0.5 && fail "the fan wall still stands ahead"

# A broken save, written in place: the fan's physics type misspelt.
sed 's/^static 0$/statc 0/' "$work/level.txt" >"$work/broken.txt"
cat "$work/broken.txt" >"$work/level.txt"
wait_for_line 'level\.txt:[0-9]+: error: unknown physics type "statc"' ||
    fail "no file:line: message for the broken save"
grep -q "the running level stays" "$out" || fail "no word that the running level stays"
sleep 0.5
shot broken
kill -0 "$pid" 2>/dev/null || fail "the game ended on the broken save"
above "$(share "$work/broken.png" $moved_to wall)" 0.6 || fail "the running level was not kept"
above "$(share "$work/broken.png" 520x20+5+122 error)" 0.01 || fail "no error line on the HUD"

press_escape
[[ "$status" == "0" ]] || fail "exit status $status"
finish "pictures and output in $work"
echo "live reload checks passed"
