"""Gestures drawn over Notepad for the capture and dispatch cases: shapes, the disable chord, the
gesture files and the program's record of what it sent."""

from __future__ import annotations

import subprocess
from pathlib import Path

from harness import Bench, Program, wait_for

SENDING = "[FMMonitor] Sending GESTURE="
PRESS = "[FMMonitor] First Down Event"
RELEASE = "[FMMonitor] First Release Event"
FOUND = "[FGest] Gesture Found ="
MENU_CLOSED = "[FGest] Closing the context menu of the target program"
DISABLE_CHORD = "[FMMonitor] Disable Gestures Key press detected"
ENABLE_CHORD = "[FMMonitor] ENABLE mouse chording detected"
PROGRAM_FILE = "Gestures_notepad.exe.ini"
MENU_CLASS = "#32768"

# Polylines over Notepad's text (its window lies at 0,0 to 1026,769). The second stroke is clearly
# longer than the first, so the turn never sits on a sector border.
UP_RIGHT = [(500, 500), (500, 404), (660, 404)]  # "03"
DOWN_RIGHT = [(500, 300), (500, 396), (660, 396)]  # "13"
LEFT_DOWN = [(700, 300), (604, 300), (604, 460)]  # "21"
# Starts within the top thirtieth of the 1080-pixel monitor (y < 36): "A1". Draw it with
# `held_draw`: the monitor polls an idle button only every 60 ms, by when a moving pointer may
# have left the edge. It starts on Notepad's caption, whose release opens the window menu.
TOP_DOWN = [(700, 10), (700, 150)]


def gesture_file(bindings: dict[str, tuple[str, str]], disabled=False) -> str:
    """A gesture file: section per gesture string, ActionType and Action, then Settings."""
    out = []
    for gesture, (kind, action) in bindings.items():
        out += [f"[{gesture}]", f"ActionType={kind}", f"Action={action}"]
    out += ["[Settings]", f"cbDisableAll={int(disabled)}"]
    return "\r\n".join(out) + "\r\n"


def read_profile(path: Path) -> list[str]:
    """The non-empty lines of a profile file the program wrote (ANSI or UTF-16 with a BOM)."""
    raw = path.read_bytes()
    text = raw[2:].decode("utf-16-le") if raw[:2] == b"\xff\xfe" else raw.decode("latin-1")
    return [ln.strip() for ln in text.splitlines() if ln.strip()]


def messages(bench: Bench, prog: Program, prefix: str) -> list[str]:
    """The log messages starting with `prefix`, oldest first."""
    return [ln.message for ln in reversed(bench.save_log(prog)) if ln.message.startswith(prefix)]


def sent(bench: Bench, prog: Program) -> list[str]:
    """The gesture strings the monitor has sent so far, oldest first."""
    return [m[len(SENDING):] for m in messages(bench, prog, SENDING)]


def wait_log(bench: Bench, prog: Program, prefix: str, count: int, timeout=8) -> list[str]:
    """Waits until the log holds at least `count` messages starting with `prefix`."""
    return wait_for(lambda: (lambda m: m if len(m) >= count else None)(
        messages(bench, prog, prefix)), timeout, f"{count} log line(s) {prefix!r}", interval=0.3)


# The fill of the direction arrows the tooltip shows beside the cursor.
ARROW_FILL = (28, 78, 196)


def colour_count(bench: Bench, box: tuple[int, int, int, int], rgb: tuple[int, int, int]) -> int:
    """How many pixels of the screen's box (left, top, right, bottom) have exactly this colour."""
    left, top, right, bottom = box
    shot = bench.run_dir / "box.png"
    bench.screenshot(shot)
    crop = f"{right - left}x{bottom - top}+{left}+{top}"
    out = subprocess.run(["convert", str(shot), "-crop", crop, "-depth", "8", "txt:-"],
                         capture_output=True, text=True, timeout=30, check=True).stdout
    return out.count("#%02X%02X%02X" % rgb)


def menus(bench: Bench, exe: str | None = None):
    return bench.windows(cls=MENU_CLASS, visible=True, exe=exe)


def close_menus(bench: Bench):
    """Closes a context menu the release left open (Escape goes to the open menu)."""
    if menus(bench):
        bench.xdotool("key", "Escape")
        wait_for(lambda: not menus(bench), 5, "the context menu to close")


def chord(bench: Bench, at=(500, 500)):
    """Holds the right button and clicks the left one twice: the disable (or enable) chord. Each
    left click and each pause is held 150 ms, as a hand does: the monitor polls the button states
    (every 60 ms while gestures are disabled), so an instant xdotool click could fall between."""
    bench.xdotool("mousemove", *at, "sleep", 0.05, "mousedown", 3, "sleep", 0.15,
                  "mousedown", 1, "sleep", 0.15, "mouseup", 1, "sleep", 0.15,
                  "mousedown", 1, "sleep", 0.15, "mouseup", 1, "sleep", 0.15, "mouseup", 3)


def held_draw(bench: Bench, prog: Program, points, presses: int):
    """Presses the right button at the first point, waits until the monitor has seen the press
    (the `presses`-th of the run), then draws and releases."""
    bench.mouse_move(*points[0])
    bench.right_down()
    wait_log(bench, prog, PRESS, presses)
    bench.draw(points)
    bench.right_up()
