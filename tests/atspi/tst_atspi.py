#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Vantoro used as a screen reader uses it: the real program on a private X server, D-Bus
session and AT-SPI bus, driven only through AT-SPI (names, roles, states, actions, text).

Usage: tst_atspi.py VANTORO [QM_DIR]
Exit 0 when every check passed, 1 on a failure, 77 when the AT-SPI bus cannot start here
(a failure instead under CI=true, where the bus must be there)."""

import os
import shutil
import sys
import time
import warnings

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_session import SKIP, Session, Skip  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)  # the short Atspi calls read best

KEYS = ["Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine",
        "Plus", "Minus", "Times", "Divided by", "Equals", "All clear", "Clear entry", "Decimal point",
        "Percent", "Square root", "Hours", "Minutes", "Seconds"]
MODE_KEYS = ["Convert", "Switch to"]  # the two mode keys, named by what they do now
FUNCTIONS = {"Quit": "F", "Copy value to clipboard": "C", "History list": "L", "Clock": "T", "About Vantoro": "A"}
KEY_BINDINGS = {"Seven": "Keypad 7", "Plus": "Keypad +", "Equals": "Enter", "All clear": "Home",
                "Clear entry": "Delete", "Hours": "H", "Square root": "R"}
# The same keys under a Japanese locale.
JA_KEYS = {"Seven": "7", "Plus": "プラス", "Equals": "イコール", "Hours": "時間", "Minutes": "分"}
JA_FUNCTIONS = ["終了", "クリップボードにコピー", "履歴", "時計", "バージョン情報"]

failures = []
events = []  # (type, source role, source name, any_data) since the last clear


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)
    return condition


class Client:
    def __init__(self):
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib

        self.Atspi, self.GLib = Atspi, GLib
        Atspi.init()
        self.listener = Atspi.EventListener.new(self._event)
        for kind in ("object:property-change:accessible-description", "object:property-change:accessible-name",
                     "object:property-change:accessible-value", "object:text-changed", "object:value-changed",
                     "object:state-changed:focused", "object:selection-changed",
                     "object:active-descendant-changed", "focus:"):
            self.listener.register(kind)

    def _event(self, e):
        try:
            role, name = e.source.get_role_name(), e.source.get_name()
        except Exception:  # a source already gone
            role, name = "?", "?"
        data = e.any_data if isinstance(e.any_data, str) else repr(e.any_data) if e.any_data is not None else ""
        events.append((e.type, role, name, data, e.detail1))

    def pump(self, seconds=0.0):
        """Delivers pending bus traffic; with seconds, keeps at it that long."""
        ctx = self.GLib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while ctx.iteration(False):
                pass
            if time.monotonic() >= end:
                return
            time.sleep(0.01)

    def wait(self, what, find, timeout=10.0):
        """Polls until find() returns something true."""
        end = time.monotonic() + timeout
        while True:
            self.pump()
            try:
                found = find()
            except SystemError:
                raise
            except Exception:  # an object that went away meanwhile
                found = None
            if found:
                return found
            if time.monotonic() > end:
                raise AssertionError(f"timed out waiting for {what}")
            time.sleep(0.02)

    def app(self, pid):
        desktop = self.Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            a = desktop.get_child_at_index(i)
            if a is not None and a.get_process_id() == pid:
                return a
        return None


def role(o):
    return o.get_role_name()


def states(o):
    from gi.repository import Atspi

    return {Atspi.StateType(s).value_nick for s in o.get_state_set().get_states()}


def children(o):
    return [o.get_child_at_index(i) for i in range(o.get_child_count())]


def walk(o):
    yield o
    for c in children(o):
        yield from walk(c)


def text_of(o):
    t = o.get_text_iface()
    return t.get_text(0, t.get_character_count()) if t else None


def press(o):
    a = o.get_action_iface()
    for i in range(a.get_n_actions()):
        if a.get_action_name(i) == "Press":
            return a.do_action(i)
    raise AssertionError(f"{o.get_name()} has no Press action")


def dump(o, depth=0, out=None):
    out = out if out is not None else []
    extra = ""
    if o.get_description():
        extra += f" description={o.get_description()!r}"
    t = text_of(o)
    if t is not None:
        extra += f" text={t!r}"
    a = o.get_action_iface()
    if a and a.get_n_actions():
        extra += " actions=" + ",".join(
            a.get_action_name(i) + (f"({a.get_key_binding(i)})" if a.get_key_binding(i) else "")
            for i in range(a.get_n_actions()))
    out.append(f"{'  ' * depth}[{role(o)}] {o.get_name()!r} {{{', '.join(sorted(states(o)))}}}{extra}")
    for c in children(o):
        dump(c, depth + 1, out)
    return out


class Calculator:
    """One run of the program, seen through AT-SPI."""

    def __init__(self, session, client, program, qm_dir, mode, lang):
        self.client = client
        app_dir = os.path.join(session.dir, f"app-{lang}")
        os.mkdir(app_dir)
        # A copy of its own, so the settings file it keeps beside itself is a fresh one.
        exe = os.path.join(app_dir, "vantoro")
        shutil.copy2(program, exe)
        if qm_dir and os.path.isdir(qm_dir):
            shutil.copytree(qm_dir, os.path.join(app_dir, "translations"))
        with open(os.path.join(app_dir, "vantoro.INI"), "w", newline="\r\n") as f:
            f.write(f"[INIT_MODE]\nHMS={mode}\n")
        self.process = session.run_program(f"vantoro {lang}", [exe], QT_QPA_PLATFORM="xcb", LANG=lang)
        self.session = session
        self.app = client.wait("the program on the AT-SPI bus", lambda: self._main_window(), timeout=20)
        self.window = self._main_window()

    def _main_window(self):
        if self.process.poll() is not None:
            raise SystemError(f"the program ended at start with status {self.process.returncode}")
        app = self.client.app(self.process.pid)
        if app is None:
            return None
        for w in children(app):
            if role(w) == "frame" and w.get_child_count() > 30 and "showing" in states(w):
                self.app = app
                return w
        return None

    def all(self):
        return list(walk(self.window))

    def named(self, wanted_role, name, root=None):
        return [o for o in walk(root or self.window) if role(o) == wanted_role and o.get_name() == name]

    def key(self, name):
        found = self.named("push button", name)
        if len(found) != 1:
            raise AssertionError(f"{len(found)} buttons named {name!r}")
        return found[0]

    def panel(self):
        return [o for o in walk(self.window) if "focusable" in states(o) and role(o) == "panel"][0]

    def display(self):
        """The display label: the one label with a text interface."""
        return [o for o in walk(self.window) if role(o) == "label" and o.get_text_iface()][0]

    def keys(self, *names):
        for n in names:
            press(self.key(n))
            self.client.pump()

    def top_levels(self):
        return children(self.app)

    def dialog(self):
        return [w for w in self.top_levels() if role(w) in ("alert", "dialog") and "showing" in states(w)]


def button_names(calc):
    return [o.get_name() for o in calc.all() if role(o) == "push button"]


def english_run(session, client, program, qm_dir):
    calc = Calculator(session, client, program, qm_dir, mode=1, lang="C.UTF-8")
    client.pump(0.2)
    print("\nThe main window after start-up (seconds mode):")
    print("\n".join(dump(calc.window)))
    print()

    everything = calc.all()
    check(role(calc.window) == "frame" and calc.window.get_name() == "Vantoro", "the main window is a frame, Vantoro")
    buttons = [o for o in everything if role(o) == "push button"]
    for name in KEYS:
        check(len([b for b in buttons if b.get_name() == name]) == 1, f"key {name!r} found once")
    for prefix in MODE_KEYS:
        check(len([b for b in buttons if b.get_name().startswith(prefix)]) == 1, f"mode key {prefix!r}... found once")
    for name, binding in FUNCTIONS.items():
        found = [b for b in buttons if b.get_name() == name]
        check(len(found) == 1 and found[0].get_action_iface().get_key_binding(0) == binding,
              f"function button {name!r} found once, key binding {binding!r}")
    for name, binding in KEY_BINDINGS.items():
        got = calc.key(name).get_action_iface().get_key_binding(0)
        check(got == binding, f"key {name!r} binding {got!r} is {binding!r}")
    check(len(buttons) == 25 + 6, f"{len(buttons)} buttons: 25 keys and 6 function buttons")
    check(not [o for o in everything if role(o) in ("image", "filler")], "no key faces or fillers in the tree")
    check(not [o for o in everything if role(o) == "label" and not o.get_name()], "every label named")
    check(not [o for o in everything if "focusable" in states(o) and "showing" not in states(o)],
          "nothing hidden is focusable")

    panel = calc.panel()
    check(panel.get_name() == "Calculator keyboard", f"the focus panel is {panel.get_name()!r}")

    calc.keys("One", "Plus", "Two")
    # Without a window manager no window is active at start; the first key makes it so.
    client.wait("the focus on the focus panel", lambda: "focused" in states(panel), timeout=5)
    events.clear()
    calc.keys("Equals")
    client.pump(0.2)
    got = text_of(calc.display()).strip()
    check(got == "3", f"1 + 2 = by Press actions: the display reads {got!r}")
    check(text_of(panel) == "3", f"the focused panel's text is {text_of(panel)!r}")
    check(panel.get_description() == "3 seconds, equals", f"the focused panel says {panel.get_description()!r}")
    # What a reader speaks: the description change of the focused object, with its text.
    said = [e for e in events if e[0] == "object:property-change:accessible-description" and e[1] == "panel"]
    check([e[3] for e in said] == ["3 seconds, equals"], f"the focused panel announces its description once: {said}")
    print("\nEvents of one display change (Equals pressed through its action):")
    for e in events:
        print(f"  {e[0]}  [{e[1]}] {e[2]!r}  any_data={e[3]!r}")
    print()

    calc.keys("All clear", "One", "Two", "Decimal point")
    check(text_of(calc.display()).strip() == "12.", f"the keyed point is kept: {text_of(calc.display()).strip()!r}")

    # Unavailable in seconds mode: not sensitive, and its Press does nothing.
    hours = calc.key("Hours")
    check("sensitive" not in states(hours) and "enabled" not in states(hours), "Hours is not sensitive in seconds mode")
    check(hours.get_description() == "unavailable in this mode", f"Hours says {hours.get_description()!r}")
    before = text_of(calc.display())
    press(hours)
    client.pump(0.15)
    check(text_of(calc.display()) == before, "Press on the unavailable Hours key changes nothing")

    # The history window is created hidden with the first line; lines added meanwhile must
    # not move the focus of a reader.
    events.clear()
    calc.keys("Plus", "Five", "Equals")
    client.pump(0.2)
    moved = [e for e in events if e[0] in ("focus:", "object:state-changed:focused") and e[4] and e[1] != "panel"]
    check(not moved, f"lines added to the hidden history move no focus {moved}")
    press(calc.key("History list"))
    history = client.wait("the history window", lambda: [w for w in calc.top_levels() if role(w) == "frame"
                                                         and "showing" in states(w) and w.get_name() != "Vantoro"])[0]
    lines = [o for o in walk(history) if role(o) in ("list item", "separator")]
    names = [(role(o), o.get_name()) for o in lines]
    print("History lines:", names)
    check(("list item", "1 second") in names and ("list item", "plus 2 seconds") in names
          and ("list item", "equals 3 seconds") in names, "history lines in words")
    check(("list item", "plus 5 seconds") in names and ("list item", "equals 17 seconds") in names,
          "the lines of the second calculation")
    check([n for n in names if n[0] == "separator"] == [("separator", "")] * 3,
          "separators after each calculation and after all clear, without a name")

    print("The history window:\n" + "\n".join(dump(history)))
    # A line's action recalls it, as a double-click does.
    press([o for o in lines if o.get_name() == "12 seconds"][0])
    client.pump(0.1)
    got = text_of(calc.display()).strip()
    check(got.rstrip(".") == "12", f"the line's Press action recalls 12: the display reads {got!r}")

    # The About window: a dialog, nothing in it unnamed or hidden, closed by its OK action.
    press(calc.key("About Vantoro"))
    about = client.wait("the About window", lambda: [w for w in calc.top_levels() if role(w) == "dialog"
                                                     and "showing" in states(w)])[0]
    print("The About window:\n" + "\n".join(dump(about)))
    inside = list(walk(about))[1:]
    check(not [o for o in inside if role(o) in ("frame", "filler")], "no frames or fillers inside the About window")
    check(not [o for o in inside if role(o) not in ("panel", "separator") and not o.get_name()],
          "everything in the About window named")
    check(not [o for o in inside if "showing" not in states(o)], "nothing hidden in the About window")
    press([o for o in inside if role(o) == "push button" and o.get_name() == "OK"][0])
    client.wait("the About window to close", lambda: not [w for w in calc.top_levels() if role(w) == "dialog"
                                                          and "showing" in states(w)])

    # The quit question answered No through the dialog's button action.
    quit_question(calc, "No")
    return calc


def quit_question(calc, no):
    client = calc.client
    quit_key = [o for o in calc.all() if role(o) == "push button" and "F" == o.get_action_iface().get_key_binding(0)][0]
    press(quit_key)
    box = client.wait("the quit question", lambda: calc.dialog())[0]
    # Qt's own words, with its mnemonic in Japanese: "いいえ(N)".
    answer = [o for o in walk(box) if role(o) == "push button" and o.get_name().split("(")[0] == no]
    check(len(answer) == 1, f"the quit question has its {no!r} button: "
          f"{[o.get_name() for o in walk(box) if role(o) == 'push button']}")
    check(not [o for o in walk(box) if role(o) == "label" and not o.get_name()], "no unnamed label in the question")
    print("The quit question:\n" + "\n".join(dump(box)))
    press(answer[0])
    client.wait("the question to close", lambda: not calc.dialog())
    check(calc.process.poll() is None, f"{no!r} keeps the program running")


def japanese_run(session, client, program, qm_dir):
    calc = Calculator(session, client, program, qm_dir, mode=2, lang="ja_JP.UTF-8")
    client.pump(0.2)
    names = button_names(calc)
    for english, japanese in JA_KEYS.items():
        check(names.count(japanese) == 1, f"Japanese key {japanese!r} ({english}) found once")
    for japanese in JA_FUNCTIONS:
        check(names.count(japanese) == 1, f"Japanese function button {japanese!r} found once")

    # 1 h 30 min + 45 min = in H:M:S-Unit by the keys' actions.
    k = {e: calc.key(j) for e, j in JA_KEYS.items()}
    one, four, five, three, zero = (calc.key(n) for n in ("1", "4", "5", "3", "0"))
    for o in (one, k["Hours"], three, zero, k["Minutes"], k["Plus"], four, five):
        press(o)
        client.pump()
    plus = k["Plus"]
    check("sensitive" not in states(plus), "Plus is unavailable while 45 waits for its unit")
    check(plus.get_description() == "単位キーを押すまで使えません", f"and says why: {plus.get_description()!r}")
    before = text_of(calc.display())
    press(plus)
    client.pump(0.15)
    check(text_of(calc.display()) == before, "its Press does nothing")
    for o in (k["Minutes"], k["Equals"]):
        press(o)
        client.pump()
    client.pump(0.2)
    got = text_of(calc.display()).strip()
    check(got == "2°15’00.00”", f"1 h 30 min + 45 min = reads {got!r}")
    spoken = calc.panel().get_description()
    check(spoken == "2時間15分0秒、イコール", f"spoken in Japanese: {spoken!r}")
    quit_question(calc, "いいえ")
    return calc


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    qm_dir = sys.argv[2] if len(sys.argv) > 2 else None
    session = Session()
    try:
        try:
            session.start()
            client = Client()
        except (Skip, ImportError, ValueError) as e:
            message = f"AT-SPI test skipped: the AT-SPI bus cannot start here: {e}"
            print(message)
            if os.environ.get("CI") == "true":
                print("CI must run it: failing instead")
                return 1
            return SKIP
        started = time.monotonic()
        for run in (english_run, japanese_run):
            try:
                run(session, client, program, qm_dir)
            except Exception as e:  # a step that could not go on: the rest of this run is skipped
                check(False, f"{type(e).__name__}: {e}")
            finally:
                for name, p in list(session.processes):
                    if name.startswith("vantoro"):
                        session.end(p)
                        session.processes.remove((name, p))
        pids = [p.pid for _, p in session.processes]
        session.close()
        left = [pid for pid in pids if os.path.exists(f"/proc/{pid}")]
        check(not left, f"no process of the test left behind {left}")
        print(f"\n{len(failures)} failed, in {time.monotonic() - started:.1f} s")
        return 1 if failures else 0
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
