#!/usr/bin/env bash
# The game's command line, on the real binary: --help, --version, misuses, a level given
# by its path from another folder, and a level that is not there.
#   command_line_test.sh <vellamora> <data dir>
set -u
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

# run_quick <name> <argument ...>: the game in the data folder, expected to end at once;
# sets status, with standard output in $work/<name>.out and standard error in .err.
run_quick() {
    local name=$1
    shift
    (cd "$data" && timeout 30 "$game" "$@") >"$work/$name.out" 2>"$work/$name.err"
    status=$?
}

# 1. --help: the usage on standard output, nothing on standard error, status 0, no window.
run_quick help --help
[[ "$status" == "0" ]] || fail "--help: exit status $status"
grep -q '^Usage: vellamora \[LEVEL\]' "$work/help.out" || { fail "--help: no usage"; cat "$work/help.out"; }
grep -q 'Exit status' "$work/help.out" || fail "--help: the exit statuses are not listed"
[[ -s "$work/help.err" ]] && fail "--help: wrote to standard error"
grep -q 'GLFW initialized' "$work/help.out" && fail "--help: started the game"

# 2. --version: one line with the version.
run_quick version --version
[[ "$status" == "0" ]] || fail "--version: exit status $status"
grep -q -x 'vellamora [0-9][0-9.]*' "$work/version.out" || { fail "--version: got"; cat "$work/version.out"; }

# 3. An unknown option and a second level: the problem and the usage on standard error,
# status 2, nothing started.
run_quick unknown --fullscreen
[[ "$status" == "2" ]] || fail "unknown option: exit status $status"
grep -q -x 'vellamora: unknown option --fullscreen' "$work/unknown.err" ||
    { fail "unknown option: no message"; cat "$work/unknown.err"; }
grep -q '^Usage: vellamora' "$work/unknown.err" || fail "unknown option: no usage on standard error"
[[ -s "$work/unknown.out" ]] && fail "unknown option: wrote to standard output"
run_quick two a.txt b.txt
[[ "$status" == "2" ]] || fail "two levels: exit status $status"

# 4. A level named by a path outside the data folder plays: its window, its first frame,
# Escape, status 0.
mkdir -p "$work/levels"
cp "$data/config/config.txt" "$work/levels/my level.txt"
start_game "$data" given "$work/levels/my level.txt"
if window=$(wait_for_window); then
    wait_for_first_frame || { fail "given level: no first frame"; cat "$out"; }
    grep -q 'has no Character' "$out" && fail "given level: not played"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    press_escape
    [[ "$status" == "0" ]] || fail "given level: exit status $status"
else
    fail "given level: no game window appeared"
    cat "$out"
    kill -9 "$pid" 2>/dev/null
fi

# 5. A level that is not there: the file named, nothing to play, status 1.
(cd "$data" && timeout 60 "$game" "$work/no such level.txt") >"$work/missing.out" 2>&1
status=$?
[[ "$status" == "1" ]] || fail "missing level: exit status $status"
grep -q -x "Unable to open file $work/no such level.txt" "$work/missing.out" ||
    { fail "missing level: the file is not named"; cat "$work/missing.out"; }

finish
echo "all command line checks passed"
