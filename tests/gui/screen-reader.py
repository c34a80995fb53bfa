#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window program as a screen reader meets it: through AT-SPI.

Starts a virtual X server (Xvfb) and a private D-Bus session bus
(dbus-run-session), and inside that session the accessibility bus
(at-spi-bus-launcher, which starts at-spi2-registryd on it). Then, once with
the C locale (Russian) and once with English chosen in the program's settings
file, it starts the window program, finds it on the accessibility bus as
Orca would (pyatspi) and checks:

  - no focusable control that is showing lacks a name, in the main window
    and in every tab of the design explorer;
  - the seven fields are named by their labels and the calculate button by
    its text (both taken from the language tables, text/languages/*.json);
  - the fields typed through the EditableText interface and the button
    pressed through the Action interface give the report, whose first lines
    the pane's Text interface reads at their offsets, and whose whole text is
    the command-line tool's report of the same design;
  - the explorer, opened through its menu item's action, is found, and its
    tabs are named by their texts.

  screen-reader.py --program EH_ANTENNA --cli EH_ANTENNA_CLI --languages DIR

Exits 0 when every check passes, 1 when one fails (each failure on its own
line), and 77 (skipped) only when a bus cannot start on this machine. Every
wait has a deadline, and all that was started is ended.
"""

import argparse
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Generous: the machine may be busy with builds; nothing is measured here.
WHOLE_RUN_SECONDS = 240
START_SECONDS = 60
CHANGE_SECONDS = 30
CALL_MILLISECONDS = 20000
# A tree larger than this is a fault of its own (a runaway model, a loop).
MOST_NODES = 5000

SKIP = 77
# Where Debian's at-spi2-core puts it (off PATH).
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# The fields in the window's reading order, by their keys in the tables.
FIELD_KEYS = ("frequency", "cylinder-diameter", "ratio", "wire-diameter", "pitch", "turn-diameter", "bandwidth")
DESIGN = ("14.2", "50", "3", "1", "2", "50", "0")


def spoken(text):
    """A caption as a screen reader says it: without its access-key marks."""
    return re.sub(r"&(.)", r"\1", text)


def ended(process, seconds=10):
    """Ends a process started here: asked first, then forced."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(seconds)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


# ---------------------------------------------------------------------------
# Outside the session: the X server and the session bus.


def start_x(folder):
    """Xvfb on a free display, which -displayfd names once it takes clients
    (no race with other servers starting at the same time)."""
    read_end, write_end = os.pipe()
    log = open(os.path.join(folder, "xvfb.log"), "wb")
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + START_SECONDS
    while not number.endswith(b"\n") and time.monotonic() < deadline and server.poll() is None:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip():
        ended(server)
        with open(os.path.join(folder, "xvfb.log"), encoding="utf-8", errors="replace") as text:
            sys.stderr.write(text.read())
        raise SystemExit("FAIL: Xvfb did not start")
    return server, ":" + number.decode().strip()


def run_outside(args):
    for tool, package in (("dbus-run-session", "dbus-daemon"), ("Xvfb", "xvfb")):
        if shutil.which(tool) is None:
            print(f"FAIL: {tool} is missing (Debian's {package}; scripts/install-deps.sh installs it)")
            return 1
    try:
        import pyatspi  # noqa: F401 (only whether it is there)
    except ImportError as error:
        print(f"FAIL: {error}: the Python module of Debian's python3-pyatspi, for {sys.executable} "
              "(scripts/install-deps.sh installs it)")
        return 1

    with tempfile.TemporaryDirectory(prefix="eh-screen-reader-") as folder:
        os.chmod(folder, 0o700)
        # A home, runtime and configuration of this run alone: the buses'
        # sockets and the program's settings go nowhere else.
        for name in ("home", "runtime", "cache"):
            os.mkdir(os.path.join(folder, name), 0o700)
        server, display = start_x(folder)
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("LC_", "DBUS_", "AT_SPI", "XDG_", "QT_", "WAYLAND"))}
        env.pop("LANGUAGE", None)
        env.update(DISPLAY=display, HOME=os.path.join(folder, "home"), XDG_RUNTIME_DIR=os.path.join(folder, "runtime"),
                   XDG_CACHE_HOME=os.path.join(folder, "cache"), LANG="C.UTF-8", LC_ALL="C.UTF-8", TZ="UTC")
        started = os.path.join(folder, "session-started")
        command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), "--inside", folder,
                   "--program", args.program, "--cli", args.cli, "--languages", args.languages]
        # Into a file: a daemon of the session that outlived it would hold a
        # pipe open.
        errors_path = os.path.join(folder, "session.log")
        with open(errors_path, "wb") as errors:
            session = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stderr=errors,
                                       start_new_session=True)
        try:
            status = session.wait(WHOLE_RUN_SECONDS)
        except subprocess.TimeoutExpired:
            print(f"FAIL: the run did not end within {WHOLE_RUN_SECONDS} s")
            status = 1
        finally:
            # The buses and anything else the session left behind.
            try:
                os.killpg(session.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            session.wait()
            ended(server)
        with open(errors_path, encoding="utf-8", errors="replace") as log:
            errors = log.read()
        if not os.path.exists(started):
            print(f"SKIP: the D-Bus session bus did not start (dbus-run-session exit {status}):\n{errors}")
            return SKIP
        if status != 0:
            sys.stderr.write(errors)
        return status


# ---------------------------------------------------------------------------
# Inside the session: the accessibility bus, the program and the checks.


class Failures(list):
    def check(self, condition, message):
        if not condition:
            self.append(message)
        return condition


def wait_for(what, probe, seconds=CHANGE_SECONDS, process=None):
    """probe() until it gives something, within the deadline; the program
    ending first is reported as such."""
    deadline = time.monotonic() + seconds
    last_error = None
    while time.monotonic() < deadline:
        if process is not None and process.poll() is not None:
            raise RuntimeError(f"the program ended (exit {process.returncode}) while waiting for {what}")
        try:
            found = probe()
            if found:
                return found
        except Exception as error:  # a D-Bus call that failed or timed out: asked again
            last_error = error
        time.sleep(0.2)
    raise RuntimeError(f"no {what} within {seconds} s" + (f" (last error: {last_error})" if last_error else ""))


def accessibility_bus_address():
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                          GLib.VariantType("(s)"), Gio.DBusCallFlags.NO_AUTO_START, 5000, None)
    return reply.unpack()[0]


def nodes_of(root):
    """Every node under root, depth first in the reading order."""
    root.clear_cache()
    found = []
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        found.append(node)
        if len(found) > MOST_NODES:
            raise RuntimeError(f"more than {MOST_NODES} accessible nodes under {root.name!r}")
        stack.extend(reversed([child for child in node]))
    return found


def has(node, state):
    return node.getState().contains(state)


def unnamed_controls(root):
    """The focusable controls showing under root that a screen reader could
    not name, each with its parent's role and name."""
    import pyatspi
    unnamed = []
    for node in nodes_of(root):
        if has(node, pyatspi.STATE_FOCUSABLE) and has(node, pyatspi.STATE_SHOWING) and not node.name.strip():
            parent = node.parent
            unnamed.append(f"{node.getRoleName()} in {parent.getRoleName() if parent else '-'} "
                           f"{parent.name if parent else ''!r}")
    return unnamed


def press(node):
    """Does a control's press action, as a screen reader's "activate"."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("Press", "press", "click"):
        if wanted in names:
            return action.doAction(names.index(wanted))
    raise RuntimeError(f"{node.getRoleName()} {node.name!r} has no press action, only {names}")


def by_role_and_name(nodes, role, name):
    return [node for node in nodes if node.getRole() == role and node.name == name]


def line_at(text, offset):
    import pyatspi
    line, _, _ = text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
    return line.rstrip("\n")


def check_language(args, folder, language, texts, failures):
    import pyatspi
    from gi.repository import GLib

    def say(key):
        return spoken(texts[key])

    config = os.path.join(folder, "config-" + language)
    os.makedirs(os.path.join(config, "eh-antenna"))
    if language == "en":
        # As a user's choice in the Language menu leaves it.
        with open(os.path.join(config, "eh-antenna", "interface.ini"), "w", encoding="utf-8") as settings:
            settings.write("[General]\nlanguage=en\n")
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    if "ASAN_OPTIONS" in env:
        # Under AddressSanitizer: Qt's X platform has libxkbcommon-x11 copy
        # a counted, unterminated string out of an X reply with strndup,
        # which is correct but fails the check that every string argument
        # is terminated. The later setting wins.
        env["ASAN_OPTIONS"] += ":strict_string_checks=0"
    log_path = os.path.join(folder, f"program-{language}.log")
    with open(log_path, "wb") as log:
        program = subprocess.Popen([args.program], cwd=folder, env=env, stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=log)
    tag = f"[{language}]"
    try:
        def application():
            desktop = pyatspi.Registry.getDesktop(0)
            desktop.clear_cache()
            return next((app for app in desktop if app is not None and app.get_process_id() == program.pid), None)

        app = wait_for("application on the accessibility bus", application, START_SECONDS, program)
        caption = texts["window.caption"]

        def window(name):
            def probe():
                app.clear_cache()
                return next((w for w in app if w is not None and w.name == name and has(w, pyatspi.STATE_SHOWING)),
                            None)
            return probe

        main = wait_for(f"window {caption!r}", window(caption), START_SECONDS, program)
        nodes = nodes_of(main)
        unnamed = unnamed_controls(main)
        failures.check(not unnamed, f"{tag} main window: focusable controls without a name: {unnamed}")

        fields = [node for node in nodes if node.getRole() == pyatspi.ROLE_TEXT and has(node, pyatspi.STATE_EDITABLE)]
        labels = [texts[f"input.{key}.label"] for key in FIELD_KEYS]
        failures.check([field.name for field in fields] == labels,
                       f"{tag} the fields' names {[field.name for field in fields]}, expected their labels {labels}")
        buttons = by_role_and_name(nodes, pyatspi.ROLE_PUSH_BUTTON, say("window.calculate"))
        panes = by_role_and_name(nodes, pyatspi.ROLE_TEXT, texts["window.report"])
        if not failures.check(len(fields) == len(DESIGN) and len(buttons) == 1 and len(panes) == 1,
                              f"{tag} expected 7 fields, a button {say('window.calculate')!r} and a pane "
                              f"{texts['window.report']!r}; found {len(fields)}, {len(buttons)}, {len(panes)}"):
            return

        for field, typed in zip(fields, DESIGN):
            failures.check(field.queryEditableText().setTextContents(typed), f"{tag} {field.name!r} refused {typed!r}")
        expected = subprocess.run([args.cli, "--language", language, "-s", ".", *DESIGN], capture_output=True,
                                  check=True, timeout=CHANGE_SECONDS).stdout.decode("utf-8").splitlines()
        press(buttons[0])
        report = panes[0].queryText()
        shown = []

        def whole_report():
            shown[:] = report.getText(0, -1).splitlines()
            return shown == expected

        try:
            wait_for("report in the pane equal to the tool's", whole_report, CHANGE_SECONDS, program)
        except RuntimeError as error:
            failures.append(f"{tag} {error}; the pane's lines / the tool's:\n  "
                            + "\n  ".join(f"{a!r} / {b!r}" for a, b in zip(shown, expected) if a != b)
                            + f"\n  ({len(shown)} and {len(expected)} lines)")
        # A screen reader reads the line at the caret: the title, then the
        # first figure, which is the typed design's.
        first = line_at(report, 0)
        second = line_at(report, len(first) + 1)
        failures.check([first, second] == expected[:2],
                       f"{tag} the pane's first lines {[first, second]}, expected {expected[:2]}")

        items = by_role_and_name(nodes, pyatspi.ROLE_MENU_ITEM, say("menu.view.explorer"))
        if not failures.check(len(items) == 1, f"{tag} no menu item {say('menu.view.explorer')!r}"):
            return
        press(items[0])
        title = texts["explorer.title"]
        explorer = wait_for(f"window {title!r}", window(title), START_SECONDS, program)
        tabs = [node for node in nodes_of(explorer) if node.getRole() == pyatspi.ROLE_PAGE_TAB]
        tab_names = [say(f"explorer.tab.{key}") for key in ("drawing", "bands", "solve")]
        failures.check([tab.name for tab in tabs] == tab_names,
                       f"{tag} the explorer's tabs {[tab.name for tab in tabs]}, expected {tab_names}")
        for tab in tabs:
            press(tab)
            # Qt 6.4 marks the current tab as focused, later versions as
            # selected.
            wait_for(f"tab {tab.name!r} chosen",
                     lambda: tab.clear_cache() or has(tab, pyatspi.STATE_SELECTED) or has(tab, pyatspi.STATE_FOCUSED),
                     CHANGE_SECONDS,
                     program)
            unnamed = unnamed_controls(explorer)
            failures.check(not unnamed, f"{tag} explorer, tab {tab.name!r}: focusable controls without a name: "
                           f"{unnamed}")
    except (RuntimeError, subprocess.SubprocessError, GLib.Error) as error:
        failures.append(f"{tag} {error}")
    finally:
        ended(program)
        if failures:
            with open(log_path, encoding="utf-8", errors="replace") as log:
                sys.stderr.write(f"{tag} the program's output:\n{log.read()}")


def run_inside(args):
    folder = args.inside
    open(os.path.join(folder, "session-started"), "w").close()
    if not os.access(LAUNCHER, os.X_OK):
        print("FAIL: at-spi-bus-launcher is missing (Debian's at-spi2-core; scripts/install-deps.sh installs it)")
        return 1
    launcher = subprocess.Popen([LAUNCHER, "--launch-immediately"], stdin=subprocess.DEVNULL)
    try:
        try:
            address = wait_for("accessibility bus", accessibility_bus_address, START_SECONDS, launcher)
        except RuntimeError as error:
            print(f"SKIP: the accessibility bus did not start: {error}")
            return SKIP
        print(f"accessibility bus: {address}")
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        Atspi.set_timeout(CALL_MILLISECONDS, START_SECONDS * 1000)

        failures = Failures()
        for language in ("ru", "en"):
            with open(os.path.join(args.languages, language + ".json"), encoding="utf-8") as table:
                texts = json.load(table)["texts"]
            check_language(args, folder, language, texts, failures)
        for failure in failures:
            print("FAIL:", failure)
        if failures:
            return 1
        print("the window and the explorer read as a screen reader reads them, in Russian and English")
        return 0
    finally:
        ended(launcher)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the window program (eh-antenna)")
    parser.add_argument("--cli", required=True, help="the command-line tool (eh-antenna-cli)")
    parser.add_argument("--languages", required=True, help="the folder of the language tables (ru.json, en.json)")
    parser.add_argument("--inside", help=argparse.SUPPRESS)
    args = parser.parse_args()
    args.program, args.cli, args.languages = map(os.path.abspath, (args.program, args.cli, args.languages))
    return run_inside(args) if args.inside else run_outside(args)


if __name__ == "__main__":
    sys.exit(main())
