#!/usr/bin/env bash
# Starts an installed vellumatic the way a new user would: a fresh home, no data folder yet.
# Checks that the per-user data folder is made from the installed sample catalogue, that the
# status bar names it, that a value typed and added lands in its Values.app, and that a
# second start keeps it. The user is played by the vellumatic-user plugin (tests/desktop/driver),
# so the program itself runs unchanged.
#   installed-program.sh PROGRAM SAMPLE_FOLDER DRIVER_PLUGIN_PATH
set -euo pipefail
export LC_ALL=C # the table files are Windows-1252, not UTF-8
program="$1" sample="$2" plugins="$3"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

run_as_new_user() {
    local task="$1"
    shift
    env -i PATH="$PATH" HOME="$home" QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH="$plugins" \
        QT_QPA_GENERIC_PLUGINS="vellumatic-user:$task" timeout 60 "$program" "$@" 2>&1
}

data="$home/.local/share/Vellumatic/Data"
value="Invoice$RANDOM"
out="$(run_as_new_user "add-value=$value")" || fail "the program failed: $out"
echo "$out"
grep -qx "panel: $data" <<<"$out" || fail "the status bar does not name $data"
grep -qx "added: $value" <<<"$out" || fail "the value was not added"
for file in "$sample"/*; do
    name="$(basename "$file")"
    [[ "$name" == Values.app ]] && continue
    cmp -s "$file" "$data/$name" || fail "$name was not copied from the sample"
done
grep -q "|$value|" "$data/Values.app" || fail "$value is not in $data/Values.app"
grep -qF "$(head -c 40 "$sample/Values.app")" "$data/Values.app" || fail "the sample values were lost"

# A second start opens the same folder and keeps what was added.
out="$(run_as_new_user shown)" || fail "the second start failed: $out"
grep -qx "panel: $data" <<<"$out" || fail "the second start did not open $data"
grep -q "|$value|" "$data/Values.app" || fail "the second start lost $value"
# A double-click on the launcher at first start: copies starting together all open the one folder.
home="$home/impatient"
mkdir "$home"
for i in 1 2 3 4; do run_as_new_user shown >"$home/start$i.out" & done
wait
for i in 1 2 3 4; do
    grep -qx "panel: $home/.local/share/Vellumatic/Data" "$home/start$i.out" \
        || fail "start $i of 4 at once did not open the data folder: $(cat "$home/start$i.out")"
done
[[ -z "$(ls -A "$home/.local/share/Vellumatic" | grep -v '^Data$')" ]] || fail "copies at once left staging folders"

# A folder that holds something else is refused with a message, not opened as an empty tree.
mkdir "$home/photos"
echo jpeg >"$home/photos/holiday.jpg"
if out="$(run_as_new_user shown --data "$home/photos")"; then fail "opened a folder without a catalogue: $out"; fi
grep -q "^message: The folder \"$home/photos\" holds no catalogue" <<<"$out" || fail "no clear message: $out"
[[ "$(ls "$home/photos")" == holiday.jpg ]] || fail "the refused folder was changed"
echo "PASS"
