#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs vantoro's benchmarks and prints one table of medians, each figure beside the floor
(the bare Qt program of bench/bare, or the aim where there is no program to compare with)
and their ratio. Started by scripts/bench, which builds first.

start-up   launch to first paint and first frame (VANTORO_FIRST_FRAME=exit), processor time
           and peak resident memory of vantoro and of the bare Qt program, alternately, on one
           Xvfb server
idle       processor time and drawings of running copies of both left alone: in the counting
           state over a quiet period; and vantoro with the clock shown (VANTORO_TYPE_KEYS=T)
keys       key press to the window's next drawing (bench/keyframe: XTest and DAMAGE), each
           program on its own Xvfb server, presses interleaved; with the bare program made to
           busy-wait 20 ms per key beside them, which must read about 20 ms slower
cli        keys per second through vantoro-calc, a long mixed script on standard input
logic      key actions per second through the calculator logic (bench/logic, Google Benchmark)
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

CLK_TCK = os.sysconf("SC_CLK_TCK")


def median(xs):
    return statistics.median(xs) if xs else float("nan")


class Xvfb:
    """A private X server at 96 dots per inch on a free display number."""

    def __init__(self):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24", "-dpi", "96", "-nolisten", "tcp"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        with os.fdopen(r) as f:
            number = f.readline().strip()
        if not number:
            raise SystemExit("bench: Xvfb did not start")
        self.display = ":" + number

    def close(self):
        self.proc.terminate()
        self.proc.wait()


def program_env(display, home, **extra):
    env = dict(os.environ)
    for k in ("VANTORO_FIRST_FRAME", "VANTORO_TYPE_KEYS", "WAYLAND_DISPLAY"):
        env.pop(k, None)
    env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_RUNTIME_DIR=home, QT_ENABLE_HIGHDPI_SCALING="0", QT_SCALE_FACTOR="1")
    env.update(extra)
    return env


def start_once(exe, env):
    """Milliseconds from launch to the first paint and to the first frame, processor
    milliseconds used until then, and peak resident memory in KiB."""
    t0 = time.monotonic_ns()
    proc = subprocess.Popen([exe], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = proc.stdout.readline().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.stdout.close()
    proc.returncode = os.waitstatus_to_exitcode(status)
    if not line.startswith("first-frame ") or proc.returncode != 0:
        raise SystemExit(f"bench: {exe} gave no first frame (exit {proc.returncode})")
    f = line.split()
    return ((int(f[1]) - t0) / 1e6, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss,
            (int(f[3]) - t0) / 1e6)


def bench_startup(programs, display, home, runs):
    env = program_env(display, home, VANTORO_FIRST_FRAME="exit")
    for exe in programs.values():  # a warm-up each: libraries and fonts into the page cache
        start_once(exe, env)
    results = {name: [] for name in programs}
    for _ in range(runs):
        for name, exe in programs.items():  # alternately, so both see the same machine load
            results[name].append(start_once(exe, env))
            time.sleep(0.2)  # the X server done with the last client before the next one starts
    return results


def cpu_sample(pid):
    """Per thread: processor time in scheduler nanoseconds and context switches (wake-ups);
    and the process's utime+stime in clock ticks, which keeps the time of ended threads."""
    threads = {}
    task_dir = f"/proc/{pid}/task"
    for tid in os.listdir(task_dir):
        try:
            with open(f"{task_dir}/{tid}/schedstat") as f:
                ns = int(f.read().split()[0])
            switches = 0
            with open(f"{task_dir}/{tid}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
            threads[tid] = (ns, switches)
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return threads, int(fields[11]) + int(fields[12])


def cpu_used(before, after):
    """Processor milliseconds, clock-tick milliseconds and wake-ups between two samples.
    A thread that ended in between (Qt's pooled threads end after 30 s unused) adds nothing."""
    (tb, ticks_b), (ta, ticks_a) = before, after
    ns = sum(v[0] - tb.get(tid, (0, 0))[0] for tid, v in ta.items())
    wakeups = sum(v[1] - tb.get(tid, (0, 0))[1] for tid, v in ta.items())
    return ns / 1e6, (ticks_a - ticks_b) * 1000.0 / CLK_TCK, wakeups


def start_shown(exe, display, home, **extra):
    """Starts a program and returns it once its first frame is shown."""
    os.makedirs(home, mode=0o700, exist_ok=True)
    p = subprocess.Popen([exe], env=program_env(display, home, VANTORO_FIRST_FRAME="print", **extra),
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    if not p.stdout.readline().startswith(b"first-frame "):
        p.kill()
        raise SystemExit(f"bench: {exe} gave no first frame")
    return p


def stop(procs):
    for p in procs:
        p.kill()
        p.wait()
        p.stdout.close()


def bench_idle(programs, keyframe, display, home, copies, settle, seconds, keys=None):
    """Starts `copies` copies of each program side by side (idle copies do not compete), lets
    them settle, and measures each over `seconds`: processor time, clock ticks, wake-ups, and
    the drawings its window made (counted by keyframe --watch when it is built).
    Returns per program the medians over its copies."""
    extra = {"VANTORO_TYPE_KEYS": keys} if keys else {}
    procs = {name: [] for name in programs}
    try:
        for i in range(copies):
            for name, exe in programs.items():
                procs[name].append(start_shown(exe, display, os.path.join(home, f"idle-{name}-{i}"), **extra))
        time.sleep(settle)
        every = [(name, k, p) for name, ps in procs.items() for k, p in enumerate(ps)]
        before = {(n, k): cpu_sample(p.pid) for n, k, p in every}
        drawings = {}
        if keyframe:
            out = subprocess.run([keyframe, "--watch", str(seconds), "--json"]
                                 + [f"{n}#{k}={display}:{p.pid}" for n, k, p in every],
                                 check=True, capture_output=True, text=True).stdout
            drawings = {tuple(key.split("#")): v["drawings"] for key, v in json.loads(out).items()}
        else:
            time.sleep(seconds)
        after = {(n, k): cpu_sample(p.pid) for n, k, p in every}
    finally:
        for ps in procs.values():
            stop(ps)
    result = {}
    for name in programs:
        used = [cpu_used(before[(name, k)], after[(name, k)]) for k in range(copies)]
        drawn = [drawings[(name, str(k))] for k in range(copies)] if drawings else []
        result[name] = {"cpu": median([u[0] for u in used]), "ticks": median([u[1] for u in used]),
                        "wakeups": median([u[2] for u in used]), "drawings": max(drawn) if drawn else None}
    return result


def bench_keys(programs, keyframe, home, presses):
    """Each program on its own Xvfb server, so that none sees focus go to another; keyframe
    presses keys on all of them in turn."""
    servers, procs, targets = [], [], []
    try:
        for name, (exe, extra) in programs.items():
            x = Xvfb()
            servers.append(x)
            p = start_shown(exe, x.display, os.path.join(home, "keys-" + name.replace(" ", "-")), **extra)
            procs.append(p)
            targets.append(f"{name}={x.display}:{p.pid}")
        out = subprocess.run([keyframe, "--presses", str(presses), "--json"] + targets,
                             check=True, capture_output=True, text=True).stdout
        return json.loads(out)
    finally:
        stop(procs)
        for x in servers:
            x.close()


# The mixed key sequence of bench/logic: all three modes, every key family, and back to where
# it started.
MIXED_KEYS = "a12345+6789=*2=/3=-45.4c45.5=u1h30m+45m=*3s=:5400/4=+10%a9r*2=:"


def bench_cli(exe, home, rounds, runs):
    """Keys per second through vantoro-calc: the mixed sequence `rounds` times on standard
    input, less the time of an empty script (the start-up), by the clock and by the processor
    time the program used (which other work on the machine disturbs less). Also the peak
    resident memory."""
    script = os.path.join(home, "keys.txt")
    with open(script, "w") as f:
        for _ in range(rounds):
            f.write(MIXED_KEYS)
        f.write("\n")
    keys = rounds * len(MIXED_KEYS)

    def once(path):
        with open(path) as stdin:
            t0 = time.monotonic()
            p = subprocess.Popen([exe], stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(p.pid, 0)
            if os.waitstatus_to_exitcode(status) != 0:
                raise SystemExit(f"bench: {exe} failed on {path}")
            return time.monotonic() - t0, usage.ru_utime + usage.ru_stime, usage.ru_maxrss

    empty = os.path.join(home, "empty.txt")
    open(empty, "w").close()
    base = [once(empty) for _ in range(runs)]
    timed = [once(script) for _ in range(runs)]
    wall = median([t[0] for t in timed]) - median([b[0] for b in base])
    cpu = median([t[1] for t in timed]) - median([b[1] for b in base])
    return keys / wall, keys / cpu, max(t[2] for t in timed), keys


def bench_logic(exe, runs):
    out = subprocess.run([exe, f"--benchmark_repetitions={runs}", "--benchmark_report_aggregates_only=true",
                          "--benchmark_format=json", "--benchmark_min_time=0.5"],
                         check=True, capture_output=True, text=True).stdout
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            return b["name"], b["items_per_second"], int(b["keys_per_round"])
    raise SystemExit("bench: no median in the logic benchmark's output")


def load():
    return " ".join(f"{x:.2f}" for x in os.getloadavg())


class Table:
    """Rows of: what, vantoro, floor, ratio vantoro/floor, and the aim for that ratio."""

    def __init__(self):
        self.rows = []

    def add(self, what, value, floor=None, unit="", aim="", fmt="{:.2f}", note=""):
        def show(v):
            if v is None:
                return "-"
            return (fmt.format(v) + (" " + unit if unit else "")) if isinstance(v, (int, float)) else str(v)
        ratio = ""
        if isinstance(value, (int, float)) and isinstance(floor, (int, float)) and floor:
            ratio = f"{value / floor:.2f} x"
        self.rows.append((what, show(value), show(floor), ratio, aim, note))

    def section(self, title):
        self.rows.append((title,))

    def print(self):
        head = ("", "vantoro", "floor", "ratio", "aim", "")
        full = [r for r in self.rows if len(r) > 1]
        widths = [max(len(r[k]) for r in full + [head]) for k in range(5)]
        line = lambda r: (f"  {r[0]:<{widths[0]}}  {r[1]:>{widths[1]}}  {r[2]:>{widths[2]}}  "
                          f"{r[3]:>{widths[3]}}  {r[4]:<{widths[4]}}  {r[5]}").rstrip()
        print(line(head))
        for r in self.rows:
            print(r[0] if len(r) == 1 else line(r))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build-bench", help="build directory (default build-bench)")
    ap.add_argument("--only", default="startup,idle,keys,cli,logic",
                    help="comma-separated: startup, idle, keys, cli, logic")
    ap.add_argument("--runs", type=int, default=20, help="start-ups per program (default 20)")
    ap.add_argument("--presses", type=int, default=200, help="key presses per program (default 200)")
    ap.add_argument("--cli-rounds", type=int, default=40000,
                    help=f"rounds of the {len(MIXED_KEYS)}-key mixed script for vantoro-calc (default 40000)")
    ap.add_argument("--repetitions", type=int, default=10, help="repetitions of the logic benchmark (default 10)")
    ap.add_argument("--copies", type=int, default=3, help="copies of each program measured side by side when idle")
    ap.add_argument("--quiet-seconds", type=float, default=60, help="quiet period in the counting state")
    ap.add_argument("--clock-seconds", type=float, default=10, help="period with the clock shown")
    a = ap.parse_args()
    parts = set(a.only.split(","))
    vantoro = os.path.join(a.build, "src", "vantoro")
    bare = os.path.join(a.build, "bench", "vantoro-bare")
    keyframe = os.path.join(a.build, "bench", "keyframe")
    keyframe = keyframe if os.access(keyframe, os.X_OK) else None
    calc = os.path.join(a.build, "src", "cli", "vantoro-calc")
    logic = os.path.join(a.build, "bench", "bench_logic")

    print(f"machine: {os.cpu_count()} cores, load average {load()} (1, 5, 15 min)")
    home = tempfile.mkdtemp(prefix="vantoro-bench-")
    os.chmod(home, 0o700)
    t = Table()
    x = Xvfb() if parts & {"startup", "idle"} else None
    try:
        if "startup" in parts:
            r = bench_startup({"vantoro": vantoro, "bare Qt": bare}, x.display, home, a.runs)
            med = {n: [median([run[k] for run in runs]) for k in range(4)] for n, runs in r.items()}
            best = {n: min(run[0] for run in runs) for n, runs in r.items()}
            v, b = med["vantoro"], med["bare Qt"]
            t.section(f"start-up, median of {a.runs} (Xvfb, xcb)")
            t.add("first paint begins", v[3], b[3], "ms", fmt="{:.1f}")
            t.add("first frame", v[0], b[0], "ms", "<= 1.1 x", fmt="{:.1f}")
            t.add("first frame, fastest", best["vantoro"], best["bare Qt"], "ms", fmt="{:.1f}")
            t.add("processor time to it", v[1], b[1], "ms", "<= 1.5 x", fmt="{:.1f}")
            t.add("peak RSS", v[2] / 1024, b[2] / 1024, "MiB", "<= 1.1 x", fmt="{:.1f}")
        if "idle" in parts:
            # The settling time lets the first idle tick (65.5 s after start-up) fall into the
            # quiet period.
            progs = {"vantoro": vantoro, "bare Qt": bare}
            q = bench_idle(progs, keyframe, x.display, home, a.copies, 10, a.quiet_seconds)
            c = bench_idle({"vantoro": vantoro}, keyframe, x.display, home, a.copies, 2, a.clock_seconds, keys="T")
            per_min = 60 / a.quiet_seconds
            v, b = q["vantoro"], q["bare Qt"]
            t.section(f"idle, median of {a.copies} copies each side by side")
            t.add(f"counting state, CPU per min", v["cpu"] * per_min, b["cpu"] * per_min, "ms", "< 10 ms",
                  note=f"(over {a.quiet_seconds:g} s; {v['wakeups']:.0f} / {b['wakeups']:.0f} wake-ups)")
            t.add(f"counting state, drawings", v["drawings"], b["drawings"], "", "0", fmt="{:d}",
                  note=f"(most of any copy, {a.quiet_seconds:g} s)")
            t.add(f"clock shown, CPU per s", c["vantoro"]["cpu"] / a.clock_seconds, None, "ms",
                  note=f"({c['vantoro']['drawings']} drawings in {a.clock_seconds:g} s)"
                  if c["vantoro"]["drawings"] is not None else "")
    finally:
        if x:
            x.close()
    try:
        if "keys" in parts:
            if not keyframe:
                raise SystemExit("bench: bench/keyframe was not built (libxtst-dev, libxdamage-dev)")
            k = bench_keys({"vantoro": (vantoro, {}), "bare Qt": (bare, {}),
                            "bare Qt +20ms": (bare, {"VANTORO_BARE_BUSY_MS": "20"})}, keyframe, home, a.presses)
            v, b, busy = k["vantoro"], k["bare Qt"], k["bare Qt +20ms"]
            t.section(f"key to frame, {a.presses} presses each, interleaved (keypad digits, Home every 9th)")
            for stat, aim in (("min", ""), ("median", "<= 1.1 x"), ("p90", ""), ("p99", "<= 1.5 x"), ("max", "")):
                t.add(f"key to first drawing, {stat}", v[stat], b[stat], "ms", aim, fmt="{:.3f}")
            t.add("processor time per key", v["cpu_per_key"], b["cpu_per_key"], "ms", "<= 1.3 x", fmt="{:.3f}",
                  note="(press and release)")
            t.add("pixels drawn, press", v["press_area"], b["press_area"], "", fmt="{:d}",
                  note=f"(median; most {v['press_area_max']} / {b['press_area_max']})")
            t.add("pixels drawn, release", v["release_area"], b["release_area"], "", fmt="{:d}")
            t.add("presses that drew nothing", v["nothing_drawn"], b["nothing_drawn"], "", fmt="{:d}")
            t.add("check: bare Qt +20 ms, median", busy["median"], b["median"], "ms", fmt="{:.3f}",
                  note=f"(reads {busy['median'] - b['median']:+.2f} ms; busy-waits 20 ms a key)")
        if "cli" in parts:
            rate, cpu_rate, rss, keys = bench_cli(calc, home, a.cli_rounds, 3)
            t.section(f"vantoro-calc, {keys:,} keys of a mixed script on standard input, median of 3")
            t.add("keys per second", rate / 1e6, 5.0, "M", ">= 1 x", note="(floor: the aim, 5 M)")
            t.add("keys per processor second", cpu_rate / 1e6, 5.0, "M", ">= 1 x")
            t.add("peak RSS", rss / 1024, None, "MiB", fmt="{:.1f}")
        if "logic" in parts:
            name, per_s, keys = bench_logic(logic, a.repetitions)
            t.section(f"logic: {name}, {keys} keys a round in all three modes, history full; median of {a.repetitions}")
            t.add("key actions per second", per_s / 1e6, None, "M",
                  note=f"({1e9 / per_s:.0f} ns per press and release)")
    finally:
        shutil.rmtree(home, ignore_errors=True)
    print()
    t.print()
    print(f"\nload average at the end: {load()}")


if __name__ == "__main__":
    sys.exit(main())
