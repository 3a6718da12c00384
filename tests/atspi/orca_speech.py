#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What Orca says while a calculation is typed: Orca and the real program on the private
X server, D-Bus session and AT-SPI bus of the AT-SPI test, keys typed on the numeric keypad
through XTest, and Orca's speech read from its debug log. Not part of the test suite (it
needs Orca: apt-get install orca); a tool for checking by ear what the suite checks by event.

Usage: orca_speech.py VANTORO [QM_DIR] [LANG]     e.g. build/src/vantoro build/src/translations

Orca runs with its laptop keyboard layout: its desktop layout takes the numeric keypad for
its own review commands (KP_Add reads the window, KP_Enter says where the focus is)."""

import ctypes
import json
import os
import re
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tst_atspi as t  # noqa: E402
from atspi_session import Session  # noqa: E402

KEYPAD = {"1": 0xFFB1, "2": 0xFFB2, "+": 0xFFAB, "=": 0xFF8D, "numlock": 0xFF7F}


def read(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def main():
    program = os.path.abspath(sys.argv[1])
    qm_dir = sys.argv[2] if len(sys.argv) > 2 else None
    lang = sys.argv[3] if len(sys.argv) > 3 else "C.UTF-8"
    session = Session()
    try:
        session.start()
        client = t.Client()
        settings = os.path.join(session.dir, ".local/share/orca")
        os.makedirs(settings)
        with open(os.path.join(settings, "user-settings.conf"), "w") as f:
            json.dump({"general": {"keyboardLayout": 2, "activeProfile": ["Default", "default"],
                                   "startingProfile": ["Default", "default"]},
                       "profiles": {"default": {"profile": ["Default", "default"], "keyboardLayout": 2}},
                       "pronunciations": {}, "keybindings": {}}, f)
        log = os.path.join(session.dir, "orca.log")
        orca = session.run_program("orca", [shutil.which("orca") or "/usr/bin/orca", "--replace",
                                            f"--debug-file={log}"], GSETTINGS_BACKEND="memory")
        client.wait("Orca on the bus", lambda: client.app(orca.pid), timeout=20)
        client.pump(1.0)

        calc = t.Calculator(session, client, program, qm_dir, mode=1, lang=lang)
        client.pump(1.0)
        # No window manager: the window becomes the active one with the first key it acts on.
        all_clear = [o for o in calc.all() if t.role(o) == "push button"
                     and o.get_action_iface().get_key_binding(0) == "Home"][0]
        t.press(all_clear)
        client.pump(0.5)

        x11, xtest = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        display = x11.XOpenDisplay(session.env["DISPLAY"].encode())
        for key in ("numlock", "1", "+", "2", "="):
            code = x11.XKeysymToKeycode(display, KEYPAD[key])
            xtest.XTestFakeKeyEvent(display, code, 1, 0)
            xtest.XTestFakeKeyEvent(display, code, 0, 0)
            x11.XFlush(display)
            client.pump(0.8)
        print("display:", t.text_of(calc.display()).strip())
        client.pump(1.0)
        session.end(orca)  # which writes out its log
        for line in read(log).splitlines():
            m = re.search(r"SPEECH OUTPUT: '(.*?)'", line)
            if m:
                print("Orca says:", m.group(1))
            elif "bad content sent to speak" in line or "Not speaking inserted string" in line:
                print("Orca:", line.split(" - ", 1)[-1].strip())
        return 0
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
