#!/usr/bin/env python3
"""Works KORVANE the way a screen reader does, over AT-SPI.

Starts korvane-node on a free 127.0.0.1 port and the korvane program (program folder and settings in a
temporary folder), walks the window's accessible tree, finds controls by their accessible names, presses
"Connect", "Send" and "Disconnect" through their accessible actions, reads a spot back out of the
"All spots" table and checks that the connection, a spot and the disconnection were announced.

Run it under a private D-Bus session and X display of its own:
  dbus-run-session -- xvfb-run -a -s '-screen 0 1280x1024x24' \\
      python3 tests/accessibility/walk_window.py --program build/src/app/korvane \\
      --node build/tools/korvane-node/korvane-node --data data
Exits 0 when every check passes, 1 on the first that fails, 77 when the machine cannot run it.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
WAIT = 60  # seconds for anything to appear: generous, the machine may be busy
STATION = "N0CALL"


class Failure(Exception):
    pass


class CannotRun(Exception):
    pass


def pump(seconds, until=lambda: False):
    """Runs the GLib loop AT-SPI events arrive on until the condition holds or the time is up."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.iteration(False):
            pass
        if until():
            return True
        time.sleep(0.05)
    return until()


def wait_for(what, seconds, probe):
    """The first non-empty result of probe() within the time, or a failure naming what is missing."""
    found = []

    def attempt():
        try:
            result = probe()
        except Exception:  # an object may vanish while the window is still being built
            result = None
        if result:
            found.append(result)
        return bool(result)

    if not pump(seconds, attempt):
        raise Failure("not found within %d s: %s" % (seconds, what))
    return found[0]


def descendants(node, skip_roles):
    """Every object below node, without looking inside tables, lists and the like."""
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None:
            continue
        yield child
        if child.getRole() not in skip_roles:
            yield from descendants(child, skip_roles)


class Window:
    def __init__(self, pyatspi, pid):
        self.pyatspi = pyatspi
        self.pid = pid
        self.skip = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TERMINAL,
                     pyatspi.ROLE_CHART}

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == self.pid:
                return app
        return None

    def find(self, name, role):
        app = self.application()
        if app is None:
            return None
        for node in descendants(app, self.skip):
            if node.getRole() == role and node.name == name:
                return node
        return None

    def control(self, name, role):
        return wait_for('%s "%s"' % (self.pyatspi.Atspi.role_get_name(role), name), WAIT,
                        lambda: self.find(name, role))

    def press(self, button):
        """Presses a button through its accessible action once it is enabled."""
        wait_for('"%s" enabled' % button.name, WAIT,
                 lambda: button.getState().contains(self.pyatspi.STATE_SENSITIVE))
        action = button.queryAction()
        names = [action.getName(index) for index in range(action.nActions)]
        if "Press" not in names:
            raise Failure('"%s" offers no Press action, only %s' % (button.name, names))
        action.doAction(names.index("Press"))


class Announcements:
    """What the window announces: the names of its notifications each time one reports being shown."""

    def __init__(self, pyatspi):
        self.pyatspi = pyatspi
        self.heard = []
        pyatspi.Registry.registerEventListener(self.hear, "object:state-changed:showing")

    def hear(self, event):
        if event.detail1 and event.source.getRole() == self.pyatspi.ROLE_NOTIFICATION:
            self.heard.append(event.source.name)

    def expect(self, what, pattern):
        return wait_for("an announcement of %s (heard so far: %s)" % (what, self.heard), WAIT,
                        lambda: next((text for text in self.heard if re.fullmatch(pattern, text)), None))


def newest_spot(table):
    """The cells of the newest spot in a spot table, by column header; None while it holds none."""
    headers = [table.getColumnHeader(c).name if table.getColumnHeader(c) else "" for c in range(table.nColumns)]
    if table.nRows == 0 or "CALLSIGN" not in headers:
        return None
    row = table.nRows - 1
    cells = {headers[c]: table.getAccessibleAt(row, c).name for c in range(table.nColumns)}
    return cells if cells["CALLSIGN"] else None


def walk(pid):
    import pyatspi
    heard = Announcements(pyatspi)
    window = Window(pyatspi, pid)

    connect = window.control("Connect", pyatspi.ROLE_PUSH_BUTTON)
    if not pump(WAIT, lambda: connect.getState().contains(pyatspi.STATE_SENSITIVE)):
        raise CannotRun('"Connect" stays disabled: KORVANE finds no network interface up besides loopback')
    window.press(connect)
    heard.expect("the connection", re.escape("Connected to server 127.0.0.1"))

    send = wait_for("the callsign's Send button", WAIT, lambda: next(
        (n for n in descendants(window.application(), window.skip)
         if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Send"
         and n.description == "Sends the callsign to the cluster"), None))
    window.press(send)

    grid = window.control("All spots", pyatspi.ROLE_TABLE).queryTable()
    row = wait_for("a spot in All spots", WAIT, lambda: newest_spot(grid))
    print("All spots, newest row:", row)
    for header in ("CALLSIGN", "FREQUENCY", "NOTIFIED BY"):
        if not row.get(header):
            raise Failure('the spot row has no "%s" cell: %s' % (header, row))

    heard.expect("a spot", r"(\d+ new spots, newest )?\S+ [\d.]+ by \S+")

    window.press(window.control("Disconnect", pyatspi.ROLE_PUSH_BUTTON))
    heard.expect("the disconnection", re.escape("Disconnected from server 127.0.0.1"))
    print("heard:", heard.heard)


def make_program_folder(data, scratch, port):
    """A program folder with the shipped data and the local node as the only server, and settings
    that name this station and that node."""
    program_dir = os.path.join(scratch, "program")
    shutil.copytree(os.path.join(data, "Sounds"), os.path.join(program_dir, "Sounds"))
    shutil.copy(os.path.join(data, "Dxcc.dta"), program_dir)
    with open(os.path.join(program_dir, "Cluster.dta"), "w") as servers:
        servers.write("Local test node,127.0.0.1,%s\r\n" % port)
    settings_dir = os.path.join(scratch, "config", "QERNO Software")
    os.makedirs(settings_dir)
    with open(os.path.join(settings_dir, "KORVANE.conf"), "w") as settings:
        settings.write("[Default]\nIndicatif=%s\nServeur=Local test node\nAdresse=127.0.0.1\nPort=%s\n"
                       % (STATION, port))
    return program_dir


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--node", required=True)
    parser.add_argument("--data", required=True)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY") or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("needs an X display and a D-Bus session: run it under dbus-run-session and xvfb-run")
        return SKIP
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        print("needs pyatspi (Debian: python3-pyatspi)")
        return SKIP

    children = []
    scratch = tempfile.mkdtemp(prefix="korvane-a11y-")

    def stop(signum, frame):
        raise SystemExit(128 + signum)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, stop)
    try:
        node = subprocess.Popen([args.node, "--port", "0", "--rate", "5", "--count", "200", "--spots-only",
                                 "--seed", "1"], stdout=subprocess.PIPE, text=True)
        children.append(node)
        port = re.search(r"127\.0\.0\.1:(\d+)", node.stdout.readline()).group(1)
        program_dir = make_program_folder(args.data, scratch, port)
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(scratch, "config"),
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        korvane = subprocess.Popen([os.path.abspath(args.program)], cwd=program_dir, env=env)
        children.append(korvane)
        walk(korvane.pid)
        print("passed")
        return 0
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    except CannotRun as reason:
        print("skipped:", reason)
        return SKIP
    finally:
        for child in reversed(children):
            child.terminate()
        for child in reversed(children):
            try:
                child.wait(10)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
