#!/usr/bin/python3
"""The window as an accessibility client reads it: every push button lies inside the window and apart from the others.

Usage: dbus-run-session -- AccessibleButtonsTest.py PROGRAM SAMPLES_DIR

Runs PROGRAM on its own Xvfb with the accessibility bridge on and reads the
push buttons' extents through AT-SPI, at the start size and with both docks
shown (checked through their View items' actions). Every step has a deadline
and a failure names its step, so a bus that cannot start fails, never hangs.
"""

import os
import random
import socket
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

STEP_SECONDS = 30  # the longest any one step may take


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for(what, probe, more=lambda: ""):
    deadline = time.monotonic() + STEP_SECONDS
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass  # the bus's news of programs and widgets keeps the cached tree current
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    fail("%s within %d s%s" % (what, STEP_SECONDS, more()))


def check_accessibility_bus():
    try:
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                              GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, STEP_SECONDS * 1000, None)
    except GLib.Error as error:
        fail("the accessibility bus did not start: " + error.message)
    if not reply.unpack()[0]:
        fail("the accessibility bus did not start: it has no address")


def takes_connections(number):
    """Whether an X server listens on display `number`, in the file system or the abstract namespace."""
    for address in ("/tmp/.X11-unix/X%d" % number, "\0/tmp/.X11-unix/X%d" % number):
        with socket.socket(socket.AF_UNIX) as client:
            try:
                client.connect(address)
                return True
            except OSError:
                pass
    return False


def start_x_server():
    # A display far from the usual ones, free in the file system and in the abstract namespace
    # (which other sessions with their own /tmp may share): a client tries the latter first.
    free = [n for n in random.sample(range(100, 1000), 50)
            if not os.path.exists("/tmp/.X%d-lock" % n) and not takes_connections(n)]
    if not free:
        fail("no free X display")
    server = subprocess.Popen(["Xvfb", ":%d" % free[0], "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                              stderr=subprocess.DEVNULL)
    wait_for("Xvfb took no connection on :%d" % free[0],
             lambda: server.poll() is None and takes_connections(free[0]))
    return server, ":%d" % free[0]


def descendants(node, role, showing=True):
    found = []
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is None or (showing and not child.get_state_set().contains(Atspi.StateType.SHOWING)):
            continue
        if child.get_role() == role:
            found.append(child)
        found.extend(descendants(child, role, showing))
    return found


def program_names():
    desktop = Atspi.get_desktop(0)
    return [desktop.get_child_at_index(index).get_name() for index in range(desktop.get_child_count())]


def find_program():
    desktop = Atspi.get_desktop(0)
    desktop.clear_cache()  # the list of programs is read anew
    programs = (desktop.get_child_at_index(index) for index in range(desktop.get_child_count()))
    return next((program for program in programs if program is not None and program.get_name() == "plinvaro"), None)


def extents(node):
    box = node.get_extents(Atspi.CoordType.SCREEN)
    return box.x, box.y, box.width, box.height


def inside(a, b):
    return a[0] >= b[0] and a[1] >= b[1] and a[0] + a[2] <= b[0] + b[2] and a[1] + a[3] <= b[1] + b[3]


def apart(a, b):
    return a[0] + a[2] <= b[0] or b[0] + b[2] <= a[0] or a[1] + a[3] <= b[1] or b[1] + b[3] <= a[1]


def check_buttons(frame, when):
    window = extents(frame)
    buttons = [(button.get_name(), extents(button)) for button in descendants(frame, Atspi.Role.PUSH_BUTTON)]
    for index, (name, box) in enumerate(buttons):
        if box[2] <= 0 or box[3] <= 0 or not inside(box, window):
            fail("%s: '%s' at %s lies outside the window at %s" % (when, name, box, window))
        for other, other_box in buttons[:index]:
            if not apart(box, other_box):
                fail("%s: '%s' at %s overlaps '%s' at %s" % (when, name, box, other, other_box))
    print("%s: %d push buttons inside the window at %s and apart" % (when, len(buttons), window), flush=True)


def main():
    if len(sys.argv) != 3:
        fail("usage: AccessibleButtonsTest.py PROGRAM SAMPLES_DIR")
    program, samples = sys.argv[1:]
    check_accessibility_bus()
    Atspi.set_timeout(2000, STEP_SECONDS * 1000)
    server, display = start_x_server()
    scratch = tempfile.TemporaryDirectory()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_CONFIG_HOME=scratch.name + "/config", XDG_STATE_HOME=scratch.name + "/state", LC_ALL="C.UTF-8")
    errors = open(os.path.join(scratch.name, "stderr"), "w+")
    window = subprocess.Popen([program, "--dir", samples, os.path.join(samples, "harbour.txt")], env=env,
                              stdout=subprocess.DEVNULL, stderr=errors)
    try:
        app = wait_for("the program did not appear on the accessibility bus", find_program,
                       lambda: "; its programs: %s; the program %s" % (
                           program_names(), "runs" if window.poll() is None else "ended with %s: %s" % (window.returncode, errors.seek(0) or errors.read())))
        frame = wait_for("the program showed no window", lambda: next(iter(descendants(app, Atspi.Role.FRAME)), None))
        # "...", the five buttons of the right column and the four beside the preview.
        wait_for("the window showed no push buttons", lambda: len(descendants(frame, Atspi.Role.PUSH_BUTTON)) >= 10)
        check_buttons(frame, "at the start size")
        items = {item.get_name(): item for item in descendants(frame, Atspi.Role.MENU_ITEM, showing=False)}
        for name in ("Sources", "Found parts"):
            if name not in items:
                fail("no menu item '%s' among %s" % (name, sorted(items)))
            items[name].get_action_iface().do_action(0)
        wait_for("the docks did not show", lambda: len(descendants(frame, Atspi.Role.TABLE)) >= 2)
        time.sleep(1)  # the window grows to the size the docks need
        check_buttons(frame, "with both docks")
    finally:
        for process in (window, server):  # ended, not killed: Xvfb removes its lock and socket
            process.terminate()
            process.wait(timeout=STEP_SECONDS)
        scratch.cleanup()


if __name__ == "__main__":
    main()
