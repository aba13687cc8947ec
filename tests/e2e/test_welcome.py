#!/usr/bin/env python3
"""The welcome and About windows: a first start shows the welcome window once and marks it shown,
its example link creates the global "[TOP]+DOWN" gesture, which, drawn, opens the configuration
through a second start with CONFIG; the tray's About shows the exe's version and build, Escape
hides it, and the tray's tip carries the same version. With FG_SHOTS set, every welcome page and
the About window are saved as pictures."""

import os
import struct
import subprocess

from gestures import PRESS, TOP_DOWN, close_menus, read_profile, wait_log
from harness import INSTANCE_CLASS, WELCOME_TITLE, Bench, desktop_dpi, expect, fixtures, run_cases, wait_for
from test_tray import icon_centre, program_menu

WELCOME = WELCOME_TITLE
CONFIG = "Farrowglimmer - Configuration"
ABOUT = "About "
SETTINGS = "defaults.ini"
EXAMPLE_LINK = "Create [TOP]+DOWN gesture"
HOW_TO = "To execute this gesture:"
FIRST_PAGE_TEXT = "Farrowglimmer does not have a main window."
LINK_BLUE = (0, 0, 255)
VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_RIGHT, VK_UP = 0x09, 0x0D, 0x1B, 0x20, 0x27, 0x26
EDIT_GESTURES = "Farrowglimmer - Edit Gestures"


def welcome_shown_value(bench: Bench) -> str | None:
    path = bench.data / SETTINGS
    lines = read_profile(path) if path.exists() else []
    return next((ln.split("=", 1)[1] for ln in lines if ln.startswith("WelcomeShown=")), None)


def client_size(bench: Bench, win) -> tuple[int, int]:
    row = next(ln for ln in bench.probe("info", win.hwnd).stdout.splitlines()
               if ln.startswith("client\t"))
    w, h = row.split("\t")[1:]
    return int(w), int(h)


def rect(bench: Bench, win) -> tuple[int, int, int, int]:
    row = next(ln for ln in bench.probe("info", win.hwnd).stdout.splitlines()
               if ln.startswith("rect\t"))
    return tuple(map(int, row.split("\t")[1:]))


def blue_pixels(bench: Bench, box) -> int:
    left, top, right, bottom = box
    shot = bench.run_dir / "box.png"
    bench.screenshot(shot)
    out = subprocess.run(["convert", str(shot), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                          "-depth", "8", "txt:-"], capture_output=True, text=True, timeout=30,
                         check=True).stdout
    return out.count("#%02X%02X%02X" % LINK_BLUE)


def exe_version(bench: Bench) -> tuple[int, int, int, int]:
    """The file version of the exe's version resource, read from its fixed part."""
    data = (bench.data / "Farrowglimmer.exe").read_bytes()
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    expect(at >= 0, "the exe has no version resource")
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF


def welcome_window(bench: Bench, prog):
    return bench.find(title=WELCOME, pid=prog.winpid, visible=True)


def select_page(bench: Bench, win, index: int):
    tabs = bench.child(win, cls="SysTabControl32")
    expect(bench.probe("tabselect", tabs.hwnd, index).returncode == 0, f"cannot select tab {index}")
    bench.probe("sync", win.hwnd)


def open_about(bench: Bench, prog):
    """The tray menu's "About": the entry above the last, reached with the arrow keys."""
    x, y = icon_centre(bench)
    bench.xdotool("mousemove", x, y, "mousedown", 3, "sleep", 0.1, "mouseup", 3)
    program_menu(bench)
    for key in (VK_UP, VK_UP, VK_RETURN):
        bench.probe("key", key)
    return bench.find(title=ABOUT, pid=prog.winpid, visible=True)


def save_shot(bench: Bench, name: str):
    shots = os.environ.get("FG_SHOTS")
    if shots:
        os.makedirs(shots, exist_ok=True)
        bench.screenshot(os.path.join(shots, f"{bench.dpi}dpi-{name}.png"))


@fixtures({})
def first_start(bench: Bench):
    """No settings file: the welcome window opens on its first page and WelcomeShown=1 is
    written; the next start with that file shows none."""
    prog = bench.start_program()
    win = welcome_window(bench, prog)
    expect(client_size(bench, win) == (840, 373), f"client area {client_size(bench, win)}")
    first = next((c for c in bench.children(win, cls="Static")
                  if c.text.startswith(FIRST_PAGE_TEXT)), None)
    expect(first is not None and first.visible, "the first page's text does not show")
    wait_for(lambda: welcome_shown_value(bench) == "1", 10, "WelcomeShown=1 in the settings")
    shown = [w.text for w in bench.windows(pid=prog.winpid, visible=True)]
    expect(shown == [WELCOME], f"the first start shows {shown}")

    # The next start with that file; a start beside a running copy would only hand over to it.
    bench.probe("close", bench.windows(cls=INSTANCE_CLASS, pid=prog.winpid)[0].hwnd)
    wait_for(lambda: not prog.running(), 15, "the first copy to end")
    second = bench.start_program()
    bench.find(title=WELCOME, pid=second.winpid)  # made, hidden
    bench.probe("sync", bench.find(title=WELCOME, pid=second.winpid).hwnd)
    shown = [w.text for w in bench.windows(pid=second.winpid, visible=True)]
    expect(shown == [], f"the second start shows {shown}")


@fixtures({})
def example_gesture(bench: Bench):
    """The example link greys itself, shows the how-to and writes the gesture; drawn from the top
    edge, the gesture opens the configuration window of the running copy."""
    prog = bench.start_program()
    win = welcome_window(bench, prog)
    select_page(bench, win, 2)
    link = bench.child(win, cls="Button", text=EXAMPLE_LINK)
    how_to = next(c for c in bench.children(win, cls="Static") if c.text.startswith(HOW_TO))
    expect(link.visible and not how_to.visible, "page 3 shows the how-to before the click")
    box = rect(bench, link)
    expect(blue_pixels(bench, box) > 0, "the link is not drawn as a link")

    left, top, right, bottom = box
    bench.xdotool("mousemove", left + 20, (top + bottom) // 2, "click", 1)
    wait_for(lambda: any(c.visible for c in bench.children(win, cls="Static")
                         if c.text.startswith(HOW_TO)), 5, "the how-to")
    expect(blue_pixels(bench, box) == 0, "the link is still blue after the click")
    gestures = bench.data / "Gestures.ini"
    wait_for(gestures.exists, 5, "Gestures.ini")
    expect(read_profile(gestures)[:3] == ["[A1]", "ActionType=Run Program / File",
                                          "Action=Farrowglimmer.exe|CONFIG"],
           f"Gestures.ini holds {read_profile(gestures)}")
    save_shot(bench, "welcome-2b-example-clicked")

    bench.probe("close", win.hwnd)
    wait_for(lambda: not bench.windows(title=WELCOME, pid=prog.winpid, visible=True), 5,
             "the welcome window to hide")
    expect(not bench.windows(title=CONFIG, pid=prog.winpid, visible=True),
           "the configuration shows before the gesture")
    bench.mouse_move(*TOP_DOWN[0])
    bench.right_down()
    wait_log(bench, prog, PRESS, 1)
    bench.draw(TOP_DOWN)
    bench.right_up()
    bench.find(timeout=20, title=CONFIG, pid=prog.winpid, visible=True)
    wait_for(lambda: bench.program_pids() == {prog.winpid}, 20, "the CONFIG start to end")
    close_menus(bench)


@fixtures({})
def keys(bench: Bench):
    """Without the mouse: the arrow keys turn the pages, Tab reaches the link, Space opens Edit
    Gestures in front, Escape hides each window."""
    prog = bench.start_program()
    win = welcome_window(bench, prog)
    wait_for(lambda: (bench.foreground() or win).hwnd == win.hwnd, 5, "the welcome window in front")
    # The last page's link, reached by Tab and pressed with Space, brings Edit Gestures in front.
    for key in (VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_TAB, VK_SPACE):
        bench.probe("key", key)
    edit = bench.find(timeout=10, title=EDIT_GESTURES, pid=prog.winpid, visible=True)
    wait_for(lambda: (bench.foreground() or win).hwnd == edit.hwnd, 5, "Edit Gestures in front")
    bench.probe("key", VK_ESCAPE)
    wait_for(lambda: not bench.windows(title=EDIT_GESTURES, pid=prog.winpid, visible=True), 5,
             "Escape to hide the Edit Gestures window")
    # Hidden, it hands the foreground back to the welcome window, where Escape hides that too.
    wait_for(lambda: (bench.foreground() or edit).hwnd == win.hwnd, 5, "the welcome window in front")
    bench.probe("key", VK_ESCAPE)
    wait_for(lambda: not bench.windows(title=WELCOME, pid=prog.winpid, visible=True), 5,
             "Escape to hide the welcome window")


def about(bench: Bench):
    """The tray's About shows the exe's version and build; Escape hides it; the tip matches."""
    prog = bench.start_program()
    major, minor, release, build = exe_version(bench)
    version = f"{major}.{minor}"
    win = open_about(bench, prog)
    expect(client_size(bench, win) == (308, 170), f"client area {client_size(bench, win)}")
    texts = [c.text for c in bench.children(win, cls="Static")]
    expect(version in texts and f" build {release}-{build}" in texts,
           f"About shows {texts}, the exe is {major}.{minor}.{release}.{build}")
    expect(version == "1.0", f"the exe's version is {version}")
    wait_for(lambda: (bench.foreground() or win).hwnd == win.hwnd, 5, "About in front")
    bench.probe("key", VK_ESCAPE)
    wait_for(lambda: not bench.windows(title=ABOUT, pid=prog.winpid, visible=True), 5,
             "Escape to hide About")

    x, y = icon_centre(bench)
    bench.xdotool("mousemove", x - 3, y - 2, "sleep", 0.2, "mousemove", x, y)
    tip = "Farrowglimmer v" + version
    wait_for(lambda: any(bench.text(w) == tip
                         for w in bench.windows(cls="tooltips_class32", visible=True)), 8,
             f"the tip {tip!r}")


def visit(bench: Bench):
    prog = bench.start_program()
    win = welcome_window(bench, prog)
    scale = bench.dpi / 96
    size = client_size(bench, win)
    expect(size == (round(840 * scale), round(373 * scale)), f"welcome client area {size}")
    bench.mouse_move(5, 1075)
    for i in range(4):
        select_page(bench, win, i)
        save_shot(bench, f"welcome-{i}")
    bench.probe("close", win.hwnd)
    about_win = open_about(bench, prog)
    size = client_size(bench, about_win)
    expect(size == (round(308 * scale), round(170 * scale)), f"About client area {size}")
    bench.mouse_move(5, 1075)
    bench.probe("sync", about_win.hwnd)
    save_shot(bench, "about")


@fixtures({})
def pages(bench: Bench):
    visit(bench)


@desktop_dpi(144)
@fixtures({})
def pages_144(bench: Bench):
    visit(bench)


if __name__ == "__main__":
    run_cases({"first_start": first_start, "example_gesture": example_gesture, "keys": keys,
               "about": about,
               "pages": pages, "pages_144": pages_144})
