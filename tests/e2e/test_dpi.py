#!/usr/bin/env python3
"""The program on a desktop at 150 % (144 DPI): its windows are laid out at that scale, and a
gesture drawn with the same hand movement as at 100 % (every stroke 1.5 times as many pixels) is
the same gesture, while a flick too short at 100 % stays too short."""

from gestures import RELEASE, UP_RIGHT, close_menus, messages, sent, wait_log
from harness import DEBUG_TITLE, Bench, desktop_dpi, expect, fixtures, run_cases, wait_for

DPI = 144
SCRATCHPAD_SETTINGS = "[init]\r\nWelcomeShown=1\r\nrbFullscreen=0\r\nrbScratchpad=1\r\n"
THRESHOLDS = "[FMMovements] DPI 144: pixel thresholds 45,38"
FLICK = [(500, 500), (524, 500)]  # at 100 % inside the 30-pixel start box: no stroke


def scaled(points, factor=DPI / 96):
    """The polyline stretched about its first point."""
    x0, y0 = points[0]
    return [(x0 + round((x - x0) * factor), y0 + round((y - y0) * factor)) for x, y in points]


def info(bench: Bench, win):
    """The window rectangle and the client size the probe reads."""
    rows = dict(ln.split("\t", 1) for ln in bench.probe("info", win.hwnd).stdout.splitlines()
                if ln.startswith(("rect\t", "client\t")))
    rect = tuple(int(v) for v in rows["rect"].split("\t"))
    client = tuple(int(v) for v in rows["client"].split("\t"))
    return rect, client


def pad_rect(bench: Bench, prog):
    pads = bench.windows(cls="TFrmScratchPad", pid=prog.winpid, visible=True)
    return info(bench, pads[0])[0] if pads else None


@desktop_dpi(DPI)
def gestures(bench: Bench):
    prog = bench.start_program()
    bench.start_notepad()

    # The debug window's table at 150 %: client 542 x 503 becomes 813 x 755, "Copy" 75 x 25
    # at 455,64 becomes 683,96 to 795,134.
    debug = bench.find(title=DEBUG_TITLE, pid=prog.winpid)
    _, client = info(bench, debug)
    expect(client == (813, 755), f"the debug window's client area is {client}")
    rect, _ = info(bench, bench.child(debug, cls="Button", text="Copy"))
    size = (rect[2] - rect[0], rect[3] - rect[1])
    expect(size == (112, 38), f"the Copy button is {size}")

    bench.draw(scaled(UP_RIGHT), right_button=True)
    wait_log(bench, prog, RELEASE, 1)
    expect(sent(bench, prog) == ["03"], f"up then right at 150 % sent {sent(bench, prog)}")
    expect(THRESHOLDS in messages(bench, prog, "[FMMovements] DPI"),
           "the analysis does not log the thresholds of 144 DPI")
    close_menus(bench)

    bench.draw(scaled(FLICK), right_button=True)
    wait_log(bench, prog, RELEASE, 2)
    expect(sent(bench, prog) == ["03"], f"a short flick was a gesture: {sent(bench, prog)}")
    close_menus(bench)


@desktop_dpi(DPI)
@fixtures({"defaults.ini": SCRATCHPAD_SETTINGS})
def scratchpad(bench: Bench):
    prog = bench.start_program()
    # At 150 % the pad is 386 x 468 (257 x 312), the strip 8 wide (5), the gap 5 (3): halfway
    # down the 1080-pixel monitor, 540 - 234 = 306.
    strip = wait_for(lambda: pad_rect(bench, prog), 10, "the scratchpad's strip")
    expect(strip == (1912, 306, 1920, 774), f"the strip lies at {strip}")
    bench.mouse_move(1917, 540)
    wide = wait_for(lambda: (lambda r: r if r and r[2] - r[0] > 8 else None)(
        pad_rect(bench, prog)), 10, "the scratchpad to widen")
    expect(wide == (1529, 306, 1915, 774), f"the widened pad lies at {wide}")

    inside = scaled([(1620, 700), (1620, 620), (1780, 620)])  # below the 32-pixel title
    bench.draw([(1917, 540), inside[0]])
    bench.draw(inside, right_button=True)
    wait_for(lambda: sent(bench, prog) == ["03"], 10, "the gesture drawn in the pad to be sent")


if __name__ == "__main__":
    run_cases({"gestures": gestures, "scratchpad": scratchpad})
