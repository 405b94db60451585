#!/usr/bin/env bash
# Ten starts and closes under openbox: the stored and the shown frame stay the same and on the
# screen, from the first start's placement on, and a stored frame too big for the screen is
# fitted to it and then kept.
#   window-manager-geometry.sh PROGRAM DATA_FOLDER DRIVER_PLUGIN_PATH WxH SCREENSHOT_FOLDER
program="$1" source_data="$2" plugins="$3" shots="$5"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/window-manager-session.sh"
session_start "$4"

ten_starts() {
    local first_shown="" first_stored="" shown stored
    for start in $(seq 10); do
        program_start
        shown="$(window_geometry "$window")"
        on_screen "$shown" || fail "start $start: the frame $shown is off the ${screen_size} screen"
        [[ -z "$first_shown" || "$shown" == "$first_shown" ]] \
            || fail "start $start: shown at $shown, the first start at $first_shown"
        first_shown="$shown"
        ((start == 1)) && take_screenshot "geometry-$screen_size-$1"
        program_close
        stored="$(stored_geometry)"
        [[ -z "$first_stored" || "$stored" == "$first_stored" ]] \
            || fail "start $start: stored $stored, after the first start $first_stored"
        first_stored="$stored"
    done
    echo "$1: shown $first_shown, stored $first_stored (twips) after ten starts"
}

ten_starts first-start
# Stored on a bigger screen: fitted to this one, then kept.
conf="$home/.config/Vellumatic/Vellumatic.conf"
sed -i -e 's/^MainLeft=.*/MainLeft=3000/' -e 's/^MainTop=.*/MainTop=-600/' \
    -e "s/^MainWidth=.*/MainWidth=$((screen_width * 30))/" -e "s/^MainHeight=.*/MainHeight=$((screen_height * 30))/" "$conf"
ten_starts too-big
echo PASS
