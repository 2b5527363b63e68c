#!/usr/bin/python3
"""The real program as a screen reader meets it, through the AT-SPI tree: every control of the
main, help and tape windows has a name and a description, the tables' controls are there by role
and name, each answer reaches the output box with a text-changed event (also the same answer
again), a pressed key announces no state change, the help window's links take the focus and a
press, and the tape's status line announces its news. Run as `atspi_session.sh
accessibility_tree.py <quorvix>`; exit 77 (skipped) when python3-pyatspi or xdotool is missing."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("SKIP: python3-pyatspi is not installed")
    sys.exit(77)

# Seconds that anything awaited may take; far above need, so that a busy machine passes.
LIMIT = 60

# (role, name) of controls that must be there; the names come from the control and key tables.
BUTTON = "push button"
MAIN_WINDOW = [(BUTTON, name) for name in (
    "pi", "multiply", "divide", "square", "square root", "change sign", "decimal point",
    "backspace", "store in x", "recall k", "7", "evaluate", "copy output to clipboard")] + [
    ("text", "input line"), ("text", "output box"), ("radio button", "JavaScript")]
MAIN_WINDOW_CONTROLS = 56  # 14 on the left, the keypad panel, 2 caption boxes, 39 keys
LINKS = [("link", "advertisement"),
         ("link", "GET PAID TO RECEIVE E-MAILS ON SUBJECTS OF YOUR CHOICE!!")]
HELP_WINDOW = [("text", "help text")] + LINKS
TAPE_WINDOW = [("list", "result tape")] + [(BUTTON, name) for name in (
    "insert answer", "insert input", "copy", "copy all", "delete", "clear all", "save as text")]

failures = []


class TimedOut(Exception):
    pass


def check(condition, message):
    if not condition:
        failures.append(message)


def wait_for(what, probe):
    """Polls `probe` (a busy program may not answer at once) until it gives a true value."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        try:
            found = probe()
        except GLib.GError:
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise TimedOut(f"timed out waiting for {what}")


def window(app, title):
    for child in app:
        if child is not None and (child.getRoleName(), child.name) == ("frame", title) \
                and child.childCount > 0:
            return child
    return None


def check_window(title, frame, table):
    found = {(child.getRoleName(), child.name): child for child in frame if child is not None}
    for child in frame:
        role, name = child.getRoleName(), child.name
        # A status line's name is its text, which may be empty (until it has news).
        check(name or role in ("label", "notification"), f"{title}: a {role} has no name")
        check(child.description, f"{title}: {role} '{name}' has no description")
    missing = [f"{role} '{name}'" for role, name in table if (role, name) not in found]
    check(not missing, f"{title}: no {', '.join(missing)}; it has {sorted(found)}")
    return found


def run_checks(process, events):
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("the program in the accessibility tree", lambda: next(
        (a for a in desktop if a is not None and a.get_process_id() == process.pid), None))
    main_window = wait_for("the main window", lambda: window(app, "Quorvix"))
    found = check_window("main window", main_window, MAIN_WINDOW)
    check(len(found) == MAIN_WINDOW_CONTROLS,
          f"main window: {len(found)} controls, not {MAIN_WINDOW_CONTROLS}")

    # Keys pressed as a screen reader user does, through their press action; then evaluated
    # twice with the same answer: both must be heard.
    for key in ("6", "multiply", "7"):
        found[(BUTTON, key)].queryAction().doAction(0)
    # A key is a push button: its press is no change of a checked state.
    check(all(event[0] != "object:state-changed:checked" for event in events),
          "main window: a pressed key announces a checked state")
    output = found[("text", "output box")]
    for run in range(2):
        events.clear()
        found[(BUTTON, "evaluate")].queryAction().doAction(0)
        wait_for(f"the answer in the output box (run {run})",
                 lambda: output.queryText().getText(0, -1) == "42")
        wait_for(f"the output box's text-changed event (run {run})",
                 lambda: ("object:text-changed:insert", "output box", "42") in events)

    found[(BUTTON, "help")].queryAction().doAction(0)
    links = check_window("help window",
                         wait_for("the help window", lambda: window(app, "Quorvix Help")),
                         HELP_WINDOW)
    for link in (link for link in LINKS if link in links):
        actions = links[link].queryAction()
        check(links[link].getState().contains(pyatspi.STATE_FOCUSABLE) and "Press" in
              [actions.getName(i) for i in range(actions.nActions)],
              f"help window: {link} cannot take the focus and be pressed")

    # The tape has no button of its own: F9 in the main window opens it.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Quorvix$",
                    "windowfocus", "--sync", "key", "F9"], timeout=LIMIT, check=True)
    tape = check_window("tape window",
                        wait_for("the tape window", lambda: window(app, "Quorvix - Result Tape")),
                        TAPE_WINDOW)
    # The status line's news is announced as it comes.
    events.clear()
    tape[(BUTTON, "clear all")].queryAction().doAction(0)
    wait_for("the status line's announcement", lambda: any(
        kind == "object:state-changed:showing" and name.startswith("Cleared")
        for kind, name, _ in events))


def main():
    if not shutil.which("xdotool"):
        print("SKIP: xdotool is not installed")
        return 77
    events = []
    # Registered before the program starts, so that its bridge knows from the start that the
    # event is listened for.
    pyatspi.Registry.registerEventListener(
        lambda event: events.append((event.type, event.source.name, event.any_data)),
        "object:text-changed", "object:state-changed",
    )
    work = tempfile.mkdtemp()
    # The program keeps its settings, history and tape beside itself or in the user's folder.
    program = os.path.join(work, "quorvix")
    shutil.copy(sys.argv[1], program)
    environment = dict(os.environ, HOME=work, XDG_CONFIG_HOME=work, XDG_RUNTIME_DIR=work,
                       QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    log = open(os.path.join(work, "quorvix.log"), "w")
    process = subprocess.Popen([program], env=environment, stdout=log, stderr=subprocess.STDOUT)
    try:
        run_checks(process, events)
    except TimedOut as error:
        failures.append(str(error))
    finally:
        process.kill()
        process.wait()
        log.close()
        if failures:
            with open(log.name) as program_log:
                sys.stdout.write(program_log.read())
        shutil.rmtree(work)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


sys.exit(main())
