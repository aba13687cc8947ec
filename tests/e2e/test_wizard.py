#!/usr/bin/env python3
"""The gesture wizard driven as a user drives it, with the mouse and the keyboard and no drawing:
a binding made from the direction buttons and a keystroke pressed into the capture field, one
from a shape example and a list of keystrokes added through the keystroke window, and a binding's
action changed to a program with a blank in its path and parameters. Each is listed in the Edit
Gestures window, written to the gesture file, and runs when its gesture is drawn over Notepad."""

import os

from gestures import DOWN_RIGHT, LEFT_DOWN, UP_RIGHT, close_menus, gesture_file, menus, read_profile
from harness import QUIET_SETTINGS, Bench, desktop_dpi, expect, fixtures, run_cases, wait_for
from test_dispatch import recorded, recorder
from test_editgestures import (NOTEPAD_FILE, center, click_item, lists, open_from_tray, per_program,
                               rows, select_item)

WIZARD = "Gesture Wizard"
EDIT_GESTURES = "Farrowglimmer - Edit Gestures"
KEYSTROKE_WINDOW = "Farrowglimmer keystroke"
# The gesture editor's direction buttons and monitor-position list, by control id.
BTN_UP, BTN_DOWN, BTN_LEFT, BTN_RIGHT = 20, 21, 22, 23
VK_DOWN, VK_UP, VK_RETURN, VK_APPS = 0x28, 0x26, 0x0D, 0x5D


def press(bench: Bench, control):
    """A real click in the middle of a control."""
    bench.xdotool("mousemove", *center(bench, control), "click", 1)


def shown(bench: Bench, win, cls=None, text=None, ctrl_id=None):
    """The one visible descendant that matches."""
    def find():
        found = [c for c in bench.children(win, cls=cls, text=text)
                 if c.visible and (ctrl_id is None or c.ctrl_id == ctrl_id)]
        return found[0] if len(found) == 1 else None
    return wait_for(find, 5, f"one visible {cls or ''} {text or ''} {ctrl_id or ''} in {win.text}")


def button(bench: Bench, win, text):
    return shown(bench, win, cls="Button", text=text)


def choose(bench: Bench, combo, key: int):
    """Opens a drop-down list with a click and moves its choice with a key. The key waits for the
    open list: sent through the probe, it would otherwise overtake the click."""
    press(bench, combo)
    wait_for(lambda: bench.windows(cls="ComboLBox", visible=True), 5, "the drop-down list")
    bench.probe("key", key)
    bench.probe("key", VK_RETURN)


def wait_text(bench: Bench, control, text: str, what: str):
    wait_for(lambda: bench.text(control) == text, 5,
             f"{what} to read {text!r} (it reads {bench.text(control)!r})")


def open_wizard(bench: Bench, edit) -> object:
    bench.click(bench.child(edit, cls="Button", text="New Gesture"))
    return bench.find(title=WIZARD, pid=edit.pid, visible=True)


def next_page(bench: Bench, wizard):
    press(bench, button(bench, wizard, "Next"))


def summary(bench: Bench, wizard) -> str:
    memo = wait_for(lambda: (lambda m: m if bench.text(m) else None)(
        shown(bench, wizard, cls="Edit")), 5, "the summary")
    return bench.text(memo)


def finish(bench: Bench, wizard):
    press(bench, button(bench, wizard, "Finish"))
    wait_for(lambda: not bench.windows(title=WIZARD, pid=wizard.pid, visible=True), 5,
             "the wizard to close")


def pick_menu(bench: Bench, downs: int):
    """Picks the entry `downs` rows down the menu that just opened, with the keyboard."""
    wait_for(lambda: menus(bench), 5, "the menu to open")
    for _ in range(downs):
        bench.probe("key", VK_DOWN)
    bench.probe("key", VK_RETURN)
    wait_for(lambda: not menus(bench), 5, "the menu to close")


def hide(bench: Bench, edit):
    bench.probe("close", edit.hwnd)
    wait_for(lambda: not bench.windows(title=EDIT_GESTURES, pid=edit.pid, visible=True), 5,
             "the Edit Gestures window to hide")


def drawn_types(bench: Bench, notepad, points, text: str, what: str):
    bench.draw(points, right_button=True)
    wait_for(lambda: bench.notepad_text(notepad) == text, 8,
             f"Notepad's text to be {text!r} after {what} (it is {bench.notepad_text(notepad)!r})")
    close_menus(bench)


def shot(bench: Bench, name: str):
    shots = os.environ.get("FG_SHOTS")
    if shots:
        os.makedirs(shots, exist_ok=True)
        bench.screenshot(os.path.join(shots, f"wizard-{bench.dpi}-{name}.png"))


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"13": ("Keystroke", "000041A")})})
def buttons_and_keystroke(bench: Bench):
    """Top and Down make "[TOP]+DOWN"; Clear keeps the edge; Anywhere, Up and Right make
    "UP+RIGHT"; Shift+B pressed into the field is the action; the summary, the list, the file and
    a drawn gesture follow. Down and Right make "DOWN+RIGHT", which is listed: refused."""
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    edit = open_from_tray(bench, prog)
    wizard = open_wizard(bench, edit)
    shot(bench, "1-gesture-empty")
    text = shown(bench, wizard, cls="Edit")

    combo = shown(bench, wizard, cls="ComboBox")
    choose(bench, combo, VK_DOWN)
    wait_text(bench, text, "[TOP]", "the gesture after choosing Top")
    press(bench, shown(bench, wizard, ctrl_id=BTN_DOWN))
    wait_text(bench, text, "[TOP]+DOWN", "the gesture")
    shot(bench, "2-gesture-top-down")
    press(bench, button(bench, wizard, "Clear"))
    wait_text(bench, text, "[TOP]", "the gesture after Clear")
    choose(bench, combo, VK_UP)
    wait_text(bench, text, "", "the gesture after choosing Anywhere")

    # A listed gesture is refused with a message box.
    press(bench, shown(bench, wizard, ctrl_id=BTN_DOWN))
    press(bench, shown(bench, wizard, ctrl_id=BTN_RIGHT))
    wait_text(bench, text, "DOWN+RIGHT", "the gesture")
    next_page(bench, wizard)
    box = bench.message_box(prog.winpid, "Cannot use DOWN+RIGHT. Gesture already exists.")
    bench.dismiss(box)
    press(bench, button(bench, wizard, "Clear"))

    press(bench, shown(bench, wizard, ctrl_id=BTN_UP))
    press(bench, shown(bench, wizard, ctrl_id=BTN_RIGHT))
    wait_text(bench, text, "UP+RIGHT", "the gesture")
    next_page(bench, wizard)

    field = shown(bench, wizard, cls="Edit")
    press(bench, field)
    bench.xdotool("key", "--clearmodifiers", "shift+b")
    wait_text(bench, field, "SHIFT+B", "the capture field")
    shot(bench, "3-action-single")
    next_page(bench, wizard)
    expect(summary(bench, wizard) == "Gesture:   \r\n\tUP+RIGHT\r\n \r\nKeystroke: \r\n\tSHIFT+B\r\n",
           f"summary {summary(bench, wizard)!r}")
    shot(bench, "4-summary")
    finish(bench, wizard)

    programs, gestures = lists(bench, edit)
    listed = wait_for(lambda: (lambda r: r if len(r) == 2 else None)(rows(bench, gestures)), 5,
                      "two rows")
    expect([r[:3] for r in listed] == [["DOWN+RIGHT", "Keystroke", "A"],
                                       ["UP+RIGHT", "Keystroke", "SHIFT+B"]],
           f"rows {listed}")
    expect(read_profile(bench.data / "Gestures.ini")[3:6] ==
           ["[03]", "ActionType=Keystroke", "Action=001042SHIFT+B"],
           f"Gestures.ini holds {read_profile(bench.data / 'Gestures.ini')}")
    hide(bench, edit)
    drawn_types(bench, notepad, UP_RIGHT, "B", "the new binding")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({})})
def example_and_list(bench: Bench):
    """The "r " shape example gives LEFT+DOWN; two keystrokes added through the keystroke window
    make the list, and the second moves up; the binding types both, in that order, over
    Notepad."""
    prog = bench.start_program()
    _, notepad = bench.start_notepad()
    edit = open_from_tray(bench, prog)
    wizard = open_wizard(bench, edit)
    press(bench, button(bench, wizard, "  Examples"))
    pick_menu(bench, 1)
    wait_text(bench, shown(bench, wizard, cls="Edit"), "LEFT+DOWN", "the example's gesture")
    next_page(bench, wizard)

    press(bench, button(bench, wizard, "Multiple Keystrokes"))
    for key, name in (("x", "X"), ("y", "Y")):
        press(bench, button(bench, wizard, "Add Keystroke"))
        window = bench.find(title=KEYSTROKE_WINDOW, pid=prog.winpid, visible=True)
        wait_for(lambda: (bench.foreground() or wizard).hwnd == window.hwnd, 5,
                 "the keystroke window in front")
        bench.xdotool("key", "--clearmodifiers", key)
        wait_text(bench, shown(bench, window, cls="Edit"), name, "the keystroke window's field")
        press(bench, button(bench, window, "Set"))
        wait_for(lambda: not bench.windows(title=KEYSTROKE_WINDOW, pid=prog.winpid, visible=True),
                 5, "the keystroke window to close")
    shot(bench, "5-action-list")
    # Y moves up with the keyboard: its row selected, the menu key, "Move Up".
    keys_list = shown(bench, wizard, cls="SysListView32")
    select_item(bench, keys_list, 1, columns=1)
    bench.probe("key", VK_APPS)
    pick_menu(bench, 3)
    next_page(bench, wizard)
    expect(summary(bench, wizard) ==
           "Gesture:   \r\n\tLEFT+DOWN\r\n \r\nKeystrokes: \r\n\tY\r\n\tX\r\n \r\n",
           f"summary {summary(bench, wizard)!r}")
    finish(bench, wizard)

    _, gestures = lists(bench, edit)
    listed = wait_for(lambda: rows(bench, gestures), 5, "the new row")
    expect([r[:3] for r in listed] == [["LEFT+DOWN", "Multiple Keystrokes", "Y | X"]],
           f"rows {listed}")
    hide(bench, edit)
    drawn_types(bench, notepad, LEFT_DOWN, "yx", "the keystroke list")


@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"03": ("Keystroke", "000041A"),
                                                          "13": ("Keystroke", "000042B")})})
def edit_action_program(bench: Bench):
    """Enter on a row opens the wizard on its action; the action becomes a program in a folder
    with a blank, with parameters; the binding moves to the end of the file, and drawing it starts
    that program with those parameters."""
    exe, record = recorder(bench)
    prog = bench.start_program()
    bench.start_notepad()
    edit = open_from_tray(bench, prog)
    _, gestures = lists(bench, edit)
    wait_for(lambda: len(rows(bench, gestures)) == 2, 5, "two rows")
    select_item(bench, gestures, 0)
    bench.probe("key", VK_RETURN)
    wizard = bench.find(title=WIZARD, pid=prog.winpid, visible=True)
    field = shown(bench, wizard, cls="Edit")
    wait_text(bench, field, "A", "the keystroke of the binding being edited")

    press(bench, button(bench, wizard, "Run File or Program"))
    program, params = [c for c in bench.children(wizard, cls="Edit") if c.visible]
    press(bench, program)
    bench.xdotool("type", "--delay", "5", exe)
    press(bench, params)
    bench.xdotool("type", "--delay", "5", 'hello "a b"')
    wait_text(bench, program, exe, "the program field")
    shot(bench, "6-action-program")
    next_page(bench, wizard)
    expect(summary(bench, wizard) == f'Gesture:   \r\n\tUP+RIGHT\r\n \r\nProgram: \r\n\t{exe}\r\n \r\n'
           'Parameters: \r\n\thello "a b"\r\n', f"summary {summary(bench, wizard)!r}")
    finish(bench, wizard)

    lines = read_profile(bench.data / "Gestures.ini")
    expect(lines[:3] == ["[13]", "ActionType=Keystroke", "Action=000042B"]
           and lines[3:6] == ["[03]", "ActionType=Run Program / File",
                              f'Action={exe}|hello "a b"'],
           f"Gestures.ini holds {lines}")
    hide(bench, edit)
    bench.draw(UP_RIGHT, right_button=True)
    # The command line, then the arguments as the program read them: its own path, then ours.
    started = recorded(record)
    expect(started[1:] == [exe, "hello", "a b"], f"the program started with {started}")


@fixtures({**QUIET_SETTINGS,
           "Gestures.ini": gesture_file({"A1": ("Run Program / File", "Farrowglimmer.exe|CONFIG")}),
           NOTEPAD_FILE: gesture_file({"03": ("Keystroke", "000041A")})})
def new_gesture_per_program(bench: Bench):
    """On the Per-Program tab before a program is picked, "New Gesture" says to pick one and opens
    no wizard; the global file is not touched. Once Notepad is picked, the new binding goes to
    Notepad's file, and the global file is still as it was."""
    bench.start_notepad()
    prog = bench.start_program()
    global_before = (bench.data / "Gestures.ini").read_bytes()
    edit = open_from_tray(bench, prog)
    programs, gestures = lists(bench, edit)
    listed = per_program(bench, edit, programs)
    press(bench, button(bench, edit, "New Gesture"))
    box = bench.message_box(prog.winpid, "Pick a program in the list first.")
    shot(bench, "7-pick-a-program")
    expect(not bench.windows(title=WIZARD, pid=prog.winpid, visible=True), "the wizard opened")
    bench.dismiss(box)

    click_item(bench, programs, next(i for i, r in enumerate(listed) if r[0] == "notepad.exe"))
    wait_for(lambda: [r[0] for r in rows(bench, gestures)] == ["UP+RIGHT"], 8, "notepad's row")
    wizard = open_wizard(bench, edit)
    text = shown(bench, wizard, cls="Edit")
    press(bench, shown(bench, wizard, ctrl_id=BTN_LEFT))
    wait_text(bench, text, "LEFT", "the gesture")
    next_page(bench, wizard)
    field = shown(bench, wizard, cls="Edit")
    press(bench, field)
    bench.xdotool("key", "--clearmodifiers", "c")
    wait_text(bench, field, "C", "the capture field")
    next_page(bench, wizard)
    finish(bench, wizard)

    wait_for(lambda: [r[0] for r in rows(bench, gestures)] == ["UP+RIGHT", "LEFT"], 5,
             f"Notepad's new row (rows {rows(bench, gestures)})")
    lines = read_profile(bench.data / NOTEPAD_FILE)
    expect(lines[3:6] == ["[2]", "ActionType=Keystroke", "Action=000043C"],
           f"{NOTEPAD_FILE} holds {lines}")
    hide(bench, edit)
    expect((bench.data / "Gestures.ini").read_bytes() == global_before,
           f"Gestures.ini changed: {read_profile(bench.data / 'Gestures.ini')}")


@desktop_dpi(144)
@fixtures({**QUIET_SETTINGS, "Gestures.ini": gesture_file({"13": ("Keystroke", "000041A")})})
def pages_144(bench: Bench):
    """At 150 % the wizard's pages and panels scale; a binding made on them still works."""
    buttons_and_keystroke(bench)


if __name__ == "__main__":
    run_cases({c.__name__: c for c in
               [buttons_and_keystroke, example_and_list, edit_action_program, pages_144,
                new_gesture_per_program]})
