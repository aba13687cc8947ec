#!/usr/bin/env python3
"""Start-up: a start runs hidden, a start with an argument hands its command to the running copy
and ends, and a second start without arguments hands over to the running copy, which shows its
Edit Gestures window, and ends."""

from harness import INSTANCE_CLASS, Bench, expect, run_cases, wait_for

COMMAND_LINE = "Instance command received: "
EDIT_GESTURES = "Farrowglimmer - Edit Gestures"
TRAY_TITLE = "Farrowglimmer - System Tray"


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


def second_start(bench: Bench):
    """A second start without arguments ends by itself, without a tray icon or a window of its
    own, and the running copy shows its Edit Gestures window in front."""
    first = bench.start_program()
    bench.run_messenger()
    pids = bench.program_pids()
    expect(pids == {first.winpid}, f"after a second start, copies run: {pids}")
    edit = bench.find(title=EDIT_GESTURES, pid=first.winpid, visible=True)
    wait_for(lambda: (f := bench.foreground()) is not None and f.hwnd == edit.hwnd, 5,
             "the Edit Gestures window in front")
    trays = bench.windows(title=TRAY_TITLE)
    expect([w.pid for w in trays] == [first.winpid], f"tray windows: {trays}")
    received = [ln.message[len(COMMAND_LINE):] for ln in bench.save_log(first)
                if ln.message.startswith(COMMAND_LINE)]
    expect(received == ["EDIT_GESTURES"], f"commands received: {received}")
    expect(first.running(), "the running copy ended")
    expect(not any(bench.cwd.iterdir()),
           f"a start wrote into its working folder: {list(bench.cwd.iterdir())}")


if __name__ == "__main__":
    run_cases({"hidden": hidden, "forward": forward, "second_start": second_start})
