#!/usr/bin/env python3
"""The pop-ups over Notepad: a first stroke held still lists the gestures that begin with it and a
pick types its binding (the release sends nothing); its "Configure" opens the configuration window
on the page of the advanced settings; with nothing to list the gesture is sent on release as usual;
with diagonals on, an unbound gesture is offered its near match in a menu."""

from gestures import PRESS, gesture_file, held_draw, menus, sent, wait_log
from harness import QUIET_SETTINGS, Bench, expect, fixtures, run_cases, wait_for

KEY = "Keystroke"
PROGRAM_EXE = "Farrowglimmer.exe"
HELP_SHOWN = "[FMMonitor]  Pause Trigger "
PICKED = "[FGest] Menu closed with a pick"
TOOLTIP_CLASS = "TTooltipWindow"
# Held long enough for the help pause (800 ms) after the stroke.
HELD_UP = [(500, 500), (500, 404)]
HELD_LEFT = [(700, 300), (604, 300)]
# Up-right, then down-right: "46" with diagonals on.
NE_THEN_SE = [(400, 500), (520, 380), (640, 500)]
DIAGONALS = "[init]\r\nWelcomeShown=1\r\ncbEnableDiagonals=1\r\n"
CONFIG_TITLE = "Farrowglimmer - Configuration"
# A text only the "Gesture Advanced" page shows.
ADVANCED_TEXT = "Mouse movement length require to start monitoring (in pixels)"


def our_menu(bench: Bench):
    return next(iter(menus(bench, exe=PROGRAM_EXE)), None)


def tooltip(bench: Bench, prog):
    return bench.windows(cls=TOOLTIP_CLASS, pid=prog.winpid, visible=True)


def hold_still(bench: Bench, prog, points, presses: int):
    """Presses, draws the stroke and keeps the button down until the help has taken over: its
    tooltip is a window of its own, in place of the stroke's arrow (every showing makes one)."""
    bench.mouse_move(*points[0])
    bench.right_down()
    wait_log(bench, prog, PRESS, presses)
    bench.draw(points)
    arrow = {w.hwnd for w in wait_for(lambda: tooltip(bench, prog), 5, "the stroke's arrow")}
    wait_for(lambda: [w for w in tooltip(bench, prog) if w.hwnd not in arrow], 5,
             "the help's tooltip beside the held stroke")


def pick_last_entry(bench: Bench):
    """The last gesture entry: from the bottom, "Close" and then the entry above the separator."""
    bench.xdotool("key", "Up", "sleep", 0.1, "key", "Up", "sleep", 0.1, "key", "Return")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({
    "03": (KEY, "000041A"),
    "01": (KEY, "000042B"),
    "13": (KEY, "000043C"),
})})
def help_pick(bench: Bench):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    hold_still(bench, prog, HELD_UP, 1)
    bench.right_up()
    wait_for(lambda: our_menu(bench), 5, "the help pop-up's menu")
    expect(not menus(bench, exe="notepad.exe"), "Notepad's context menu is open beside ours")
    bench.screenshot(bench.run_dir / "help.png")
    pick_last_entry(bench)  # "UP+DOWN", global file order
    wait_for(lambda: bench.notepad_text(notepad) == "b", 8,
             f"the picked gesture's key in Notepad (it is {bench.notepad_text(notepad)!r})")
    expect(not menus(bench), f"a menu is open after the pick: {menus(bench)}")
    wait_log(bench, prog, PICKED, 1)
    expect(sent(bench, prog) == [], f"the release sent {sent(bench, prog)}")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"01": (KEY, "000042B")})})
def help_configure(bench: Bench):
    prog = bench.start_program()
    bench.start_notepad()
    hold_still(bench, prog, HELD_UP, 1)
    bench.right_up()
    wait_for(lambda: our_menu(bench), 5, "the help pop-up's menu")
    # "Help Popup", its one child "Configure", picked.
    bench.xdotool("key", "Down", "sleep", 0.1, "key", "Right", "sleep", 0.1, "key", "Return")
    win = bench.find(title=CONFIG_TITLE, pid=prog.winpid, visible=True)
    page = [w for w in bench.children(win, text=ADVANCED_TEXT) if w.visible]
    expect(page, "the configuration window is not on the \"Gesture Advanced\" page")
    expect(sent(bench, prog) == [], f"the release sent {sent(bench, prog)}")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"03": (KEY, "000041A")})})
def help_no_match(bench: Bench):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    hold_still(bench, prog, HELD_LEFT, 1)
    bench.screenshot(bench.run_dir / "no-match.png")
    bench.right_up()
    wait_for(lambda: sent(bench, prog) == ["2"], 8, "the held gesture to be sent on release",
             interval=0.3)
    wait_for(lambda: not tooltip(bench, prog), 5, "the tooltip to close on release")
    expect(our_menu(bench) is None, "a menu of ours opened with nothing to list")
    expect(bench.notepad_text(notepad) == "", "Notepad got text from an unbound gesture")


@fixtures({"defaults.ini": DIAGONALS, "Gestures.ini": gesture_file({
    "43": (KEY, "000041A"),
    "13": (KEY, "000043C"),
})})
def suggestions(bench: Bench):
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    held_draw(bench, prog, NE_THEN_SE, 1)
    # Not through the log: saving it shows a message box, which would close the menu.
    wait_for(lambda: our_menu(bench), 5, "the suggestions menu")
    bench.screenshot(bench.run_dir / "suggestions.png")
    pick_last_entry(bench)  # "NE+RIGHT", the one near match
    wait_for(lambda: bench.notepad_text(notepad) == "a", 8,
             f"the suggestion's key in Notepad (it is {bench.notepad_text(notepad)!r})")
    expect(sent(bench, prog) == ["46"], f"the drawn gesture was {sent(bench, prog)}")
    wait_log(bench, prog, PICKED, 1)
    expect(not menus(bench), f"a menu is open after the pick: {menus(bench)}")


if __name__ == "__main__":
    run_cases({"help_pick": help_pick, "help_configure": help_configure,
               "help_no_match": help_no_match, "suggestions": suggestions})
