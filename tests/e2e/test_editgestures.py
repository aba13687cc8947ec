#!/usr/bin/env python3
"""The Edit Gestures window: the tray's left double click opens it on the global rows, the
Per-Program tab lists Notepad with its icon, Delete asks and then removes the row and the file's
section, "EDIT_GESTURES" opens it on the foreground program, the close button hides it and saves,
and the end of the session saves the file shown and ends the program.

Rows and tabs are read and found through the probe (`lvrows`, `itemrect`) and clicked for real
with xdotool, so the list's own click handling runs."""

import os
import re
import subprocess

from gestures import DOWN_RIGHT, UP_RIGHT, close_menus, gesture_file, read_profile
from harness import (QUIET_SETTINGS, Bench, Skip, desktop_dpi, expect, fixtures, run_cases,
                     wait_for)
from test_config import make_read_only, unable_to_write_box

TITLE = "Farrowglimmer - Edit Gestures"
TRAY_TITLE = "Farrowglimmer - System Tray"
DEBUG_TITLE = "Debug Window"
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


def center(bench: Bench, control) -> tuple[int, int]:
    # A control being laid out may not answer with its rectangle at once (seen once in many runs
    # for a wizard page's button): ask again until it does.
    def rect():
        return next((ln.split("\t")[1:] for ln in bench.probe("info", control.hwnd).stdout.splitlines()
                     if ln.startswith("rect\t")), None)

    left, top, right, bottom = map(int, wait_for(rect, 5, f"the rectangle of {control.cls!r}",
                                                 interval=0.1))
    return (left + right) // 2, (top + bottom) // 2


def click_item(bench: Bench, control, index: int, button=1):
    # The control may be between two fillings of its rows when asked (seen once in many runs):
    # ask again until it answers.
    left, top, right, bottom = map(int, wait_for(
        lambda: bench.probe("itemrect", control.hwnd, index).stdout.split() or None, 5,
        f"the rectangle of item {index} of {control.cls!r}", interval=0.1))
    bench.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", button)


def select_item(bench: Bench, lv, index: int, columns=3):
    """Clicks a row and waits until the list shows it selected: a key pressed through the probe
    would otherwise overtake the click, which still travels through the X server."""
    click_item(bench, lv, index)
    wait_for(lambda: (lambda r: len(r) > index and r[index][-1] == "1")(rows(bench, lv, columns)),
             5, f"row {index} selected")


def lists(bench: Bench, win):
    """The program list and the gesture list (in their creation order)."""
    found = bench.children(win, cls="SysListView32")
    expect(len(found) == 2, f"list views: {found}")
    return found[0], found[1]


def open_from_tray(bench: Bench, prog, timeout=10):
    tray = bench.find(title=TRAY_TITLE, pid=prog.winpid)
    bench.probe("post", tray.hwnd, WM_TRAYICON, 0, WM_LBUTTONDBLCLK)
    return bench.find(timeout, title=TITLE, pid=prog.winpid, visible=True)


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

    select_item(bench, gestures, 0)
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


def toggle_disable_all(bench: Bench, prog, checked: str):
    """Opens the window on Notepad, clicks the disable box and closes the window, which saves."""
    bench.run_messenger("EDIT_GESTURES")
    win = bench.find(title=TITLE, pid=prog.winpid, visible=True)
    programs, _ = lists(bench, win)
    wait_for(lambda: any(r[0] == "notepad.exe" and r[-1] == "1" for r in rows(bench, programs, 1)),
             10, "notepad.exe selected")
    box = bench.child(win, cls="Button", text="Disable all gestures (including Global) for [notepad.exe]")
    bench.xdotool("mousemove", *center(bench, box), "click", 1)
    wait_for(lambda: bench.probe("state", box.hwnd).stdout.strip() == checked, 5, "the box clicked")
    bench.probe("close", win.hwnd)
    wait_for(lambda: f"cbDisableAll={checked}" in read_profile(bench.data / NOTEPAD_FILE), 8,
             "the flag in the file")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"13": ("Keystroke", "000042B")}),
           NOTEPAD_FILE: gesture_file({"03": ("Keystroke", "000041A")})})
def disable_then_draw(bench: Bench):
    """The disable box, checked for notepad.exe and saved by the close, silences Notepad's
    gestures and the global ones; unchecked, they run again."""
    _, notepad = bench.start_notepad()
    prog = bench.start_program()
    toggle_disable_all(bench, prog, "1")
    bench.draw(UP_RIGHT, right_button=True)
    bench.draw(DOWN_RIGHT, right_button=True)
    close_menus(bench)
    toggle_disable_all(bench, prog, "0")
    bench.draw(UP_RIGHT, right_button=True)
    # Exactly one "a": the gestures drawn while disabled typed nothing, not even late.
    wait_for(lambda: bench.notepad_text(notepad) == "a", 8,
             f"Notepad's text to be 'a' (it is {bench.notepad_text(notepad)!r})")
    close_menus(bench)


@fixtures(FILES)
def shift_click_debug(bench: Bench):
    """Shift and a click on the window's background show the debug window."""
    prog = bench.start_program()
    win = open_from_tray(bench, prog)
    configure = bench.child(win, cls="Button", text="Configure...")
    x, y = center(bench, configure)
    bench.xdotool("mousemove", x, y - 150)
    bench.xdotool("keydown", "shift", "click", 1, "keyup", "shift")
    debug = bench.find(timeout=10, title=DEBUG_TITLE, pid=prog.winpid, visible=True)
    expect(debug.visible, "the debug window is hidden")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({
    "A1": ("Run Program / File", "Farrowglimmer.exe|CONFIG"),
    "1": ("Keystroke", "01ZZ41A"),
    "2": ("Run Program / File", r"C:\Gone\x.exe|-q"),
}), NOTEPAD_FILE: FILES[NOTEPAD_FILE]})
def bad_files(bench: Bench):
    """A malformed keystroke and a missing program are marked and kept; a binding added by hand
    while the window is open survives the window's next edit; a file that became read-only says
    so when an edit cannot be saved, the window goes on, and the file loses nothing."""
    bench.start_notepad()
    prog = bench.start_program()
    win = open_from_tray(bench, prog)
    programs, gestures = lists(bench, win)
    got = [r[:3] for r in rows(bench, gestures)]  # the probe writes a backslash as two
    expect(got[1:] == [["DOWN", "Keystroke", "(invalid keystroke) 01ZZ41A"],
                       ["LEFT", "Run Program / File", r"(not found) C:\\Gone\\x.exe | -q"]],
           f"rows {got}")

    path = bench.data / "Gestures.ini"
    with open(path, "ab") as f:
        f.write(b"[3]\r\nActionType=Keystroke\r\nAction=000043C\r\n")
    select_item(bench, gestures, 0)
    bench.probe("key", VK_DELETE)
    bench.click(bench.child(bench.message_box(prog.winpid, "Delete the gesture [TOP]+DOWN?"),
                            cls="Button", text="&Yes"))
    wait_for(lambda: [r[0] for r in rows(bench, gestures)] == ["DOWN", "LEFT", "RIGHT"], 8,
             f"the hand edit listed and the row gone (rows {rows(bench, gestures)})")
    lines = read_profile(path)
    expect("[A1]" not in lines and {"[1]", "Action=01ZZ41A", "[2]", r"Action=C:\Gone\x.exe|-q",
                                     "[3]", "Action=000043C"} <= set(lines),
           f"the file after the edit: {lines}")

    listed = per_program(bench, win, programs)
    click_item(bench, programs, next(i for i, r in enumerate(listed) if r[0] == "notepad.exe"))
    wait_for(lambda: len(rows(bench, gestures)) == 2, 8, "notepad's rows")
    notepad_file = bench.data / NOTEPAD_FILE
    before = notepad_file.read_bytes()
    make_read_only(notepad_file, True)
    try:
        select_item(bench, gestures, 0)
        bench.probe("key", VK_DELETE)
        bench.click(bench.child(bench.message_box(prog.winpid, "Delete the gesture UP+RIGHT?"),
                                cls="Button", text="&Yes"))
        box, text = unable_to_write_box(bench, prog)
        expect(NOTEPAD_FILE in text, f"the message {text!r}")
        bench.dismiss(box)
        # The window goes on: the other row is still there and can be selected.
        click_item(bench, gestures, 0)
        expect(notepad_file.read_bytes() == before, "the read-only file changed")
    finally:
        make_read_only(notepad_file, False)


def make_folder_read_only(path, on: bool):
    """No file can be made in the folder, even by root: the folder is made immutable."""
    flag = "+i" if on else "-i"
    try:
        subprocess.run(["chattr", flag, str(path)], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
    except FileNotFoundError:
        raise Skip("chattr is missing: no folder can be made unwritable here") from None
    if not on:
        return
    try:
        (path / "probe").touch()
    except OSError:
        return
    (path / "probe").unlink()
    make_folder_read_only(path, False)
    raise Skip("no folder can be made unwritable here")


FOLDER_BOX = "Farrowglimmer cannot save its files in its folder:"


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"03": ("Keystroke", "000041A"),
                                                           "1": ("Keystroke", "000042B")})})
def unwritable_folder(bench: Bench):
    """A data folder nothing can be made in: the start says so once, naming the folder and one
    in the user's profile; gestures work; an edit still says it could not be saved; the end of
    the session ends the program without another box; nothing in the folder changed."""
    before = sorted(p.name for p in bench.data.iterdir())
    make_folder_read_only(bench.data, True)
    try:
        prog = bench.start_program()

        def folder_box():
            for w in bench.windows(cls="#32770", pid=prog.winpid, visible=True):
                for s in bench.children(w, cls="Static"):
                    if s.text.startswith(FOLDER_BOX):
                        return w, s.text
            return None

        box, text = wait_for(folder_box, 10, "the box about the folder")
        expect(box.text == "Farrowglimmer", f"the box's caption {box.text!r}")
        folder = re.escape("Z:" + str(bench.data).replace("/", "\\"))
        expect(re.search(r"\r\n" + folder + r"\r\n", text, re.I), f"no data folder in {text!r}")
        expect(re.search(r"\r\n[A-Z]:\\users\\[^\\]+\\AppData\\Local\\Programs\\"
                         r"Farrowglimmer\r\n", text, re.I), f"no folder to go to in {text!r}")
        bench.dismiss(box)

        _, notepad = bench.start_notepad()
        bench.draw(UP_RIGHT, right_button=True)
        wait_for(lambda: bench.notepad_text(notepad) == "a", 8,
                 f"the gesture's key in Notepad (text {bench.notepad_text(notepad)!r})")
        boxes = bench.windows(cls="#32770", pid=prog.winpid, visible=True)
        expect(not boxes, f"another box after the first: {boxes}")

        win = open_from_tray(bench, prog)
        _, gestures = lists(bench, win)
        select_item(bench, gestures, 0)
        bench.probe("key", VK_DELETE)
        bench.click(bench.child(bench.message_box(prog.winpid, "Delete the gesture UP+RIGHT?"),
                                cls="Button", text="&Yes"))
        edit_box, edit_text = unable_to_write_box(bench, prog)
        expect(edit_text.endswith("\\Gestures.ini"), f"the edit's message {edit_text!r}")
        bench.dismiss(edit_box)

        bench.probe("post", win.hwnd, WM_ENDSESSION, 1)
        wait_for(lambda: not prog.running(), 15, "the program to end without a box")
        expect(prog.popen.returncode == 0, f"the program ended with {prog.popen.returncode}")
        after = sorted(p.name for p in bench.data.iterdir())
        expect(after == before, f"the folder changed: {before} -> {after}")
    finally:
        make_folder_read_only(bench.data, False)


@fixtures({**QUIET_SETTINGS, "Gestures_日本語.exe.ini": gesture_file({"03": ("Keystroke", "000041A")})})
def unicode_program(bench: Bench):
    """A program with a name in Japanese has its own gesture file, listed and edited like any
    other."""
    prog = bench.start_program()
    win = open_from_tray(bench, prog)
    programs, gestures = lists(bench, win)
    click_item(bench, bench.child(win, cls="SysTabControl32"), 1)
    listed = wait_for(lambda: (lambda r: r if any(x[0] == "日本語.exe" for x in r) else None)(
        rows(bench, programs, 1)), 10, "日本語.exe in the program list")
    row = next(i for i, r in enumerate(listed) if r[0] == "日本語.exe")
    expect(listed[row][1] == "0", f"日本語.exe has no icon: {listed[row]}")
    click_item(bench, programs, row)
    wait_for(lambda: [r[:3] for r in rows(bench, gestures)] == [["UP+RIGHT", "Keystroke", "A"]], 8,
             "the program's row")
    select_item(bench, gestures, 0)
    bench.probe("key", VK_DELETE)
    bench.click(bench.child(bench.message_box(prog.winpid, "Delete the gesture UP+RIGHT?"),
                            cls="Button", text="&Yes"))
    # Its last gesture gone, the program's file goes too.
    wait_for(lambda: not (bench.data / "Gestures_日本語.exe.ini").exists(), 8, "the file to go")


if __name__ == "__main__":
    run_cases({c.__name__: c for c in
               [tray_and_delete, command_close_and_end, screens_96, screens_144,
                disable_then_draw, shift_click_debug, bad_files, unicode_program,
                unwritable_folder]})
