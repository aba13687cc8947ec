#!/usr/bin/env python3
"""Debug log: saving through the hidden debug window writes Debug.txt (UTF-16LE with a byte order
mark, CR LF, newest line first) and keeps every earlier file as Debug.txt.bakN, byte for byte."""

from harness import LOG_FILE, Bench, expect, run_cases

COMMAND_LINE = "Instance command received: "


def save(bench: Bench):
    prog = bench.start_program()
    # Forwarded commands give the log known lines in a known order.
    sent = ["CONFIG", "EDIT_GESTURES"]
    for command in sent:
        bench.run_messenger(command)

    saved = []  # the bytes of each save, oldest first
    for n in range(3):
        if n:
            sent.append("CONFIG")  # something new to go on top of the previous save
            bench.run_messenger("CONFIG")
        lines = bench.save_log(prog)
        bench.check_log_times(lines)
        raw = (bench.data / LOG_FILE).read_bytes()
        received = [ln.message[len(COMMAND_LINE):] for ln in lines
                    if ln.message.startswith(COMMAND_LINE)]
        expect(received == sent[::-1], f"save {n + 1}: command lines newest first are "
                                       f"{received}, expected {sent[::-1]}")
        if saved:
            # Lines only ever join at the top: the last save is the tail of this one.
            expect(raw[2:].endswith(saved[-1][2:]) and len(raw) > len(saved[-1]),
                   f"save {n + 1} does not extend the previous log at its top")
        saved.append(raw)
        backups = [bench.data / f"{LOG_FILE}.bak{k}" for k in range(1, n + 1)]
        for k, path in enumerate(backups):
            expect(path.is_file() and path.read_bytes() == saved[k],
                   f"after save {n + 1}, {path.name} is not the bytes of save {k + 1}")
        extra = {p.name for p in bench.data.glob(f"{LOG_FILE}*")} - {LOG_FILE} - {
            p.name for p in backups}
        expect(not extra, f"unexpected files after save {n + 1}: {sorted(extra)}")


if __name__ == "__main__":
    run_cases({"save": save})
