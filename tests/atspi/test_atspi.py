#!/usr/bin/python3
"""The program as a screen reader meets it: through AT-SPI, the desktop's accessibility bus.

Run inside a private D-Bus session (test_atspi in CTest does: dbus-run-session -- test_atspi.py
PROGRAM). It starts an X server of its own, turns accessibility on as a desktop does when a screen
reader starts, starts the program with a script, and then, only through the bus:
finds each toolbar image, menu item, slider and radio group of the options window by name and
role, reads the status read-outs, presses buttons and menu items through the action interface,
and counts the read-outs' change reports while the page runs. It ends by printing how many of
the controls it looked for it found by name.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib

TOOLBAR = ["Increase Speed", "Decrease Speed", "Coarse Faster", "Coarse Slower", "Pause",
           "Reverse Direction", "Reset", "Load Previous Script", "Load Next Script", "Toggle Help",
           "Toggle Rotate Text", "Toggle Mirror Text", "Toggle Dual Display"]
MENU = [("Open Single Script", "menu item"), ("Font", "menu item"),
        ("Options and Multi-Scripting", "menu item"), ("Quick Edit Script", "menu item"),
        ("Print Script", "menu item"), ("Show Status Bar", "menu item"), ("About", "menu item"),
        ("Exit", "menu item")]
OPTION_GROUPS = {"Vantell Placement": ["Align Top", "Align Bottom"], "Capitalize Script": ["No", "Yes"],
                 "Display to Mirror": ["Local", "Remote", "Both"],
                 "Display to Rotate": ["Local", "Remote", "Both"], "Smooth Scrolling": ["No", "Yes"],
                 "Reload when the file changes": ["No", "Yes"]}
MAIN_TITLE = "Vantell2 Home"
TIME_INTERVAL_S = 5  # the elapsed and remaining read-outs report at most once in this time


class Checks:
    """Collects failures instead of stopping at the first, and counts the controls looked for."""

    def __init__(self):
        self.failures = []
        self.looked_for = 0
        self.found = 0

    def expect(self, condition, what):
        if not condition:
            self.failures.append(what)
            print("FAIL:", what, flush=True)
        return condition

    def control(self, accessible, what):
        self.looked_for += 1
        if self.expect(accessible is not None, f"not found by name and role: {what}"):
            self.found += 1
        return accessible


def pump(seconds):
    """Lets the bus deliver events (and the program run) for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.02)


def wait_for(probe, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            value = probe()
        except Exception:  # the tree changes under the walk while windows come and go
            value = None
        if value:
            return value
        pump(0.1)
    return None


def walk(accessible, depth=0):
    yield accessible
    if depth > 40:
        return
    for child in accessible:
        if child is not None:
            yield from walk(child, depth + 1)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def find(root, name, role):
    for accessible in walk(root):
        if accessible.name == name and accessible.getRoleName() == role and showing(accessible):
            return accessible
    return None


def window(app, name):
    for child in app:
        if child is not None and child.name == name:
            return child
    return None


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return {}
    return {action.getName(i): i for i in range(action.nActions)}


def do(accessible, name):
    accessible.queryAction().doAction(actions(accessible)[name])


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def enable_accessibility():
    """What a desktop does when a screen reader starts: the bus says accessibility is on."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 10000, None)


def start_x_server():
    """A private X server; it picks a free display itself, so that parallel tests never meet."""
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                              pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as answer:
        display = answer.readline().strip()
    if not display:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + display
    os.environ.pop("WAYLAND_DISPLAY", None)
    os.environ.pop("XAUTHORITY", None)
    return server


def start_program(program, folder):
    script = os.path.join(folder, "numbered.txt")
    with open(script, "w", encoding="utf-8") as out:
        out.write("".join(f"Line {n}\n" for n in range(1, 401)))
    environment = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"),
                       VANTELL_PROBE_URL="http://127.0.0.1:1/", QT_QPA_PLATFORM="xcb", LANGUAGE="",
                       QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")
    environment.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    return subprocess.Popen([program, script], env=environment, stdout=subprocess.DEVNULL,
                            stderr=open(os.path.join(folder, "program.log"), "w"))


def find_application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "vantell" and window(app, MAIN_TITLE) is not None:
            return app
    return None


class EventLog:
    """The change reports of chosen objects, as a screen reader receives them."""

    def __init__(self, sources):
        self.sources = sources
        self.events = []
        pyatspi.Registry.registerEventListener(self.record, "object:text-changed",
                                               "object:property-change:accessible-name",
                                               "object:property-change:accessible-description")

    def record(self, event):
        try:
            name = event.source.name
        except Exception:
            return
        if name in self.sources:
            self.events.append((time.monotonic(), name, event.type, event.any_data))

    def clear(self):
        self.events = []

    def of(self, name, kind="object:text-changed:insert"):
        return [e for e in self.events if e[1] == name and str(e[2]).startswith(kind)]

    def stop(self):
        pyatspi.Registry.deregisterEventListener(self.record, "object:text-changed",
                                                 "object:property-change:accessible-name",
                                                 "object:property-change:accessible-description")


def check_tree(checks, app):
    children = [child for child in app if child is not None]
    names = [child.name for child in children]
    checks.expect(names == [MAIN_TITLE], f"the program's windows are {names}, not only the prompter")
    checks.expect(all(showing(child) for child in children), "a window that is not shown is listed")
    main = window(app, MAIN_TITLE)
    checks.expect(main.getRoleName() == "frame", f"the prompter window's role is {main.getRoleName()}")
    return main


def check_toolbar(checks, main):
    for name in TOOLBAR:
        button = checks.control(find(main, name, "push button"), f"toolbar image {name}")
        if button is not None:
            checks.expect("Press" in actions(button), f"{name} has no press action")
            checks.expect(button.queryAction().getKeyBinding(0) != "", f"{name} has no key")
    logo = checks.control(find(main, "Right click for menu.", "push button"), "logo")
    if logo is not None:
        checks.expect("ShowMenu" in actions(logo), "the logo offers no menu")
    checks.control(find(main, "Script page", "filler"), "script page")
    return logo


def check_sliders(checks, main):
    speed = checks.control(find(main, "Speed", "slider"), "speed slider")
    coarse = checks.control(find(main, "Coarse:", "slider"), "coarse slider")
    if speed is not None:
        value = speed.queryValue()
        checks.expect((value.minimumValue, value.maximumValue) == (-300, 300),
                      f"speed slider range {value.minimumValue}..{value.maximumValue}")
    if coarse is not None:
        value = coarse.queryValue()
        checks.expect((value.minimumValue, value.maximumValue, value.currentValue) == (1, 10, 1),
                      f"coarse slider {value.minimumValue}..{value.maximumValue} at {value.currentValue}")
    return speed


def check_readouts_and_actions(checks, main, speed_slider):
    readouts = {name: checks.control(find(main, name, "status bar"), f"read-out {name}")
                for name in ("Current speed", "Elapsed time", "Remaining time")}
    if None in readouts.values() or speed_slider is None:
        return
    current = readouts["Current speed"]
    checks.expect(text_of(current) == "Paused...", f"the speed read-out says {text_of(current)!r}")

    log = EventLog(set(readouts))
    increase = find(main, "Increase Speed", "push button")
    # The page starts paused at speed 0.
    for _ in range(5):
        do(increase, "Press")
    checks.expect(wait_for(lambda: text_of(current) == "Speed 50", 10), f"after five presses the speed read-out "
                  f"says {text_of(current)!r}, not 'Speed 50'")
    checks.expect(wait_for(lambda: speed_slider.queryValue().currentValue == 50, 5),
                  f"the speed slider reports {speed_slider.queryValue().currentValue}, not 50")
    pump(1.5)
    reports = log.of("Current speed")
    checks.expect(1 <= len(reports) <= 3, f"five speed changes in a row were reported {len(reports)} times")
    checks.expect(not log.of("Current speed", "object:property-change:accessible-name"),
                  "the speed read-out changes its name")

    # Fast: the read-outs change on every tick of the page; reported politely, a few times.
    for _ in range(20):
        do(increase, "Press")
    checks.expect(wait_for(lambda: text_of(current) == "Speed 250", 10), "the speed did not reach 250")
    log.clear()
    first = text_of(readouts["Elapsed time"])
    pump(2 * TIME_INTERVAL_S + 1)
    later = text_of(readouts["Elapsed time"])
    checks.expect(first != later and later.startswith("Elapsed: "), f"the elapsed time reads {first!r}, then {later!r}")
    elapsed = log.of("Elapsed time")
    checks.expect(1 <= len(elapsed) <= 3, f"the elapsed time was reported {len(elapsed)} times in "
                  f"{2 * TIME_INTERVAL_S + 1} s")
    if len(elapsed) >= 2:
        gap = min(b[0] - a[0] for a, b in zip(elapsed, elapsed[1:]))
        checks.expect(gap >= TIME_INTERVAL_S - 1, f"two elapsed-time reports came {gap:.1f} s apart")
    checks.expect(text_of(readouts["Remaining time"]).startswith("Remaining: "),
                  f"the remaining time reads {text_of(readouts['Remaining time'])!r}")
    print(f"read-outs: {text_of(current)!r}, {later!r}, {text_of(readouts['Remaining time'])!r}; "
          f"{len(elapsed)} elapsed-time reports in {2 * TIME_INTERVAL_S + 1} s", flush=True)

    pause = find(main, "Pause", "push button")
    do(pause, "Press")
    checks.expect(wait_for(lambda: text_of(current) == "Paused...", 5), "Pause did not pause")
    do(find(main, "Reset", "push button"), "Press")
    log.stop()


class FocusLog:
    def __init__(self):
        self.focused = []
        pyatspi.Registry.registerEventListener(self.record, "object:state-changed:focused")

    def record(self, event):
        if event.detail1:
            self.focused.append(event.source)

    def stop(self):
        pyatspi.Registry.deregisterEventListener(self.record, "object:state-changed:focused")


def open_menu(logo):
    """Opens the menu from the logo and returns it, as a screen reader finds it: by the item that
    gets the focus."""
    focus = FocusLog()
    do(logo, "ShowMenu")
    item = wait_for(lambda: next((a for a in focus.focused if a.getRoleName().endswith("menu item")), None), 10)
    focus.stop()
    return item.parent if item is not None else None


def check_menu(checks, logo):
    menu = open_menu(logo)
    if not checks.expect(menu is not None, "the logo's menu did not open"):
        return None
    items = {}
    for name, role in MENU:
        items[name] = checks.control(find(menu, name, role), f"menu item {name}")
    status = items["Show Status Bar"]
    if status is not None:
        state = status.getState()
        checks.expect(state.contains(pyatspi.STATE_CHECKED), "Show Status Bar is not reported as ticked")
    return items


def trigger(item):
    """Triggers a menu command through its action. A command that opens a modal window answers
    only once that window closes (Qt's bridge replies after the command has run): the missing
    answer is expected, the window is what counts."""
    try:
        do(item, list(actions(item))[0])
    except GLib.Error:
        pass


def check_options_window(checks, app, options_item):
    trigger(options_item)
    options = wait_for(lambda: window(app, "Vantell Options"), 20)
    if not checks.expect(options is not None, "the options window did not open"):
        return
    checks.expect(options.getRoleName() == "dialog", f"the options window's role is {options.getRoleName()}")
    for group, choices in OPTION_GROUPS.items():
        radio_group = next((a for a in walk(options) if a.name == group and a.getRoleName() != "label"
                            and any(c is not None and c.getRoleName() == "radio button" for c in a)), None)
        if checks.control(radio_group, f"radio group {group}") is None:
            continue
        for choice in choices:
            checks.control(find(radio_group, choice, "radio button"), f"{group}: {choice}")
    smooth = next(a for a in walk(options) if a.name == "Smooth Scrolling" and a.getRoleName() != "label")
    yes = find(smooth, "Yes", "radio button")
    do(yes, list(actions(yes))[0])
    checks.expect(wait_for(lambda: yes.getState().contains(pyatspi.STATE_CHECKED), 5), "Smooth Scrolling: Yes not chosen")
    cancel = checks.control(find(options, "Cancel", "push button"), "options Cancel")
    checks.control(find(options, "Ok", "push button"), "options Ok")
    do(cancel, "Press")
    checks.expect(wait_for(lambda: window(app, "Vantell Options") is None, 10),
                  "the closed options window is still listed")


def check_editor(checks, app, edit_item):
    trigger(edit_item)
    # A plain text script is first converted to a rich one, which a message box says.
    notice = wait_for(lambda: window(app, "Vantell2  Home") or window(app, "Vantell Quick Edit"), 20)
    if notice is not None and notice.name == "Vantell2  Home":
        said = " ".join(a.name for a in walk(notice) if a.getRoleName() == "label")
        checks.expect("converted this script" in said, f"the notice says {said!r}")
        ok = checks.control(find(notice, "OK", "push button"), "the notice's OK")
        if ok is not None:
            do(ok, "Press")
    editor = wait_for(lambda: window(app, "Vantell Quick Edit"), 20)
    if not checks.expect(editor is not None, f"the quick editor did not open: {[c.name for c in app]}"):
        return
    checks.control(find(editor, "Script text", "text"), "editor text")
    checks.expect("Line 1" in text_of(find(editor, "Script text", "text")), "the editor does not show the script")


def main():
    program = sys.argv[1]
    checks = Checks()
    folder = tempfile.mkdtemp(prefix="atspi-")
    server = start_x_server()
    enable_accessibility()
    process = start_program(program, folder)
    try:
        app = wait_for(find_application, 60)
        if app is None:
            print(open(os.path.join(folder, "program.log")).read())
            print("FAIL: the program did not appear on the accessibility bus")
            return 1
        main_window = check_tree(checks, app)
        logo = check_toolbar(checks, main_window)
        speed = check_sliders(checks, main_window)
        check_readouts_and_actions(checks, main_window, speed)
        items = check_menu(checks, logo) if logo is not None else None
        if items and items["Options and Multi-Scripting"] is not None:
            check_options_window(checks, app, items["Options and Multi-Scripting"])
        items = check_menu(checks, logo) if logo is not None else None
        if items and items["Quick Edit Script"] is not None:
            check_editor(checks, app, items["Quick Edit Script"])
    finally:
        process.kill()
        process.wait()
        server.kill()
        server.wait()
        shutil.rmtree(folder, ignore_errors=True)
    print(f"AT-SPI: found {checks.found} of {checks.looked_for} controls by name and role", flush=True)
    if checks.failures:
        print(f"{len(checks.failures)} failures")
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
