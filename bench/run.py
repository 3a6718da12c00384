#!/usr/bin/env python3
"""Runs vantoro's benchmarks and prints medians. Started by scripts/bench, which builds first.

start-up   launch to first frame (VANTORO_FIRST_FRAME=exit) and peak resident memory of
           vantoro and of the bare Qt program (bench/bare), alternately, on one Xvfb server
idle       processor time of running copies of vantoro left alone: in the counting state
           over a quiet period, and with the clock shown (the T key, VANTORO_TYPE_KEYS=T)
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
    """Milliseconds from launch to the first frame, and peak resident memory in KiB."""
    t0 = time.monotonic_ns()
    proc = subprocess.Popen([exe], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = proc.stdout.readline().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.stdout.close()
    proc.returncode = os.waitstatus_to_exitcode(status)
    if not line.startswith("first-frame ") or proc.returncode != 0:
        raise SystemExit(f"bench: {exe} gave no first frame (exit {proc.returncode})")
    return (int(line.split()[1]) - t0) / 1e6, usage.ru_maxrss


def bench_startup(programs, display, home, runs):
    env = program_env(display, home, VANTORO_FIRST_FRAME="exit")
    for exe in programs.values():  # a warm-up each: libraries and fonts into the page cache
        start_once(exe, env)
    results = {name: ([], []) for name in programs}
    for _ in range(runs):
        for name, exe in programs.items():  # alternately, so both see the same machine load
            ms, kib = start_once(exe, env)
            results[name][0].append(ms)
            results[name][1].append(kib)
    return {name: (median(ms), median(kib), ms, kib) for name, (ms, kib) in results.items()}


def cpu_sample(pid):
    """Processor time of every thread of pid: clock ticks (utime+stime), scheduler ns,
    and context switches (wake-ups)."""
    ticks = ns = switches = 0
    task_dir = f"/proc/{pid}/task"
    for tid in os.listdir(task_dir):
        try:
            with open(f"{task_dir}/{tid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            ticks += int(fields[11]) + int(fields[12])  # utime, stime
            with open(f"{task_dir}/{tid}/schedstat") as f:
                ns += int(f.read().split()[0])
            with open(f"{task_dir}/{tid}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return ticks, ns, switches


def bench_idle(exe, display, home, copies, settle, seconds, keys=None):
    """Starts `copies` copies side by side (idle copies do not compete), lets them settle,
    and measures each over `seconds`."""
    extra = {"VANTORO_FIRST_FRAME": "print"}
    if keys:
        extra["VANTORO_TYPE_KEYS"] = keys
    procs = []
    try:
        for i in range(copies):
            h = os.path.join(home, f"idle{i}")
            os.makedirs(h, exist_ok=True)
            p = subprocess.Popen([exe], env=program_env(display, h, **extra), stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL)
            if not p.stdout.readline().startswith(b"first-frame "):
                raise SystemExit(f"bench: {exe} gave no first frame")
            procs.append(p)
        time.sleep(settle)
        before = [cpu_sample(p.pid) for p in procs]
        time.sleep(seconds)
        after = [cpu_sample(p.pid) for p in procs]
    finally:
        for p in procs:
            p.kill()
            p.wait()
            p.stdout.close()
    ms_sched = [(a[1] - b[1]) / 1e6 for a, b in zip(after, before)]
    ms_ticks = [(a[0] - b[0]) * 1000.0 / CLK_TCK for a, b in zip(after, before)]
    wakeups = [a[2] - b[2] for a, b in zip(after, before)]
    return median(ms_sched), median(ms_ticks), median(wakeups), ms_sched


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


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build-bench", help="build directory (default build-bench)")
    ap.add_argument("--only", default="startup,idle,logic", help="comma-separated: startup, idle, logic")
    ap.add_argument("--runs", type=int, default=10, help="start-ups per program and logic repetitions")
    ap.add_argument("--copies", type=int, default=3, help="copies measured side by side when idle")
    ap.add_argument("--quiet-seconds", type=float, default=60, help="quiet period in the counting state")
    ap.add_argument("--clock-seconds", type=float, default=10, help="period with the clock shown")
    a = ap.parse_args()
    parts = set(a.only.split(","))
    vantoro = os.path.join(a.build, "src", "vantoro")
    bare = os.path.join(a.build, "bench", "vantoro-bare")
    logic = os.path.join(a.build, "bench", "bench_logic")

    print(f"machine: {os.cpu_count()} cores, load average {load()} (1, 5, 15 min)")
    home = tempfile.mkdtemp(prefix="vantoro-bench-")
    x = Xvfb() if parts & {"startup", "idle"} else None
    try:
        if "startup" in parts:
            r = bench_startup({"vantoro": vantoro, "bare Qt": bare}, x.display, home, a.runs)
            (vm, vk, vms, _), (bm, bk, bms, _) = r["vantoro"], r["bare Qt"]
            print(f"\nstart-up to first frame, median of {a.runs} (Xvfb, xcb)")
            print(f"  {'':10} {'first frame':>12} {'peak RSS':>11}")
            print(f"  {'vantoro':10} {vm:9.1f} ms {vk / 1024:7.1f} MiB")
            print(f"  {'bare Qt':10} {bm:9.1f} ms {bk / 1024:7.1f} MiB")
            print(f"  {'ratio':10} {vm / bm:10.2f} x {vk / bk:9.2f} x")
            print(f"  all runs, ms: vantoro {' '.join(f'{v:.0f}' for v in vms)}")
            print(f"                bare Qt {' '.join(f'{v:.0f}' for v in bms)}")
        if "idle" in parts:
            # The settling time lets the first idle tick (65.5 s after start-up) fall into the
            # quiet period.
            qs, qt, qw, qall = bench_idle(vantoro, x.display, home, a.copies, 10, a.quiet_seconds)
            cs, ct, cw, call = bench_idle(vantoro, x.display, home, a.copies, 2, a.clock_seconds, keys="T")
            print(f"\nidle processor time, median of {a.copies} copies side by side")
            print(f"  counting state, {a.quiet_seconds:g} s: {qs:7.2f} ms  ({qs * 60 / a.quiet_seconds:.2f} ms/min;"
                  f" clock ticks {qt:.0f} ms; {qw:.0f} wake-ups)")
            print(f"  clock shown,    {a.clock_seconds:g} s: {cs:7.2f} ms  (clock ticks {ct:.0f} ms; {cw:.0f} wake-ups)")
        if "logic" in parts:
            name, per_s, keys = bench_logic(logic, a.runs)
            print(f"\nlogic: {name}, {keys} keys a round in all three modes, history full;"
                  f" median of {a.runs}")
            print(f"  {per_s:,.0f} key actions/s, {1e9 / per_s:.0f} ns per action (press and release)")
    finally:
        if x:
            x.close()
        shutil.rmtree(home, ignore_errors=True)
    print(f"\nload average at the end: {load()}")


if __name__ == "__main__":
    sys.exit(main())
