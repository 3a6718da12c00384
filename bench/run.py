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
    """Milliseconds from launch to the first frame, processor milliseconds used until then,
    and peak resident memory in KiB."""
    t0 = time.monotonic_ns()
    proc = subprocess.Popen([exe], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    line = proc.stdout.readline().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.stdout.close()
    proc.returncode = os.waitstatus_to_exitcode(status)
    if not line.startswith("first-frame ") or proc.returncode != 0:
        raise SystemExit(f"bench: {exe} gave no first frame (exit {proc.returncode})")
    return (int(line.split()[1]) - t0) / 1e6, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss


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
    used = [cpu_used(b, a) for b, a in zip(before, after)]
    return tuple(median([u[k] for u in used]) for k in range(3)) + ([u[0] for u in used],)


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
    ap.add_argument("--runs", type=int, default=20, help="start-ups per program (default 20)")
    ap.add_argument("--repetitions", type=int, default=10, help="repetitions of the logic benchmark (default 10)")
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
            med = {n: [median([run[k] for run in runs]) for k in range(3)] for n, runs in r.items()}
            best = {n: min(run[0] for run in runs) for n, runs in r.items()}
            print(f"\nstart-up to first frame, median of {a.runs} (Xvfb, xcb)")
            print(f"  {'':10} {'first frame':>12} {'(fastest)':>10} {'CPU used':>10} {'peak RSS':>11}")
            for n in r:
                print(f"  {n:10} {med[n][0]:9.1f} ms {best[n]:7.1f} ms {med[n][1]:7.1f} ms {med[n][2] / 1024:7.1f} MiB")
            v, b = med["vantoro"], med["bare Qt"]
            print(f"  {'ratio':10} {v[0] / b[0]:10.2f} x {best['vantoro'] / best['bare Qt']:8.2f} x"
                  f" {v[1] / b[1]:8.2f} x {v[2] / b[2]:9.2f} x")
        if "idle" in parts:
            # The settling time lets the first idle tick (65.5 s after start-up) fall into the
            # quiet period.
            qs, qt, qw, _ = bench_idle(vantoro, x.display, home, a.copies, 10, a.quiet_seconds)
            cs, ct, cw, _ = bench_idle(vantoro, x.display, home, a.copies, 2, a.clock_seconds, keys="T")
            print(f"\nidle processor time, median of {a.copies} copies side by side")
            print(f"  counting state, {a.quiet_seconds:g} s: {qs:7.2f} ms  = {qs * 60 / a.quiet_seconds:.2f} ms/min"
                  f"  (clock ticks: {qt:.0f} ms; {qw:.0f} wake-ups)")
            print(f"  clock shown,    {a.clock_seconds:g} s: {cs:7.2f} ms  (clock ticks: {ct:.0f} ms; {cw:.0f} wake-ups)")
        if "logic" in parts:
            name, per_s, keys = bench_logic(logic, a.repetitions)
            print(f"\nlogic: {name}, {keys} keys a round in all three modes, history full;"
                  f" median of {a.repetitions}")
            print(f"  {per_s:,.0f} key actions/s, {1e9 / per_s:.0f} ns per action (press and release)")
    finally:
        if x:
            x.close()
        shutil.rmtree(home, ignore_errors=True)
    print(f"\nload average at the end: {load()}")


if __name__ == "__main__":
    sys.exit(main())
