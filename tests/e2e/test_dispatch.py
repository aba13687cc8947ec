#!/usr/bin/env python3
"""Dispatch over Notepad: bound gestures type their keystrokes into the foreground program, the
program's own gesture file comes before the global one, a top-edge gesture falls back to its
strokes' binding, the disable chord silences the program until the enable chord, and a program
binding starts the program with its parameters."""

import shutil

from gestures import (DISABLE_CHORD, DOWN_RIGHT, ENABLE_CHORD, FOUND, LEFT_DOWN, PROGRAM_FILE, TOP_DOWN,
                      UP_RIGHT, chord, close_menus, gesture_file, held_draw, menus, read_profile, wait_log)
from harness import QUIET_SETTINGS, Bench, expect, fixtures, run_cases, wait_for

KEY = "Keystroke"
KEYS = "Multiple Keystrokes"
RUN = "Run Program / File"
EDIT_TITLE = "Farrowglimmer - Edit Gestures"
WM_ENDSESSION = 0x16


def typed(bench: Bench, notepad, points, text, what):
    """Draws a bound gesture over Notepad and waits until its text is `text`."""
    bench.draw(points, right_button=True)
    wait_for(lambda: bench.notepad_text(notepad) == text, 8,
             f"Notepad's text to be {text!r} after {what} "
             f"(it is {bench.notepad_text(notepad)!r})")
    # The dispatcher closed the menu the release opened, so the keys reached the text.
    expect(not menus(bench), f"a context menu is open after {what}: {menus(bench)}")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({
    "03": (KEY, "000041A"),
    "13": (KEYS, "000041A|000042B|000043C"),
    "21": (KEY, "010041CTRL+A"),
})})
def keystrokes(bench: Bench):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    typed(bench, notepad, UP_RIGHT, "a", "one key")
    typed(bench, notepad, DOWN_RIGHT, "aabc", "three keys")
    # Ctrl+A selects all of it, so the next key replaces the whole text.
    bench.draw(LEFT_DOWN, right_button=True)
    wait_log(bench, prog, FOUND, 3)  # its keys are out before the next press
    typed(bench, notepad, UP_RIGHT, "a", "Ctrl+A then one key")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"A1": (KEY, "000041A")})})
def title_bar(bench: Bench):
    """Begun on Notepad's caption, the release opens the window menu under Wine; once it is
    closed the keyboard is back with the text, so the key lands there."""
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    held_draw(bench, prog, TOP_DOWN, 1)
    wait_for(lambda: bench.notepad_text(notepad) == "a", 8,
             f"the key of a gesture from the title bar in the text "
             f"(it is {bench.notepad_text(notepad)!r})")
    expect(not menus(bench), f"a menu is open after the title-bar gesture: {menus(bench)}")


def recorder(bench: Bench):
    """Installs the recording program into "<data>/my tools" (a folder name with a blank);
    returns its Windows path and the file it will write."""
    folder = bench.data / "my tools"
    folder.mkdir()
    exe = folder / "recorder.exe"
    shutil.copy2(bench.opts.probe.parent / "fgrecorder.exe", exe)
    return "Z:" + str(exe).replace("/", "\\"), folder / "started.txt"


def recorded(record) -> list[str]:
    """Waits for the recording program's file: the raw command line, then its arguments."""
    return wait_for(lambda: record.is_file() and record.read_text(encoding="utf-8").splitlines(),
                    10, "the bound program to record its command line")


def lookup(bench: Bench):
    exe, record = recorder(bench)
    (bench.data / "Gestures.ini").write_text(gesture_file({
        "03": (KEY, "000041A"),
        "1": (RUN, f"{exe}|fallback"),
    }), newline="")
    (bench.data / PROGRAM_FILE).write_text(gesture_file({"03": (KEY, "000042B")}), newline="")
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    typed(bench, notepad, UP_RIGHT, "b", "a gesture bound in both files")
    # "A1" is bound nowhere; its strokes "1" only globally.
    held_draw(bench, prog, TOP_DOWN, 2)
    line, *argv = recorded(record)
    expect(argv == [exe, "fallback"], f"the top-edge gesture started {line!r}")
    close_menus(bench)


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"03": (KEY, "000041A")})})
def disable_enable(bench: Bench):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    path = bench.data / PROGRAM_FILE
    chord(bench)
    wait_log(bench, prog, DISABLE_CHORD, 1)
    wait_for(path.is_file, 5, f"{PROGRAM_FILE} to be written")
    lines = read_profile(path)
    expect(lines == ["[Settings]", "cbDisableAll=1"],
           f"{PROGRAM_FILE} should hold only its settings, disabled: {lines}")
    close_menus(bench)

    bench.draw(UP_RIGHT, right_button=True)  # disabled: types nothing
    close_menus(bench)
    chord(bench)
    wait_log(bench, prog, ENABLE_CHORD, 1)
    wait_for(lambda: not path.exists(), 5, f"{PROGRAM_FILE} to be deleted by the enable chord")
    close_menus(bench)
    # Exactly one "a": the gesture drawn while disabled typed nothing, not even late.
    typed(bench, notepad, UP_RIGHT, "a", "enabling again")


def run_program(bench: Bench):
    exe, record = recorder(bench)
    (bench.data / "Gestures.ini").write_text(gesture_file({"03": (RUN, f"{exe}|one two")}),
                                             newline="")
    bench.start_program()
    bench.start_notepad()
    bench.draw(UP_RIGHT, right_button=True)
    line, *argv = recorded(record)
    # The path has a blank, so it arrives quoted as one argument.
    expect(argv == [exe, "one", "two"], f"the program was started as {line!r}, arguments {argv}")
    close_menus(bench)


def unicode_binding(bench: Bench):
    """A binding whose path and parameters are not ASCII, in a per-program file saved as UTF-16,
    survives the Edit Gestures window's save, both chords' saves and the save at the end, and
    starts its program with both parameters."""
    folder = bench.data / "ツール"
    folder.mkdir()
    shutil.copy2(bench.opts.probe.parent / "fgrecorder.exe", folder / "記録.exe")
    exe = "Z:" + str(folder / "記録.exe").replace("/", "\\")
    action = f"{exe}|日本 語"
    path = bench.data / PROGRAM_FILE
    path.write_bytes(b"\xff\xfe" + gesture_file({"03": (RUN, action)}).encode("utf-16-le"))
    binding = ["[03]", f"ActionType={RUN}", f"Action={action}"]

    def kept(after: str, disabled: int):
        lines = read_profile(path)
        expect(lines == binding + ["[Settings]", f"cbDisableAll={disabled}"],
               f"{PROGRAM_FILE} after {after}: {lines}")

    _, notepad = bench.start_notepad()
    prog = bench.start_program()
    bench.probe("show", notepad.hwnd, 5)
    bench.run_messenger("EDIT_GESTURES")
    win = bench.find(title=EDIT_TITLE, pid=prog.winpid, visible=True)
    bench.probe("close", win.hwnd)
    wait_for(lambda: not bench.windows(title=EDIT_TITLE, pid=prog.winpid, visible=True), 8,
             "the Edit Gestures window to hide")
    kept("the window's save", 0)

    chord(bench)
    wait_log(bench, prog, DISABLE_CHORD, 1)
    wait_for(lambda: "cbDisableAll=1" in read_profile(path), 5, "the disable chord's save")
    kept("the disable chord", 1)
    close_menus(bench)
    chord(bench)
    wait_log(bench, prog, ENABLE_CHORD, 1)
    wait_for(lambda: "cbDisableAll=0" in read_profile(path), 5, "the enable chord's save")
    kept("the enable chord", 0)
    close_menus(bench)

    bench.draw(UP_RIGHT, right_button=True)
    line, *argv = recorded(folder / "started.txt")
    expect(argv == [exe, "日本", "語"], f"the program was started as {line!r}, arguments {argv}")
    close_menus(bench)

    bench.probe("post", win.hwnd, WM_ENDSESSION, 1)
    wait_for(lambda: not prog.running(), 15, "the program to end")
    kept("the save at the end", 0)



def planted(bench: Bench):
    """A binding whose program is missing starts nothing: not a program that sits where its
    path has a blank ("<data>/my.exe" for "<data>/my tools/missing.exe"). A binding of the
    recorder in that folder, drawn next, shows when the first binding has had its chance."""
    exe, record = recorder(bench)
    folder = record.parent
    plant = bench.data / "my.exe"
    shutil.copy2(bench.opts.probe.parent / "fgrecorder.exe", plant)
    missing = "Z:" + str(folder / "missing.exe").replace("/", "\\")
    (bench.data / "Gestures.ini").write_text(gesture_file({
        "03": (RUN, f"{missing}|"),
        "13": (RUN, f"{exe}|"),
    }), newline="")
    prog = bench.start_program()
    bench.start_notepad()
    bench.draw(UP_RIGHT, right_button=True)
    wait_log(bench, prog, FOUND, 1)
    close_menus(bench)
    for box in bench.windows(cls="#32770", visible=True):
        bench.ok(box)  # the shell's word that the file is missing
    bench.draw(DOWN_RIGHT, right_button=True)
    recorded(record)
    planted_record = bench.data / "started.txt"
    expect(not planted_record.exists(),
           f"the program planted at a blank was started: {planted_record.read_text('utf-8')!r}"
           if planted_record.exists() else "")
    close_menus(bench)



if __name__ == "__main__":
    run_cases({"keystrokes": keystrokes, "title_bar": title_bar, "lookup": lookup, "disable_enable": disable_enable,
               "run_program": run_program, "unicode_binding": unicode_binding, "planted": planted})
