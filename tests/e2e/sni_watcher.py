# A StatusNotifierItem tray for the tests: a StatusNotifierWatcher with a
# host on the session bus. Prints the name of each item that registers.
from gi.repository import Gio, GLib

XML = """<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
</interface></node>"""


def on_call(connection, sender, path, interface, method, arguments, invocation):
    print(arguments[0], flush=True)
    invocation.return_value(None)


def on_bus(connection, name):
    connection.register_object("/StatusNotifierWatcher", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], on_call,
                               lambda *_: GLib.Variant("b", True), None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.kde.StatusNotifierWatcher", 0, on_bus, None, None)
GLib.MainLoop().run()
