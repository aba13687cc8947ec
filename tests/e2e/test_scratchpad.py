#!/usr/bin/env python3
"""Scratchpad mode: with the scratchpad chosen in the settings file, gestures drawn over Notepad
count for nothing, and a gesture drawn inside the pad (which widens when the pointer enters its
strip at the right edge of the screen) is sent."""

from gestures import RELEASE, UP_RIGHT, close_menus, sent, wait_log
from harness import Bench, expect, fixtures, run_cases, wait_for

SCRATCHPAD_SETTINGS = "[init]\r\nWelcomeShown=1\r\nrbFullscreen=0\r\nrbScratchpad=1\r\n"
STRIP = (1917, 540)  # the 5-pixel strip at the right edge, half-way down the 1080-pixel monitor
INSIDE_PAD = [(1720, 640), (1720, 560), (1880, 560)]  # up, then clearly longer to the right: "03"


def pad_rect(bench: Bench, prog):
    pads = bench.windows(cls="TFrmScratchPad", pid=prog.winpid, visible=True)
    if not pads:
        return None
    info = bench.probe("info", pads[0].hwnd).stdout.splitlines()
    rect = next(ln for ln in info if ln.startswith("rect\t")).split("\t")[1:]
    return tuple(int(v) for v in rect)


@fixtures({"defaults.ini": SCRATCHPAD_SETTINGS})
def only_inside_the_pad(bench: Bench):
    prog = bench.start_program()
    bench.start_notepad()
    strip = wait_for(lambda: pad_rect(bench, prog), 10, "the scratchpad's strip")
    expect(strip[2] - strip[0] == 5 and strip[2] == 1920, f"the strip lies at {strip}")

    bench.draw(UP_RIGHT, right_button=True)  # over Notepad: not a gesture in this mode
    wait_log(bench, prog, RELEASE, 1)
    expect(sent(bench, prog) == [], f"a gesture over Notepad was sent: {sent(bench, prog)}")
    close_menus(bench)

    bench.mouse_move(*STRIP)
    wide = wait_for(lambda: (lambda r: r if r and r[2] - r[0] == 257 else None)(
        pad_rect(bench, prog)), 10, "the scratchpad to widen")
    expect(wide[2] == 1917, f"the widened pad lies at {wide}")
    bench.draw([STRIP, INSIDE_PAD[0]])
    bench.draw(INSIDE_PAD, right_button=True)
    wait_for(lambda: sent(bench, prog) == ["03"], 10, "the gesture drawn in the pad to be sent")


if __name__ == "__main__":
    run_cases({"only_inside_the_pad": only_inside_the_pad})
