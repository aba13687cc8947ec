#!/usr/bin/env python3
"""Start-up: a start runs hidden, a start with an argument hands its command to the running copy
and ends, and a second start without arguments runs as a second complete copy."""

from harness import INSTANCE_CLASS, Bench, expect, run_cases

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


if __name__ == "__main__":
    run_cases({"hidden": hidden, "forward": forward, "second_copy": second_copy})
