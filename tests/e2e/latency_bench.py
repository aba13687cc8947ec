#!/usr/bin/env python3
"""Latency bench: how long a gesture takes from the button's release to the first key arriving in
Notepad, and where that time goes.

Runs the real program over Notepad in the e2e bench (same Wine desktop, same drawing) with a
one-key binding, and draws the gesture N times. For each gesture:

- the release instant is when xdotool's `mouseup` returns (the X side);
- the text change is seen by `fgprobe waittext`, started beforehand and idle until it is given the
  start signal right after the release; it then asks Notepad for its text length every millisecond;
- the program's own phase stamps ("[Timing] <phase> <ms> ms" in its debug log, switched on with
  `timing=1` in section `debug` of "defaults.ini") say when it saw the release, identified the
  foreground program, loaded its file, started the action and pressed the key.

All Wine processes read the same high-resolution clock, so the probe's start signal ties the
program's stamps to the release. Run it with tools/latency-bench.sh.
"""

from __future__ import annotations

import re
import statistics
import sys
import time

from bench_support import TIMING, bench_options, now_ms, run_bench, waiting_probe
from gestures import UP_RIGHT, gesture_file, menus
from harness import QUIET_SETTINGS, Bench, expect, wait_for

# The program's phases, in the order they happen.
PHASES = ["release seen", "program identified", "file loaded", "action started", "pause started",
          "pause over", "menu checked", "sending", "key down"]
TEXT = "text changed"

POLL_MS = 1.0  # how often the probe asks for Notepad's text
DOWN_POLL_MS = 20  # the monitor's poll while the button is down: a release is seen within this
EXECUTE_PAUSE_MS = 100
HOLD_S = 0.12  # the pointer rests before the release, as a hand does
SENDER_MS = 5 * 10  # the sender sleeps 10 ms before each of four modifiers and before the key

FIXTURES = {
    "defaults.ini": QUIET_SETTINGS["defaults.ini"] + "[debug]\r\ntiming=1\r\n",
    "Gestures.ini": gesture_file({"03": ("Keystroke", "000041A")}),
}



class Sample:
    def __init__(self):
        self.release = 0.0  # on the Wine clock
        self.signal_delay = 0.0  # from the release being known to the probe's start
        self.phases: dict[str, float] = {}  # ms after the release
        self.asks = 0
        self.mouseup_ms = 0.0  # how long the xdotool run of the release took


def one_gesture(bench: Bench, edit, poll_ms: float) -> Sample:
    """Draws the bound gesture once and measures release to text change."""
    probe, ready = waiting_probe(bench, "waittext", edit.hwnd, poll_ms)
    expect(ready.startswith("ready "), f"the probe is not ready: {ready!r}")

    # Pressed and drawn by one xdotool run; released by one of its own, whose return is the
    # release instant (a run's own end would come after its last command by a process exit).
    bench.mouse_move(*UP_RIGHT[0])
    bench.right_down()
    bench.draw(UP_RIGHT)
    time.sleep(HOLD_S)
    before = now_ms()
    bench.right_up()
    release = now_ms()  # xdotool's mouseup has returned
    probe.stdin.write(b"go\n")
    probe.stdin.flush()
    signalled = now_ms()
    out, _ = probe.communicate(timeout=15)
    m = re.match(r"changed (\S+) (\S+) (\d+)\t", out.decode())
    expect(m, f"Notepad's text did not change after the gesture: {out!r}")
    start, change, asks = float(m[1]), float(m[2]), int(m[3])

    s = Sample()
    # Normally the probe's clock is ours (offset 0); if not, the start signal ties them.
    shared = signalled - 5 <= start <= signalled + 50
    offset = 0.0 if shared else start - signalled
    s.release = release + offset
    s.signal_delay = start - s.release
    s.phases[TEXT] = change - s.release
    s.asks = asks
    s.mouseup_ms = release - before
    return s


def attach_stamps(samples: list[Sample], lines: list[str]):
    """Gives each sample the program's stamps of its gesture: every gesture's stamps begin with
    its "release seen"."""
    groups: list[list[tuple[str, float]]] = []
    for line in lines:
        m = TIMING.match(line)
        if not m:
            continue
        if m["phase"] == PHASES[0]:
            groups.append([])
        if groups:  # what comes before the first release is no gesture's
            groups[-1].append((m["phase"], float(m["ms"])))
    expect(len(groups) == len(samples),
           f"{len(groups)} gestures stamped in the log, {len(samples)} drawn")
    for s, group in zip(samples, groups):
        for phase, t in group:
            s.phases.setdefault(phase, t - s.release)


def fmt(values: list[float]) -> str:
    return f"{statistics.median(values):7.1f}"


def report(samples: list[Sample], poll_ms: float):
    lat = [s.phases[TEXT] for s in samples]
    floor_lo = EXECUTE_PAUSE_MS + SENDER_MS
    print(f"Floor (the program's deliberate waits before the key goes down): poll 0-{DOWN_POLL_MS} ms + "
          f"execute pause {EXECUTE_PAUSE_MS} ms + sender {SENDER_MS} ms (10 ms before each of "
          f"four modifiers and before the key) = {floor_lo}-{floor_lo + DOWN_POLL_MS} ms")
    print(f"Release to Notepad's text, {len(samples)} gestures: median {statistics.median(lat):.1f}"
          f" ms (min {min(lat):.1f}, max {max(lat):.1f})")
    print("  per gesture: " + " ".join(f"{x:.0f}" for x in lat))
    print("Phases, ms after the release (median; median of the step from the phase before):")
    prev = None
    for phase in PHASES + [TEXT]:
        have = [s for s in samples if phase in s.phases]
        if not have:
            print(f"  {phase:20} (not stamped)")
            continue
        at = [s.phases[phase] for s in have]
        step = "" if prev is None else fmt(
            [s.phases[phase] - s.phases[prev] for s in have if prev in s.phases])
        print(f"  {phase:20} {fmt(at)}   {step:>7}   (min {min(at):.1f}, max {max(at):.1f})")
        prev = phase
    ups = [s.mouseup_ms for s in samples]
    print(f"The release: xdotool's mouseup run took {statistics.median(ups):.1f} ms (median; "
          f"max {max(ups):.1f}); the release instant is its return")
    delays = [s.signal_delay for s in samples]
    asks = [s.asks for s in samples]
    print(f"Measurement: the probe started {statistics.median(delays):.2f} ms (median, max "
          f"{max(delays):.2f}) after the release was known and asked for the text every "
          f"{poll_ms:g} ms ({statistics.median(asks):.0f} asks per gesture)")


def run(bench: Bench, count: int, poll_ms: float):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    edit = bench.child(notepad, cls="Edit")
    samples = []
    for n in range(1, count + 1):
        samples.append(one_gesture(bench, edit, poll_ms))
        wait_for(lambda: bench.text(edit) == "a" * n, 5, f"{n} a's in Notepad")
        expect(not menus(bench), "a context menu is open after the gesture")
        time.sleep(0.6)  # the confirmation closes; the next press starts from rest
    attach_stamps(samples, [ln.message for ln in reversed(bench.save_log(prog))])
    report(samples, poll_ms)


def main(argv=None):
    ap = bench_options(__doc__.splitlines()[0])
    ap.add_argument("--gestures", type=int, default=11, help="gestures to draw (at least 9)")
    ap.add_argument("--poll-ms", type=float, default=POLL_MS, help="the probe's ask interval")
    opts = ap.parse_args(argv)
    if opts.gestures < 9:
        ap.error("draw at least 9 gestures")
    return run_bench(opts, "latency", FIXTURES,
                     lambda bench: run(bench, opts.gestures, opts.poll_ms))


if __name__ == "__main__":
    sys.exit(main())
