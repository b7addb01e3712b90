# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program played once through, read through AT-SPI: each
# exercise opened, one right letter in each drill, one word placed, window
# titles and captions read, and ESCI: status 0 and no line of the program's
# own on stderr, where a lost sound module or Qt translation is reported.
# Run by tests/accessibility/run.sh (X server, window manager, D-Bus).

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
    program.kill()
    sys.exit(1)


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not GLib.MainContext.default().iteration(False):
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


def first(objects, test):
    return next((obj for obj in objects if obj is not None and test(obj)), None)


desktop = pyatspi.Registry.getDesktop(0)
app = until(lambda: first(desktop, lambda obj: obj.name == "Lupreda"), "program on the accessibility bus")


def window(title):
    found = until(lambda: first(app, lambda obj: obj.name == title and obj.getState().contains(
        pyatspi.STATE_SHOWING)), "window titled %r" % title)
    print("window: %s" % title)
    return found


# A caption's own blanks (" ESATTO ") may reach the bus.
def caption(win, start):
    label = until(lambda: first(walk(win), lambda obj: obj.getRole() == pyatspi.ROLE_LABEL
                                and obj.name.strip().startswith(start)), "caption %r in %r" % (start, win.name))
    print("caption: %s" % label.name)


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
    box = until(lambda: first(walk(drill), lambda obj: obj.name == "Risposta"
                              and obj.description.startswith("Lettera ")), "letter asked")
    print("asked: %s" % box.description)
    type_text(answer_of(box.description.split()[1]))
    press("Return")
    caption(drill, "ESATTO")
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


placed = until(lambda: first(walk(words), lambda obj: obj.name == "Parole messe in ordine"
                             and obj.childCount), "word placed")
# Each word says its place after it: "ALBERO, 1 di 1".
if [word.name for word in placed] != ["ALBERO, 1 di 1"]:
    fail("placed %r, not ALBERO alone" % [word.name for word in placed])
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
