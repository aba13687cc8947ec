#!/usr/bin/env python3
"""The settings file and the configuration window: a first start writes every key, "CONFIG" opens
the window and closing it writes the file and applies the values at once, a read-only or UTF-16
file does not stop the program, and "Start with Windows" adds and removes the Run value."""

import os
import re
import stat
import subprocess

from gestures import RELEASE, UP_RIGHT, close_menus, gesture_file, messages, read_profile, sent, wait_log
from harness import (QUIET_SETTINGS, Bench, Skip, desktop_dpi, expect, fixtures, run_cases,
                     run_quiet, wait_for)

TITLE = "Farrowglimmer - Configuration"
SETTINGS = "defaults.ini"
KEYS = ["timethreshold", "xThreshold", "yThreshold", "directionThreshold", "tbDeltaBias",
        "tbDistanceBias", "tbXPixel", "tbYPixel", "tbHelpPause", "cbEnableHelpPoup",
        "cbEnableDiagonals", "cbPreciseCorners", "rbFullscreen", "rbScratchpad", "cbMouseCording",
        "tbFadeTime", "cbEnabledSuggestions", "cbEnableCorrections", "ExecutePause",
        "WelcomeShown", "LogHandles", "cbHoldBackRightButton", "RightButtonHoldTime",
        "RightButtonBypassKey"]
TRACKBAR = "msctls_trackbar32"
TB_XPIXEL = 1101  # the control id of "tbXPixel"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
# One stroke of 100 pixels to the right over Notepad's text: longer than the default start box.
STROKE = [(400, 400), (500, 400)]
PAGES = ["Gesture Drawing", "Gesture Advanced", "Help Popup", "Diagonals", "Misc"]
# Captions each page shows, written out here (not read from the program's tables); no page shows
# another page's. The Gesture Drawing page shows one of two sub-pages, after its radio buttons.
PAGE_CAPTIONS = {
    "Gesture Drawing": {"Drawing Method", "Fullscreen (recommended)", "Scratchpad", "Right Button",
                        "Hold back the right button while a gesture may be drawn"},
    "Gesture Advanced": {"Horizontal", "Vertical", "Corners", "Precise corner detection",
                         "Speed required moving per gesture direction"},
    "Help Popup": {"Enable the Help Popup", "Time required to show the popup, when pausing"},
    "Diagonals": {"Enable Diagonal Movements", "Enabled Suggestions Popup",
                  "Enable Auto-Corrections"},
    "Misc": {"Scroll Lock Disable:", "Command Line Parameters:", "Start with Windows"},
}
FULLSCREEN_CAPTIONS = {"Enable Mouse Chording", "[Hold Right Click + Double Left Click]"}
SCRATCHPAD_CAPTIONS = {"Time to wait before auto-closing",
                       "NOTE: Monitor position Gestures not compatible."}


def init_section(bench: Bench) -> list[tuple[str, str]]:
    """The keys and values of section "init" of the settings file, in file order."""
    rows, inside = [], False
    for line in read_profile(bench.data / SETTINGS):
        if line.startswith("["):
            inside = line.lower() == "[init]"
        elif inside and "=" in line:
            key, value = line.split("=", 1)
            rows.append((key.strip(), value.strip()))
    return rows


def settings(bench: Bench) -> dict[str, str]:
    return dict(init_section(bench)) if (bench.data / SETTINGS).exists() else {}


def open_config(bench: Bench, prog):
    bench.run_messenger("CONFIG")
    return bench.find(title=TITLE, pid=prog.winpid, visible=True)


def close_config(bench: Bench, win):
    bench.probe("close", win.hwnd)
    wait_for(lambda: not bench.windows(title=TITLE, pid=win.pid, visible=True), 10,
             "the configuration window to hide")


def client_size(bench: Bench, win) -> tuple[int, int]:
    rows = dict(ln.split("\t", 1) for ln in bench.probe("info", win.hwnd).stdout.splitlines()
                if ln.startswith("client\t"))
    w, h = rows["client"].split("\t")
    return int(w), int(h)


@fixtures({})
def first_start(bench: Bench):
    """No settings file: the start writes all nineteen keys in the table's order, shows only the
    welcome window, and marks it shown."""
    prog = bench.start_program()
    rows = wait_for(lambda: (lambda r: r if len(r) == len(KEYS) else None)(
        init_section(bench) if (bench.data / SETTINGS).exists() else []), 10,
        "the settings file with every key")
    expect([k for k, _ in rows] == KEYS, f"keys out of order: {[k for k, _ in rows]}")
    values = dict(rows)
    expect(values["tbDeltaBias"] in ("0.8", "0,8") and values["tbXPixel"] == "30"
           and values["WelcomeShown"] == "1", f"unexpected values: {values}")
    shown = [w.text for w in bench.windows(pid=prog.winpid) if w.visible]
    expect(shown == ["Farrowglimmer - Welcome"], f"a first start shows windows: {shown}")


def x_pixel(bench: Bench):
    """Moved to 150 in the window, the horizontal start box takes effect when the window closes:
    a 100-pixel stroke that was a gesture no longer is."""
    prog = bench.start_program()
    bench.start_notepad()
    bench.draw(STROKE, right_button=True)
    wait_log(bench, prog, RELEASE, 1)
    close_menus(bench)
    expect(sent(bench, prog) == ["3"], f"the 100-pixel stroke sent {sent(bench, prog)}")

    win = open_config(bench, prog)
    expect(client_size(bench, win) == (874, 504), f"client area {client_size(bench, win)}")
    bar = next(c for c in bench.children(win, cls=TRACKBAR) if c.ctrl_id == TB_XPIXEL)
    expect(bench.probe("trackbar", bar.hwnd, 150).returncode == 0, "cannot move tbXPixel")
    expect(settings(bench).get("tbXPixel") == "30", "the file changed before the window closed")
    close_config(bench, win)
    wait_for(lambda: settings(bench).get("tbXPixel") == "150", 5, "tbXPixel=150 in the file")

    bench.draw(STROKE, right_button=True)
    wait_log(bench, prog, RELEASE, 2)
    close_menus(bench)
    expect(sent(bench, prog) == ["3"], f"after the change the stroke sent {sent(bench, prog)}")


def unable_to_write_box(bench: Bench, prog):
    def box():
        for w in bench.windows(cls="#32770", pid=prog.winpid, visible=True):
            for s in bench.children(w, cls="Static"):
                if s.text.startswith("Unable to write to "):
                    return w, s.text
        return None

    return wait_for(box, 10, "the box 'Unable to write to <path>'")


def make_read_only(path, on: bool):
    """Read-only for Wine too: root writes through missing permission bits (so does Wine run
    by root), so then the file is also made immutable."""
    def immutable(flag):
        if os.geteuid() == 0:
            subprocess.run(["chattr", flag, str(path)], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False)

    if not on:
        immutable("-i")
        os.chmod(path, stat.S_IRUSR | stat.S_IWUSR)
        return
    os.chmod(path, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    immutable("+i")
    try:
        with open(path, "ab"):
            pass
    except OSError:
        return
    make_read_only(path, False)
    raise Skip("no file can be made read-only here")


READ_ONLY_FILE = "[init]\r\nWelcomeShown=1\r\ntbHelpPause=1200\r\n[debug]\r\nkeep=1\r\n"


@fixtures({**QUIET_SETTINGS, SETTINGS: READ_ONLY_FILE,
           "Gestures.ini": gesture_file({"03": ("Keystroke", "000041A")})})
def read_only(bench: Bench):
    """A settings file the system refuses to write: the start says so with the full path, runs
    with the values it read, and leaves the file as it was."""
    path = bench.data / SETTINGS
    before = path.read_bytes()
    make_read_only(path, True)
    try:
        prog = bench.start_program()
        box, text = unable_to_write_box(bench, prog)
        expect(re.fullmatch(r"Unable to write to [A-Z]:\\.*\\data\\defaults\.ini", text),
               f"the box does not name the full path: {text!r}")
        bench.dismiss(box)
        expect(prog.running(), "the program ended after the box")
        _, notepad = bench.start_notepad()
        bench.draw(UP_RIGHT, right_button=True)
        wait_for(lambda: bench.notepad_text(notepad) == "a", 8,
                 f"the gesture's key in Notepad (text {bench.notepad_text(notepad)!r})")
        expect(path.read_bytes() == before, "the read-only file changed")
    finally:
        make_read_only(path, False)


UTF16_FILE = ("\ufeff[init]\r\nWelcomeShown=1\r\ntbXPixel=40\r\n[debug]\r\nkeep=1\r\n"
              ).encode("utf-16-le")


@fixtures({SETTINGS: UTF16_FILE})
def utf16(bench: Bench):
    """A settings file in UTF-16 is read, completed and keeps its other sections."""
    prog = bench.start_program()
    rows = wait_for(lambda: (lambda r: r if len(r) == len(KEYS) else None)(init_section(bench)),
                    10, "every key in the UTF-16 file")
    values = dict(rows)
    expect(values["tbXPixel"] == "40", f"tbXPixel read as {values['tbXPixel']}")
    expect("keep=1" in read_profile(bench.data / SETTINGS), "the [debug] section was lost")
    expect(prog.running(), "the program ended")


def reg_run_value(bench: Bench) -> str | None:
    r = run_quiet(["wine", "reg", "query", RUN_KEY, "/v", "Farrowglimmer"], bench.env, 60)
    m = re.search(r"Farrowglimmer\s+REG_SZ\s+(.*)", r.stdout)
    return m[1].strip() if r.returncode == 0 and m else None


def start_with_windows(bench: Bench):
    """Ticked and closed, the Run key holds the exe's quoted path; the box shows it when the
    window opens again; unticked and closed, the value is gone."""
    prog = bench.start_program()
    try:
        win = open_config(bench, prog)
        box = bench.child(win, cls="Button", text="Start with Windows")
        expect(bench.probe("state", box.hwnd).stdout.strip() == "0", "ticked before any change")
        bench.probe("bmclick", box.hwnd)
        wait_for(lambda: bench.probe("state", box.hwnd).stdout.strip() == "1", 5, "the tick")
        close_config(bench, win)
        value = wait_for(lambda: reg_run_value(bench), 10, "the Run value")
        expect(re.fullmatch(r'"[A-Z]:\\.*\\data\\Farrowglimmer\.exe"', value),
               f"the Run value is not the quoted exe path: {value!r}")

        win = open_config(bench, prog)
        expect(bench.probe("state", box.hwnd).stdout.strip() == "1", "the box forgot the value")
        bench.probe("bmclick", box.hwnd)
        wait_for(lambda: bench.probe("state", box.hwnd).stdout.strip() == "0", 5, "the untick")
        close_config(bench, win)
        wait_for(lambda: reg_run_value(bench) is None, 10, "the Run value to go")
        expect("StartWithWindows" not in settings(bench), "a settings key for the Run value")
    finally:
        # A value left behind would start a copy with every later session of the prefix.
        run_quiet(["wine", "reg", "delete", RUN_KEY, "/v", "Farrowglimmer", "/f"], bench.env, 60)


def visit_pages(bench: Bench, tag: str):
    """Opens the window on every page in turn through its tree; saves a picture of each when
    FG_SHOTS names a folder. Returns the ms from the request to the painted window."""
    prog = bench.start_program()
    win = open_config(bench, prog)
    scale = bench.dpi / 96
    w, h = client_size(bench, win)
    expect((w, h) == (round(874 * scale), round(504 * scale)), f"client area {w} x {h}")
    tree = bench.child(win, cls="SysTreeView32")
    shots = os.environ.get("FG_SHOTS")
    everything = set().union(*PAGE_CAPTIONS.values(), FULLSCREEN_CAPTIONS, SCRATCHPAD_CAPTIONS)

    def shows(page: str, expected: set[str]):
        shown = {c.text for c in bench.children(win) if c.visible and c.text} & everything
        expect(shown == expected, f"page {page} shows {sorted(shown)}, not {sorted(expected)}")

    for i, name in enumerate(PAGES):
        expect(bench.probe("treeselect", tree.hwnd, i).returncode == 0, f"cannot select {name}")
        bench.probe("sync", win.hwnd)
        shows(name, PAGE_CAPTIONS[name] | (FULLSCREEN_CAPTIONS if i == 0 else set()))
        if shots:
            os.makedirs(shots, exist_ok=True)
            bench.screenshot(os.path.join(shots, f"config-{tag}-{i}-{name.replace(' ', '_')}.png"))
    # The drawing method's sub-page follows its radio buttons.
    bench.probe("treeselect", tree.hwnd, 0)
    for button, sub in (("Scratchpad", SCRATCHPAD_CAPTIONS),
                        ("Fullscreen (recommended)", FULLSCREEN_CAPTIONS)):
        bench.probe("bmclick", bench.child(win, cls="Button", text=button).hwnd)
        bench.probe("sync", win.hwnd)
        shows(f"{PAGES[0]} with {button}", PAGE_CAPTIONS[PAGES[0]] | sub)
        if shots and button == "Scratchpad":
            bench.screenshot(os.path.join(shots, f"config-{tag}-0b-Scratchpad.png"))
    close_config(bench, win)
    stamps = {m[1]: float(m[2]) for m in (
        re.match(r"\[Timing\] configuration (.+) (\S+) ms$", line)
        for line in messages(bench, prog, "[Timing] configuration"))}
    return stamps["painted"] - stamps["asked"]


TIMED = {SETTINGS: "[init]\r\nWelcomeShown=1\r\n[debug]\r\ntiming=1\r\n"}


@fixtures(TIMED)
def pages(bench: Bench):
    print(f"window painted {visit_pages(bench, '96dpi'):.1f} ms after the request")


@desktop_dpi(144)
@fixtures(TIMED)
def pages_144(bench: Bench):
    print(f"window painted {visit_pages(bench, '144dpi'):.1f} ms after the request (144 DPI)")


if __name__ == "__main__":
    run_cases({"first_start": first_start, "x_pixel": x_pixel, "read_only": read_only,
               "utf16": utf16, "start_with_windows": start_with_windows, "pages": pages,
               "pages_144": pages_144})
