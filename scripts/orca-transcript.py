# SPDX-License-Identifier: GPL-3.0-or-later
# Run by scripts/orca-transcript, on the accessibility test's private desktop:
# a silent sound server for speech, Orca started in Italian, then the program; the word window opened from the chooser, a list
# drawn by F5 and put in order by F6, Ctrl+Down and Space, slowly enough for
# every sentence to be said. The words to reach are read through AT-SPI; what
# is printed is what Orca sent to speech, after the key that made it.
import datetime
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

PROGRAM, SCRATCH = sys.argv[1], sys.argv[2]
DEBUG_LOG = os.path.join(SCRATCH, "orca.debug")
keys = []


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not GLib.MainContext.default().iteration(False):
            time.sleep(0.02)


def press(key, wait=2.5):
    keys.append((datetime.datetime.now().strftime("%H:%M:%S.%f"), key))
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
    pump(wait)


def walk(obj):
    yield obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def spoken():
    """Orca's debug log: 'HH:MM:SS.micro - SPEECH OUTPUT: 'words'{...}'."""
    with open(DEBUG_LOG, errors="replace") as log:
        return [match.groups() for match in
                (re.match(r"(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*)'\s*\{", line) for line in log) if match]


# Speech goes to a sound server of this desktop's own.
sound_server = os.path.join(SCRATCH, "pulse")
pulse = subprocess.Popen(["bash", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support",
                                               "pulseaudio.sh"), sound_server],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
os.environ["PULSE_SERVER"] = "unix:" + sound_server
for _ in range(100):
    if os.path.exists(sound_server):
        break
    time.sleep(0.1)
italian = dict(os.environ, LANG="it_IT.UTF-8", LANGUAGE="it", LC_ALL="it_IT.UTF-8")
orca = subprocess.Popen(["orca", "--replace", "--disable", "braille", "--user-prefs", os.path.join(SCRATCH, "orca"),
                         "--debug-file", DEBUG_LOG], env=italian,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
pump(8)
program = subprocess.Popen([PROGRAM], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
pump(6)
try:
    app = next(obj for obj in pyatspi.Registry.getDesktop(0) if obj is not None and obj.name == "Lupreda")
    for key in ("Tab", "Down", "space"):   # Tab lands on the second exercise: on to the third, and open it
        press(key)
    press("F5", 8)
    window = next(obj for obj in app if obj.name == "ORDINAMENTO ALFABETICO")
    pool = next(obj for obj in walk(window) if obj.name == "Parole da ordinare")
    remaining = [pool.getChildAtIndex(i).name.split(", ")[0] for i in range(pool.childCount)]
    for wanted in sorted(remaining, key=str.lower):
        press("F6")
        for _ in range(remaining.index(wanted)):
            press("ctrl+Down")
        press("space", 5)
        remaining.remove(wanted)
finally:
    program.terminate()
    orca.terminate()
    try:
        orca.wait(5)
    except subprocess.TimeoutExpired:
        orca.kill()
    # speech-dispatcher and its module outlive their client.
    subprocess.run(["pkill", "-f", os.path.join(SCRATCH, "run", "speech-dispatcher")])
    pulse.terminate()

said = spoken()
for when, what in sorted([(when, "  " + words) for when, words in said] + [(when, "[%s]" % key) for when, key in keys]):
    print(what)
