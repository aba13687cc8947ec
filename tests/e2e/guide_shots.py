#!/usr/bin/env python3
"""Pictures for the user guide: drives the real program on the Wine desktop at 96 DPI, as the
end-to-end cases do, and saves each window or region the guide shows as a small PNG.

Not a test: it checks only what it needs to take a picture (the window is there, the gesture is in
progress) and fails when it cannot. Run it with tools/screenshots.sh.
"""

from __future__ import annotations

import subprocess
import sys
import time
from pathlib import Path

from bench_support import bench_options, run_bench
from gestures import close_menus, gesture_file, menus, read_profile
from harness import WELCOME_TITLE, Bench, expect, wait_for
from test_editgestures import click_item, lists, open_from_tray, per_program, rows
from test_tray import hide_taskbar_tip, icon_centre, program_menu
from test_tray import close_menus as close_tray_menu
from test_welcome import select_page
from test_wizard import BTN_DOWN, BTN_LEFT, finish, next_page, open_wizard, press, shown, wait_text

SCREEN = (1920, 1080)
WELCOME = WELCOME_TITLE
CONFIG = "Farrowglimmer - Configuration"
EXAMPLE_LINK = "Create [TOP]+DOWN gesture"
TOOLTIP = "TTooltipWindow"
DISABLE_BOX = "Disable all gestures (including Global) for [notepad.exe]"
KEY = "Keystroke"
# The settle time between a window that answers and the picture: the last paint of a layered or
# owner-drawn window can follow its answer by a frame or two.
SETTLE_S = 0.4

# Bindings that read well in the pictures: Notepad's own file and the global one.
NOTEPAD_FILE = "Gestures_notepad.exe.ini"
FILES = {
    # A help pause longer than the first stroke of the drawing takes under a loaded Wine desktop.
    "defaults.ini": "[init]\r\nWelcomeShown=1\r\ntbHelpPause=1500\r\n",
    "Gestures.ini": gesture_file({
        "A1": ("Run Program / File", "Farrowglimmer.exe|CONFIG"),
        "13": (KEY, "010057CTRL+W"),
        "02": ("Multiple Keystrokes", "010041CTRL+A|010043CTRL+C"),
        "01": (KEY, "000074F5"),
    }),
    NOTEPAD_FILE: gesture_file({
        "03": (KEY, "010053CTRL+S"),
        "1": (KEY, "000074F5"),
        "20": (KEY, "01005ACTRL+Z"),
    }),
}
SCRATCHPAD = {"defaults.ini": "[init]\r\nWelcomeShown=1\r\nrbFullscreen=0\r\nrbScratchpad=1\r\n",
              "Gestures.ini": FILES["Gestures.ini"]}


class Shots:
    """Saves crops of the screen into the output folder and remembers what it wrote."""

    def __init__(self, out: Path):
        self.out = out
        self.written: list[Path] = []

    def save(self, bench: Bench, name: str, box, margin=0):
        left, top, right, bottom = box
        left, top = max(0, left - margin), max(0, top - margin)
        right, bottom = min(SCREEN[0], right + margin), min(SCREEN[1], bottom + margin)
        full = bench.run_dir / "screen.png"
        time.sleep(SETTLE_S)
        bench.screenshot(full)
        self.out.mkdir(parents=True, exist_ok=True)
        path = self.out / f"{name}.png"
        # A palette of 256 colours loses nothing visible on these flat window pictures and keeps
        # each file a few tens of kilobytes.
        subprocess.run(["convert", str(full), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                        "+repage", "-strip", "-colors", "256", "-define", "png:compression-level=9",
                        f"PNG8:{path}"], check=True, timeout=60)
        self.written.append(path)


def rect(bench: Bench, win) -> tuple[int, int, int, int]:
    row = next(ln for ln in bench.probe("info", win.hwnd).stdout.splitlines()
               if ln.startswith("rect\t"))
    return tuple(map(int, row.split("\t")[1:]))


def union(*boxes):
    return (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes),
            max(b[3] for b in boxes))


def park_pointer(bench: Bench):
    """Out of the way of every window, above the taskbar."""
    bench.mouse_move(5, 1050)


def tooltips(bench: Bench, prog):
    return bench.windows(cls=TOOLTIP, pid=prog.winpid, visible=True)


def notepad_in_front(bench: Bench, notepad):
    bench.probe("show", notepad.hwnd, 5)
    bench.xdotool("mousemove", 300, 650, "click", 1)
    wait_for(lambda: (bench.foreground() or notepad).pid == notepad.pid, 5, "Notepad in front")


# ----- first start, tray menu, configuration ------------------------------------------------------


def first_start(bench: Bench, shots: Shots):
    prog = bench.start_program()
    win = bench.find(title=WELCOME, pid=prog.winpid, visible=True)
    park_pointer(bench)
    shots.save(bench, "welcome", rect(bench, win))
    select_page(bench, win, 2)
    link = bench.child(win, cls="Button", text=EXAMPLE_LINK)
    left, top, right, bottom = rect(bench, link)
    bench.xdotool("mousemove", left + 20, (top + bottom) // 2, "click", 1)
    wait_for((bench.data / "Gestures.ini").exists, 5, "the example gesture's file")
    park_pointer(bench)
    shots.save(bench, "welcome-example", rect(bench, win))
    bench.probe("close", win.hwnd)
    wait_for(lambda: not bench.windows(title=WELCOME, pid=prog.winpid, visible=True), 5,
             "the welcome window to hide")

    x, y = icon_centre(bench)
    bench.xdotool("mousemove", x, y, "mousedown", 3, "sleep", 0.1, "mouseup", 3)
    menu = rect(bench, program_menu(bench))
    bench.xdotool("mousemove", menu[0] + 40, menu[1] + 12)  # on "&Configure ...", highlighted
    hide_taskbar_tip(bench)
    shots.save(bench, "tray-menu", union(menu, (x - 12, y - 10, x + 12, y + 10)), margin=8)
    close_tray_menu(bench)

    bench.run_messenger("CONFIG")
    win = bench.find(title=CONFIG, pid=prog.winpid, visible=True)
    tree = bench.child(win, cls="SysTreeView32")
    park_pointer(bench)
    for index, name in ((0, "config-drawing"), (2, "config-help"), (4, "config-misc")):
        expect(bench.probe("treeselect", tree.hwnd, index).returncode == 0, f"page {index}")
        bench.probe("sync", win.hwnd)
        shots.save(bench, name, rect(bench, win))
    bench.probe("close", win.hwnd)


# ----- gestures over Notepad, the chord, Edit Gestures and the wizard -----------------------------


def over_notepad(bench: Bench, shots: Shots):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    notepad_in_front(bench, notepad)

    # Down, then right, held: the trail and the arrow of the direction recognised.
    path = [(300, 170), (300, 310), (580, 310)]
    bench.mouse_move(*path[0])
    bench.right_down()
    bench.draw(path)
    wait_for(lambda: tooltips(bench, prog), 5, "the direction's arrow beside the pointer")
    shots.save(bench, "drawing", (0, 0, 700, 420))
    bench.right_up()
    time.sleep(1)  # the binding runs in Notepad
    close_menus(bench)

    # Up, then held still: the help's tooltip, and on release its menu.
    bench.mouse_move(500, 560)
    bench.right_down()
    bench.draw([(500, 560), (500, 440)])
    arrow = {w.hwnd for w in wait_for(lambda: tooltips(bench, prog), 5, "the stroke's arrow")}
    wait_for(lambda: [w for w in tooltips(bench, prog) if w.hwnd not in arrow], 5,
             "the help's tooltip")
    bench.right_up()
    menu = wait_for(lambda: next(iter(menus(bench, exe="Farrowglimmer.exe")), None), 5,
                    "the help pop-up's menu")
    shots.save(bench, "help-popup", rect(bench, menu), margin=6)
    bench.xdotool("key", "Escape")
    wait_for(lambda: not menus(bench, exe="Farrowglimmer.exe"), 5, "the help menu to close")
    close_menus(bench)

    # The chord: right button held, two left clicks; the message shows until the release.
    notepad_in_front(bench, notepad)
    bench.xdotool("mousemove", 560, 400, "sleep", 0.05, "mousedown", 3, "sleep", 0.15,
                  "mousedown", 1, "sleep", 0.15, "mouseup", 1, "sleep", 0.15,
                  "mousedown", 1, "sleep", 0.15, "mouseup", 1, "sleep", 0.15)
    # The message is drawn, not a window text: it is the one tooltip wider than an arrow.
    tip = wait_for(lambda: next((w for w in tooltips(bench, prog)
                                 if rect(bench, w)[2] - rect(bench, w)[0] > 100), None), 5,
                   "the message \"Gestures DISABLED for program.\"")
    shots.save(bench, "chord-disabled", union(rect(bench, tip), (540, 380, 580, 420)), margin=24)
    bench.right_up()
    wait_for(lambda: "cbDisableAll=1" in read_profile(bench.data / NOTEPAD_FILE), 5,
             "the switch in Notepad's file")
    close_menus(bench)

    edit = open_from_tray(bench, prog)
    park_pointer(bench)
    programs, gestures = lists(bench, edit)
    wait_for(lambda: len(rows(bench, gestures)) == 4, 8, "the global rows")
    click_item(bench, gestures, 1)
    shots.save(bench, "edit-gestures-global", rect(bench, edit))

    wizard(bench, shots, edit)

    listed = per_program(bench, edit, programs)
    click_item(bench, programs, next(i for i, r in enumerate(listed) if r[0] == "notepad.exe"))
    wait_for(lambda: len(rows(bench, gestures)) == 3, 8, "Notepad's rows")
    click_item(bench, gestures, 0)
    box = bench.child(edit, cls="Button", text=DISABLE_BOX)
    wait_for(lambda: bench.probe("state", box.hwnd).stdout.strip() == "1", 5, "the box ticked")
    park_pointer(bench)
    shots.save(bench, "edit-gestures-program", rect(bench, edit))


def wizard(bench: Bench, shots: Shots, edit):
    win = open_wizard(bench, edit)
    field = shown(bench, win, cls="Edit")
    press(bench, shown(bench, win, ctrl_id=BTN_DOWN))
    press(bench, shown(bench, win, ctrl_id=BTN_LEFT))
    wait_text(bench, field, "DOWN+LEFT", "the gesture")
    park_pointer(bench)
    shots.save(bench, "wizard-gesture", rect(bench, win))
    next_page(bench, win)

    field = shown(bench, win, cls="Edit")
    press(bench, field)
    bench.xdotool("key", "--clearmodifiers", "ctrl+n")
    wait_text(bench, field, "CTRL+N", "the keystroke field")
    park_pointer(bench)
    shots.save(bench, "wizard-action", rect(bench, win))
    next_page(bench, win)
    wait_for(lambda: bench.text(shown(bench, win, cls="Edit")), 5, "the summary")
    park_pointer(bench)
    shots.save(bench, "wizard-summary", rect(bench, win))
    finish(bench, win)


# ----- the scratchpad -----------------------------------------------------------------------------


def scratchpad(bench: Bench, shots: Shots):
    prog = bench.start_program()
    bench.start_notepad()

    def pad():
        found = bench.windows(cls="TFrmScratchPad", pid=prog.winpid, visible=True)
        return rect(bench, found[0]) if found else None

    wait_for(pad, 10, "the scratchpad's strip")
    bench.mouse_move(1917, 540)
    wide = wait_for(lambda: (lambda r: r if r and r[2] - r[0] > 200 else None)(pad()), 10,
                    "the scratchpad to widen")
    start = (wide[0] + 70, 620)
    path = [start, (start[0], 500), (start[0] + 140, 500)]
    bench.draw([(1917, 540), start])
    bench.right_down()
    bench.draw(path)
    wait_for(lambda: tooltips(bench, prog), 5, "the direction's arrow")
    shots.save(bench, "scratchpad", (wide[0] - 260, wide[1], SCREEN[0], wide[3]))
    bench.right_up()


def main(argv=None):
    ap = bench_options(__doc__.splitlines()[0])
    ap.add_argument("--out", type=Path, required=True, help="folder for the pictures")
    opts = ap.parse_args(argv)
    shots = Shots(opts.out.resolve())
    t0 = time.monotonic()
    for name, files, body in (("guide-first-start", {}, first_start),
                              ("guide-notepad", FILES, over_notepad),
                              ("guide-scratchpad", SCRATCHPAD, scratchpad)):
        code = run_bench(opts, name, files, lambda bench: body(bench, shots))
        if code != 0:
            return code
    for path in shots.written:
        print(f"{path}  {path.stat().st_size / 1024:.1f} kB")
    print(f"{len(shots.written)} pictures in {time.monotonic() - t0:.0f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
