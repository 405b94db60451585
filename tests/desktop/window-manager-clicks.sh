#!/usr/bin/env bash
# At 800x600 under openbox: a click on every control and every menu keeps the window as wide
# as it started and wholly on the screen; the help window opens on the screen; and template
# text dragged onto the value tree (a drag that offers a move) is added as values while the
# template pane and its body keep it.
#   window-manager-clicks.sh PROGRAM DATA_FOLDER DRIVER_PLUGIN_PATH SCREENSHOT_FOLDER
program="$1" source_data="$2" plugins="$3" shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/window-manager-session.sh"
session_start 800x600
program_start
started="$(window_geometry "$window")"
on_screen "$started" || fail "the first start is off the screen: $started"

# After each click: a window that opened over the main window is closed with Escape, and the
# frame must be the one the program started with.
check_frame() {
    local what="$1" now
    for _ in 1 2 3; do
        wait_for 0.4 modal_open || break
        xdotool key Escape
        sleep 0.2
    done
    settle 3
    now="$(window_geometry "$window")"
    [[ "$now" == "$started" ]] || { take_screenshot widened; fail "after $what the frame is $now, at start $started"; }
}

click_tab() {
    local x y w h
    read -r x y w h <<<"$(control_rect "$1")"
    xdotool mousemove --sync $((x + (2 * $2 + 1) * w / 4)) $((y + h / 2)) click 1
}

controls=(catalogueTabs templateFilter templateNameBox templateTree addTemplateButton removeTemplateButton
          paneTabs templatePane compactStyle resultPane runButton valueFilter valueNameBox valueTree fieldsList
          addValueButton removeValueButton importButton statusPanel datePanel timePanel)
clicked=0
for pass in templates values; do
    # The tab strips: the first tab of each on the first pass, the second on the next.
    for tabs in catalogueTabs paneTabs; do
        click_tab "$tabs" "$([[ "$pass" == templates ]] && echo 0 || echo 1)"
        check_frame "a click on $tabs ($pass)"
    done
    for name in "${controls[@]}"; do
        rect="$(control_rect "$name")"
        [[ -n "$rect" ]] || continue
        click_rect "$rect"
        ((++clicked))
        check_frame "a click on $name"
    done
done
((clicked >= 25)) || fail "only $clicked controls were shown to click"
for menu in File Edit View Help; do
    click_rect "$(menu_rect "$menu")"
    wait_for 2 grep -q "^menu Exit \|^menu Undo \|^menu StatusBar \|^menu Contents " "$session/report"
    xdotool key Escape
    check_frame "the $menu menu"
done
take_screenshot clicked-through

# Help > Contents: the help window's frame, close box and all, is on the screen.
click_rect "$(menu_rect Help)"
wait_for 2 grep -q "^menu Contents " "$session/report" || fail "the Help menu did not open"
click_rect "$(menu_rect Contents)"
wait_for 10 find_window "Vellumatic Help" || fail "the help window did not open"
help="$(find_window "Vellumatic Help")"
sleep 0.5
help_frame="$(window_geometry "$help")"
take_screenshot help
on_screen "$help_frame" || fail "the help window's frame $help_frame is off the screen"
xdotool windowactivate --sync "$help" key --clearmodifiers alt+F4
wait_for 5 test -z "$(find_window "Vellumatic Help")" || fail "the help window did not close"
check_frame "the help window"

# The first template into the pane, the value list beside it.
click_tab catalogueTabs 0
click_tab paneTabs 0
click_rect "$(control_rect templateTree | awk '{print $1, $2, $3, 40}')"
xdotool key Home Down
wait_for 5 awk '$1 == "chars" && $2 == "templatePane" && $3 > 0 {found = 1} END {exit !found}' "$session/report" \
    || fail "the first template did not load"
pane_chars="$(awk '$1 == "chars" && $2 == "templatePane" {print $3}' "$session/report")"
body="$data/TMP_key2" # the first template, "Comma-separated field list"
cp "$body" "$session/body-before"
values_before="$(tr '\261' '\n' <"$data/Values.app" | wc -l)"
click_tab catalogueTabs 1
click_tab paneTabs 0
wait_for 5 shown valueTree || fail "the value tree did not show"
wait_for 5 shown templatePane || fail "the template pane did not show"

# Select "$Field!" in "[($Field!|1|n)...", press on it and drag it onto the value tree.
click_rect "$(control_rect templatePane)"
xdotool key ctrl+Home Right Right shift+Right shift+Right shift+Right shift+Right shift+Right shift+Right shift+Right
sleep 0.2
read -r from_x from_y <<<"$(awk '$1 == "caret" && $2 == "templatePane" {print $3, $4}' "$session/report")"
read -r x y w h <<<"$(control_rect valueTree)"
to_x=$((x + w / 2)) to_y=$((y + h / 2))
xdotool mousemove --sync "$from_x" "$from_y" mousedown 1
for step in $(seq 1 12); do
    xdotool mousemove --sync $((from_x + (to_x - from_x) * step / 12)) $((from_y + (to_y - from_y) * step / 12))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
wait_for 10 modal_open || { take_screenshot no-split-question; fail "the drop did not ask for the split character"; }
take_screenshot split-question
xdotool key Return # the offered split character, a comma
wait_for 5 no_modal || { take_screenshot after-split; fail "a window stayed open after the split question"; }
sleep 0.5
take_screenshot dropped
now_chars="$(awk '$1 == "chars" && $2 == "templatePane" {print $3}' "$session/report")"
[[ "$now_chars" == "$pane_chars" ]] || fail "the template pane held $pane_chars characters before the drop, $now_chars after"
values_after="$(tr '\261' '\n' <"$data/Values.app" | wc -l)"
((values_after > values_before)) || fail "the dropped text added no values"
check_frame "the drop"
program_close
cmp -s "$session/body-before" "$body" || fail "the template's body changed after a drop from it"
echo "clicked $clicked controls; the drop added $((values_after - values_before)) values and kept the template"
echo PASS
