#!/usr/bin/python3
"""The panel's side of a StatusNotifierItem: reads the item's menu and clicks its entries.

    sni.py menu ITEM           prints the top-level entries of the item's menu, one a line:
                               the label without mnemonic underscores, "---" for a separator
    sni.py click ITEM LABEL    sends "clicked" to the entry with that label

ITEM is what the item registered with the watcher: a bus name, or a bus name followed by
the object path. The menu is the com.canonical.dbusmenu object named by the item's Menu
property.
"""

import sys

from gi.repository import Gio, GLib

ITEM_PATH = "/StatusNotifierItem"
TIMEOUT_MS = 5000


def call(bus, service, path, interface, method, args, reply):
    return bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply),
                         Gio.DBusCallFlags.NO_AUTO_START, TIMEOUT_MS, None).unpack()


def menu_entries(bus, item):
    service, _, path = item.partition("/")
    path = "/" + path if path else ITEM_PATH
    menu_path = call(bus, service, path, "org.freedesktop.DBus.Properties", "Get",
                     GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", "Menu")), "(v)")[0]
    # A panel asks before it shows the menu, so a menu that is filled late is filled now.
    call(bus, service, menu_path, "com.canonical.dbusmenu", "AboutToShow",
         GLib.Variant("(i)", (0,)), "(b)")
    _, (_, _, children) = call(bus, service, menu_path, "com.canonical.dbusmenu", "GetLayout",
                               GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")
    entries = []
    for entry_id, props, _ in children:
        if not props.get("visible", True):
            continue
        if props.get("type") == "separator":
            label = "---"
        else:
            # "_" marks the mnemonic, "__" is a real underscore.
            label = "\0".join(part.replace("_", "") for part in props.get("label", "").split("__"))
            label = label.replace("\0", "_")
        entries.append((entry_id, label))
    return service, menu_path, entries


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "menu":
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        for _, label in menu_entries(bus, sys.argv[2])[2]:
            print(label)
    elif len(sys.argv) == 4 and sys.argv[1] == "click":
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        service, menu_path, entries = menu_entries(bus, sys.argv[2])
        ids = [entry_id for entry_id, label in entries if label == sys.argv[3]]
        if len(ids) != 1:
            sys.exit("%d entries labelled %r" % (len(ids), sys.argv[3]))
        call(bus, service, menu_path, "com.canonical.dbusmenu", "Event",
             GLib.Variant("(isvu)", (ids[0], "clicked", GLib.Variant("i", 0), 0)), "()")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
