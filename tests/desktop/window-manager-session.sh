# Sourced by the window-manager tests: a private X screen with openbox, a private home, and the
# real program on a copy of the shipped Data folder, driven with xdotool as a user drives it.
# The vellumatic-user plugin (tests/desktop/driver) only reports where the controls are.
#   session_start WxH    start Xvfb and openbox             program_start / program_close
#   window_geometry      "X Y W H" of the frame, as the screen shows it
set -euo pipefail
export LC_ALL=C # the table files are Windows-1252, not UTF-8

fail() {
    echo "FAIL: $*" >&2
    # What the screen showed when it failed, beside the other pictures.
    [[ -n "${DISPLAY:-}" && -n "${shots:-}" ]] && import -window root "$shots/failed.png" 2>/dev/null
    [[ -n "${wm_pid:-}" ]] && ! kill -0 "$wm_pid" 2>/dev/null && echo "openbox had ended: $(cat "$session/openbox.log")" >&2
    exit 1
}

# Missing tools skip the test at a desk, and fail it in CI, where they must be installed.
for tool in Xvfb openbox xdotool xprop xwininfo import; do
    if ! command -v "$tool" >/dev/null; then
        [[ "${CI:-}" == true ]] && fail "$tool is not installed"
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

session="$(mktemp -d)"
xvfb_pid="" wm_pid="" app_pid=""
cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$session"
}
trap cleanup EXIT

# Polls COMMAND every 50 ms until it succeeds, for at most SECONDS (a fraction is fine).
wait_for() {
    local seconds="$1"
    shift
    local tries
    tries="$(awk -v s="$seconds" 'BEGIN {print int(s * 20)}')"
    until "$@" >/dev/null 2>&1; do
        ((--tries > 0)) || return 1
        sleep 0.05
    done
}

wm_running() { xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q window; }

# Starts Xvfb on a display no server answers on yet: other programs on this machine may run X
# servers whose lock files this one cannot see, so the number is random and checked, and the
# server that answers must be ours, at the size asked.
start_x_server() {
    local number
    for _ in $(seq 10); do
        number=$((RANDOM % 5000 + 1000))
        DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1 && continue
        Xvfb ":$number" -screen 0 "${screen_size}x24" -nolisten tcp 2>"$session/xvfb.log" &
        xvfb_pid=$!
        export DISPLAY=":$number"
        if wait_for 10 xdotool getdisplaygeometry && kill -0 "$xvfb_pid" 2>/dev/null \
            && [[ "$(xdotool getdisplaygeometry)" == "${screen_size/x/ }" ]]; then
            return 0
        fi
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    done
    fail "Xvfb did not start: $(cat "$session/xvfb.log")"
}

session_start() {
    screen_size="$1"
    start_x_server
    home="$session/home"
    mkdir -p "$home"
    # Its own home too: openboxes of tests running at once share no files.
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" \
        openbox --sm-disable >"$session/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for 10 wm_running && kill -0 "$wm_pid" 2>/dev/null || fail "openbox did not start: $(cat "$session/openbox.log")"
    screen_width="${screen_size%x*}" screen_height="${screen_size#*x}"
    data="$session/Data"
    cp -r "$source_data" "$data"
}

# The shown top-level window whose title matches the pattern TITLE; the main window carries the
# workspace's name.
main_title="^Vellumatic( - .*)?$"
find_window() {
    local id
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)"
    [[ -n "$id" ]] && echo "$id"
}

program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

program_launch() {
    rm -f "$session/report"
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=xcb QT_PLUGIN_PATH="$plugins" \
        QT_QPA_GENERIC_PLUGINS="vellumatic-user:report=$session/report" \
        "$program" --data "$data" >>"$session/program.log" 2>&1 &
    app_pid=$!
}

program_start() {
    program_launch
    # On a loaded machine a window has been seen never to map; said, and started once more.
    if ! wait_for 15 test -s "$session/report"; then
        take_screenshot no-main-window
        echo "the main window did not show within 15 s; starting again" >&2
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
        program_launch
        wait_for 30 test -s "$session/report" || fail "the main window did not show: $(cat "$session/program.log")"
    fi
    wait_for 10 find_window "$main_title" || fail "no window titled Vellumatic"
    window="$(find_window "$main_title")"
    settle
}

# Closes the main window as a user does, with the window manager's close (Alt+F4 in openbox),
# so the program's own close runs; waits for it to end.
program_close() {
    # Asked again when a busy machine lets a key go by before the window has the focus.
    local asked=0
    while kill -0 "$app_pid" 2>/dev/null; do
        ((asked++ < 5)) || { take_screenshot not-closed; fail "the program did not end after Alt+F4"; }
        xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 2>/dev/null || true
        wait_for 3 program_ended || true
    done
    wait "$app_pid" || fail "the program failed: $(cat "$session/program.log")"
    app_pid=""
}

# The frame: the client window's place less the frame extents openbox sets.
window_geometry() {
    local info x y w h extents left right top bottom
    info="$(xwininfo -id "$1")"
    x="$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")"
    y="$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")"
    w="$(awk '/^ *Width:/ {print $2}' <<<"$info")"
    h="$(awk '/^ *Height:/ {print $2}' <<<"$info")"
    extents="$(xprop -id "$1" -notype _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ,)"
    read -r left right top bottom <<<"${extents:-0 0 0 0}"
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Waits until the main window's frame has kept still for STILL checks (10 unless told), 50 ms apart.
settle() {
    local last="" same=0 now tries=100 still="${1:-10}"
    while ((same < still)); do
        ((--tries > 0)) || fail "the window kept moving: $last"
        now="$(window_geometry "$window")"
        if [[ "$now" == "$last" ]]; then ((++same)); else same=0 last="$now"; fi
        sleep 0.05
    done
}

# True when the frame "X Y W H" lies wholly on the screen.
on_screen() {
    local x y w h
    read -r x y w h <<<"$1"
    ((x >= 0 && y >= 0 && x + w <= screen_width && y + h <= screen_height))
}

stored_geometry() {
    local conf="$home/.config/Vellumatic/Vellumatic.conf"
    [[ -f "$conf" ]] || return 0
    for key in MainLeft MainTop MainWidth MainHeight; do
        sed -n "s/^$key=//p" "$conf"
    done | paste -sd ' '
}

# The report line of control NAME: "X Y W H" in screen pixels, empty when it is not shown.
control_rect() {
    awk -v name="$1" '$1 == "control" && $2 == name {print $3, $4, $5, $6; exit}' "$session/report"
}

menu_rect() {
    awk -v name="$1" '$1 == "menu" && $2 == name {print $3, $4, $5, $6; exit}' "$session/report"
}

click_rect() {
    local x y w h
    read -r x y w h <<<"$1"
    xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
}

modal_open() { grep -q '^modal ' "$session/report"; }
no_modal() { ! modal_open; }
shown() { [[ -n "$(control_rect "$1")" ]]; }

take_screenshot() {
    import -window root "$shots/$1.png"
}
