#!/usr/bin/python3
"""The laboratory's two daily jobs on the real program, as the manual walks through them, with
their screenshots.

Validating a method: the validation of docs/examples/nh3-validation.lumetra opened as a file
manager opens it, the window filling the 1280 x 800 screen, the tab 验证 shown, and 方法 >
保存为方法… with its dialog (the shot walkthrough-validation.png), the method written through the
file dialog. Running a batch with it: docs/examples/QL-2026-118.lumetra opened, 方法 > 应用方法…
with the method just saved, the reason the saved record asks typed, the sample list enlarged and
scrolled sideways to the results and their checks (the shot walkthrough-batch.png) and the 记录
tab holding the application with its reason, the entry's tooltip showing it whole
(walkthrough-record.png). The shots land in the artefact folder; scripts/screenshots copies them
into docs/.

Usage: walkthrough.py PATH/TO/lumetra ARTEFACT_DIR
Run it with Debian's /usr/bin/python3, which has pyatspi (package python3-pyatspi).
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from accessibility_test import (SESSION_MARK, TIMEOUT, Fatal, Results, Tree, Window,  # noqa: E402
                                bus_daemons, end_processes, poll, start_display, stop, wait_for,
                                xdotool)

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs",
                        "examples")
REASON = "按验证的方法报告"


def named_window(tree, name):
    for window in tree.windows():
        try:
            if window is not None and window.name == name and tree.showing(window):
                return window
        except Exception:  # a window that went away while we looked
            continue
    return None


def x_window(title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True, timeout=TIMEOUT).stdout.split()
    return found[0] if found else None


def screenshot(path):
    """The whole screen, as the user sees it."""
    time.sleep(0.5)  # the last repaint
    subprocess.run(["import", "-window", "root", path], check=True, timeout=TIMEOUT)


def type_text(text):
    xdotool("type", "--delay", "20", "--", text)


def type_reason(tree, question):
    """Types the reason into the question's box until the box holds it whole. xdotool types a
    character the keyboard map lacks through a keycode it remaps for the moment, and on a loaded
    machine the last such character can arrive after the map was restored, or a character can be
    lost altogether: then the box is emptied and the reason typed again, with a longer wait each
    time. Should the keyboard never carry it whole, the text is put into the box through its
    accessible editable text, as an input method would: what is tested here is the record that
    follows, not xdotool's remapping."""
    box = next(a for a in tree.walk(question) if a.getRoleName() == "text")
    for attempt in range(4):
        type_text(REASON)
        if poll(lambda: tree.text(box) == REASON, timeout=3 + 3 * attempt):
            return
        xdotool("key", "ctrl+a", "BackSpace")
        poll(lambda: tree.text(box) == "", timeout=3)
    print("  the keyboard did not carry the reason whole; it is set as an input method would",
          flush=True)
    box.queryEditableText().setTextContents(REASON)
    if not poll(lambda: tree.text(box) == REASON, timeout=TIMEOUT):
        raise Fatal(f"the reason typed reads {tree.text(box)!r}")


def press_tab(tree, window, name, shown):
    """Brings a tab of the analysis window to the front, as a click on it does; `shown` is a
    control on it that then shows."""
    tab = window.get("page tab", name)
    extents = tab.queryComponent().getExtents(0)  # screen coordinates
    xdotool("mousemove", "--sync", str(extents.x + extents.width // 2),
            str(extents.y + extents.height // 2), "click", "1")
    wait_for(lambda: tree.showing(shown), f"the tab {name} in front")


def toggle(accessible):
    action = accessible.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Toggle":
            action.doAction(i)
            return
    raise Fatal(f"{accessible.name!r} has no Toggle action")


def scroll_to_end(table):
    """The table scrolled sideways to its last column: a click on a reading, then End. The batch
    fills less than the enlarged table's height."""
    cell = table.queryTable().getAccessibleAt(0, 1).queryComponent().getExtents(0)
    xdotool("mousemove", "--sync", str(cell.x + cell.width // 2), str(cell.y + cell.height // 2),
            "click", "1")
    time.sleep(0.3)
    xdotool("key", "End")
    # A click on the empty space below the rows leaves no row selected.
    area = table.queryComponent().getExtents(0)
    time.sleep(0.3)
    xdotool("mousemove", "--sync", str(area.x + area.width // 2),
            str(area.y + area.height - 30), "click", "1")


def open_file(pyatspi, program, env, path, artefacts, log_name):
    with open(os.path.join(artefacts, log_name), "w") as log:
        app = subprocess.Popen([program, path], env=env, stdout=log, stderr=subprocess.STDOUT)
    tree = Tree(pyatspi, app.pid)
    wait_for(tree.find_application, "the program on the accessibility bus")
    title = f"{os.path.basename(path)} - 标准曲线分析"
    found = wait_for(lambda: named_window(tree, title), f"the window {title}")
    # Maximised on the 1280 x 800 screen (no window manager: the window is moved and sized).
    window_id = wait_for(lambda: x_window(title), "its X window")
    xdotool("windowmove", "--sync", window_id, "0", "0")
    xdotool("windowsize", "--sync", window_id, "1280", "800")
    xdotool("windowfocus", "--sync", window_id)
    return app, tree, Window(tree, found), window_id


def menu_entry(tree, window_id, down, title):
    """方法 (Alt+M), then the entry `down` places below the first, until the window `title` it
    opens shows. On a loaded machine the menu can open after the keys meant for it: then Escape
    closes what opened and the menu is tried again."""
    for _ in range(3):
        xdotool("windowfocus", "--sync", window_id)
        xdotool("key", "alt+m")
        time.sleep(0.5)
        for _ in range(down):
            xdotool("key", "Down")
        xdotool("key", "Return")
        shown = poll(lambda: named_window(tree, title), timeout=10)
        if shown:
            return shown
        xdotool("key", "Escape")
        time.sleep(0.5)
    raise Fatal(f"timed out waiting for {title} from the menu 方法")


def file_dialog(tree, title, path):
    """Qt's own file dialog: the path typed into its name box, then Enter."""
    wait_for(lambda: named_window(tree, title), f"the file dialog {title}")
    time.sleep(0.3)
    xdotool("key", "ctrl+a")
    type_text(path)
    xdotool("key", "Return")


def validate(r, pyatspi, program, env, artefacts, work):
    document = os.path.join(work, "nh3-validation.lumetra")
    shutil.copy(os.path.join(EXAMPLES, "nh3-validation.lumetra"), document)
    method = os.path.join(work, "nh3.lumetra-method")
    app, tree, window, window_id = open_file(pyatspi, program, env, document, artefacts,
                                             "validation.log")
    try:
        press_tab(tree, window, "验证", window.get("table", "验证"))
        dialog = menu_entry(tree, window_id, 0, "保存为方法")
        fields = Window(tree, dialog)
        r.check(tree.text(fields.text_box("方法名称")) == "HJ 535-2009 氨氮",
                "validation: the method named after the record's header")
        screenshot(os.path.join(artefacts, "walkthrough-validation.png"))
        xdotool("key", "Return")
        file_dialog(tree, "保存为方法", method)
        r.check(poll(lambda: os.path.exists(method)), "validation: the method file written")
        with open(method, encoding="utf-8") as f:
            text = f.read()
        r.check('"validated": {"mdl": ' in text and '"sha256": "' in text,
                "validation: the method carries the validated MDL and the file's hash")
    except BaseException:
        screenshot(os.path.join(artefacts, "failure-validation.png"))
        raise
    finally:
        stop(app)
    return method


def run_batch(r, pyatspi, program, env, artefacts, work, method):
    document = os.path.join(work, "QL-2026-118.lumetra")
    shutil.copy(os.path.join(EXAMPLES, "QL-2026-118.lumetra"), document)
    app, tree, window, window_id = open_file(pyatspi, program, env, document, artefacts,
                                             "batch.log")
    try:
        menu_entry(tree, window_id, 1, "应用方法")
        file_dialog(tree, "应用方法", method)
        # A saved record asks why it changes.
        question = wait_for(lambda: tree.showing_window(("dialog",)), "the question for the reason")
        time.sleep(0.3)
        type_reason(tree, question)
        xdotool("key", "Return")
        title = "*QL-2026-118.lumetra - 标准曲线分析"
        r.check(poll(lambda: named_window(tree, title)), "batch: the method applied, not saved")
        window = Window(tree, named_window(tree, title))
        press_tab(tree, window, "样品", window.get("table", "样品"))
        window = Window(tree, named_window(tree, title))  # the tab's controls as now shown
        # A button that stays pressed is a check box to a screen reader, toggled by its action.
        enlarge = window.get("check box", "放大样品表")
        toggle(enlarge)
        time.sleep(0.5)
        # Sideways to the results and their checks; the names stay in view.
        scroll_to_end(window.get("table", "样品"))
        time.sleep(0.5)
        screenshot(os.path.join(artefacts, "walkthrough-batch.png"))
        toggle(enlarge)
        history = window.get("table", "记录")
        press_tab(tree, window, "记录", history)
        history.clearCache()
        content = history.queryTable()
        last = content.getAccessibleAt(content.nRows - 1, 2).name
        r.check(last.startswith('应用方法 "HJ 535-2009 氨氮"') and last.endswith(REASON),
                "batch: the application recorded with its reason", repr(last))
        # The entry is wider than its cell: the pointer on it shows the whole text.
        cell = content.getAccessibleAt(content.nRows - 1, 2).queryComponent().getExtents(0)
        xdotool("mousemove", "--sync", str(cell.x + cell.width // 2),
                str(cell.y + cell.height // 2))
        time.sleep(1.5)
        screenshot(os.path.join(artefacts, "walkthrough-record.png"))
    except BaseException:
        screenshot(os.path.join(artefacts, "failure-batch.png"))
        raise
    finally:
        stop(app)


def run(program, artefacts):
    import pyatspi  # only here, inside the session bus it is to connect to

    r = Results()
    work = tempfile.mkdtemp(prefix="lumetra-walkthrough-")
    xvfb = None
    address = os.environ["DBUS_SESSION_BUS_ADDRESS"]
    try:
        xvfb = start_display(work)
        config = os.path.join(work, "config")
        os.mkdir(config)
        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=config)
        env.pop("QT_QPA_PLATFORM", None)
        method = validate(r, pyatspi, program, env, artefacts, work)
        shutil.copy(method, os.path.join(artefacts, "nh3.lumetra-method"))
        run_batch(r, pyatspi, program, env, artefacts, work, method)
    except Fatal as problem:
        r.check(False, "run", str(problem))
    except Exception:  # a failed D-Bus call or tool: the run cannot go on
        traceback.print_exc()
        r.check(False, "run", "stopped by an unexpected error")
    finally:
        if r.failed and xvfb is not None and xvfb.poll() is None:
            subprocess.run(["import", "-window", "root", os.path.join(artefacts, "failure.png")],
                           check=False, capture_output=True, timeout=TIMEOUT)
        end_processes(bus_daemons(address))
        stop(xvfb)
        shutil.rmtree(work, ignore_errors=True)
    print(f"{r.passed} passed, {r.failed} failed")
    return 1 if r.failed else 0


def main():
    if len(sys.argv) != 3:
        print("usage: walkthrough.py PATH/TO/lumetra ARTEFACT_DIR", file=sys.stderr)
        return 2
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    program, artefacts = os.path.abspath(sys.argv[1]), sys.argv[2]
    os.makedirs(artefacts, exist_ok=True)
    if os.environ.get(SESSION_MARK) != "1":
        os.environ[SESSION_MARK] = "1"
        os.execvp("dbus-run-session",
                  ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                   program, artefacts])
    return run(program, artefacts)


if __name__ == "__main__":
    sys.exit(main())
