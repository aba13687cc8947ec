"""Writes a zip whose bytes depend only on its contents: entries in the order given, one fixed
time for every file, fixed attributes. Text files (.txt) get Windows line ends.

    make-zip.py OUT.zip EPOCH NAME=PATH ...
"""
import sys
import time
import zipfile


def entry(name: str, epoch: int) -> zipfile.ZipInfo:
    # Zip times are local times without a zone: UTC, so the build's time zone does not matter.
    stamp = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = 0  # MS-DOS attributes
    info.external_attr = 0x20  # archive
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def contents(name: str, path: str) -> bytes:
    data = open(path, "rb").read()
    if name.lower().endswith(".txt"):
        data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return data


def main() -> int:
    out, epoch, pairs = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    with zipfile.ZipFile(out, "w") as z:
        for pair in pairs:
            name, path = pair.split("=", 1)
            z.writestr(entry(name, epoch), contents(name, path), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main())
