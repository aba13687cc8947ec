#!/usr/bin/env python3
"""The Edit Gestures window: the tray's left double click opens it on the global rows, the
Per-Program tab lists Notepad with its icon, Delete asks and then removes the row and the file's
section, "EDIT_GESTURES" opens it on the foreground program, the close button hides it and saves,
and the end of the session saves the file shown and ends the program.

Rows and tabs are read and found through the probe (`lvrows`, `itemrect`) and clicked for real
with xdotool, so the list's own click handling runs."""

import os

from gestures import gesture_file, read_profile
from harness import QUIET_SETTINGS, Bench, desktop_dpi, expect, fixtures, run_cases, wait_for

TITLE = "Farrowglimmer - Edit Gestures"
TRAY_TITLE = "Farrowglimmer - System Tray"
WM_TRAYICON, WM_LBUTTONDBLCLK = 0x401, 0x203
WM_ENDSESSION = 0x16
VK_DELETE = 0x2E
NOTEPAD_FILE = "Gestures_notepad.exe.ini"
FILES = {
    **QUIET_SETTINGS,
    "Gestures.ini": gesture_file({"A1": ("Run Program / File", "Farrowglimmer.exe|CONFIG")}),
    NOTEPAD_FILE: gesture_file({"03": ("Keystroke", "010057CTRL+W"),
                                "1": ("Keystroke", "000074F5")}),
}


def rows(bench: Bench, lv, columns=3) -> list[list[str]]:
    """Each row's column texts, its image index and whether it is selected."""
    return [ln.split("\t")[1:] for ln in bench.probe("lvrows", lv.hwnd, columns).stdout.splitlines()]


def click_item(bench: Bench, control, index: int, button=1):
    left, top, right, bottom = map(int, bench.probe("itemrect", control.hwnd, index).stdout.split())
    bench.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", button)


def lists(bench: Bench, win):
    """The program list and the gesture list (in their creation order)."""
    found = bench.children(win, cls="SysListView32")
    expect(len(found) == 2, f"list views: {found}")
    return found[0], found[1]


def open_from_tray(bench: Bench, prog):
    tray = bench.find(title=TRAY_TITLE, pid=prog.winpid)
    bench.probe("post", tray.hwnd, WM_TRAYICON, 0, WM_LBUTTONDBLCLK)
    return bench.find(title=TITLE, pid=prog.winpid, visible=True)


def per_program(bench: Bench, win, programs):
    click_item(bench, bench.child(win, cls="SysTabControl32"), 1)
    return wait_for(lambda: (lambda r: r if any(x[0] == "notepad.exe" for x in r) else None)(
        rows(bench, programs, 1)), 10, "notepad.exe in the program list")


def shot(bench: Bench, name: str):
    shots = os.environ.get("FG_SHOTS")
    if shots:
        os.makedirs(shots, exist_ok=True)
        bench.screenshot(os.path.join(shots, f"editgestures-{bench.dpi}-{name}.png"))


def crop_hash(bench: Bench, control) -> str:
    import hashlib
    import subprocess
    left, top, right, bottom = map(int, next(
        ln.split("\t")[1:] for ln in bench.probe("info", control.hwnd).stdout.splitlines()
        if ln.startswith("rect\t")))
    path = bench.run_dir / "preview.png"
    bench.screenshot(path)
    out = subprocess.run(["convert", str(path), "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                          "-depth", "8", "rgb:-"], capture_output=True, timeout=30, check=True).stdout
    return hashlib.sha1(out).hexdigest()


@fixtures(FILES)
def tray_and_delete(bench: Bench):
    """The tray opens the global rows; a click draws the preview; the Per-Program tab lists
    notepad.exe with the has-gestures icon; Delete asks, and Yes removes the row and the section."""
    bench.start_notepad()
    prog = bench.start_program()
    win = open_from_tray(bench, prog)
    programs, gestures = lists(bench, win)
    got = rows(bench, gestures)
    expect([r[:3] for r in got] == [["[TOP]+DOWN", "Run Program / File", "Farrowglimmer.exe | CONFIG"]],
           f"global rows: {got}")
    preview = next(c for c in bench.children(win, cls="Static") if not bench.text(c))
    before = crop_hash(bench, preview)
    click_item(bench, gestures, 0)
    wait_for(lambda: crop_hash(bench, preview) != before, 8, "the preview to draw")
    shot(bench, "global")

    listed = per_program(bench, win, programs)
    notepad = next(i for i, r in enumerate(listed) if r[0] == "notepad.exe")
    expect(listed[notepad][1] == "0", f"notepad.exe has no icon: {listed[notepad]}")
    click_item(bench, programs, notepad)
    wait_for(lambda: [r[0] for r in rows(bench, gestures)] == ["UP+RIGHT", "DOWN"], 8,
             "notepad's rows")
    box = bench.child(win, cls="Button", text="Disable all gestures (including Global) for [notepad.exe]")
    expect(box.visible, "the disable box is hidden")
    shot(bench, "per-program")

    click_item(bench, gestures, 0)
    bench.probe("key", VK_DELETE)
    question = bench.message_box(prog.winpid, "Delete the gesture UP+RIGHT?")
    bench.click(bench.child(question, cls="Button", text="&Yes"))
    wait_for(lambda: [r[0] for r in rows(bench, gestures)] == ["DOWN"], 8, "the row to go")
    lines = read_profile(bench.data / NOTEPAD_FILE)
    expect("[03]" not in lines and "[1]" in lines, f"the file after the delete: {lines}")


@fixtures(FILES)
def command_close_and_end(bench: Bench):
    """"EDIT_GESTURES" with Notepad in front selects notepad.exe; the close button hides and
    writes the box; the end of the session writes it again and ends the program with 0."""
    _, notepad = bench.start_notepad()
    prog = bench.start_program()
    bench.probe("show", notepad.hwnd, 5)
    bench.run_messenger("EDIT_GESTURES")
    win = bench.find(title=TITLE, pid=prog.winpid, visible=True)
    programs, gestures = lists(bench, win)
    wait_for(lambda: any(r[0] == "notepad.exe" and r[-1] == "1" for r in rows(bench, programs, 1)),
             10, "notepad.exe selected")
    wait_for(lambda: [r[0] for r in rows(bench, gestures)] == ["UP+RIGHT", "DOWN"], 8,
             "notepad's rows")

    box = bench.child(win, cls="Button", text="Disable all gestures (including Global) for [notepad.exe]")
    bench.probe("bmclick", box.hwnd)
    bench.probe("close", win.hwnd)
    wait_for(lambda: not bench.windows(title=TITLE, pid=prog.winpid, visible=True), 8,
             "the window to hide")
    expect("cbDisableAll=1" in read_profile(bench.data / NOTEPAD_FILE), "the close did not save")

    bench.run_messenger("EDIT_GESTURES")
    win = bench.find(title=TITLE, pid=prog.winpid, visible=True)
    bench.probe("bmclick", box.hwnd)
    bench.probe("post", win.hwnd, WM_ENDSESSION, 1)
    wait_for(lambda: not prog.running(), 15, "the program to end")
    expect(prog.popen.returncode == 0, f"the program ended with {prog.popen.returncode}")
    expect("cbDisableAll=0" in read_profile(bench.data / NOTEPAD_FILE), "the end did not save")


def screens(bench: Bench):
    """Both tabs on screen (FG_SHOTS names the folder)."""
    bench.start_notepad()
    prog = bench.start_program()
    win = open_from_tray(bench, prog)
    programs, gestures = lists(bench, win)
    shot(bench, "global")
    listed = per_program(bench, win, programs)
    click_item(bench, programs, next(i for i, r in enumerate(listed) if r[0] == "notepad.exe"))
    wait_for(lambda: len(rows(bench, gestures)) == 2, 8, "notepad's rows")
    click_item(bench, gestures, 0)
    bench.probe("sync", win.hwnd)
    shot(bench, "per-program")


@fixtures(FILES)
def screens_96(bench: Bench):
    screens(bench)


@desktop_dpi(144)
@fixtures(FILES)
def screens_144(bench: Bench):
    screens(bench)


if __name__ == "__main__":
    run_cases({c.__name__: c for c in
               [tray_and_delete, command_close_and_end, screens_96, screens_144]})
