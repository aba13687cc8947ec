#!/usr/bin/env python3
"""Configuration-open bench: how long the configuration window takes to appear after "&Configure
..." is picked in the tray menu.

Runs the real program in the e2e bench (the Wine desktop with its taskbar) and, N times, right-
presses the tray icon, clicks the menu's first entry, waits until the window is shown and painted,
and closes it again as its close button does (WM_CLOSE), waiting until it is hidden. For each
opening:

- the click instant is when xdotool's `mouseup` on the entry returns (the X side; a menu entry
  is chosen on the release);
- `fgprobe waitshown`, started beforehand and idle until it is given the start signal right after
  the click, looks at the window every millisecond until it is visible, then sends it a message:
  the answer comes once the window's thread has finished showing and painting it. On a busy
  machine the probe may wait its turn for tens of milliseconds between two looks, so the window
  became visible between its last look that found it hidden and the first that found it visible:
  the program's own stamps are the sharper figure;
- the program's own stamps ("[Timing] <phase> <ms> ms" in its debug log, switched on with
  `timing=1` in section `debug` of "defaults.ini") say when the pick reached the menu's action
  ("tray menu picked"), when the window was asked to show, when it had painted and when it had
  been brought to the foreground.

All Wine processes read the same high-resolution clock; the probe's start signal ties it to the
click. Run it with tools/config-open-bench.sh.
"""

from __future__ import annotations

import re
import statistics
import sys
import time

from bench_support import TIMING, bench_options, now_ms, run_bench, waiting_probe
from harness import QUIET_SETTINGS, Bench, expect, wait_for
from test_tray import icon_centre, menu_rect, program_menu

TITLE = "Farrowglimmer - Configuration"
PICKED, ASKED, PAINTED, FRONT = ("tray menu picked", "configuration asked", "configuration painted",
                                 "configuration in front")
POLL_MS = 1.0  # how often the probe looks at the window
FIRST_ROW_Y = 12  # "&Configure ..." lies this far below the menu's top edge (its frame is 3 px)

FIXTURES = {"defaults.ini": QUIET_SETTINGS["defaults.ini"] + "[debug]\r\ntiming=1\r\n"}



class Sample:
    def __init__(self):
        self.click = 0.0  # on the Wine clock
        self.visible = 0.0  # ms after the click
        self.hidden = 0.0  # the probe's last look that found it hidden, ms after the click
        self.answered = 0.0  # ms after the click
        self.signal_delay = 0.0
        self.mouseup_ms = 0.0
        self.looks = 0  # how often the probe looked before the window was visible
        self.phases: dict[str, float] = {}  # the program's stamps, ms after the click


def open_once(bench: Bench, window, icon) -> Sample:
    """Opens the window from the tray menu once and measures the click to its showing."""
    bench.xdotool("mousemove", *icon, "mousedown", 3, "sleep", 0.1, "mouseup", 3)
    left, top, right, _ = menu_rect(bench, program_menu(bench))
    probe, ready = waiting_probe(bench, "waitshown", window.hwnd, POLL_MS)
    expect(ready.startswith("ready hidden"), f"the window is not hidden before the pick: {ready!r}")

    # The menu takes a click once the pointer has moved on its entry; the press is one xdotool
    # run, the release another, whose return is the click instant.
    mid = (left + right) // 2
    bench.xdotool("mousemove", mid, top + FIRST_ROW_Y, "sleep", 0.3, "mousemove", mid + 4,
                  top + FIRST_ROW_Y, "sleep", 0.3, "mousedown", 1, "sleep", 0.05)
    before = now_ms()
    bench.xdotool("mouseup", 1)
    click = now_ms()
    probe.stdin.write(b"go\n")
    probe.stdin.flush()
    signalled = now_ms()
    out, _ = probe.communicate(timeout=15)
    m = re.match(r"shown (\S+) (\S+) (\S+) (\d+) (\S+)", out.decode())
    expect(m, f"the configuration window was not shown after the pick: {out!r}")
    start, visible, answered = float(m[1]), float(m[2]), float(m[3])
    expect(answered >= 0, "the configuration window did not answer once shown")

    s = Sample()
    shared = signalled - 5 <= start <= signalled + 50  # normally the probe's clock is ours
    s.click = click + (0.0 if shared else start - signalled)
    s.visible = visible - s.click
    s.answered = answered - s.click
    s.signal_delay = start - s.click
    s.mouseup_ms = click - before
    s.looks = int(m[4])
    s.hidden = float(m[5]) - s.click
    return s


def close_window(bench: Bench, window):
    bench.probe("close", window.hwnd)  # WM_CLOSE, as its close button sends
    wait_for(lambda: not bench.windows(title=TITLE, pid=window.pid, visible=True), 10,
             "the configuration window to hide")


def attach_stamps(samples: list[Sample], lines: list[str]):
    """Gives each opening the program's stamps: each begins with the pick's."""
    groups: list[list[tuple[str, float]]] = []
    for line in lines:
        m = TIMING.match(line)
        if not m:
            continue
        if m["phase"] == PICKED:
            groups.append([])
        if groups:
            groups[-1].append((m["phase"], float(m["ms"])))
    expect(len(groups) == len(samples), f"{len(groups)} picks stamped, {len(samples)} made")
    for s, group in zip(samples, groups):
        for phase, t in group:
            s.phases.setdefault(phase, t - s.click)
        expect(PAINTED in s.phases and FRONT in s.phases,
               f"an opening without its painted or in-front stamp: {group}")


def summary(label: str, values: list[float]) -> str:
    return (f"{label}: median {statistics.median(values):.1f} ms (min {min(values):.1f}, "
            f"max {max(values):.1f})")


def report(samples: list[Sample]):
    pick_paint = [s.phases[PAINTED] - s.phases[PICKED] for s in samples]
    seen = [s.visible for s in samples]
    print(f"Opening the configuration window from the tray menu, {len(samples)} times "
          "(ms; the click is the return of xdotool's mouseup on the entry):")
    print("   run  click>picked  picked>asked  asked>painted  painted>front  picked>painted"
          "  click>visible (last hidden)  click>answered")
    for n, s in enumerate(samples, 1):
        p = s.phases
        print(f"  {n:4d}  {p[PICKED]:12.1f}  {p[ASKED] - p[PICKED]:12.1f}  "
              f"{p[PAINTED] - p[ASKED]:13.1f}  {p[FRONT] - p[PAINTED]:13.1f}  "
              f"{p[PAINTED] - p[PICKED]:14.1f}  {s.visible:13.1f} ({s.hidden:11.1f})  "
              f"{s.answered:14.1f}")
    print(summary("Pick to painted (the program's stamps)", pick_paint))
    print(summary("Click to visible (the probe)", seen))
    print(summary("Click to the pick reaching the program", [s.phases[PICKED] for s in samples]))
    print(summary("Painted to in front (the program's stamps)",
                  [s.phases[FRONT] - s.phases[PAINTED] for s in samples]))
    print(summary("Click to the shown window answering", [s.answered for s in samples]))
    ups = [s.mouseup_ms for s in samples]
    delays = [s.signal_delay for s in samples]
    looks = [s.looks for s in samples]
    print(f"Measurement: xdotool's mouseup run took {statistics.median(ups):.1f} ms (median; max "
          f"{max(ups):.1f}); the probe started {statistics.median(delays):.2f} ms (median, max "
          f"{max(delays):.2f}) after the click and looked every {POLL_MS:g} ms "
          f"({statistics.median(looks):.0f} looks per opening)")


def run(bench: Bench, count: int):
    prog = bench.start_program()
    window = bench.find(title=TITLE, pid=prog.winpid)
    icon = icon_centre(bench)
    samples = []
    for _ in range(count):
        samples.append(open_once(bench, window, icon))
        close_window(bench, window)
        time.sleep(0.5)  # the closing's save and reload are over; the next pick starts from rest
    attach_stamps(samples, [ln.message for ln in reversed(bench.save_log(prog))])
    report(samples)


def main(argv=None):
    ap = bench_options(__doc__.splitlines()[0])
    ap.add_argument("--runs", type=int, default=10, help="openings to time")
    opts = ap.parse_args(argv)
    if opts.runs < 1:
        ap.error("time at least one opening")
    return run_bench(opts, "config-open", FIXTURES, lambda bench: run(bench, opts.runs))


if __name__ == "__main__":
    sys.exit(main())
