# SPDX-License-Identifier: GPL-3.0-or-later
"""A private desktop for one test: an X server, a D-Bus session bus and the AT-SPI bus,
each started here and ended by its process id, and the AT-SPI client on them."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE for this test


class Skip(Exception):
    """The AT-SPI bus cannot start here."""


def find_program(name, *places):
    for place in places:
        if os.access(place, os.X_OK):
            return place
    found = shutil.which(name)
    if not found:
        raise Skip(f"{name} not found (install at-spi2-core, dbus and xvfb: scripts/setup)")
    return found


def read_line(fd, timeout, what):
    """The first line a child writes to `fd`, waiting at most `timeout` seconds."""
    import select

    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise Skip(f"{what} did not start within {timeout} s")
        chunk = os.read(fd, 256)
        if not chunk:
            raise Skip(f"{what} ended at start")
        data += chunk
    return data.decode().strip()


def adopt_orphans():
    """Makes this process the one that reaps what its children leave behind (the AT-SPI
    bus launcher's own dbus-daemon and registry), so none outlives the test as a zombie."""
    import ctypes

    PR_SET_CHILD_SUBREAPER = 36
    try:
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    except (OSError, AttributeError):
        pass


def reap():
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


class Session:
    def __init__(self):
        adopt_orphans()
        self.processes = []  # (name, Popen), each the leader of its own process group
        self.dir = tempfile.mkdtemp(prefix="vantoro-atspi-")
        self.env = dict(os.environ)
        for var in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                    "QT_QPA_PLATFORM", "QT_ACCESSIBILITY", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON",
                    "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"):
            self.env.pop(var, None)
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        self.env.update(XDG_RUNTIME_DIR=runtime, HOME=self.dir, XDG_CONFIG_HOME=os.path.join(self.dir, "config"))

    def _start(self, name, argv, ready_fd=None, **kw):
        p = subprocess.Popen(argv, env=self.env, start_new_session=True, stdin=subprocess.DEVNULL,
                             pass_fds=(ready_fd,) if ready_fd is not None else (), **kw)
        self.processes.append((name, p))
        return p

    def start(self):
        xvfb = find_program("Xvfb", "/usr/bin/Xvfb")
        dbus = find_program("dbus-daemon", "/usr/bin/dbus-daemon")
        launcher = find_program("at-spi-bus-launcher", "/usr/libexec/at-spi-bus-launcher",
                                "/usr/lib/at-spi2-core/at-spi-bus-launcher")

        r, w = os.pipe()
        self._start("Xvfb", [xvfb, "-displayfd", str(w), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"], ready_fd=w, stderr=subprocess.DEVNULL)
        os.close(w)
        self.env["DISPLAY"] = ":" + read_line(r, 10, "Xvfb")
        os.close(r)

        r, w = os.pipe()
        self._start("dbus-daemon", [dbus, "--session", "--nofork", "--nosyslog", f"--print-address={w}"],
                    ready_fd=w)
        os.close(w)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = read_line(r, 10, "dbus-daemon")
        os.close(r)

        # The AT-SPI bus and, activated on it, the registry daemon at-spi2-registryd.
        self._start("at-spi-bus-launcher", [launcher, "--launch-immediately"], stderr=subprocess.DEVNULL)
        os.environ.update(DISPLAY=self.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=self.env["DBUS_SESSION_BUS_ADDRESS"])
        self._enable_accessibility()

    def _enable_accessibility(self):
        """Tells toolkits that an assistive technology is listening, as a screen reader does."""
        import gi

        gi.require_version("Gio", "2.0")
        from gi.repository import Gio, GLib

        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        deadline = time.monotonic() + 10
        while True:
            try:
                bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                              GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                              None, Gio.DBusCallFlags.NONE, 2000, None)
                address = bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                        GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 2000, None).unpack()[0]
                if address:
                    return
            except GLib.Error as e:
                error = e.message
            if time.monotonic() > deadline:
                raise Skip(f"the AT-SPI bus did not start: {error}")
            time.sleep(0.05)

    def run_program(self, name, argv, **env):
        e = dict(self.env, **env)
        # Under the sanitizer suite: the X keyboard library strndup()s atom names that are
        # not NUL-terminated, which strict string checks report in every X client.
        if "strict_string_checks=1" in e.get("ASAN_OPTIONS", ""):
            e["ASAN_OPTIONS"] = e["ASAN_OPTIONS"].replace("strict_string_checks=1", "strict_string_checks=0")
        p = subprocess.Popen(argv, env=e, start_new_session=True, stdin=subprocess.DEVNULL)
        self.processes.append((name, p))
        return p

    def end(self, p, timeout=5):
        """Ends one process group by its leader's id, politely first."""
        if p.poll() is None:
            try:
                os.killpg(p.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                p.wait(timeout)
            except subprocess.TimeoutExpired:
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()
        try:  # what the leader started (the AT-SPI bus's own dbus-daemon, the registry)
            os.killpg(p.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass

    def close(self):
        for name, p in reversed(self.processes):
            self.end(p)
        self.processes.clear()
        time.sleep(0.05)  # the killed grandchildren's exit reaches us
        reap()
        shutil.rmtree(self.dir, ignore_errors=True)
