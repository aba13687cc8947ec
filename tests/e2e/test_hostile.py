#!/usr/bin/env python3
"""Hostile files: every file the program reads at start (the global and a program's gesture file,
"defaults.ini", "disabled.ini", "noright.ini", "exepaste.ini"), each in one bad shape per start.
For every shape the program starts in bounded time and runs, lists the bindings that can be read,
and its next saves (an edit in Edit Gestures, closing the configuration, the end of the program)
keep every binding and list entry that could be read."""

import random
import time

from harness import INSTANCE_CLASS, Bench, expect, run_cases, wait_for
from test_config import close_config, open_config
from test_editgestures import lists, open_from_tray, rows, select_item

VK_DELETE = 0x2E
NOTEPAD_FILE = "Gestures_notepad.exe.ini"
LIST_FILES = ("disabled.ini", "noright.ini", "exepaste.ini")
# The readable part of each kind of file: a shape surrounds, splits or re-encodes it.
GLOBAL_OK = ("[03]\r\nActionType=Keystroke\r\nAction=000041A\r\n"
             "[1]\r\nActionType=Keystroke\r\nAction=000042B\r\n")
NOTEPAD_OK = "[2]\r\nActionType=Keystroke\r\nAction=000043C\r\n"
SETTINGS_OK = "[init]\r\nWelcomeShown=1\r\ntbHelpPause=1300\r\n"
LIST_OK = {"disabled.ini": "calc.exe=1\r\n", "noright.ini": "mspaint.exe=1\r\n",
           "exepaste.ini": "wordpad.exe=2\r\n"}
# Start-up and the first listing must end within these, whatever the files hold. The slowest
# start is the first with a 10 MB or 100,000-section "defaults.ini": each of the 22 keys it lacks is
# written back, and every write rewrites the whole file (about 11 s here, 19 s with both cores
# busy; the next start takes 2 s).
START_LIMIT_S = 45
LISTING_LIMIT_S = 20


def garbage(size: int, seed: int) -> bytes:
    return random.Random(seed).randbytes(size)


def encode(text: str, how: str) -> bytes:
    return {"utf-16-le": b"\xff\xfe" + text.encode("utf-16-le"),
            "utf-16-be": b"\xfe\xff" + text.encode("utf-16-be"),
            "utf-8-bom": b"\xef\xbb\xbf" + text.encode("utf-8"),
            "utf-8": text.encode("utf-8")}[how]


def many_sections(ok: str, n: int = 100_000) -> bytes:
    junk = "".join(f"[x{i}]\r\nActionType=Keystroke\r\nAction=0\r\n" for i in range(n))
    return (ok + junk).encode("ascii")


# After the junk of some shapes: one more binding, which must be read and kept too.
TAIL = "[3]\r\nActionType=Keystroke\r\nAction=000045E\r\n"
TAILED = ("ten_mb", "long_lines", "nul_bytes")


def shaped(shape: str, ok: str, seed: int, tail: str = "") -> bytes:
    """One kind of file's readable text `ok` in the given shape, `tail` after its junk."""
    if shape == "garbage":
        return garbage(64 * 1024, seed)
    if shape == "empty":
        return b""
    if shape == "ten_mb":
        filler = ("junk=" + "y" * 1000 + "\r\n") * (10 * 1024 * 1024 // 1007)
        return (ok + filler + tail).encode("ascii")
    if shape == "sections_100k":
        return many_sections(ok)
    if shape == "long_lines":
        return (ok + "[long]\r\nkey=" + "z" * 100_000 + "\r\n" + "w" * 100_000 + "\r\n" +
                tail).encode()
    if shape == "nul_bytes":
        return ok.encode("ascii") + b"junk\x00=\x00\r\n[\x00]\r\n" + tail.encode("ascii")
    if shape in ("utf-16-le", "utf-16-be", "utf-8-bom", "utf-8"):
        return encode(ok, shape)
    raise ValueError(shape)


# Section names the gesture rule rejects, each with a binding under it, among readable ones.
BAD_NAMES = ["", " ", "4", "00", "0+1", "UP", "[", "A", "AA", "E0", "-1", "0 1", "1" * 300,
             "ü", "03 ", " 03", "Settings2", "0\t1"]


def bad_names_file() -> bytes:
    text = GLOBAL_OK
    for name in BAD_NAMES:
        text += f"[{name}]\r\nActionType=Keystroke\r\nAction=000044D\r\n"
    return (text + TAIL).encode("utf-8")


def write_files(bench: Bench, shape: str):
    if shape == "bad_names":
        files = {"Gestures.ini": bad_names_file(), "defaults.ini": SETTINGS_OK.encode()}
        for name, data in files.items():
            (bench.data / name).write_bytes(data)
        return
    files = {"Gestures.ini": shaped(shape, GLOBAL_OK, 1, TAIL),
             NOTEPAD_FILE: shaped(shape, NOTEPAD_OK, 2),
             "defaults.ini": shaped(shape, SETTINGS_OK, 3)}
    for i, name in enumerate(LIST_FILES):
        files[name] = shaped(shape, LIST_OK[name], 4 + i)
    for name, data in files.items():
        (bench.data / name).write_bytes(data)


def readable(shape: str) -> bool:
    """Whether the shape leaves the readable text readable to the profile routines."""
    return shape not in ("garbage", "empty")


def listed_gestures(bench: Bench, win, timeout):
    _, gestures = lists(bench, win)
    return wait_for(lambda: [r[0] for r in rows(bench, gestures)] or None, timeout,
                    "the global rows"), gestures


def run_shape(bench: Bench, shape: str) -> dict:
    write_files(bench, shape)
    began = time.monotonic()
    prog = bench.start_program(timeout=START_LIMIT_S)
    started = time.monotonic() - began
    expect(not bench.windows(cls="#32770", pid=prog.winpid, visible=True),
           "a message box at start")

    began = time.monotonic()
    win = open_from_tray(bench, prog, LISTING_LIMIT_S)
    figures = {"start_s": started}
    if readable(shape):
        names, gestures = listed_gestures(bench, win, LISTING_LIMIT_S)
        figures["listing_s"] = time.monotonic() - began
        expect({"UP+RIGHT", "DOWN"} <= set(names), f"{shape}: the readable bindings: {names}")
        # An edit saves the file: delete DOWN, everything else that was read stays.
        select_item(bench, gestures, names.index("DOWN"))
        bench.probe("key", VK_DELETE)
        bench.click(bench.child(bench.message_box(prog.winpid, "Delete the gesture DOWN?"),
                                cls="Button", text="&Yes"))
        wait_for(lambda: "DOWN" not in [r[0] for r in rows(bench, gestures)], 10, "the delete")
        lines = profile_lines(bench.data / "Gestures.ini")
        expect("[03]" in lines and "Action=000041A" in lines and "[1]" not in lines,
               f"{shape}: the global file after the edit: {lines[:12]}")
        if shape in (*TAILED, "bad_names"):
            expect("[3]" in lines and "Action=000045E" in lines,
                   f"{shape}: the binding after the junk is gone: {lines[:12]}")
    figures["listing_s"] = figures.get("listing_s", time.monotonic() - began)

    close_config(bench, open_config(bench, prog))
    expect(not bench.windows(cls="#32770", pid=prog.winpid, visible=True),
           "a message box after closing the configuration")
    settings = decode(bench.data / "defaults.ini").splitlines()
    if readable(shape):
        expect("tbHelpPause=1300" in settings, f"{shape}: the help pause was lost: {settings}")

    bench.probe("close", bench.windows(cls=INSTANCE_CLASS, pid=prog.winpid)[0].hwnd)
    wait_for(lambda: not prog.running(), 20, "the program to end")
    if readable(shape) and shape != "bad_names":
        notepad = profile_lines(bench.data / NOTEPAD_FILE)
        expect("[2]" in notepad and "Action=000043C" in notepad,
               f"{shape}: notepad's binding was lost: {notepad[:12]}")
        for name in LIST_FILES:
            entry = LIST_OK[name].strip()
            text = decode(bench.data / name)
            expect(entry in text, f"{shape}: {name} lost {entry!r}")
    return figures


def decode(path) -> str:
    raw = path.read_bytes()
    for bom, codec in ((b"\xff\xfe", "utf-16-le"), (b"\xfe\xff", "utf-16-be"),
                       (b"\xef\xbb\xbf", "utf-8")):
        if raw.startswith(bom):
            return raw[len(bom):].decode(codec, errors="replace")
    return raw.decode("latin-1")


def profile_lines(path) -> list[str]:
    return [ln.strip() for ln in decode(path).splitlines() if ln.strip()]


SHAPES = ("garbage", "empty", "nul_bytes", "bad_names", "ten_mb", "sections_100k", "long_lines",
          "utf-16-le", "utf-16-be", "utf-8-bom", "utf-8")


def case_for(shape):
    def case(bench: Bench):
        figures = run_shape(bench, shape)
        print(f"[hostile] {shape}: start {figures['start_s']:.1f} s, "
              f"Edit Gestures listed in {figures['listing_s']:.1f} s")
    return case


if __name__ == "__main__":
    run_cases({shape: case_for(shape) for shape in SHAPES})
