#!/usr/bin/env bash
# The trays of two real desktops: Xfce's panel (its status tray hosts StatusNotifierItems
# and XEmbed icons) and LXQt's (its status notifier hosts StatusNotifierItems only). With
# the panel up first, the icon is drawn in it, a right click on it opens the tray menu with
# its entries in order, and Exit from that menu ends the program with status 0. With the
# panel started 5 s after the program, as at a login, the icon comes with no line and no
# box, and the program then rests.
export E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
source "$E2E_DIR/panels.sh"
# The labels compared below are the English ones.
export LC_ALL=C.UTF-8
unset LANGUAGE
start_desktop
start_session_bus
settings 'TimeZones="Asia/Tokyo"'
expected=$'Time Zones\nSettings\n---\nAbout\n---\nReset View\n---\nExit'

no_complaint() {
    grep -q 'SystemTray is not supported\|TrayIcon could not be added' "$E2E_TMP/vantor.out" &&
        fail "$1: a tray complaint: $(cat "$E2E_TMP/vantor.out")"
    xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name '^Error$' >/dev/null &&
        fail "$1: an error box is shown"
    return 0
}

for panel in xfce lxqt; do
    echo "# $panel: the panel first"
    start_${panel}_panel
    bare=$E2E_TMP/$panel-bare.png
    tray_shot "$bare"
    start_vantor
    wid=$(main_window)
    wait_for 100 tray_drawn "$bare" || fail "$panel: the icon is not drawn in the panel"
    read -r ix iy < <(tray_drawn "$bare")
    item=$(wait_for 100 panel_item && panel_item) || fail "$panel: no item of the program"
    menu=$(/usr/bin/python3 "$E2E_DIR/sni.py" menu "$item") || fail "$panel: no menu on the item"
    [[ $menu == "$expected" ]] || fail "$panel: the tray menu is:"$'\n'"$menu"
    popup=$(open_tray_menu "$ix" "$iy")
    read -r mx my mw mh < <(geometry "$popup")
    # Exit is the last entry: a click in the menu's lowest row.
    xdotool mousemove $((mx + mw / 2)) $((my + mh - 8)) click 1
    expect_clean_exit "$panel: Exit from the tray menu"
    no_complaint "$panel, panel first"

    echo "# $panel: the panel 5 s after the program"
    stop_panel
    wait_for 100 bash -c '! dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q true' ||
        fail "$panel: the watcher outlived its panel"
    start_vantor
    main_window >/dev/null
    no_complaint "$panel, before the panel"
    # A login's order: the panel comes while the program already runs.
    sleep 5
    start_${panel}_panel
    wait_for 150 tray_drawn "$bare" || fail "$panel: no icon from a panel that came late"
    no_complaint "$panel, panel late"
    # At rest once the icon is there.
    expect_idle "$panel late, after the icon came"
    stop_vantor
    stop_panel
done
echo "PASS"
