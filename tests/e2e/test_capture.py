#!/usr/bin/env python3
"""Capture over Notepad: the monitor turns drawn strokes into gesture strings (with the top-edge
start), lets a plain right click through to the program, and the two-left-click chord while the
right button is held disables gestures for the program under the pointer."""

import time

from gestures import (ARROW_FILL, DISABLE_CHORD, DOWN_RIGHT, ENABLE_CHORD, MENU_CLOSED, PROGRAM_FILE,
                      RELEASE, TOP_DOWN, UP_RIGHT, chord, close_menus, colour_count, held_draw, menus,
                      read_profile, sent, wait_log)
from harness import Bench, Skip, expect, run_cases, wait_for

# What each press over Notepad sends, in this order: None is nothing.
STROKES = [
    ("up then right", UP_RIGHT, "03"),
    ("down from the top edge", TOP_DOWN, "A1"),
    ("right click without movement", [(500, 500)], None),
]


def shown(bench: Bench, prog):
    return [w for w in bench.windows(pid=prog.winpid, visible=True)]


def gestures(bench: Bench):
    prog = bench.start_program()
    bench.start_notepad()
    expected = []
    for n, (what, points, gesture) in enumerate(STROKES, 1):
        if n == 1:
            # Held by hand: the trail and the stroke's arrow are up while the button is down, and
            # gone after the release. The arrow keeps the place of the first stroke's: left of
            # and below the cursor where the stroke up was first seen.
            bench.mouse_move(*points[0])
            bench.right_down()
            bench.draw(points)
            bench.screenshot(bench.run_dir / "held-stroke.png")
            expect(shown(bench, prog), "no window of the program shows during a held stroke")
            x, y = points[0]
            arrow = colour_count(bench, (x - 140, y - 110, x, y + 80), ARROW_FILL)
            expect(arrow > 100, f"no direction arrow beside the held stroke ({arrow} pixels)")
            bench.right_up()
        elif points is TOP_DOWN:
            held_draw(bench, prog, points, n)
        else:
            bench.draw(points, right_button=True)
        wait_log(bench, prog, RELEASE, n)
        if gesture:
            expected.append(gesture)
        got = sent(bench, prog)
        expect(got == expected, f"after {what}: sent {got}, expected {expected}")
        if gesture is None:
            # Nothing was drawn, so the click is Notepad's as usual.
            wait_for(lambda: menus(bench, exe="notepad.exe"), 5, "Notepad's own context menu")
        else:
            # Bound to nothing, but a gesture all the same: the context menu its release opened
            # over the text goes (on the title bar the release opens none).
            if n == 1:
                wait_log(bench, prog, MENU_CLOSED, 1)
            wait_for(lambda: not menus(bench), 5, f"no context menu after {what}")
        wait_for(lambda: not shown(bench, prog), 5, f"the overlay to go after {what}")
    close_menus(bench)


def disable_chord(bench: Bench):
    prog = bench.start_program()
    bench.start_notepad()
    chord(bench)
    wait_log(bench, prog, DISABLE_CHORD, 1)
    path = bench.data / PROGRAM_FILE
    wait_for(path.is_file, 5, f"{PROGRAM_FILE} to be written")
    expect("cbDisableAll=1" in read_profile(path),
           f"{PROGRAM_FILE} does not disable: {read_profile(path)}")
    close_menus(bench)

    bench.draw(UP_RIGHT, right_button=True)
    close_menus(bench)
    # The enable chord is handled after that release, so its log line orders the two.
    chord(bench)
    wait_log(bench, prog, ENABLE_CHORD, 1)
    expect(sent(bench, prog) == [], f"a disabled program got gestures: {sent(bench, prog)}")
    close_menus(bench)

    bench.draw(UP_RIGHT, right_button=True)
    wait_for(lambda: sent(bench, prog) == ["03"], 8, "the gesture after enabling",
             interval=0.3)
    close_menus(bench)


def chord_messages(bench: Bench, prog):
    """The program's visible tooltips wide enough for a text: the chord's message, not an arrow."""
    def wide(w):
        rows = [ln for ln in bench.probe("info", w.hwnd, check=False).stdout.splitlines()
                if ln.startswith("rect\t")]
        if not rows:
            return False  # gone meanwhile
        left, _, right, _ = map(int, rows[0].split("\t")[1:])
        return right - left > 100
    return [w for w in bench.windows(cls="TTooltipWindow", pid=prog.winpid, visible=True) if wide(w)]


def chord_message(bench: Bench):
    """"Gestures DISABLED for program." goes by itself about 1.3 s after the release, with no
    other press."""
    prog = bench.start_program()
    bench.start_notepad()
    chord(bench)
    released = time.monotonic()
    wait_for(lambda: chord_messages(bench, prog), 5, "the chord's message beside the pointer")
    wait_for(lambda: not chord_messages(bench, prog), 6, "the chord's message to go by itself")
    gone = time.monotonic() - released
    expect(gone > 0.9, f"the chord's message went {gone:.2f} s after the release, too soon to read")
    wait_log(bench, prog, DISABLE_CHORD, 1)
    close_menus(bench)


def swapped_draw(bench: Bench, points, button):
    bench.mouse_move(*points[0])
    bench.xdotool("sleep", 0.05, "mousedown", button)
    bench.draw(points)
    bench.xdotool("sleep", 0.12, "mouseup", button)


def swapped_buttons(bench: Bench):
    """Set up for the left hand, the physical left button is the secondary one: it draws and
    holds the chord, and the right one, now the primary, neither draws nor is the chord's
    click. Wine keeps the setting (SwapMouseButton, SM_SWAPBUTTON) but does not swap the
    buttons' messages, so only what the program reads of the buttons' state changes here."""
    if bench.probe("swap", "1").stdout.strip() != "1":
        raise Skip("Wine does not keep the swap-buttons setting")
    try:
        prog = bench.start_program()
        bench.start_notepad()
        swapped_draw(bench, UP_RIGHT, 1)
        wait_for(lambda: sent(bench, prog) == ["03"], 8, "the secondary button's gesture",
                 interval=0.3)
        swapped_draw(bench, UP_RIGHT, 3)  # the primary button: a selection, no gesture
        close_menus(bench)
        swapped_draw(bench, DOWN_RIGHT, 1)
        wait_for(lambda: len(sent(bench, prog)) >= 2, 8, "the second gesture", interval=0.3)
        expect(sent(bench, prog) == ["03", "13"],
               f"the primary button drew a gesture: sent {sent(bench, prog)}")
        bench.xdotool("mousemove", 500, 500, "sleep", 0.05, "mousedown", 1, "sleep", 0.15,
                      "mousedown", 3, "sleep", 0.15, "mouseup", 3, "sleep", 0.15,
                      "mousedown", 3, "sleep", 0.15, "mouseup", 3, "sleep", 0.15, "mouseup", 1)
        wait_log(bench, prog, DISABLE_CHORD, 1)
        close_menus(bench)
    finally:
        bench.probe("swap", "0", check=False)


if __name__ == "__main__":
    run_cases({"gestures": gestures, "disable_chord": disable_chord,
               "chord_message": chord_message, "swapped_buttons": swapped_buttons})
