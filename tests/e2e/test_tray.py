#!/usr/bin/env python3
"""The tray icon in the Wine desktop's taskbar: shown with the version tip, its clicks (the menu
on a right press, the Edit Gestures entry on a left double click, nothing on a single click), the
menu's place beside the cursor, Scroll Lock suspending the icon and gesture capture, the icon coming back
when the taskbar is made anew, and "Exit Farrowglimmer" ending the program after it has written
both per-program lists back as they were.

The icon is found by its pixels in a screenshot of the taskbar (Wine draws the icons into
"Shell_TrayWnd", without a window per icon) and clicked there with xdotool. A right double click
cannot be given for real: its first press opens the menu, whose loop takes the second click, so
that one click is handed to the tray window as the icon's message. Scroll Lock is pressed inside
the desktop by the probe: `xdotool key Scroll_Lock` does toggle Wine's state, but here the
suspended icon came back after the next gesture, as if the X server's own lock state had been
taken over again. The menu is worked with the mouse here; its keys are test_keyboard.py's."""

import os
import shutil
import subprocess

from gestures import SENDING, UP_RIGHT, gesture_file, menus, messages
from harness import DEBUG_TITLE, PROGRAM_EXE, QUIET_SETTINGS, Bench, Failure, desktop_dpi, expect, \
    fixtures, run_cases, wait_for

TRAY_TITLE = "Farrowglimmer - System Tray"
TIP = "Farrowglimmer v1.0"
WM_TRAYICON = 0x401
WM_RBUTTONDOWN, WM_RBUTTONDBLCLK = 0x204, 0x206
VK_SCROLL = 0x91
CONFIGURE_KNOB = (36, 104, 200)  # the knobs of the "&Configure ..." entry's picture
NORMAL_EDGE = (120, 50, 160)  # the icon's purple edge while gestures are watched
SUSPENDED_EDGE = (40, 150, 60)  # its green edge while Scroll Lock suspends them
TRAY_LOG = "Tray: would open the "


def close_menus(bench: Bench):
    """Ends the open menu's loop (WM_CANCELMODE to the menu). A click beside it would do for a
    user, but on the tests' bare X server the menu took no click after it had been shown."""
    for menu in menus(bench):
        bench.probe("post", menu.hwnd, 0x1F)
    wait_for(lambda: not menus(bench), 5, "the menu to close")


def menu_rect(bench: Bench, menu) -> list[int]:
    return list(map(int, next(ln for ln in bench.probe("info", menu.hwnd).stdout.splitlines()
                              if ln.startswith("rect\t")).split("\t")[1:]))


def tray_window(bench: Bench, prog):
    return bench.find(title=TRAY_TITLE, pid=prog.winpid)


def shot(bench: Bench, name: str):
    """A screenshot kept in the run folder (and in $FG_TRAY_SHOTS when set, for a person)."""
    path = bench.run_dir / name
    bench.screenshot(path)
    if os.environ.get("FG_TRAY_SHOTS"):
        shutil.copy(path, os.path.join(os.environ["FG_TRAY_SHOTS"], f"{bench.dpi}dpi-{name}"))
    return path


def icon_box(bench: Bench, edge) -> tuple[int, int, int, int] | None:
    """The screen box (left, top, right, bottom) of the pixels of the icon's edge colour in the
    taskbar, or None."""
    bar = bench.find(cls="Shell_TrayWnd")  # hidden while it has nothing to show
    rect = next(ln.split("\t")[1:] for ln in bench.probe("info", bar.hwnd).stdout.splitlines()
                if ln.startswith("rect\t"))
    left, top, right, bottom = map(int, rect)
    path = bench.run_dir / "taskbar.png"
    bench.screenshot(path)
    crop = f"{right - left}x{bottom - top}+{left}+{top}"
    out = subprocess.run(["convert", str(path), "-crop", crop, "-depth", "8", "txt:-"],
                         capture_output=True, text=True, timeout=30, check=True).stdout
    colour = "#%02X%02X%02X" % edge
    points = [tuple(map(int, ln.split(":")[0].split(","))) for ln in out.splitlines()
              if colour in ln]
    if len(points) < 8:
        return None
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return left + min(xs), top + min(ys), left + max(xs) + 1, top + max(ys) + 1


def icon_centre(bench: Bench, edge=NORMAL_EDGE, timeout=10) -> tuple[int, int]:
    box = wait_for(lambda: icon_box(bench, edge), timeout, f"the tray icon with edge {edge}")
    return (box[0] + box[2]) // 2, (box[1] + box[3]) // 2


def tray_lines(bench: Bench, prog) -> list[str]:
    return messages(bench, prog, TRAY_LOG)


def program_menu(bench: Bench):
    return wait_for(lambda: next(iter(menus(bench, PROGRAM_EXE)), None), 5, "the tray menu")


def icon_menu(bench: Bench):
    prog = bench.start_program()
    x, y = icon_centre(bench)
    shot(bench, "taskbar-icon.png")

    bench.xdotool("mousemove", x - 3, y - 2, "sleep", 0.2, "mousemove", x, y)
    tip = wait_for(lambda: next((w for w in bench.windows(cls="tooltips_class32", visible=True)
                                 if bench.text(w) == TIP), None), 8, f"the tip {TIP!r}")
    expect(tip.exe.lower() == "explorer.exe", f"the tip is not the taskbar's: {tip}")

    # A single left click does nothing; a right press opens the menu.
    bench.xdotool("click", 1)
    bench.xdotool("sleep", 1.5)
    expect(not menus(bench), "a single left click opened a menu")
    bench.xdotool("mousedown", 3, "sleep", 0.1, "mouseup", 3)
    program_menu(bench)
    bench.xdotool("mousemove", x - 60, y - 40)  # the taskbar's tip would cover the last entry
    shot(bench, "tray-menu.png")
    close_menus(bench)
    expect(tray_lines(bench, prog) == [], f"tray lines after a click: {tray_lines(bench, prog)}")

    bench.xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, 1)
    edit = bench.find(title="Farrowglimmer - Edit Gestures", pid=prog.winpid, visible=True)
    bench.probe("close", edit.hwnd)

    debug = bench.find(title=DEBUG_TITLE, pid=prog.winpid)
    expect(not debug.visible, "the debug window shows before the right double click")
    bench.probe("post", tray_window(bench, prog).hwnd, WM_TRAYICON, 0, WM_RBUTTONDBLCLK)
    wait_for(lambda: bench.find(title=DEBUG_TITLE, pid=prog.winpid).visible, 8,
             "the debug window after a right double click")
    bench.probe("show", debug.hwnd, 0)

    # Away from the screen's edges the menu's corner is the cursor moved 5 right and 4 up.
    bench.mouse_move(800, 500)
    bench.probe("post", tray_window(bench, prog).hwnd, WM_TRAYICON, 0, WM_RBUTTONDOWN)
    left, top, _, _ = menu_rect(bench, program_menu(bench))
    expect((left, top) == (805, 496), f"the menu's corner is {left},{top}, not 805,496")
    close_menus(bench)



def pixels(path, box) -> dict[tuple[int, int], tuple[int, int, int]]:
    """The colours of a screenshot's pixels inside a screen box (left, top, right, bottom), by
    their place relative to the box."""
    left, top, right, bottom = box
    out = subprocess.run(["convert", str(path), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                          "-depth", "8", "txt:-"], capture_output=True, text=True, timeout=30,
                         check=True).stdout
    found = {}
    for ln in out.splitlines()[1:]:
        place, _, rest = ln.partition(":")
        x, y = map(int, place.split(","))
        found[(x, y)] = tuple(int(v) for v in rest.split("(")[1].split(")")[0].split(",")[:3])
    return found


def hide_taskbar_tip(bench: Bench):
    """The taskbar's tip of the icon, once shown, may stay over the menu's last entry after the
    pointer has left (it is the shell's, not ours): wait for it to go, else put it away."""
    def tips():
        return [w for w in bench.windows(cls="tooltips_class32", visible=True)
                if w.exe.lower() == "explorer.exe"]
    try:
        wait_for(lambda: not tips(), 3, "the taskbar's tip to go")
    except Failure:
        for tip in tips():
            bench.probe("show", tip.hwnd, 0)


@desktop_dpi(144)
def icon_menu_144(bench: Bench):
    """At 150 % the icon is in the taskbar and the menu's pictures are drawn at 24 pixels over the
    menu's own background (no black where they are see-through), and no caption reaches the
    menu's right edge."""
    bench.start_program()
    x, y = icon_centre(bench)
    shot(bench, "taskbar-icon.png")
    bench.xdotool("mousemove", x, y, "mousedown", 3, "sleep", 0.1, "mouseup", 3)
    rect = menu_rect(bench, program_menu(bench))
    bench.xdotool("mousemove", rect[0] - 40, rect[1] + 10)  # left of the menu: nothing highlighted
    hide_taskbar_tip(bench)
    seen = pixels(shot(bench, "tray-menu.png"), rect)
    close_menus(bench)

    knobs = [p for p, c in seen.items() if c == CONFIGURE_KNOB]
    expect(knobs, "no picture on the Configure entry")
    xs, ys = [p[0] for p in knobs], [p[1] for p in knobs]
    # The knobs span 11 of the picture's 16 units across and 15 down: 16 and 22 pixels at 24.
    size = (max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)
    expect(size[0] >= 15 and size[1] >= 21, f"the Configure picture's knobs span {size}: not 24 px")
    black = [p for p, c in seen.items() if c == (0, 0, 0)
             and min(xs) - 4 <= p[0] <= max(xs) + 4 and min(ys) - 2 <= p[1] <= max(ys) + 2]
    expect(not black, f"black pixels around the Configure picture: {black[:5]}")
    # The picture keeps its distance from the caption: the first text pixel (dark and grey; the
    # picture's ink is bluish) right of the knobs, on the entry's rows. The knobs end 3 pixels
    # inside the picture and the letter has a pixel or two of its own: 5 when they touch.
    caption = [p[0] for p, c in seen.items() if sum(c) < 300 and c[0] == c[1] == c[2]
               and p[0] > max(xs) and min(ys) <= p[1] <= max(ys)]
    expect(caption and min(caption) - max(xs) > 8,
           f"the caption starts {min(caption, default=0) - max(xs)} px after the picture")
    # Text is dark; the menu's frame is 3 pixels wide: a caption that was cut runs into it.
    right = rect[2] - rect[0]
    last = max(p[0] for p, c in seen.items() if p[0] < right - 3 and sum(c) < 300)
    expect(last < right - 3 - 6, f"a caption reaches x {last} of the menu's {right}")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"03": ("Keystroke", "000041A")})})
def scroll_lock(bench: Bench):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    icon_centre(bench)
    bench.probe("key", VK_SCROLL)
    # The tray reads Scroll Lock every 1.3 s.
    icon_centre(bench, SUSPENDED_EDGE, timeout=3)
    shot(bench, "taskbar-icon-suspended.png")
    bench.draw(UP_RIGHT, right_button=True)
    bench.xdotool("sleep", 1.5)
    # The release went to Notepad as a plain right click: a click in its text, away from the
    # menu, closes it (keys would need the desktop's X focus, and with it Wine would take
    # Scroll Lock's state from the X server).
    bench.xdotool("mousemove", 200, 650, "click", 1)
    wait_for(lambda: not menus(bench), 5, "Notepad's context menu to close")
    expect(bench.notepad_text(notepad) == "", "a gesture typed while Scroll Lock was on")
    expect(not messages(bench, prog, SENDING), "the monitor sent a gesture while suspended")

    bench.probe("key", VK_SCROLL)
    icon_centre(bench, NORMAL_EDGE, timeout=3)
    bench.draw(UP_RIGHT, right_button=True)
    wait_for(lambda: bench.notepad_text(notepad) == "a", 8,
             "the gesture's key once Scroll Lock is off")


def taskbar_created(bench: Bench):
    prog = bench.start_program()
    icon_centre(bench)
    tray = tray_window(bench, prog)
    bench.probe("trayremove", tray.hwnd)
    wait_for(lambda: icon_box(bench, NORMAL_EDGE) is None, 5, "the icon to leave the taskbar")
    bench.probe("post", tray.hwnd, "TaskbarCreated")
    icon_centre(bench, timeout=5)


# UTF-16 LE with its mark: an entry and a line without "=".
DISABLED = "\ufeffnotepad.exe=1\r\nkept as it is\r\n".encode("utf-16-le")


@fixtures({**QUIET_SETTINGS, "disabled.ini": DISABLED})
def exit_lists(bench: Bench):
    prog = bench.start_program()
    x, y = icon_centre(bench)
    bench.xdotool("mousemove", x, y, "mousedown", 3, "sleep", 0.1, "mouseup", 3)
    left, _, right, bottom = menu_rect(bench, program_menu(bench))
    # "Exit Farrowglimmer" is the last row; the menu takes a click after the pointer moved on it.
    mid = (left + right) // 2
    bench.xdotool("mousemove", mid, bottom - 10, "sleep", 0.3, "mousemove", mid + 4, bottom - 10,
                  "sleep", 0.3, "click", 1)
    wait_for(lambda: not prog.running(), 10, "the program to end after its exit entry")
    expect(prog.popen.returncode == 0, f"the program ended with {prog.popen.returncode}")
    expect(icon_box(bench, NORMAL_EDGE) is None, "the icon stayed in the taskbar")
    disabled = (bench.data / "disabled.ini").read_bytes()
    expect(disabled == DISABLED, f"disabled.ini changed: {disabled!r}")
    noright = bench.data / "noright.ini"
    expect(noright.is_file() and noright.read_bytes() == b"", "noright.ini is not there, empty")


if __name__ == "__main__":
    run_cases({"icon_menu": icon_menu, "icon_menu_144": icon_menu_144, "scroll_lock": scroll_lock,
               "taskbar_created": taskbar_created, "exit_lists": exit_lists})
