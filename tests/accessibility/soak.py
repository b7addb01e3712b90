# SPDX-License-Identifier: GPL-3.0-or-later
"""The monkey (argv[1]) on the desktop run.sh provides, with a client registered for every AT-SPI
event that reads each focus move, as Orca does. Fails on a crash, a sanitizer's report or an
"Accessible invalid" line (an object announced that cannot be read back)."""
import os, subprocess, sys, time  # noqa: E401
import pyatspi
from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
for switch in ("IsEnabled", "ScreenReaderEnabled"):
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", switch, GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, -1, None)
count = {"heard": 0, "read": 0, "gone": 0}


def heard(event):
    count["heard"] += 1
    if event.type.startswith("object:state-changed:focused") and event.detail1 and monkey.poll() is None:
        try:
            event.source.getRoleName(), event.source.name, event.source.getState()
            count["read"] += 1
        except Exception:  # noqa: BLE001  (gone by the time a client this far behind asks)
            count["gone"] += 1


for kind in ("object:", "window:", "focus:"):
    pyatspi.Registry.registerEventListener(heard, kind)
log = os.path.join(sys.argv[2], "program-soak.log")
monkey = subprocess.Popen([sys.argv[1]], stdout=open(log, "w"), stderr=subprocess.STDOUT,
                          env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QTEST_FUNCTION_TIMEOUT="1800000"))
while monkey.poll() is None:
    if not GLib.MainContext.default().iteration(False):
        time.sleep(0.005)
output = open(log, errors="replace").read()
print("\n".join(line for line in output.splitlines() if line.startswith("monkey:")))
print("client: %(heard)d events heard, %(read)d focus moves read, %(gone)d gone before it read them" % count)
if monkey.returncode != 0 or "Accessible invalid" in output or not count["heard"]:
    sys.exit("FAIL: status %d, %d 'Accessible invalid' lines\n%s" % (monkey.returncode,
             output.count("Accessible invalid"), output[-4000:]))
