#!/usr/bin/env python3
"""Start-up: a start runs hidden, a start with an argument hands its command to the running copy
and ends, a second start without arguments runs as a second complete copy, and a copy in a folder
it cannot write to says so once and still runs."""

from harness import INSTANCE_CLASS, QUIET_SETTINGS, Bench, expect, fixtures, run_cases, wait_for
from test_config import close_config, make_read_only, open_config, unable_to_write_box

COMMAND_LINE = "Instance command received: "


def instance_windows(bench: Bench, winpid: int):
    return bench.windows(cls=INSTANCE_CLASS, pid=winpid)


def hidden(bench: Bench):
    """A start shows nothing: its instance windows and every other window of it exist hidden."""
    prog = bench.start_program()
    inst = instance_windows(bench, prog.winpid)
    # The first copy makes its instance window before all others and again with the rest.
    expect(len(inst) == 2, f"the first copy should hold two instance windows: {inst}")
    shown = [w for w in bench.windows(pid=prog.winpid) if w.visible]
    expect(not shown, f"a start shows windows of its own: {shown}")
    expect(prog.running(), "the program ended")


# Arguments of a second start, and the command the running copy receives (None: nothing). The
# starts run in this order, so a command leaked by an early row shows up among the later ones.
FORWARD_CASES = [
    (["-data"], None),
    (["-data", "CONFIG"], None),
    (["config"], "CONFIG"),
    (["Edit_Gestures"], "EDIT_GESTURES"),
    (["CONFIG", "EDIT_GESTURES"], "CONFIG"),
]


def forward(bench: Bench):
    """A start with an argument ends by itself, forwards only the two commands (first argument,
    letters in any case) and writes nothing into its working folder."""
    bench.run_messenger("CONFIG")  # no copy runs: the command is dropped, the start still ends
    expect(not bench.program_pids(), "a start with CONFIG and no running copy stays running")

    prog = bench.start_program()
    for args, _ in FORWARD_CASES:
        bench.run_messenger(*args)
        pids = bench.program_pids()
        expect(pids == {prog.winpid}, f"after the start with {args}, copies run: {pids}")
    expect(prog.running(), "the running copy ended")

    received = [ln.message[len(COMMAND_LINE):] for ln in reversed(bench.save_log(prog))
                if ln.message.startswith(COMMAND_LINE)]
    expected = [cmd for _, cmd in FORWARD_CASES if cmd]
    expect(received == expected, f"commands received {received}, expected {expected}")
    expect(not any(bench.cwd.iterdir()),
           f"a start wrote into its working folder: {list(bench.cwd.iterdir())}")


def second_copy(bench: Bench):
    """A second start without arguments runs as a second complete copy beside the first."""
    first = bench.start_program()
    second = bench.start_program()
    pids = bench.program_pids()
    expect(pids == {first.winpid, second.winpid}, f"expected two copies, running: {pids}")
    expect(len(instance_windows(bench, first.winpid)) == 2,
           "the first copy should hold two instance windows")
    expect(len(instance_windows(bench, second.winpid)) == 1,
           "a later copy should hold one instance window (made with its other windows)")
    for prog in (first, second):
        shown = [w for w in bench.windows(pid=prog.winpid) if w.visible]
        expect(not shown, f"copy {prog.winpid} shows windows: {shown}")
    expect(first.running() and second.running(), "a copy ended")


def visible_boxes(bench: Bench, prog):
    return {w.hwnd: " ".join(s.text for s in bench.children(w, cls="Static"))
            for w in bench.windows(cls="#32770", pid=prog.winpid, visible=True)}


@fixtures(QUIET_SETTINGS)
def unwritable_folder(bench: Bench):
    """In a folder that takes no files the program runs, says so once at start with where to move
    it, a save asked for in a window still says it failed, and the end adds no box."""
    files = [bench.data / name for name in ("Farrowglimmer.exe", *QUIET_SETTINGS)]
    before = {f.name: f.read_bytes() for f in files}
    for path in (*files, bench.data):
        make_read_only(path, True)
    try:
        prog = bench.start_program()
        boxes = wait_for(lambda: visible_boxes(bench, prog) or None, 10, "the start-up message")
        expect(len(boxes) == 1, f"more than one box at start: {boxes}")
        (hwnd, text), = boxes.items()
        expect("cannot save in its folder" in text and "will not be kept" in text
               and "Programs\\Farrowglimmer" in text, f"the message {text!r}")
        bench.dismiss(next(w for w in bench.windows(cls="#32770", pid=prog.winpid)
                           if w.hwnd == hwnd))
        expect(prog.running(), "the program ended after its message")

        # A save asked for never looks as if it worked.
        close_config(bench, open_config(bench, prog))
        box, text = unable_to_write_box(bench, prog)
        expect("defaults.ini" in text, f"the message {text!r}")
        bench.dismiss(box)

        bench.probe("close", next(w for w in instance_windows(bench, prog.winpid)).hwnd)
        wait_for(lambda: not prog.running() or visible_boxes(bench, prog), 10,
                 "the program to end")
        expect(not prog.running(), f"a box at the end: {visible_boxes(bench, prog)}")
        expect(prog.popen.returncode == 0, f"the program ended with {prog.popen.returncode}")
        expect(sorted(p.name for p in bench.data.iterdir()) == sorted(before),
               f"files appeared: {sorted(p.name for p in bench.data.iterdir())}")
        expect(all(f.read_bytes() == before[f.name] for f in files), "a file changed")
    finally:
        for path in (bench.data, *files):
            make_read_only(path, False)
        bench.data.chmod(0o755)


if __name__ == "__main__":
    run_cases({"hidden": hidden, "forward": forward, "second_copy": second_copy,
               "unwritable_folder": unwritable_folder})
