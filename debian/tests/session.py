# SPDX-License-Identifier: GPL-3.0-or-later
"""The installed program played once through, read through AT-SPI.

Opens each exercise, answers one letter right in each drill, places one word,
reads each window's title and a caption, and ends the program from its
chooser: it must exit with status 0 and without a line of its own on
standard error (a lost sound module or Qt translation is reported there).
Run by tests/accessibility/run.sh, which provides the X server, the window
manager and the D-Bus session.
"""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402  (importing it starts the accessibility bus)

PROGRAM, SCRATCH = sys.argv[1], sys.argv[2]
WAIT = 20.0
log_name = os.path.join(SCRATCH, "program-1.log")
# As under a screen reader: the program joins the bus from the start.
program = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=open(log_name, "w"),
                           env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))


def fail(message):
    print("FAIL: " + message)
    if program.poll() is None:
        program.kill()
    sys.exit(1)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.02)


def walk(obj):
    yield obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def until(find, what):
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        pump(0.2)
    fail("no " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "Lupreda":
            return child
    return None


app = until(application, "program on the accessibility bus")


def window(title):
    def find():
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.name == title and child.getState().contains(pyatspi.STATE_SHOWING):
                return child
        return None
    found = until(find, "window titled %r" % title)
    print("window: %s" % title)
    return found


def caption(win, test, what):
    def find():
        for obj in walk(win):
            if obj.getRole() == pyatspi.ROLE_LABEL and obj.getState().contains(pyatspi.STATE_SHOWING) \
                    and test(obj.name):
                return obj.name
        return None
    text = until(find, what + " in %r" % win.name)
    print("caption: %s" % text)
    return text


def press(*keys):
    for key in keys:
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
        pump(0.2)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)
    pump(0.2)


def right_answer(title, answer_of):
    press("alt+n")
    drill = window(title)
    # The letter asked, as the answer box tells it: "Lettera B maiuscola. ..."
    box = until(lambda: next((obj for obj in walk(drill) if obj.name == "Risposta"
                              and obj.description.startswith("Lettera ")), None), "letter asked")
    shown = box.description.split()[1]
    print("asked: %s" % box.description)
    type_text(answer_of(shown))
    press("Return")
    caption(drill, lambda name: name.startswith("ESATTO"), "ESATTO after the right answer")
    press("Return", "Escape")
    window("LUPREDA")


chooser = window("LUPREDA")
press("Tab", "Up", "space")
right_answer("RICONOSCERE LE LETTERE DELL'ALFABETO", lambda letter: letter)
press("Down", "space")
right_answer("METTERE IN SEQUENZA LE LETTERE DELL'ALFABETO", lambda letter: chr(ord(letter) + 1))

press("Down", "space")
words = window("ORDINAMENTO ALFABETICO")
type_text("albero")
press("Return", "Tab", "Tab", "Tab", "Down")


def placed():
    for obj in walk(words):
        if obj.getRole() == pyatspi.ROLE_LIST and obj.name == "Parole messe in ordine" and obj.childCount:
            return [obj.getChildAtIndex(i).name for i in range(obj.childCount)]
    return None


if until(placed, "word placed") != ["ALBERO"]:
    fail("placed %r, not ALBERO" % placed())
print("placed: ALBERO")
press("Escape")
window("LUPREDA")

press("Escape")
try:
    status = program.wait(WAIT)
except subprocess.TimeoutExpired:
    fail("the program is still running after ESCI")
with open(log_name) as log:
    own = [line for line in log if line.startswith("lupreda")]
if status != 0 or own:
    fail("the program ended with status %d, saying:\n%s" % (status, "".join(own)))
print("PASS: every exercise opened and answered, clean exit")
