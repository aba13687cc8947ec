#!/usr/bin/env python3
"""Keys: the tray menu answers the arrow keys and Enter, Shift and a right click on the tray icon
open the debug window, and the configuration window closes on Escape (keeping what was changed)
and reaches its "Show Welcome window again" link with Tab.

The tray menu's keys are pressed on the X server's keyboard with xdotool, as a user's keyboard
reaches Wine: keys sent inside the desktop (the probe's `key`) go to the window in front whether
it is shown or not, so they would not show that a hidden window in front gets none. The
configuration window's keys are pressed inside the desktop, where they go to the window in front."""

from harness import DEBUG_TITLE, Bench, expect, run_cases, wait_for
from test_config import TB_XPIXEL, TITLE as CONFIG_TITLE, TRACKBAR, open_config, settings
from test_tray import icon_centre, program_menu

VK_TAB, VK_RETURN, VK_ESCAPE = 0x09, 0x0D, 0x1B
LINK = "Show Welcome window again"
WELCOME = "Farrowglimmer - Welcome"
MISC_PAGE = 4


def in_front(bench: Bench, win, what):
    wait_for(lambda: (f := bench.foreground()) is not None and f.hwnd == win.hwnd, 5,
             f"{what} in front")


def tray_menu_keys(bench: Bench):
    """A right click on the icon opens the menu; Down and Enter pick its first entry, which opens
    the configuration window."""
    prog = bench.start_program()
    x, y = icon_centre(bench)
    bench.xdotool("mousemove", x, y, "mousedown", 3, "sleep", 0.1, "mouseup", 3)
    program_menu(bench)
    bench.xdotool("key", "--delay", 200, "Down", "Return")
    config = bench.find(timeout=10, title=CONFIG_TITLE, pid=prog.winpid, visible=True)
    in_front(bench, config, "the configuration window")
    expect(not bench.windows(cls="#32768", visible=True), "the menu stayed open")


def tray_debug(bench: Bench):
    """Shift held, a right click on the icon opens the debug window in place of the menu."""
    prog = bench.start_program()
    x, y = icon_centre(bench)
    bench.xdotool("mousemove", x, y, "keydown", "shift", "sleep", 0.2, "mousedown", 3, "sleep",
                  0.1, "mouseup", 3, "sleep", 0.2, "keyup", "shift")
    debug = bench.find(timeout=10, title=DEBUG_TITLE, pid=prog.winpid, visible=True)
    in_front(bench, debug, "the debug window")
    expect(not bench.windows(cls="#32768", visible=True), "the menu opened as well")


def config_keys(bench: Bench):
    """Escape closes the configuration window as its close button does: the change made is saved
    and the window hides. Opened again, on the Misc page Tab reaches the link, and Enter on it
    opens the welcome window."""
    prog = bench.start_program()
    win = open_config(bench, prog)
    bar = next(c for c in bench.children(win, cls=TRACKBAR) if c.ctrl_id == TB_XPIXEL)
    expect(bench.probe("trackbar", bar.hwnd, 150).returncode == 0, "cannot move tbXPixel")
    in_front(bench, win, "the configuration window")
    expect(settings(bench).get("tbXPixel") == "30", "the file changed before the window closed")
    bench.probe("key", VK_ESCAPE)
    wait_for(lambda: not bench.windows(title=CONFIG_TITLE, pid=prog.winpid, visible=True), 5,
             "Escape to hide the configuration window")
    wait_for(lambda: settings(bench).get("tbXPixel") == "150", 5, "tbXPixel=150 in the file")

    win = open_config(bench, prog)
    tree = bench.child(win, cls="SysTreeView32")
    expect(bench.probe("treeselect", tree.hwnd, MISC_PAGE).returncode == 0, "no Misc page")
    in_front(bench, win, "the configuration window")
    seen = []
    for _ in range(6):
        bench.probe("key", VK_TAB)
        r = bench.probe("focus")
        seen.append(r.stdout.split("\t")[2] if r.returncode == 0 else None)
        if seen[-1] == LINK:
            break
    expect(seen[-1] == LINK, f"Tab never reached the link; the focus went to {seen}")
    bench.probe("key", VK_RETURN)
    bench.find(timeout=10, title=WELCOME, pid=prog.winpid, visible=True)


if __name__ == "__main__":
    run_cases({"tray_menu_keys": tray_menu_keys, "tray_debug": tray_debug,
               "config_keys": config_keys})
