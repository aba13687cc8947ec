#!/usr/bin/env python3
"""Soak: hundreds of gestures and window openings in the real program under Wine, watching its
memory and its handles.

Runs the program with "LogHandles" on (one "Handles: ..." line in the debug log after every gesture
and window close) and a gesture file for Notepad, then over Notepad draws the mix a user makes:
bound gestures (one key, a list of keys), unbound ones (the suggestions pop up and are dismissed),
a pause long enough for the help pop-up, the disable and enable chords, and stretches in scratchpad
mode (three stretches of 25 gestures). Between gestures it opens and closes the configuration window and the Edit Gestures window
(forwarded "CONFIG" and "EDIT_GESTURES" starts). After the first 50 gestures and every 50 after,
it samples RssAnon of the program's process (/proc/<pid>/status) and the newest handle line
(saved through the debug window's Save button). The verdict: RssAnon flat within 0.5 MB after the
first sample besides what the debug history (the newest 20,000 lines, a bounded store that is
still filling at this length) takes, and the program's own GDI and USER counts the same at every
sample.

Not a test of the normal run: run it with tools/soak.sh.
"""

from __future__ import annotations

import os
import re
import sys
import time
from pathlib import Path

from bench_support import bench_options, run_bench
from gestures import gesture_file
from harness import PROGRAM_EXE, Bench, Failure, expect, wait_for

CONFIG_TITLE = "Farrowglimmer - Configuration"
EDIT_TITLE = "Farrowglimmer - Edit Gestures"
HANDLES = re.compile(r"^Handles: GDI (-?\d+) \(system (\d+)\), USER (-?\d+) \(system (\d+)\)$")
SAMPLE_EVERY = 50
# Scratchpad mode for gestures 25 to 49 of every 200. The first stretch ends before the first
# sample: what the pad makes once at its first showing (the fonts of its buttons, its drawing
# surface) is there at every sample, and what a later stretch adds is growth.
PAD_EVERY, PAD_FROM, PAD_TO = 200, 25, 50
RSS_SLACK_KB = 512
# The debug history keeps the newest 20,000 lines, so it grows through a soak of this length. Its
# memory is at least each line's UTF-16 text with its terminator, the string object in the history
# (32 bytes) and a heap block header (8 bytes): subtracting that lower bound from RssAnon's growth
# can only overstate what else grew.
HISTORY_LINE_BYTES = 32 + 8

FIXTURES = {
    "defaults.ini": "[init]\r\nWelcomeShown=1\r\nLogHandles=1\r\n",
    "Gestures_notepad.exe.ini": gesture_file({
        "3": ("Keystroke", "000041A"),
        "1": ("Multiple Keystrokes", "000042B|000043C"),
    }),
}

# Short strokes over Notepad's text (its window lies at 0,0 to 1026,769), inside the pad's widened
# area (257 px wide at the right edge, half-way down) and the pad's strip.
AT = (400, 300)
STRIP = (1917, 540)
IN_PAD = (1720, 560)


def stroke(at, dx, dy):
    return [at, (at[0] + dx, at[1] + dy)]


def escape(bench: Bench):
    """Dismisses a pop-up menu the gesture left open; Notepad ignores the key otherwise."""
    bench.xdotool("sleep", 0.25, "key", "Escape", "sleep", 0.1)


def chord(bench: Bench):
    bench.xdotool("mousemove", *AT, "sleep", 0.05, "mousedown", 3, "sleep", 0.15, "mousedown", 1,
                  "sleep", 0.15, "mouseup", 1, "sleep", 0.15, "mousedown", 1, "sleep", 0.15,
                  "mouseup", 1, "sleep", 0.15, "mouseup", 3, "sleep", 0.3)


def unix_pid(bench: Bench) -> int:
    """The Linux process of the running copy: the one whose command line names the exe of this run's
    data folder (the forwarding starts have ended by the time this is asked)."""
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmd = (entry / "cmdline").read_bytes().split(b"\0")
            env = (entry / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if f"WINEPREFIX={bench.prefix}".encode() not in env:
            continue
        args = [a.decode("utf-8", "replace") for a in cmd if a]
        if args and args[-1].replace("\\", "/").endswith(PROGRAM_EXE):
            found.append(int(entry.name))
    expect(len(found) == 1, f"looking for the program's process found {found}")
    return found[0]


def rss_anon_kb(pid: int) -> int:
    status = Path(f"/proc/{pid}/status").read_text()
    return int(re.search(r"^RssAnon:\s+(\d+) kB", status, re.M)[1])


class Soak:
    def __init__(self, bench: Bench, gestures: int):
        self.bench = bench
        self.gestures = gestures
        self.prog = None
        self.pid = 0
        self.rows: list[tuple] = []
        self.counts = {"bound": 0, "unbound": 0, "help": 0, "chords": 0, "pad": 0, "config": 0,
                       "edit": 0}

    def draw(self, points, hold_s=0.05):
        self.bench.draw(points, right_button=True, hold_s=hold_s)

    def gesture(self, n: int, in_pad: bool):
        b = self.bench
        kind = n % 10
        if in_pad and kind in (0, 3, 4, 8):
            b.xdotool("mousemove", *STRIP, "sleep", 0.3)  # the pad widens under the pointer
            self.draw(stroke(IN_PAD, 64, 0))
            b.xdotool("mousemove", *AT, "sleep", 0.35)
            self.counts["pad"] += 1
        elif kind in (0, 3, 4, 8):
            self.draw(stroke(AT, 64, 0))
            self.counts["bound"] += 1
            b.xdotool("sleep", 0.3)  # the pause before the keys, and the keys
        elif kind == 1:
            self.draw(stroke(AT, 0, 64))
            self.counts["bound"] += 1
            b.xdotool("sleep", 0.3)
        elif kind in (2, 5, 9):
            self.draw(stroke(AT, -64, 0) if kind == 2 else stroke(AT, 0, -64))
            self.counts["unbound"] += 1
            escape(b)
        elif kind == 6:
            self.draw(stroke(AT, 64, 0), hold_s=1.2)  # the help pop-up comes at 0.8 s
            self.counts["help"] += 1
            escape(b)
        elif kind == 7:
            chord(b)  # off
            self.draw(stroke(AT, 64, 0))  # does nothing
            chord(b)  # on again
            self.counts["chords"] += 2
        # Every tenth gesture is followed by each window opened and closed.
        if kind == 4:
            self.window("EDIT_GESTURES", EDIT_TITLE, "edit")
        if kind == 9:
            self.window("CONFIG", CONFIG_TITLE, "config")

    def window(self, command: str, title: str, key: str):
        b = self.bench
        b.run_messenger(command)
        win = b.find(title=title, pid=self.prog.winpid, visible=True)
        b.probe("close", win.hwnd)
        wait_for(lambda: not b.windows(title=title, pid=self.prog.winpid, visible=True), 10,
                 f"{title!r} to close")
        self.counts[key] += 1

    def set_scratchpad(self, on: bool):
        """Chooses the drawing method in the configuration window, which applies it on closing."""
        b = self.bench
        b.run_messenger("CONFIG")
        win = b.find(title=CONFIG_TITLE, pid=self.prog.winpid, visible=True)
        caption = "Scratchpad" if on else "Fullscreen"
        radios = [w for w in b.children(win, cls="Button") if caption.lower() in w.text.lower()]
        expect(radios, f"no {caption} button in the configuration window")
        b.click(radios[0])
        b.probe("close", win.hwnd)
        wait_for(lambda: not b.windows(title=CONFIG_TITLE, pid=self.prog.winpid, visible=True),
                 10, "the configuration window to close")

    def sample(self, n: int):
        b = self.bench
        time.sleep(0.5)
        rss = rss_anon_kb(self.pid)
        lines = [ln.message for ln in b.save_log(self.prog)]  # newest first
        handles = next((HANDLES.match(m) for m in lines if HANDLES.match(m)), None)
        expect(handles, "no handle line in the debug log")
        gdi, sys_gdi, user, sys_user = (int(x) for x in handles.groups())
        history_kb = sum(2 * (len(m) + 1) + HISTORY_LINE_BYTES for m in lines) // 1024
        self.rows.append((n, rss, gdi, sys_gdi, user, sys_user, len(lines), history_kb))
        print(f"{n:>6} {rss:>10} {gdi:>6} {sys_gdi:>8} {user:>6} {sys_user:>8} {len(lines):>9} "
              f"{history_kb:>10}", flush=True)

    def run(self):
        b = self.bench
        self.prog = b.start_program()
        b.start_notepad()
        self.pid = unix_pid(b)
        print(f"program: Windows pid {self.prog.winpid}, Linux pid {self.pid}", flush=True)
        print(f"{'after':>6} {'RssAnon kB':>10} {'GDI':>6} {'(system)':>8} {'USER':>6} "
              f"{'(system)':>8} {'log lines':>9} {'log kB >=':>10}", flush=True)
        started = time.monotonic()
        for n in range(self.gestures):
            if n % PAD_EVERY == PAD_FROM:
                self.set_scratchpad(True)
            if n % PAD_EVERY == PAD_TO:
                self.set_scratchpad(False)
            self.gesture(n, PAD_FROM <= n % PAD_EVERY < PAD_TO)
            if (n + 1) % SAMPLE_EVERY == 0:
                self.sample(n + 1)
        minutes = (time.monotonic() - started) / 60
        print(f"{self.gestures} gestures in {minutes:.1f} min: " +
              ", ".join(f"{k} {v}" for k, v in self.counts.items()))
        self.verdict()

    def verdict(self):
        expect(len(self.rows) >= 2, "too few samples for a verdict")
        first, last = self.rows[0], self.rows[-1]
        rss_growth = last[1] - first[1]
        rss_peak = max(r[1] for r in self.rows) - first[1]
        history_growth = last[7] - first[7]
        other_growth = rss_growth - history_growth
        gdi = {r[2] for r in self.rows}
        user = {r[4] for r in self.rows}
        print(f"RssAnon: {first[1]} kB after {first[0]}, {last[1]} kB after {last[0]} "
              f"({rss_growth:+d} kB; highest {rss_peak:+d} kB), of which the debug history's "
              f"{last[6] - first[6]} new lines at least {history_growth} kB: "
              f"{other_growth:+d} kB besides; own GDI {sorted(gdi)}, own USER {sorted(user)}")
        problems = []
        if other_growth > RSS_SLACK_KB:
            problems.append(f"RssAnon grew {other_growth} kB besides the debug history "
                            f"(more than {RSS_SLACK_KB} kB)")
        if len(gdi) != 1:
            problems.append(f"the GDI count moved: {sorted(gdi)}")
        if len(user) != 1:
            problems.append(f"the USER count moved: {sorted(user)}")
        print("VERDICT: " + ("flat" if not problems else "NOT flat: " + "; ".join(problems)))
        expect(not problems, "; ".join(problems))


def main(argv=None):
    ap = bench_options(__doc__.splitlines()[0])
    ap.add_argument("--gestures", type=int, default=500,
                    help="gestures to draw; every tenth is followed by each window opened once")
    opts = ap.parse_args(argv)
    if opts.gestures < 2 * SAMPLE_EVERY:
        ap.error(f"draw at least {2 * SAMPLE_EVERY}")
    return run_bench(opts, "soak", FIXTURES, lambda bench: Soak(bench, opts.gestures).run())


if __name__ == "__main__":
    sys.exit(main())
