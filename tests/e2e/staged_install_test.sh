#!/usr/bin/env bash
# The game as installed: `cmake --install` staged under DESTDIR with the prefix /usr,
# then the staged game started from an unrelated folder with nothing to tell it where it
# lies. It must find its data beside itself, draw the shipped level (the lit flame in
# the middle of the window) and quit with 0 on Escape; the staged checker must find the
# shipped level too.
#   staged_install_test.sh <build folder>
set -u
build=$1
work=$(mktemp -d)
# KEEP=1 keeps the scratch folder (the staged tree, the picture, the output) to look at.
trap '[[ -n ${KEEP:-} ]] || rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

stage=$work/stage
if ! DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install did not stage the game"
    exit 1
fi
for installed in usr/bin/vellamora usr/bin/vellamora-levelcheck \
    usr/share/vellamora/config/config.txt usr/share/vellamora/shader/simple_shader.vert \
    usr/share/applications/vellamora.desktop usr/share/man/man6/vellamora.6.gz \
    usr/share/icons/hicolor/256x256/apps/vellamora.png; do
    [[ -f "$stage/$installed" ]] || fail "not installed: /$installed"
done
desktop-file-validate "$stage/usr/share/applications/vellamora.desktop" ||
    fail "the desktop entry is not valid (above)"

# Started from a folder that holds no game data, with no argument.
mkdir "$work/elsewhere"
game=$stage/usr/bin/vellamora
start_game "$work/elsewhere" staged
need_window
wait_for_first_frame || { fail "the staged game drew no first frame"; cat "$out"; }
grep -q 'Unable to open file' "$out" && { fail "the staged game missed a file:"; grep 'Unable' "$out"; }
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
shot staged
flame=$(share_where "$work/staged.png" 160x320+432+160 "r > 0.85")
above "$flame" 0.02 || fail "no flame in the middle of the staged game's picture (bright share $flame)"
press_escape
[[ "$status" == "0" ]] || fail "the staged game: exit status $status"
[[ $(ls -A "$work/elsewhere") == "" ]] || fail "the game wrote into the folder it was started in"

# The staged checker, from the same folder, with no argument: the shipped level.
report=$(cd "$work/elsewhere" && "$stage/usr/bin/vellamora-levelcheck")
status=$?
[[ $status -eq 0 && $(tail -n 1 <<<"$report") == "config/config.txt: 0 errors, 0 warnings" ]] ||
    fail "the staged levelcheck: status $status: $report"

finish
echo "the staged install plays from an unrelated folder"
