#!/usr/bin/env python3
"""The right-button gate ("Hold back the right button while a gesture may be drawn") on the real
program: what a program under the cursor receives (a recorder window that writes down its right-
button messages), whether a context menu ever shows during a gesture over Notepad (sampled every
10 ms from before the press to 500 ms after the release), a press held still that becomes a real
right-drag, a program in "noright.ini" left alone, and the time from a plain click's release to the
replayed release arriving."""

from __future__ import annotations

import re
import shutil
import statistics
import subprocess
import time

from gestures import SENDING, gesture_file, menus, read_profile, sent, wait_log
from harness import Bench, expect, fixtures, run_cases, wait_for
from test_config import close_config, open_config

GATE_ON = "[init]\r\nWelcomeShown=1\r\ncbHoldBackRightButton=1\r\n"
CLICKED = re.compile(r"\[Gate\] click sent: released at ([\d.]+) ms, sent at ([\d.]+) ms")

# Inside the recorder's client area (its window lies at 100,100 to 700,500).
AT = (400, 300)
RIGHT = [(250, 300), (410, 300)]  # "3"
UP_RIGHT = [(300, 400), (300, 304), (460, 304)]  # "03"


def start_recorder(bench: Bench, at=(100, 100)):
    """Starts the recorder from the run folder with its window at `at` and brings it to the
    front; returns its log."""
    exe = bench.run_dir / "mouserec.exe"
    shutil.copy2(bench.opts.probe.parent / "fgmouserec.exe", exe)
    bench.spawn([exe, *at], "mouserec")
    window = bench.find(title="Mouse Recorder", visible=True, timeout=20)
    # A left click makes it the program in front (a held-back press activates nothing).
    bench.xdotool("mousemove", at[0] + 300, at[1] + 350, "click", 1)
    wait_for(lambda: (lambda f: f and f.hwnd == window.hwnd)(bench.foreground()), 10,
             "the recorder in front")
    return bench.run_dir / "mouse.log"


def recorded(log) -> list[tuple[str, int, int, float]]:
    if not log.is_file():
        return []
    out = []
    for line in log.read_text().splitlines():
        what, x, y, ms = line.split()
        out.append((what, int(x), int(y), float(ms)))
    return out


def wait_recorded(log, count: int, what: str):
    return wait_for(lambda: (lambda r: r if len(r) >= count else None)(recorded(log)), 8, what,
                    interval=0.1)


def plain_click(bench: Bench, at=AT):
    bench.xdotool("mousemove", *at, "sleep", 0.05, "mousedown", 3, "sleep", 0.1, "mouseup", 3)


@fixtures({"defaults.ini": GATE_ON})
def recorder(bench: Bench):
    prog = bench.start_program()
    log = start_recorder(bench)
    names = lambda rows: [(r[0], r[1], r[2]) for r in rows]  # noqa: E731

    # A plain click: one press and one release where it happened, and the menu request.
    plain_click(bench)
    got = wait_recorded(log, 3, "the click in the recorder")
    time.sleep(0.3)
    got = recorded(log)
    expect(names(got) == [("RBUTTONDOWN", *AT), ("RBUTTONUP", *AT), ("CONTEXTMENU", *AT)],
           f"a plain click through the gate: {names(got)}")

    # A gesture: nothing at all.
    before = len(recorded(log))
    bench.draw(UP_RIGHT, right_button=True)
    wait_log(bench, prog, SENDING, 1)
    time.sleep(0.3)
    expect(names(recorded(log)[before:]) == [],
           f"the recorder got a gesture's button: {names(recorded(log)[before:])}")

    # Held still 600 ms, then moved: a real right-drag, in order, at the right places.
    before = len(recorded(log))
    cmd = ["mousemove", *AT, "sleep", 0.05, "mousedown", 3, "sleep", 0.6]
    for x in range(AT[0] + 8, AT[0] + 129, 8):
        cmd += ["mousemove", x, AT[1], "sleep", 0.02]
    bench.xdotool(*cmd, "sleep", 0.1, "mouseup", 3)
    wait_for(lambda: any(r[0] == "RBUTTONUP" for r in recorded(log)[before:]), 8,
             "the drag's release in the recorder")
    drag = names(recorded(log)[before:])
    expect(drag[0] == ("RBUTTONDOWN", *AT), f"the drag does not begin with its press: {drag}")
    moves = [r for r in drag if r[0] == "MOVE"]
    ups = [i for i, r in enumerate(drag) if r[0] == "RBUTTONUP"]
    expect(ups and drag[ups[0]] == ("RBUTTONUP", AT[0] + 128, AT[1]),
           f"the drag's release is not where the hand let go: {drag}")
    expect(moves and all(r[0] == "MOVE" for r in drag[1:ups[0]]) and
           [m[1] for m in moves] == sorted(m[1] for m in moves) and moves[-1][1] == AT[0] + 128,
           f"the drag's moves are not between its press and release, in order: {drag}")
    expect(sent(bench, prog) == ["03"], f"the drag was taken for a gesture: {sent(bench, prog)}")

    # The time from the release to the replayed release arriving, over ten clicks.
    delays = []
    for n in range(10):
        before = len(recorded(log))
        plain_click(bench)
        wait_for(lambda: any(r[0] == "RBUTTONUP" for r in recorded(log)[before:]), 8,
                 "a click in the recorder")
        up = next(r for r in recorded(log)[before:] if r[0] == "RBUTTONUP")
        stamps = [CLICKED.fullmatch(ln.message) for ln in bench.save_log(prog)]
        stamps = [m for m in stamps if m]
        expect(stamps, "no line of the gate's click in the log")
        delays.append(up[3] - float(stamps[0].group(1)))  # the newest line first
    print(f"release to the replayed release in the recorder, ms: median "
          f"{statistics.median(delays):.2f} (min {min(delays):.2f}, max {max(delays):.2f})")
    expect(all(d >= 0 for d in delays), f"a replayed release before its release: {delays}")


# Without suggestions: their pop-up is a menu too, and this case looks for Notepad's.
@fixtures({"defaults.ini": GATE_ON + "cbEnabledSuggestions=0\r\n",
           "Gestures_notepad.exe.ini": gesture_file({"3": ("Keystroke", "000041A")})})
def notepad(bench: Bench):
    prog = bench.start_program()
    _, pad = bench.start_notepad()
    probe = ["wine", str(bench.opts.probe)]

    def watched(points, duration_ms):
        """Draws with the right button while the probe samples for menus every 10 ms, from before
        the press until `duration_ms` later (at least 500 ms after the release)."""
        watch = subprocess.Popen([*probe, "menuwatch", str(duration_ms), "10"], cwd=bench.run_dir,
                                 env=bench.env, stdout=subprocess.PIPE, text=True)
        try:
            expect(watch.stdout.readline().strip() == "ready", "the menu watch did not start")
            started = time.monotonic()
            bench.draw(points, right_button=True)
            left = duration_ms / 1000 - (time.monotonic() - started)
            expect(left >= 0.5, f"the watch ended {0.5 - left:.2f} s too soon after the release")
            out = watch.communicate(timeout=30)[0].split()
        finally:
            if watch.poll() is None:
                watch.kill()
        return int(out[1]), int(out[3])

    # A plain right click still opens Notepad's menu.
    plain_click(bench, (400, 300))
    wait_for(lambda: menus(bench), 5, "Notepad's context menu after a plain click")
    bench.xdotool("key", "Escape")
    wait_for(lambda: not menus(bench), 5, "the menu to close")

    # A bound gesture types its key, and no menu shows, not even for a moment.
    samples, seen = watched(RIGHT, 3000)
    wait_for(lambda: bench.notepad_text(pad) == "a", 8, "the gesture's key in Notepad")
    expect(samples > 100 and seen == 0,
           f"a menu was seen in {seen} of {samples} samples around a bound gesture")
    # An unbound gesture: nothing happens, no menu either.
    samples, seen = watched([(250, 300), (250, 460)], 3000)
    wait_log(bench, prog, SENDING, 2)
    expect(sent(bench, prog) == ["3", "1"], f"sent {sent(bench, prog)}")
    expect(seen == 0, f"a menu was seen in {seen} of {samples} samples around an unbound gesture")
    expect(bench.notepad_text(pad) == "a", f"Notepad's text is {bench.notepad_text(pad)!r}")


@fixtures({"defaults.ini": GATE_ON, "noright.ini": "mouserec.exe=1\r\n"})
def noright(bench: Bench):
    prog = bench.start_program()
    log = start_recorder(bench)
    bench.draw(UP_RIGHT, right_button=True)
    wait_log(bench, prog, SENDING, 1)
    got = wait_for(lambda: (lambda r: r if any(x[0] == "RBUTTONUP" for x in r) else None)(
        recorded(log)), 8, "the release in the recorder")
    kinds = [r[0] for r in got if r[0] != "CONTEXTMENU"]
    expect(kinds[0] == "RBUTTONDOWN" and kinds[-1] == "RBUTTONUP" and "MOVE" in kinds,
           f"a program in noright.ini did not get its right button untouched: {kinds}")


def checkbox(bench: Bench):
    """Off by default; the box on the Gesture Drawing page switches it on at once and for the
    next start."""
    prog = bench.start_program()
    log = start_recorder(bench)
    plain_click(bench)
    wait_recorded(log, 2, "a click with the gate off")
    win = open_config(bench, prog)
    box = bench.child(win, cls="Button", text=BOX)
    bench.probe("bmclick", box.hwnd)
    wait_for(lambda: bench.probe("state", box.hwnd).stdout.strip() == "1", 5, "the tick")
    close_config(bench, win)
    wait_log(bench, prog, "[Gate] holding back the right button", 1)
    expect("cbHoldBackRightButton=1" in read_profile(bench.data / "defaults.ini"),
           "the settings file does not keep the box")
    bench.xdotool("mousemove", 400, 450, "click", 1)  # the recorder in front again
    before = len(recorded(log))
    bench.draw(UP_RIGHT, right_button=True)
    wait_log(bench, prog, SENDING, 1)
    time.sleep(0.3)
    expect(recorded(log)[before:] == [], "the box did not switch the gate on")


BOX = "Hold back the right button while a gesture may be drawn"


@fixtures({"defaults.ini": GATE_ON,
           "Gestures_mouserec.exe.ini": gesture_file({"3": ("Keystroke", "000041A")})})
def activates(bench: Bench):
    """A gesture over a window behind another is that window's program's, as without the gate:
    the press the gate holds back would have brought it to the front."""
    prog = bench.start_program()
    start_recorder(bench, (1100, 100))
    _, pad = bench.start_notepad()
    wait_for(lambda: (lambda f: f and f.cls == "Notepad")(bench.foreground()), 10,
             "Notepad in front")
    bench.draw([(1250, 300), (1410, 300)], right_button=True)
    found = wait_log(bench, prog, "[FGest] Reported gesture/foreground = ", 1)
    expect("Gestures_mouserec.exe.ini" in found[0],
           f"the gesture went to another program: {found[0]!r}")
    expect(bench.foreground().cls == "FgMouseRecorder", "the recorder is not in front")
    expect(bench.notepad_text(pad) == "", f"Notepad got {bench.notepad_text(pad)!r}")

if __name__ == "__main__":
    run_cases({"recorder": recorder, "notepad": notepad, "noright": noright,
               "checkbox": checkbox, "activates": activates})
