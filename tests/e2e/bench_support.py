"""What the benches that run the real program share: the clock the program's phase stamps are on,
the stamps themselves, and the command line and run of a bench (not a test: a Skip says why it
could not run, a Failure why it stopped)."""

from __future__ import annotations

import argparse
import re
import subprocess
import sys
import time
from pathlib import Path

from harness import Bench, Failure, Skip

# "[Timing] <phase> <ms> ms" in the debug log, written when "defaults.ini" has timing=1 in [debug].
TIMING = re.compile(r"^\[Timing\] (?P<phase>.+) (?P<ms>\d+\.\d+) ms$")


def now_ms() -> float:
    """The clock Wine's QueryPerformanceCounter reads, in milliseconds."""
    return time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1000.0


def waiting_probe(bench: Bench, command: str, hwnd: str, poll_ms: float):
    """Starts the probe waiting on a window ("waittext", "waitshown"): it looks every poll_ms
    once it is given the start signal on its stdin. Returns the probe and its ready line."""
    probe = subprocess.Popen(
        ["wine", str(bench.opts.probe), command, hwnd, f"{poll_ms:g}", "8000"],
        cwd=bench.run_dir, env=bench.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL)
    bench.tracked.append(probe)
    return probe, probe.stdout.readline().decode()


def bench_options(description: str) -> argparse.ArgumentParser:
    """The options every bench takes; a bench adds its own before parsing."""
    ap = argparse.ArgumentParser(description=description)
    ap.add_argument("--exe", type=Path, required=True)
    ap.add_argument("--probe", type=Path, required=True)
    ap.add_argument("--prefix", type=Path, required=True)
    ap.add_argument("--work", type=Path)
    ap.add_argument("--keep", action="store_true", help="keep the run folder")
    return ap


def run_bench(opts, name: str, fixtures: dict, body) -> int:
    """Runs body(bench) in a fresh run folder; the exit code of the bench's command."""
    opts.work = (opts.work or opts.prefix.parent / "e2e-runs").resolve()
    opts.exe, opts.probe, opts.prefix = (p.resolve() for p in (opts.exe, opts.probe, opts.prefix))
    try:
        with Bench(opts, name, fixtures) as bench:
            body(bench)
    except Skip as e:
        print(f"{name} bench skipped: {e}", file=sys.stderr)
        return 125
    except Failure as e:
        print(f"{name} bench failed: {e}", file=sys.stderr)
        return 1
    return 0
