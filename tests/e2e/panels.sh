# The trays of real desktops for the end-to-end tests: Xfce's panel with its status tray
# (StatusNotifierItems and XEmbed icons) and LXQt's panel with its status notifier
# (StatusNotifierItems only). Source after lib.sh; each panel wants the desktop of
# start_desktop (with E2E_NO_TRAY) and the bus of start_session_bus. The panel stands
# along the top edge, a strip PANEL_HEIGHT pixels high, and its tray is at its left end.
PANEL_HEIGHT=32
PANEL_PID=

# xfce4-panel reads its layout through xfconfd, which the bus starts on the first call and
# which reads the channel file below from the test's own configuration folder.
start_xfce_panel() {
    local dir=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
    mkdir -p "$dir"
    cat >"$dir/xfce4-panel.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="$PANEL_HEIGHT"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF
    run_panel xfce4-panel
}

start_lxqt_panel() {
    mkdir -p "$XDG_CONFIG_HOME/lxqt"
    cat >"$XDG_CONFIG_HOME/lxqt/panel.conf" <<EOF
[General]
panels=panel1

[panel1]
plugins=statusnotifier
position=Top
panelSize=$PANEL_HEIGHT
alignment=-1
width=100
width-percent=true

[statusnotifier]
type=statusnotifier
EOF
    run_panel lxqt-panel
}

# Starts panel $1 and waits until it is up.
run_panel() {
    "$1" >"$E2E_TMP/panel.log" 2>&1 &
    PANEL_PID=$!
    E2E_PIDS+=($PANEL_PID)
    wait_for 300 panel_up || fail "$1 did not start: $(cat "$E2E_TMP/panel.log")"
}

# The panel is up once its window is mapped and its tray hosts items on the bus.
panel_up() {
    xdotool search --onlyvisible --pid "$PANEL_PID" >/dev/null &&
        dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
            /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
            string:org.kde.StatusNotifierWatcher string:IsStatusNotifierHostRegistered |
        grep -q 'boolean true'
}

stop_panel() {
    kill "$PANEL_PID" 2>/dev/null || true
    wait "$PANEL_PID" 2>/dev/null || true
    PANEL_PID=
}

# The tray's end of the panel, as it is drawn now, into file $1.
tray_shot() { import -window root -crop 160x${PANEL_HEIGHT}+0+0 +repage "$1"; }

# Prints "x y" of the middle of what was drawn in the tray since shot $1, and fails if
# nothing was.
tray_drawn() {
    local now=$E2E_TMP/tray-now.png diff=$E2E_TMP/tray-diff.png pixels box
    tray_shot "$now"
    pixels=$(compare -metric AE "$1" "$now" "$diff" 2>&1 >/dev/null) || true
    ((${pixels%% *} > 0)) || return 1
    # The changed pixels' box, "WxH+X+Y".
    box=$(compare "$1" "$now" -compose src -highlight-color white -lowlight-color black \
        -format '%@\n' info: 2>/dev/null | head -1) || true
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
    echo "$((BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $((BASH_REMATCH[4] + BASH_REMATCH[2] / 2))"
}

# The item the program registered with the panel's watcher ("service/path"), once there.
panel_item() {
    local items
    items=$(dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher \
        /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems) || return 1
    local item owner
    for item in $(tr -s ' ' '\n' <<<"$items" | grep '^:'); do
        owner=$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
            "string:${item%%/*}" | awk '{print $NF}')
        [[ $owner == "$VANTOR_PID" ]] && { echo "$item"; return 0; }
    done
    return 1
}

# Visible top-level windows on the display, one id a line.
shown_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }

# Right-clicks the icon at "$1 $2" as a person does and prints the id of the menu window
# the panel opened: a window that was not shown before the click.
open_tray_menu() {
    local before menu=
    before=$(shown_windows)
    xdotool mousemove "$1" "$2" click 3
    new_window() {
        local id w h
        for id in $(comm -13 <(echo "$before") <(shown_windows)); do
            read -r _ _ w h < <(geometry "$id")
            ((w * h > 22 * 22)) && { echo "$id"; return 0; }
        done
        return 1
    }
    wait_for 50 new_window || fail "no menu after a right click on the icon"
    new_window
}
