#!/usr/bin/python3
"""Operates the real program the way a screen reader does, through AT-SPI, from outside.

Starts lumetra on an X display and a D-Bus session of its own with Qt's accessibility bridge on,
walks both windows' accessible trees, checks the roles and names of the controls, runs the main
window from the cover through the run button's action, confirms a point count (refused, then
accepted), fills three points at the keyboard and fits them, and reads the results back. Then F2
opens the analysis window, whose statistics and points are read cell by cell with their labels and
whose plot describes what it shows. Last, the program is started with a file of twelve
standards, as a file manager starts it, and the statistics read n = 12.

Usage: accessibility_test.py PATH/TO/lumetra ARTEFACT_DIR
Run it with Debian's /usr/bin/python3, which has pyatspi (package python3-pyatspi).
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

from gi.repository import GLib

SESSION_MARK = "LUMETRA_A11Y_SESSION"
TIMEOUT = 20.0  # seconds any one wait may take


class Fatal(Exception):
    """A step the rest of the run depends on went wrong."""


class Results:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what, detail=""):
        if ok:
            self.passed += 1
            print(f"ok   {what}")
        else:
            self.failed += 1
            print(f"FAIL {what}" + (f": {detail}" if detail else ""))
        return ok


def wait_for(condition, what, timeout=TIMEOUT):
    """Polls condition() until it returns something true; raises Fatal after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        # Accessibility events (message boxes announced) arrive through GLib's main context.
        while GLib.MainContext.default().iteration(False):
            pass
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Fatal(f"timed out waiting for {what}")
        time.sleep(0.05)


def source_name(source):
    """The name of an event's source, or None when it has gone away."""
    try:
        return source.name
    except Exception:  # the source went away
        return None


def poll(condition, timeout=TIMEOUT):
    """Like wait_for, but answers False when the time is up."""
    try:
        return wait_for(condition, "", timeout)
    except Fatal:
        return False


# --- Processes -------------------------------------------------------------------------------

def start_display(work):
    """An Xvfb of our own; it writes the display number it picked to a pipe."""
    read_end, write_end = os.pipe()
    with open(os.path.join(work, "xvfb.log"), "w") as log:
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
             "-nolisten", "tcp", "-noreset"],  # see start_display in lib.sh
            pass_fds=[write_end], stdout=log, stderr=subprocess.STDOUT)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + TIMEOUT
    while not number.endswith(b"\n"):
        ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(read_end, 16) if ready else b""
        if not chunk:
            os.close(read_end)
            xvfb.kill()
            raise Fatal("Xvfb did not start")
        number += chunk
    os.close(read_end)
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    # The program keeps its last worksheet in its data folder: one of the test's own.
    data = os.path.join(work, "data")
    os.mkdir(data)
    os.environ["XDG_DATA_HOME"] = data
    return xvfb


def bus_daemons(address):
    """Processes started for our session bus (the AT-SPI bus launcher, its dbus-daemon and the
    registry daemon): they are re-parented to init, and carry the bus address in their
    environment."""
    wanted = {f"DBUS_SESSION_BUS_ADDRESS={address}".encode(),
              f"DBUS_STARTER_ADDRESS={address}".encode()}
    pids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as f:
                environ = set(f.read().split(b"\0"))
        except OSError:
            continue
        if environ & wanted:
            pids.append(int(entry))
    return pids


def running(pid):
    """True until the process has ended (a zombie waiting for init to reap it has)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rpartition(")")[2].split()[0] != "Z"
    except OSError:
        return False


def end_processes(pids):
    for pid in pids:
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    deadline = time.monotonic() + 5
    for pid in pids:
        while running(pid) and time.monotonic() < deadline:
            time.sleep(0.05)
        if running(pid):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def stop(process):
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True,
                          text=True, timeout=TIMEOUT).stdout


def visible_windows():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Lumetra$"],
                           capture_output=True, text=True, timeout=TIMEOUT).stdout
    return found.split()


# --- The accessible tree ---------------------------------------------------------------------

class Tree:
    """The program as an assistive technology sees it. Accessible objects stay valid while
    their widgets live, so a window is walked once and its controls looked up by role and name;
    what changes (texts, label names, states) is read afresh each time."""

    def __init__(self, pyatspi, pid):
        self.pyatspi = pyatspi
        self.pid = pid
        self.app = None
        self.announced = []  # (event type, role, source) of message boxes announced
        pyatspi.Registry.registerEventListener(
            self._on_window_event, "window:create", "window:activate",
            "object:state-changed:showing")

    def _on_window_event(self, event):
        try:
            if event.source.getRoleName() in ("alert", "dialog"):
                # The source is kept, not its name: a box can be announced before its title is
                # set, and reading the name only when asked removes that race.
                self.announced.append((event.type, event.source.getRoleName(), event.source))
        except Exception:  # the source went away
            pass

    def find_application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.pid and app.childCount > 0:
                    self.app = app
                    return app
            except Exception:  # an application that went away while we looked
                continue
        return None

    def windows(self):
        self.app.clearCache()
        return [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]

    def showing_window(self, role, exclude=()):
        for window in self.windows():
            try:
                if (window is not None and window.getRoleName() in role
                        and window not in exclude and self.showing(window)):
                    return window
            except GLib.GError:  # a window that went away while we looked (a closed box)
                continue
        return None

    def has(self, accessible, state):
        accessible.clearCache()
        return accessible.getState().contains(getattr(self.pyatspi, "STATE_" + state.upper()))

    def showing(self, accessible):
        return self.has(accessible, "showing")

    def walk(self, accessible):
        yield accessible
        for i in range(accessible.childCount):
            child = accessible.getChildAtIndex(i)
            if child is not None:
                yield from self.walk(child)

    def index(self, root):
        """{(role name, accessible name): [accessible, ...]} of everything below root."""
        found = {}
        for accessible in self.walk(root):
            found.setdefault((accessible.getRoleName(), accessible.name), []).append(accessible)
        return found

    def text(self, accessible):
        accessible.clearCache()
        content = accessible.queryText()
        return content.getText(0, content.characterCount)

    def name(self, accessible):
        accessible.clearCache()
        return accessible.name

    def actions(self, accessible):
        try:
            action = accessible.queryAction()
        except NotImplementedError:
            return []
        return [action.getName(i) for i in range(action.nActions)]

    def press(self, accessible):
        action = accessible.queryAction()
        for i in range(action.nActions):
            if action.getName(i) == "Press":
                action.doAction(i)
                return
        raise Fatal(f"{accessible.name!r} has no Press action")


class Window:
    """One top-level window and its controls by role and name."""

    def __init__(self, tree, accessible):
        self.accessible = accessible
        self.controls = tree.index(accessible)

    def all(self, role, name):
        return self.controls.get((role, name), [])

    def get(self, role, name):
        matches = self.all(role, name)
        if len(matches) != 1:
            raise Fatal(f"{len(matches)} controls with role {role!r} and name {name!r}")
        return matches[0]

    def text_box(self, name):
        return self.get("text", name)

    def button(self, name):
        return self.get("push button", name)


# --- The checks ------------------------------------------------------------------------------

KEYPAD = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "小数点", "退格"]
# Buttons by name: where a caption alone does not say what a button does, its name does.
MAIN_BUTTONS = ["测点个数及浓度单位输入完毕", "计算标准曲线", "清零数据表", "返回封面",
                "计算样品浓度", "清零样品"] + KEYPAD
MAIN_BOXES = (["测点个数"] + [f"浓度 {i}" for i in range(1, 11)]
              + [f"吸光度 {i}" for i in range(1, 11)]
              + ["相关系数r", "C(最高)", "A(最高)", "样品吸光度", "样品浓度"])
# Written by the program only: disabled, and read-only to a screen reader.
RESULT_BOXES = ["相关系数r", "C(最高)", "A(最高)", "样品浓度"]
# Labels have no name of their own: they announce their caption, also as it changes.
MAIN_LABELS = ["序号", "C(x)", "A(y)", "测点个数(2-10)---", "C(x)单位(选择)---", "y=a+bx",
               "相关系数r--", "C(最高)", "A(最高)", "请输入A", "样品浓度C为:"]
MAIN_FRAMES = ["请输入下列二个参数", "Lumetra结果：", "线性范围", "样品浓度计算"]
OUT_OF_RANGE = "输入数据不在范围之内,请重新输入!"


def check_cover(r, tree, cover):
    r.check((cover.accessible.getRoleName(), cover.accessible.name) == ("filler", "Lumetra"),
            "cover: a window named Lumetra")
    for name in ["运行程序", "退出程序"]:
        buttons = cover.all("push button", name)
        r.check(len(buttons) == 1 and "Press" in tree.actions(buttons[0]),
                f"cover: push button {name} with a Press action")
    r.check(len(cover.all("label", "我的野蛮女友，漂亮不漂亮")) == 1,
            "cover: the caption is a label read by its text")


def check_keyboard_on_cover(r, tree, cover, window_id):
    """Both buttons are reached with Tab, and the focus is announced."""
    run, leave = cover.button("运行程序"), cover.button("退出程序")
    xdotool("windowfocus", "--sync", window_id)
    r.check(poll(lambda: tree.has(run, "focused")), "cover: 运行程序 has the focus at start")
    xdotool("key", "Tab")
    r.check(poll(lambda: tree.has(leave, "focused")), "cover: Tab moves the focus to 退出程序")
    xdotool("key", "shift+Tab")
    r.check(poll(lambda: tree.has(run, "focused")), "cover: Shift+Tab moves it back")


def check_main_inventory(r, tree, main):
    r.check((main.accessible.getRoleName(), main.accessible.name) == ("filler", "Lumetra"),
            "main window: a window named Lumetra")
    for name in MAIN_BUTTONS:
        buttons = main.all("push button", name)
        r.check(len(buttons) == 1 and "Press" in tree.actions(buttons[0]),
                f"main window: push button {name} with a Press action", f"{len(buttons)} found")
    for name in MAIN_BOXES:
        boxes = main.all("text", name)
        r.check(len(boxes) == 1, f"main window: text box {name}", f"{len(boxes)} found")
    for name in MAIN_LABELS:
        r.check(len(main.all("label", name)) == 1, f"main window: label {name}")
    for name in MAIN_FRAMES:
        r.check(len(main.all("panel", name)) == 1, f"main window: frame {name}")
    # On Linux Qt names a combo box by its current text; its edit field carries the name.
    combos = [a for (role, _), found in main.controls.items() if role == "combo box" for a in found]
    units = [tree.index(combo) for combo in combos]
    r.check(len(combos) == 1 and combos[0].name == "mg" and ("text", "浓度单位") in units[0],
            "main window: combo box reading mg, its edit field named 浓度单位",
            repr([c.name for c in combos]))
    unnamed = [role for (role, name) in main.controls
               if role in ("push button", "text", "combo box", "panel") and not name]
    r.check(not unnamed, "main window: every button, box and frame has a name", repr(unnamed))

    for name, text in [("相关系数r", "0.000000"), ("C(最高)", "000000"), ("A(最高)", "0.000")]:
        got = tree.text(main.text_box(name))
        r.check(got == text, f"main window: {name} reads {text} before a fit", repr(got))
    for name in RESULT_BOXES:
        box = main.text_box(name)
        states = [s for s in ("enabled", "editable", "read_only") if tree.has(box, s)]
        r.check(states == ["read_only"], f"main window: {name} disabled, read-only, not editable",
                repr(states))
    count = main.text_box("测点个数")
    r.check(tree.has(count, "focused") and tree.has(count, "editable"),
            "main window: 测点个数 is editable and has the focus after loading")
    shown = [n for n in range(1, 11) if tree.showing(main.text_box(f"浓度 {n}"))]
    r.check(not shown, "main window: no table row showing after loading", repr(shown))
    r.check(not tree.has(main.text_box("样品吸光度"), "enabled"),
            "main window: 样品吸光度 disabled before a fit")


def check_refused_count(r, tree, main, window_id):
    """A count of 1 is refused with a message box, which is announced and closed by its
    button's action."""
    count = main.text_box("测点个数")
    tree.press(main.button("1"))
    wait_for(lambda: tree.text(count) == "1", "the keypad's 1 in 测点个数")
    tree.press(main.button("测点个数及浓度单位输入完毕"))
    alert = wait_for(lambda: tree.showing_window(("alert", "dialog")), "a message box")
    box = Window(tree, alert)
    r.check((alert.getRoleName(), alert.name) == ("alert", "Lumetra"),
            "message box: an alert named Lumetra", f"{alert.getRoleName()} {alert.name!r}")
    r.check(len(box.all("label", OUT_OF_RANGE)) == 1, "message box: a label with the message",
            repr([name for (role, name) in box.controls if role == "label"]))
    r.check(poll(lambda: any(role == "alert" and source_name(source) == "Lumetra"
                             for (_, role, source) in tree.announced)),
            "message box: announced to listeners",
            repr([(kind, role, source_name(source)) for (kind, role, source) in tree.announced]))
    ok = box.all("push button", "确定")
    r.check(len(ok) == 1, "message box: push button 确定",
            repr([name for (role, name) in box.controls if role == "push button"]))
    if len(ok) != 1:
        raise Fatal("cannot close the message box")
    tree.press(ok[0])
    r.check(poll(lambda: tree.showing_window(("alert", "dialog")) is None),
            "message box: closed by 确定's action")
    # No window manager here to hand the keyboard back to the main window.
    xdotool("windowfocus", "--sync", window_id)
    r.check(poll(lambda: tree.text(count) == ""), "refused count: 测点个数 emptied")
    r.check(poll(lambda: tree.has(count, "focused")) and tree.has(count, "enabled"),
            "refused count: 测点个数 enabled and focused")


def check_fit(r, tree, main):
    count = main.text_box("测点个数")
    tree.press(main.button("3"))
    wait_for(lambda: tree.text(count) == "3", "the keypad's 3 in 测点个数")
    tree.press(main.button("测点个数及浓度单位输入完毕"))
    r.check(poll(lambda: tree.has(main.text_box("浓度 1"), "focused")),
            "confirmed count: 浓度 1 has the focus")
    r.check(not tree.has(count, "enabled"), "confirmed count: 测点个数 disabled")
    shown = [n for n in range(1, 11) if tree.showing(main.text_box(f"浓度 {n}"))]
    r.check(shown == [1, 2, 3], "confirmed count: rows 1 to 3 showing", repr(shown))

    # Enter walks the concentrations, then the absorbances.
    xdotool("key", "--delay", "20", "1", "Return", "2", "Return", "3", "Return",
            "period", "1", "Return", "period", "2", "Return", "period", "3")
    last = main.text_box("吸光度 3")
    r.check(poll(lambda: tree.text(last) == ".3"), "keyboard: the last absorbance typed")
    typed = {"浓度 1": "1", "浓度 2": "2", "浓度 3": "3",
             "吸光度 1": ".1", "吸光度 2": ".2", "吸光度 3": ".3"}
    for name, text in typed.items():
        got = tree.text(main.text_box(name))
        r.check(got == text, f"keyboard: {name} holds {text}", repr(got))
    r.check(tree.has(last, "focused"), "keyboard: 吸光度 3 has the focus")

    equation = main.get("label", "y=a+bx")
    r_box = main.text_box("相关系数r")
    tree.press(main.button("计算标准曲线"))
    r.check(poll(lambda: tree.text(r_box) == " 1"), "fit: 相关系数r reads ' 1'",
            repr(tree.text(r_box)))
    r.check(tree.name(equation) == "y= 0+ .0999x", "fit: the equation label reads 'y= 0+ .0999x'",
            repr(tree.name(equation)))
    for name, text in [("C(最高)", "3"), ("A(最高)", "0.3"), ("吸光度 1", "0.1")]:
        got = tree.text(main.text_box(name))
        r.check(got == text, f"fit: {name} reads {text}", repr(got))
    sample = main.text_box("样品吸光度")
    r.check(tree.has(sample, "enabled") and tree.has(sample, "editable")
            and not tree.has(sample, "read_only"), "fit: 样品吸光度 enabled and editable")


STATISTIC_LABELS = ["n", "截距 a", "斜率 b", "s(a)", "s(b)", "相关系数 r", "决定系数 R²",
                    "剩余标准差 s(y/x)", "检出限 LOD", "定量限 LOQ"]
POINT_HEADERS = ["C (mg)", "A", "排除", "拟合 A", "残差", "相对偏差 (%)", "反算 C (mg)",
                 "回收率 (%)", "学生化残差", "Cook 距离", "离群标记"]


def table_cells(tree, table):
    """The cells of a table through the Table interface, row by row, by their names."""
    table.clearCache()
    content = table.queryTable()
    return [[content.getAccessibleAt(row, column).name for column in range(content.nColumns)]
            for row in range(content.nRows)]


def column_headers(table):
    content = table.queryTable()
    return [content.getColumnDescription(column) for column in range(content.nColumns)]


def check_analysis(r, tree, main, main_id, cover):
    """F2 opens the analysis window: its statistics and points are read cell by cell with their
    labels, and the plots describe what they show."""
    xdotool("windowfocus", "--sync", main_id)
    xdotool("key", "F2")
    found = wait_for(lambda: tree.showing_window(
        ("filler", "frame"), exclude=(cover.accessible, main.accessible)), "the analysis window")
    analysis = Window(tree, found)
    # The fit in the main window is a change not yet saved.
    r.check(found.name == "*标准曲线分析", "analysis: a window named *标准曲线分析", repr(found.name))

    statistics = analysis.get("table", "统计量")
    r.check(column_headers(statistics) == ["统计量", "数值", "95% 半宽 (±)"],
            "analysis: the statistics' column headers", repr(column_headers(statistics)))
    rows = table_cells(tree, statistics)
    labels = [row[0] for row in rows]
    r.check(labels == STATISTIC_LABELS, "analysis: every statistic read by its label", repr(labels))
    content = statistics.queryTable()
    headers = [content.getRowDescription(row) for row in range(content.nRows)]
    r.check(headers == STATISTIC_LABELS, "analysis: each row of statistics headed by its label",
            repr(headers))
    values = {row[0]: row[1] for row in rows}
    # Three points exactly on the line A = 0.1·C, exact from their decimals: no scatter at all.
    for label, value in [("n", "3"), ("截距 a", "0"), ("斜率 b", "0.1"), ("s(a)", "0"),
                         ("s(b)", "0"), ("相关系数 r", "1"), ("决定系数 R²", "1"),
                         ("剩余标准差 s(y/x)", "0"), ("检出限 LOD", "0 mg"), ("定量限 LOQ", "0 mg")]:
        r.check(values.get(label) == value, f"analysis: {label} reads {value}",
                repr(values.get(label)))
    r.check(all(values.get(label) for label in STATISTIC_LABELS),
            "analysis: every statistic has a value", repr(values))
    r.check(rows[1][2] != "" and rows[2][2] != "",
            "analysis: a and b carry their 95% half-widths", repr(rows[1:3]))

    points = analysis.get("table", "标准点")
    r.check(column_headers(points) == POINT_HEADERS, "analysis: the points' column headers",
            repr(column_headers(points)))
    cells = table_cells(tree, points)
    r.check([row[:2] for row in cells] == [["1", "0.1"], ["2", "0.2"], ["3", "0.3"]],
            "analysis: each standard's C and A read back", repr(cells))
    r.check([row[2] for row in cells] == ["", "", ""],
            "analysis: no standard is excluded", repr(cells))
    r.check([row[7] for row in cells] == ["100", "100", "100"],
            "analysis: each standard's recovery reads 100", repr(cells))
    r.check([row[8:] for row in cells] == [["—", "—", ""]] * 3,
            "analysis: three standards have no outlier figures, and read a dash", repr(cells))

    plot = [a for (role, name), found in analysis.controls.items()
            if name == "标准曲线图" for a in found]
    r.check(len(plot) == 1, "analysis: one plot named 标准曲线图", repr(len(plot)))
    if plot:
        described = plot[0].description
        r.check(described.startswith("标准曲线图：3个标准点，A = ") and "0.1000·C" in described
                and described.endswith("，R² = 1  r = 1"),
                "analysis: the plot describes n, the equation, R² and r", repr(described))



def check_file_from_desktop(r, pyatspi, program, env, artefacts, work):
    """`lumetra FILE` with twelve standards, more than the main window shows: both windows open,
    the main window empty, the analysis window named after the file, saying why, its statistics
    read with n = 12. Returns the process."""
    path = os.path.join(work, "twelve.lumetra")
    standards = ", ".join(f'{{"C": "{i}", "A": "0.{i + 10}"}}' for i in range(12))
    with open(path, "w", encoding="utf-8") as f:
        f.write('{"format": "lumetra-calibration", "version": 1, "unit": "mg/L", '
                f'"standards": [{standards}], "samples": []}}')
    with open(os.path.join(artefacts, "lumetra-file.log"), "w") as log:
        app = subprocess.Popen([program, path], env=env, stdout=log, stderr=subprocess.STDOUT)
    tree = Tree(pyatspi, app.pid)
    wait_for(tree.find_application, "the program opening a file on the accessibility bus")
    title = "twelve.lumetra - 标准曲线分析"

    def named(name):
        for window in tree.windows():
            try:
                if window is not None and window.name == name and tree.showing(window):
                    return window
            except GLib.GError:
                continue
        return None

    found = wait_for(lambda: named(title), "the analysis window named after the file")
    r.check(True, f"file: an analysis window named {title}")
    analysis = Window(tree, found)
    main = Window(tree, wait_for(lambda: tree.showing_window(("filler",), exclude=(found,)),
                                 "the main window"))
    r.check(tree.text(main.text_box("测点个数")) == "" and tree.text(main.text_box("浓度 1")) == "",
            "file: the main window is empty")
    note = "标准点超过10个，主窗口不显示此曲线"
    r.check(len(analysis.all("label", note)) == 1, f"file: the analysis window says {note}")
    rows = table_cells(tree, analysis.get("table", "统计量"))
    r.check(rows and rows[0][:2] == ["n", "12"], "file: the statistics read n = 12", repr(rows[:1]))
    return app

def run_checks(program, artefacts):
    import pyatspi  # only here, inside the session bus it is to connect to

    r = Results()
    work = tempfile.mkdtemp(prefix="lumetra-a11y-")
    xvfb = app = None
    address = os.environ["DBUS_SESSION_BUS_ADDRESS"]
    try:
        xvfb = start_display(work)
        env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("QT_QPA_PLATFORM", None)
        with open(os.path.join(artefacts, "lumetra.log"), "w") as log:
            app = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT)
        tree = Tree(pyatspi, app.pid)
        wait_for(tree.find_application, "the program on the accessibility bus")

        cover = Window(tree, wait_for(lambda: tree.showing_window(("filler",)), "the cover"))
        check_cover(r, tree, cover)
        cover_id = wait_for(visible_windows, "the cover's X window")[0]
        check_keyboard_on_cover(r, tree, cover, cover_id)

        tree.press(cover.button("运行程序"))
        main = Window(tree, wait_for(
            lambda: tree.showing_window(("filler",), exclude=(cover.accessible,)),
            "the main window"))
        r.check(poll(lambda: not tree.showing(cover.accessible)), "run: the cover is hidden")
        main_id = wait_for(lambda: [w for w in visible_windows() if w != cover_id],
                           "the main window's X window")[0]
        check_main_inventory(r, tree, main)
        check_refused_count(r, tree, main, main_id)
        check_fit(r, tree, main)
        check_analysis(r, tree, main, main_id, cover)
        stop(app)
        app = check_file_from_desktop(r, pyatspi, program, env, artefacts, work)
    except Fatal as problem:
        r.check(False, "run", str(problem))
    except Exception:  # a failed D-Bus call or tool: the run cannot go on
        traceback.print_exc()
        r.check(False, "run", "stopped by an unexpected error")
    finally:
        if r.failed and xvfb is not None and xvfb.poll() is not None:
            with open(os.path.join(work, "xvfb.log")) as log:
                print(f"The X server has ended. Its output:\n{log.read()}")
        elif r.failed and xvfb is not None:  # what the screen showed, for the record
            subprocess.run(["import", "-window", "root", os.path.join(artefacts, "failure.png")],
                           check=False, capture_output=True, timeout=TIMEOUT)
        stop(app)
        end_processes(bus_daemons(address))
        stop(xvfb)
        shutil.rmtree(work, ignore_errors=True)
    print(f"{r.passed} passed, {r.failed} failed")
    return 1 if r.failed else 0


def main():
    if len(sys.argv) != 3:
        print("usage: accessibility_test.py PATH/TO/lumetra ARTEFACT_DIR", file=sys.stderr)
        return 2
    # A test runner's SIGTERM ends the run through the clean-up below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    program, artefacts = os.path.abspath(sys.argv[1]), sys.argv[2]
    os.makedirs(artefacts, exist_ok=True)
    if os.environ.get(SESSION_MARK) != "1":
        # A session bus of our own, which also starts the accessibility bus; it ends with us.
        os.environ[SESSION_MARK] = "1"
        os.execvp("dbus-run-session",
                  ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                   program, artefacts])
    return run_checks(program, artefacts)


if __name__ == "__main__":
    sys.exit(main())
