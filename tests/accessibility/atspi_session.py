# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays Lupreda through AT-SPI, as a pupil with a screen reader would.

Real keys go to the real program on a private X server; what reaches the
screen reader is read with pyatspi at the moment it arrives: the control the
focus arrives at (role, name, description) and the notifications the windows
show. Run by run.sh, which provides the X server, the window manager and the
D-Bus session.
"""

import atexit
import os
import re
import subprocess
import sys
import time

PROGRAM, SCRATCH = sys.argv[1], sys.argv[2]
WAIT = 15.0
PLACEHOLDERS = {"Text1", "Text2", "List1", "List2", "List3", "Label9", "Label10", "MMControl1"}
runs = 0


def start_program():
    global runs
    runs += 1
    log = open(os.path.join(SCRATCH, "program-%d.log" % runs), "w")
    process = subprocess.Popen([PROGRAM], stdout=log, stderr=subprocess.STDOUT)
    # However the script ends, no program is left behind.
    atexit.register(stop_program, process)
    return process


def stop_program(process):
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


# The first run starts before anything has asked for the accessibility bus:
# the screen reader comes later, as when it is switched on during a lesson.
late = start_program()
time.sleep(2)

import gi  # noqa: E402  (importing pyatspi starts the accessibility bus)

gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

context = GLib.MainContext.default()
session = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def status_call(method, arguments):
    return session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", method,
                             arguments, None, Gio.DBusCallFlags.NONE, -1, None)


# The switches the bus offers: at-spi2-core 2.62 has no ScreenReaderEnabled,
# and there IsEnabled is what a screen reader sets as it comes up.
SWITCHES = status_call("GetAll", GLib.Variant("(s)", ("org.a11y.Status",))).unpack()[0]
SCREEN_READER = "ScreenReaderEnabled" if "ScreenReaderEnabled" in SWITCHES else "IsEnabled"


def set_status(switch, on):
    if switch in SWITCHES:
        status_call("Set", GLib.Variant("(ssv)", ("org.a11y.Status", switch, GLib.Variant("b", on))))


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.01)


def program_on_bus():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "Lupreda":
            return child
    return None


def wait_for_program(what):
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        found = program_on_bus()
        if found is not None:
            return found
        pump(0.2)
    fail("the program is not on the accessibility bus " + what)


# --- on by itself ------------------------------------------------------------

set_status(SCREEN_READER, True)
wait_for_program("after the screen reader came up later (%s)" % SCREEN_READER)
stop_program(late)
pump(1)

set_status("ScreenReaderEnabled", False)
set_status("IsEnabled", False)
program = start_program()
time.sleep(1)
set_status("IsEnabled", True)
app = wait_for_program("after accessibility was switched on later")


# --- what the screen reader hears ---------------------------------------------

heard = []

# Roles are compared by their number on the bus: the names libatspi gives
# them changed (at-spi2-core 2.56 calls a push button "button"). A line
# edit is a text to Qt 6.4 and may be an entry to a later Qt.
ROLES = {"panel": {pyatspi.ROLE_PANEL}, "push button": {pyatspi.ROLE_PUSH_BUTTON},
         "radio button": {pyatspi.ROLE_RADIO_BUTTON}, "label": {pyatspi.ROLE_LABEL},
         "text": {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}, "list": {pyatspi.ROLE_LIST},
         "filler": {pyatspi.ROLE_FILLER}, "list item": {pyatspi.ROLE_LIST_ITEM}}


def has_role(role, wanted):
    return role in ROLES[wanted]


def window_of(obj):
    while obj is not None and obj.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT):
        obj = obj.parent
    return obj


def texts_in(obj):
    found = []
    for child in walk(obj):
        if child.getRole() == pyatspi.ROLE_LABEL and child.name:
            found.append(child.name)
    return found


def on_focus(event):
    if not event.detail1:
        return
    source = event.source
    window = window_of(source)
    heard.append({
        "kind": "focus", "role": source.getRoleName(), "role id": source.getRole(), "name": source.name or "",
        "description": source.description or "",
        "window": window.name if window is not None else "",
        "window role": window.getRoleName() if window is not None else "",
        "window texts": texts_in(window) if window is not None else [],
    })


# News without a move of the focus: an announcement of the window on Qt 6.8
# and later, the message in the event; before, an object of role notification
# shown with the message as its name.
def on_showing(event):
    if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        heard.append({"kind": "notification", "name": event.source.name or ""})


def on_announcement(event):
    heard.append({"kind": "notification", "name": str(event.any_data or "")})


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
pyatspi.Registry.registerEventListener(on_announcement, "object:announcement")


def describe(record):
    if record["kind"] == "notification":
        return "notification %r" % record["name"]
    return "focus %s %r %r in %s %r" % (record["role"], record["name"], record["description"],
                                        record["window role"], record["window"])


def press(*keys):
    """Each key, or each group of keys given as one string, which xdotool
    sends at once."""
    for key in keys:
        subprocess.run(["xdotool", "key", "--clearmodifiers"] + key.split(), check=True)
        pump(0.15)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)
    pump(0.2)


def expect(check, what):
    """Waits for something heard since the last expect() that satisfies check."""
    start = expect.seen
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        pump(0.05)
        for index in range(start, len(heard)):
            if check(heard[index]):
                expect.seen = index + 1
                return heard[index]
    fail("expected %s; heard:\n  %s" % (what, "\n  ".join(describe(r) for r in heard[start:]) or "nothing"))


expect.seen = 0


def ends_on(name, what):
    """The last focus told is what a screen reader says last: Orca says a
    list without its word when the word is told before the list."""
    pump(0.5)
    last = [record for record in heard if record["kind"] == "focus"][-1]
    if not re.fullmatch(name, last["name"]):
        fail("%s: the focus was told last on %s" % (what, describe(last)))


def focus_on(name=None, description=None, role=None):
    def check(record):
        return (record["kind"] == "focus" and (name is None or re.fullmatch(name, record["name"]))
                and (description is None or re.fullmatch(description, record["description"]))
                and (role is None or has_role(record["role id"], role)))
    return check


def notification(pattern):
    return lambda record: record["kind"] == "notification" and re.fullmatch(pattern, record["name"])


def walk(obj):
    yield obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def frame(title):
    end = time.monotonic() + WAIT
    while time.monotonic() < end:
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.name == title and child.getState().contains(pyatspi.STATE_SHOWING):
                return child
        pump(0.1)
    fail("no window %r on screen" % title)


def named(window, role, name):
    for obj in walk(window):
        if obj.getRole() == role and obj.name == name:
            return obj
    fail("nothing named %r in %r" % (name, window.name))


def check_focusable_names(window, expected):
    """Every control that can take the focus has a name, none a placeholder;
    the expected ones are there with their roles."""
    found = {}
    for obj in walk(window):
        state = obj.getState()
        if obj.getRole() in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_LIST_ITEM):
            continue
        if state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING):
            if not obj.name or obj.name in PLACEHOLDERS:
                fail("%s in %r has the name %r" % (obj.getRoleName(), window.name, obj.name))
        found[obj.name] = obj
        if obj.name in PLACEHOLDERS:
            fail("%r is reachable in %r" % (obj.name, window.name))
    for name, role in expected.items():
        if name not in found or not has_role(found[name].getRole(), role):
            fail("%r: wanted a %s named %r, found %r" % (window.name, role, name,
                                                         found[name].getRoleName() if name in found else None))


# The chooser: a window whose options are as tall as they are painted.
chooser = frame("LUPREDA")
check_focusable_names(chooser, {
    "Scegli l'esercizio": "panel",
    "Riconoscere le lettere dell'alfabeto, Maiuscole o minuscole": "radio button",
    "ESCI": "push button",
})
for obj in walk(chooser):
    if obj.getRole() == pyatspi.ROLE_RADIO_BUTTON:
        extents = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if extents.height < 50:
            fail("option %r is %d pixels high, it paints 57" % (obj.name, extents.height))

# --- the letter recognition drill, played from the keyboard --------------------

press("Tab", "Up", "space")
expect(focus_on("NUOVO", "Alfabeto Italiano. Lettere Maiuscole."), "NUOVO telling the options as the drill opens")
drill = frame("RICONOSCERE LE LETTERE DELL'ALFABETO")
check_focusable_names(drill, {"Risposta": "text", "NUOVO": "push button", "ESCI": "push button"})

PROMPT = r"Lettera ([A-Z]) maiuscola\. PREMI IL TASTO DELLA LETTERA CORRISPONDENTE\."


def letter_asked():
    record = expect(focus_on("Risposta", PROMPT, "text"), "the letter asked, as the focus enters the answer box")
    letter = re.fullmatch(PROMPT, record["description"]).group(1)
    shown = [obj.name for obj in walk(drill) if obj.getRole() == pyatspi.ROLE_LABEL and len(obj.name) == 1]
    if letter not in shown:
        fail("the letter told, %s, is not the one shown (%s)" % (letter, shown))
    return letter


press("alt+n")
letter = letter_asked()
wrong = "7"
type_text(wrong)
press("Return")
box = expect(lambda r: r["kind"] == "focus" and r["window"] == "ATTENTO", "the RIPROVA box")
if "RIPROVA" not in box["window texts"]:
    fail("the box says %r" % box["window texts"])
press("Return")
if letter_asked() != letter:
    fail("a wrong answer changed the letter")
type_text(letter.lower())
press("Return")
expect(focus_on(r"LA LETTERA E' MAIUSCOLA\. PREMERE INVIO PER CONTINUARE\.", role="filler"), "the capital's hint")
press("Return")
letter = letter_asked()
for number in range(1, 11):
    type_text(letter)
    press("Return")
    expect(focus_on(r"ESATTO\. PREMERE INVIO PER CONTINUARE\.", role="filler"), "the verdict on letter %d" % number)
    press("Return")
    if number < 10:
        letter = letter_asked()
expect(focus_on("NUOVO", r"ESERCIZI ESEGUITI  10\. RISPOSTE ESATTE  9\. RISPOSTE ERRATE  1\. "
                         r"TEMPO TRASCORSO ([0-9]+ minut[oi] e )?[0-9]+ second[oi]\."), "the results as the session ends")
press("Escape")
expect(focus_on(role="radio button"), "the chooser again")

# --- the sequence drill: the results asked for during a session ---------------

press("Down", "space")
expect(focus_on("NUOVO"), "the sequence drill")
press("alt+n")
expect(focus_on("Risposta", r"Lettera A maiuscola\. PREMI IL TASTO DELLA LETTERA SUCCESSIVA\."), "A")
type_text("B")
press("Return")
expect(focus_on(r"ESATTO\. PREMERE INVIO PER CONTINUARE\."), "the verdict on B")
press("Return")
expect(focus_on("Risposta", r"Lettera B maiuscola\. PREMI IL TASTO DELLA LETTERA SUCCESSIVA\. Sequenza A B\."), "B")
press("alt+r")
expect(notification(r"ESERCIZIO NUMERO  2\. RISPOSTE ESATTE  1\. RISPOSTE ERRATE  0\. "
                    r"TEMPO TRASCORSO ([0-9]+ minut[oi] e )?[0-9]+ second[oi]\."), "the results shown by RISULTATI")
press("Escape")
expect(focus_on(role="radio button"), "the chooser again")

# --- the word exercise --------------------------------------------------------

press("Down", "space")
expect(focus_on("Parola da aggiungere", r"Scrivi una parola e premi Invio, oppure premi F5 per un elenco casuale\. "
                                        r"F6 passa da una lista all'altra\. Verifica Immediata\.", "text"),
       "the word entry box, with what to do there")
words = frame("ORDINAMENTO ALFABETICO")
check_focusable_names(words, {"Parola da aggiungere": "text", "Parole da ordinare": "list",
                              "Parole messe in ordine": "list", "NUOVO": "push button"})
for typed in ("balcone", "albero", "casetta"):
    type_text(typed)
    press("Return")
    expect(notification(r"Aggiunta la parola %s\." % typed.upper()), "the word typed")

TO_LIST1, TO_LIST2 = ("Tab",) * 3, ("Tab",) * 4
KEYS = (r"Per togliere una parola, Maiuscolo più F6 porta alle parole messe in ordine, "
        r"Control più le frecce la scelgono, Spazio la toglie\.")
ADVICE = r" LISTA ERRATA\. BALCONE è fuori posto\. " + KEYS


def moved(keys, told):
    press(*keys)
    expect(focus_on("Parola da aggiungere", told), told)


moved(TO_LIST1 + ("Down",), r"BALCONE va al posto 1\." + ADVICE)
moved(TO_LIST2 + ("Down",), r"BALCONE torna tra le parole da ordinare\.")
press(*TO_LIST1)
type_text("a")
expect(focus_on("Parola da aggiungere", r"ALBERO va al posto 1\. LISTA ORDINATA\."), "a word chosen by its initial")
moved(TO_LIST1 + ("End",), r"BALCONE va al posto 2\. LISTA ORDINATA\.")
moved(TO_LIST1 + ("Down",), r"CASETTA va al posto 3\. LISTA ORDINATA\. Correzioni  1\.")

# A random list, drawn through the label's own action.
draw = named(words, pyatspi.ROLE_LABEL, "ELENCO CASUALE")
action = draw.queryAction()
if action.getName(0) != "Press":
    fail("ELENCO CASUALE offers %r" % action.getName(0))
action.doAction(0)
record = expect(notification(r"NUOVO ELENCO\. 10 parole da ordinare\. .*\."), "the words drawn")
told = re.fullmatch(r"NUOVO ELENCO\. 10 parole da ordinare\. (.*)\.", record["name"]).group(1).split(", ")
pool = named(words, pyatspi.ROLE_LIST, "Parole da ordinare")
listed = [pool.getChildAtIndex(i).name.split(", ")[0] for i in range(pool.childCount)]
if len(told) != 10 or told != listed:
    fail("told %s, listed %s" % (told, listed))

# A random list by F5, put in order by ear: F6 to the words to order, Ctrl with
# Down to the word wanted (each word told with its place), Space to move it.
press("F5")
record = expect(notification(r"NUOVO ELENCO\. 10 parole da ordinare\. .*\."), "the words drawn by F5")
remaining = re.fullmatch(r"NUOVO ELENCO\. 10 parole da ordinare\. (.*)\.", record["name"]).group(1).split(", ")
for place, wanted in enumerate(sorted(remaining, key=str.lower), 1):
    press("F6")
    first_word = r"%s, 1 di %d" % (re.escape(remaining[0]), len(remaining))
    expect(focus_on(first_word, role="list item"), "the first word to order, as F6 lands in the list")
    ends_on(first_word, "F6 into the words to order")
    for row in range(1, remaining.index(wanted) + 1):
        press("ctrl+Down")
        expect(focus_on(r"%s, %d di %d" % (re.escape(remaining[row]), row + 1, len(remaining)), role="list item"),
               "the next word, without moving it")
    if len(remaining) > 1:
        press("space")
    else:
        # The last move and Shift+F6 at once: the focus has left the box by
        # the time its news is read, and the news is still there.
        press("space shift+F6")
    expect(focus_on("Parola da aggiungere", r"%s va al posto %d\. LISTA ORDINATA\..*" % (re.escape(wanted), place)),
           "%s moved by Space to place %d" % (wanted, place))
    remaining.remove(wanted)
expect(focus_on(r".*, 1 di 10", role="list item"), "the words in order, reached by Shift+F6")
press("ctrl+End")
expect(focus_on(r".*, 10 di 10", role="list item"), "the last word in order")
press("F6")
expect(focus_on("Parola da aggiungere", role="text"), "the entry box again by F6")
for record in heard:
    for said in (record.get("name", ""), record.get("description", "")):
        if ":" in said or "..." in said:
            fail("spoken with a colon or an ellipsis: %r" % said)
print("a random list drawn by F5 and put in order by ear, to LISTA ORDINATA")

# Level 2: the check on request, with the misplaced pair.
press("alt+l", "Down", "Return")
expect(notification(r"NUOVO ELENCO\. Verifica Intermedia o Finale\."), "the level chosen")
for typed in ("market", "man"):
    type_text(typed)
    press("Return")
    expect(notification(r"Aggiunta la parola %s\." % typed.upper()), "the word typed")
moved(TO_LIST1 + ("Down",), r"MARKET va al posto 1\.")
moved(TO_LIST1 + ("Down",), r"MAN va al posto 2\. Correzioni  0\.")
press("alt+v")
expect(notification(r"LISTA ERRATA\. MAN precede MARKET\. " + KEYS), "the check")

# --- windows destroyed with the focus on each of their controls ---------------
# Each window unloaded or deleted in the program's own ways (ESCI, Esc, the close
# box; the drills by the chooser's ESCI or close box, which end the program) with
# the focus on each of its controls: the program lives on, and a client reading
# every event that tells of something there finds it there.
gone, told = [], [0]


def read_source(event):
    told[0] += 1
    if event.type.startswith("window:deactivate") or ("state-changed" in event.type and not event.detail1):
        return   # what was lost (the focus, the active window) may be gone
    try:
        event.source.getRoleName(), event.source.name, event.source.getState()
    except Exception as error:  # noqa: BLE001  (a dead object answers with a D-Bus error)
        if "no longer exists" not in str(error):   # a program that has ended
            gone.append("%s: %s" % (event.type, error))


for kind in ("object:", "window:", "focus:"):
    pyatspi.Registry.registerEventListener(read_source, kind)


def caught_up():
    """Before a window goes, the client has read what it was told of it."""
    count = -1
    while count != told[0]:
        count = told[0]
        pump(0.3)


def restart(key=None):
    global program, app
    if key:
        caught_up()
        press(key)
        if program.wait(WAIT) != 0:
            fail("the program ended with status %d after %s" % (program.returncode, key))
    stop_program(program)
    program = start_program()
    app = wait_for_program("after a restart")


def focus_in(title):
    expect(lambda r: r["kind"] == "focus" and r["window"] == title, "the focus in %r" % title)


restart()
expect.seen = len(heard)
for title, stops, option in (("ORDINAMENTO ALFABETICO", 5, "Ordinare"), ("LUPREDA", 4, None),
                             ("RICONOSCERE LE LETTERE DELL'ALFABETO", 7, "Riconoscere"),
                             ("METTERE IN SEQUENZA LE LETTERE DELL'ALFABETO", 7, "Mettere")):
    for tabs in range(stops):
        if option:
            next(o for o in walk(frame("LUPREDA")) if o.getRole() == pyatspi.ROLE_RADIO_BUTTON
                 and o.name.startswith(option)).queryAction().doAction(0)
        else:
            frame(title)
            press("Tab")
        focus_in(title)
        for _ in range(tabs):
            press("Tab")
            focus_in(title)
        if option:
            caught_up()
            press(("alt+e", "Escape", "alt+F4")[tabs % 3])
            focus_in("LUPREDA")
        if option != "Ordinare":   # the drills are deleted with the program
            restart(("alt+e", "alt+F4")[tabs % 2])
pump(1)
if gone:
    fail("the client was told of objects already gone:\n  " + "\n  ".join(gone[:20]))
for log in os.listdir(SCRATCH):
    if log.startswith("program-") and "Accessible invalid" in open(os.path.join(SCRATCH, log)).read():
        fail("%s: objects announced that could not be read back (Accessible invalid)" % log)
print("windows destroyed with the focus on each control, none of it read when gone")

stop_program(program)
print("PASS: %d things heard, every letter, verdict and result among them" % len(heard))
