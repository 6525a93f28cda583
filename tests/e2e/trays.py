#!/usr/bin/python3
"""Trays that do not take a program's icon, to see how the program copes.

    trays.py xembed ignore     owns the XEmbed tray selection of $DISPLAY and never embeds
    trays.py xembed vanish     owns it and exits on the first dock request
    trays.py watcher refuse    org.kde.StatusNotifierWatcher on the session bus, with a host,
                               that answers every RegisterStatusNotifierItem with an error
    trays.py watcher accept    the same, but it lists the item as a real watcher does

Prints "ready" once it can be asked, then one line per request ("dock 0x..." or
"refused :1.5" / "registered :1.5"). Runs until it is killed.
"""

import sys

SYSTEM_TRAY_REQUEST_DOCK = 0


def xembed(mode):
    from Xlib import X, Xatom, display
    from Xlib.protocol import event

    dpy = display.Display()
    screen = dpy.screen()
    selection = dpy.intern_atom("_NET_SYSTEM_TRAY_S%d" % dpy.get_default_screen())
    opcode = dpy.intern_atom("_NET_SYSTEM_TRAY_OPCODE")
    owner = screen.root.create_window(-1, -1, 1, 1, 0, screen.root_depth,
                                      event_mask=X.StructureNotifyMask)
    owner.change_property(dpy.intern_atom("_NET_SYSTEM_TRAY_ORIENTATION"), Xatom.CARDINAL,
                          32, [0])
    owner.set_selection_owner(selection, X.CurrentTime)
    if dpy.get_selection_owner(selection) != owner:
        sys.exit("another tray owns the selection")
    # Clients that started before the tray learn of it from this message.
    announce = event.ClientMessage(window=screen.root, client_type=dpy.intern_atom("MANAGER"),
                                   data=(32, [X.CurrentTime, selection, owner.id, 0, 0]))
    screen.root.send_event(announce, event_mask=X.StructureNotifyMask)
    dpy.flush()
    print("ready", flush=True)
    while True:
        ev = dpy.next_event()
        if (ev.type == X.ClientMessage and ev.client_type == opcode
                and ev.data[1][1] == SYSTEM_TRAY_REQUEST_DOCK):
            print("dock 0x%x" % ev.data[1][2], flush=True)
            if mode == "vanish":
                owner.destroy()
                dpy.flush()
                return


WATCHER_XML = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>
"""


def watcher(mode):
    from gi.repository import Gio, GLib

    interface = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML).interfaces[0]
    items = []
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def on_call(connection, sender, path, iface, method, params, invocation):
        if method != "RegisterStatusNotifierItem":
            invocation.return_value(None)
            return
        service = params.unpack()[0]
        if service.startswith("/"):
            service = sender + service
        if mode == "refuse":
            print("refused", service, flush=True)
            invocation.return_dbus_error("org.kde.StatusNotifierWatcher.Error.Refused",
                                         "no room for more items")
            return
        items.append(service)
        print("registered", service, flush=True)
        invocation.return_value(None)
        connection.emit_signal(None, path, iface, "StatusNotifierItemRegistered",
                               GLib.Variant("(s)", (service,)))

    def on_property(connection, sender, path, iface, name):
        return {
            "RegisteredStatusNotifierItems": GLib.Variant("as", items),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0),
        }[name]

    bus.register_object("/StatusNotifierWatcher", interface, on_call, on_property, None)
    loop = GLib.MainLoop()

    def on_name(connection, name):
        print("ready", flush=True)

    def on_name_lost(connection, name):
        sys.exit("could not own " + name)

    Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher",
                                   Gio.BusNameOwnerFlags.DO_NOT_QUEUE, on_name, on_name_lost)
    loop.run()


if __name__ == "__main__":
    if len(sys.argv) != 3 or (sys.argv[1], sys.argv[2]) not in {
            ("xembed", "ignore"), ("xembed", "vanish"), ("watcher", "refuse"),
            ("watcher", "accept")}:
        sys.exit(__doc__)
    {"xembed": xembed, "watcher": watcher}[sys.argv[1]](sys.argv[2])
