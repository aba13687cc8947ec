"""End-to-end bench: runs the real Farrowglimmer.exe under Wine in a virtual desktop and drives it.

A `Bench` owns everything a case starts: an Xvfb (only when DISPLAY is unset), the Wine server of
the build's prefix, the program copies, Notepad, and a fresh data folder holding a copy of the exe.
Every wait polls with a deadline; leaving the `with` block ends the processes by pid, ends the
prefix's Wine server and stops the Xvfb.

Scripts define case functions taking a Bench and call `run_cases({...})`. A case fails by raising
`Failure` (exit 1) and skips by raising `Skip` (exit 125, CTest's SKIP_RETURN_CODE).
"""

from __future__ import annotations

import argparse
import datetime as dt
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
PROGRAM_EXE = "Farrowglimmer.exe"
INSTANCE_CLASS = "Farrowglimmer.FrmDummyInstance"
DEBUG_TITLE = "Debug Window"
WELCOME_TITLE = "Farrowglimmer - Welcome"
LOG_FILE = "Debug.txt"
# A settings file that marks the welcome tutorial as seen, so a start opens no window by itself.
QUIET_SETTINGS = {"defaults.ini": "[init]\r\nWelcomeShown=1\r\n"}

XDO_STEP_PX = 8
XDO_STEP_S = 0.02
POLL_S = 0.1


def run_quiet(cmd, env, timeout, cwd=None) -> subprocess.CompletedProcess:
    """Runs a command with its output in files, not pipes: a Wine server or Wine service that the
    command starts inherits the output handles and would hold a pipe open long after it ends."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        r = subprocess.run(cmd, cwd=cwd, env=env, stdin=subprocess.DEVNULL, stdout=out,
                           stderr=err, timeout=timeout)
        out.seek(0)
        err.seek(0)
        r.stdout = out.read().decode("utf-8", "replace")
        r.stderr = err.read().decode("utf-8", "replace")
    return r


class Failure(Exception):
    """The program did not behave as expected."""


class Skip(Exception):
    """Wine or the machine cannot run this case; reported as a skip, never as a pass."""


def wait_for(check, timeout, what, interval=POLL_S):
    """Polls `check` until it returns a truthy value (returned) or the deadline passes."""
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Failure(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def expect(condition, message):
    if not condition:
        raise Failure(message)


@dataclass(frozen=True)
class Window:
    """One line of the probe's output."""

    hwnd: str
    cls: str
    text: str
    visible: bool
    pid: int
    exe: str
    ctrl_id: int

    @staticmethod
    def parse(line: str) -> "Window":
        f = [_unescape(x) for x in line.split("\t")]
        return Window(f[0], f[1], f[2], f[3] == "1", int(f[4]), f[5], int(f[6]))


def _unescape(s: str) -> str:
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "r": "\r", "n": "\n"}.get(m[1], m[1]), s)


@dataclass
class Program:
    """A started copy of the program: the Linux process and, once known, its Windows pid."""

    popen: subprocess.Popen
    winpid: int = 0

    def running(self) -> bool:
        return self.popen.poll() is None


class TimeFormat:
    """Matches a time of day written in the user's long time format (as Windows pictures it)."""

    _TOKENS = [
        ("HH", r"(?P<H>\d{2})"), ("H", r"(?P<H>\d{1,2})"),
        ("hh", r"(?P<h>\d{2})"), ("h", r"(?P<h>\d{1,2})"),
        ("mm", r"(?P<m>\d{2})"), ("m", r"(?P<m>\d{1,2})"),
        ("ss", r"(?P<s>\d{2})"), ("s", r"(?P<s>\d{1,2})"),
    ]

    def __init__(self, picture: str, am: str, pm: str):
        self.picture, self.am, self.pm = picture, am, pm
        out, i = [], 0
        while i < len(picture):
            if picture[i] == "'":
                end = picture.find("'", i + 1)
                end = len(picture) if end < 0 else end
                out.append(re.escape(picture[i + 1:end]))
                i = end + 1
                continue
            if picture[i] == "t":
                n = 2 if picture.startswith("tt", i) else 1
                marks = [m if n == 2 else m[:1] for m in (am, pm) if m]
                out.append("(?P<t>" + "|".join(map(re.escape, marks)) + ")" if marks else "")
                i += n
                continue
            for token, rx in self._TOKENS:
                if picture.startswith(token, i):
                    out.append(rx)
                    i += len(token)
                    break
            else:
                out.append(re.escape(picture[i]))
                i += 1
        self.regex = "".join(out)

    def seconds(self, m: re.Match) -> int:
        """Seconds since midnight of a match of `regex`."""
        g = m.groupdict()
        if g.get("H") is not None:
            hour = int(g["H"])
        else:
            hour = int(g["h"]) % 12
            mark = g.get("t") or ""
            if mark and self.pm.startswith(mark) and not self.am.startswith(mark):
                hour += 12
        return hour * 3600 + int(g["m"]) * 60 + int(g["s"])


@dataclass(frozen=True)
class LogLine:
    time: int  # seconds since midnight
    early: bool  # appended before the debug window existed: "(x)" after the time
    message: str


class Bench:
    def __init__(self, opts, case: str, fixtures: dict[str, str | bytes] | None = None,
                 dpi: int = 96):
        self.opts = opts
        self.case = case
        # Another DPI lives in a prefix of its own beside the build's, made once and kept: the
        # build's prefix is never changed, even by a run that is killed.
        self.dpi = dpi
        self.prefix = opts.prefix if dpi == 96 else opts.prefix.with_name(
            f"{opts.prefix.name}-dpi{dpi}")
        self.fixtures = QUIET_SETTINGS if fixtures is None else fixtures
        self.tracked: list[subprocess.Popen] = []
        self.xvfb: subprocess.Popen | None = None
        self.env = dict(os.environ)
        self.run_dir = Path()
        self.data = Path()
        self.cwd = Path()
        self._time_format: TimeFormat | None = None
        self._started_at = dt.datetime.now()

    # ----- set-up and tear-down ------------------------------------------------------------------

    def __enter__(self) -> "Bench":
        try:
            self._check_tools()
            self.opts.work.mkdir(parents=True, exist_ok=True)
            self.run_dir = Path(tempfile.mkdtemp(prefix=f"{self.case}-", dir=self.opts.work))
            self.data = self.run_dir / "data"
            self.cwd = self.run_dir / "cwd"
            self.data.mkdir()
            self.cwd.mkdir()
            shutil.copy2(self.opts.exe, self.data / PROGRAM_EXE)
            for name, content in self.fixtures.items():
                mode = "wb" if isinstance(content, bytes) else "w"
                with open(self.data / name, mode, **({} if mode == "wb" else {"newline": ""})) as f:
                    f.write(content)
            if not self.env.get("DISPLAY"):
                self._start_xvfb()
            self._wine_env()
            self._ensure_prefix()
            # A Wine server left over from an aborted run may still hold a dead display.
            self._wineserver("-k")
            self._wineserver("-w")
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def __exit__(self, exc_type, exc, tb):
        if exc_type is not None and exc_type is not Skip and self.env.get("DISPLAY"):
            self._keep_evidence()
        for p in self.tracked:
            if p.poll() is None:
                p.kill()
        self._wineserver("-k")
        self._wineserver("-w")
        for p in self.tracked:
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self._stop_xvfb()
        if exc_type is None and not self.opts.keep and self.run_dir != Path():
            shutil.rmtree(self.run_dir, ignore_errors=True)
        elif self.run_dir != Path():
            print(f"[{self.case}] run folder kept: {self.run_dir}", file=sys.stderr)
        return False

    def _check_tools(self):
        for tool in ("wine", "wineserver", "xdotool"):
            if not shutil.which(tool):
                raise Skip(f"{tool} is not installed")
        if not os.environ.get("DISPLAY") and not shutil.which("Xvfb"):
            raise Skip("no display and no Xvfb")

    def _start_xvfb(self):
        for n in range(90, 141):
            if Path(f"/tmp/.X11-unix/X{n}").exists() or Path(f"/tmp/.X{n}-lock").exists():
                continue
            proc = subprocess.Popen(
                ["Xvfb", f":{n}", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 10
            while proc.poll() is None and time.monotonic() < deadline:
                if Path(f"/tmp/.X11-unix/X{n}").exists():
                    self.xvfb = proc
                    self.env["DISPLAY"] = f":{n}"
                    return
                time.sleep(0.05)
            proc.kill()
            proc.wait()
        raise Skip("no X server could be started")

    def _stop_xvfb(self):
        if self.xvfb is not None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
            self.xvfb = None

    def _wine_env(self):
        self.env.update(WINEPREFIX=str(self.prefix), WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")

    def _ensure_prefix(self):
        script = f'. "{ROOT}/tools/wine-env.sh"; fg_wine_env "$1"; fg_ensure_prefix "$2"'
        r = run_quiet(["bash", "-c", script, "bash", str(self.prefix), str(self.dpi)], self.env,
                      240)
        if r.returncode != 0:
            raise Skip(f"the Wine prefix could not be made ready: {r.stderr[-300:]}")

    def _wineserver(self, flag):
        if "WINEPREFIX" not in self.env:
            return
        try:
            subprocess.run(["wineserver", flag], env=self.env, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            pass

    def _keep_evidence(self):
        try:
            self.screenshot(self.run_dir / "failure.png")
            listing = self.probe("list", check=False).stdout
            (self.run_dir / "windows.txt").write_text(listing)
        except Exception as e:  # evidence is best effort; the case has failed already
            print(f"[{self.case}] no evidence saved: {e}", file=sys.stderr)

    # ----- processes -----------------------------------------------------------------------------

    def spawn(self, args, log_name) -> subprocess.Popen:
        log = open(self.run_dir / f"{log_name}.log", "ab")
        p = subprocess.Popen(["wine", *map(str, args)], cwd=self.cwd, env=self.env,
                             stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.tracked.append(p)
        return p

    def processes(self, exe: str) -> set[int]:
        """Windows pids of the running processes with that executable name."""
        out = self.probe("procs", "--exe", exe).stdout
        return {int(line.split("\t")[0]) for line in out.splitlines() if line}

    def program_pids(self) -> set[int]:
        return self.processes(PROGRAM_EXE)

    def start_program(self, *args, timeout=30) -> Program:
        """Starts a copy that runs; returns once it has made its windows and handles messages."""
        before = self.program_pids()
        prog = Program(self.spawn([self.data / PROGRAM_EXE, *args], "program"))

        def new_instance():
            expect(prog.running(), f"the program exited with {prog.popen.returncode} at start")
            found = [w for w in self.windows(cls=INSTANCE_CLASS, exe=PROGRAM_EXE)
                     if w.pid not in before]
            return found[0] if found else None

        inst = wait_for(new_instance, timeout, "the instance window of the new copy")
        prog.winpid = inst.pid
        # The debug window is made with the other windows, after the first instance window, and
        # the welcome window last of all; the settings are read after it. A sync sent before that
        # could be answered while an earlier window waits on another process (the tray icon
        # does), before the settings are read: the copy would seem ready while it is still busy.
        self.find(timeout, title=DEBUG_TITLE, pid=prog.winpid)
        self.find(timeout, title=WELCOME_TITLE, pid=prog.winpid)
        answered = self.probe("sync", inst.hwnd, "10000").returncode == 0
        if not answered and prog.running():
            # A sync refused at once on a fresh Wine server was seen once in CI; while the copy runs,
            # ask once more before calling it deaf.
            time.sleep(0.5)
            answered = self.probe("sync", inst.hwnd, "10000").returncode == 0
        if not answered:
            # Say what became of the copy: still there but deaf, or gone (and how), with what Wine
            # printed for it.
            time.sleep(0.5)
            state = ("it still runs" if prog.running()
                     else f"it ended with {prog.popen.returncode:#x}")
            alive = self.probe("exists", inst.hwnd, check=False).returncode == 0
            log = (self.run_dir / "program.log").read_text(errors="replace")[-1500:]
            raise Failure(f"the new copy does not handle messages ({state}, its instance window "
                          f"{'exists' if alive else 'is gone'}); its output: {log!r}")
        return prog

    def run_messenger(self, *args, timeout=20) -> int:
        """Runs a start that is expected to end by itself; returns its exit code."""
        p = self.spawn([self.data / PROGRAM_EXE, *args], "messenger")
        wait_for(lambda: p.poll() is not None, timeout,
                 f"the start with {list(args)} to end by itself")
        return p.returncode

    def start_notepad(self, timeout=30) -> tuple[subprocess.Popen, Window]:
        before = self.processes("notepad.exe")
        p = self.spawn(["notepad"], "notepad")
        win = wait_for(lambda: next((w for w in self.windows(cls="Notepad", visible=True)
                                     if w.pid not in before), None), timeout, "Notepad's window")
        return p, win

    def notepad_text(self, notepad: Window) -> str:
        edit = self.child(notepad, cls="Edit")
        return self.text(edit)

    # ----- the probe -----------------------------------------------------------------------------

    def probe(self, *args, check=True, timeout=30) -> subprocess.CompletedProcess:
        r = run_quiet(["wine", str(self.opts.probe), *map(str, args)], self.env, timeout,
                      cwd=self.run_dir)
        if check and r.returncode not in (0, 1):
            raise Failure(f"probe {args} failed ({r.returncode}): {r.stderr[-500:]}")
        return r

    @staticmethod
    def _filters(cls=None, title=None, visible=False, pid=None, exe=None):
        args = []
        for flag, value in (("--class", cls), ("--title", title), ("--pid", pid), ("--exe", exe)):
            if value is not None:
                args += [flag, value]
        return args + (["--visible"] if visible else [])

    def windows(self, **filters) -> list[Window]:
        """Top-level windows matching class, title, visible, pid (Windows pid) and exe."""
        out = self.probe("list", *self._filters(**filters)).stdout
        return [Window.parse(line) for line in out.splitlines() if line]

    def find(self, timeout=10, **filters) -> Window:
        return wait_for(lambda: next(iter(self.windows(**filters)), None), timeout,
                        f"a window {filters}")

    def children(self, parent: Window, cls=None, text=None) -> list[Window]:
        args = self._filters(cls=cls) + (["--text", text] if text is not None else [])
        out = self.probe("children", parent.hwnd, *args).stdout
        return [Window.parse(line) for line in out.splitlines() if line]

    def child(self, parent: Window, timeout=10, **filters) -> Window:
        return wait_for(lambda: next(iter(self.children(parent, **filters)), None), timeout,
                        f"a child {filters} of {parent.cls!r} {parent.text!r}")

    def text(self, win: Window) -> str:
        r = self.probe("text", win.hwnd)
        expect(r.returncode == 0, f"window {win.hwnd} is gone")
        return r.stdout

    def exists(self, win: Window) -> bool:
        return self.probe("exists", win.hwnd).returncode == 0

    def click(self, button: Window):
        """A click as the parent sees it (WM_COMMAND, BN_CLICKED); works on hidden windows."""
        expect(self.probe("click", button.hwnd).returncode == 0, f"cannot click {button}")

    def ok(self, win: Window):
        expect(self.probe("ok", win.hwnd).returncode == 0, f"cannot post IDOK to {win}")

    def foreground(self) -> Window | None:
        r = self.probe("foreground")
        return Window.parse(r.stdout.splitlines()[0]) if r.returncode == 0 else None

    def message_box(self, pid: int, text: str, timeout=10) -> Window:
        """Waits for a visible message box of process `pid` whose text is `text`."""

        def box():
            for w in self.windows(cls="#32770", pid=pid, visible=True):
                if any(s.text == text for s in self.children(w, cls="Static")):
                    return w
            return None

        return wait_for(box, timeout, f"a message box {text!r}")

    def dismiss(self, box: Window, timeout=10):
        self.ok(box)
        wait_for(lambda: not self.exists(box), timeout, "the message box to close")

    # ----- the debug log -------------------------------------------------------------------------

    def time_format(self) -> TimeFormat:
        if self._time_format is None:
            lines = self.probe("timefmt").stdout.splitlines()
            expect(len(lines) == 3, f"no time format from the probe: {lines}")
            self._time_format = TimeFormat(*lines)
        return self._time_format

    def save_log(self, prog: Program) -> list[LogLine]:
        """Saves the log through the hidden debug window, dismisses the confirmation and returns
        the lines of <data>/Debug.txt, newest first, after checking the file's format."""
        debug = self.find(title=DEBUG_TITLE, pid=prog.winpid)
        self.click(self.child(debug, cls="Button", text="Save"))
        self.dismiss(self.message_box(prog.winpid, "Debug.txt Created"))
        return self.parse_log((self.data / LOG_FILE).read_bytes())

    def parse_log(self, raw: bytes) -> list[LogLine]:
        """Checks a saved log (BOM FF FE, UTF-16LE, CR LF after every line, each line a time in
        the user's long time format, then ": " or ":(x) " and the message) and decodes it."""
        expect(raw[:2] == b"\xff\xfe", f"the log does not start with FF FE: {raw[:8]!r}")
        expect(len(raw) % 2 == 0, "the log has an odd number of bytes")
        text = raw[2:].decode("utf-16-le")
        expect(text == "" or text.endswith("\r\n"), "the last log line does not end with CR LF")
        rows = text.split("\r\n")[:-1] if text else []
        fmt = self.time_format()
        line_rx = re.compile(f"^{fmt.regex}(?P<sep>: |:\\(x\\) )(?P<msg>.*)$", re.S)
        lines = []
        for row in rows:
            expect("\r" not in row and "\n" not in row, f"a bare CR or LF in log line {row!r}")
            m = line_rx.match(row)
            expect(m, f"log line {row!r} is not '<time {fmt.picture}>: <message>'")
            lines.append(LogLine(fmt.seconds(m), m["sep"] != ": ", m["msg"]))
        return lines

    def check_log_times(self, lines: list[LogLine]):
        """Times lie between the bench's start and now and never grow from one line to the next
        older one (newest first); the lines from before the debug window existed are the oldest."""
        start, now = self._started_at, dt.datetime.now()
        if start.date() != now.date():
            return  # the run crossed midnight: times of day do not order
        lo = start.hour * 3600 + start.minute * 60 + start.second - 1
        hi = now.hour * 3600 + now.minute * 60 + now.second + 1
        for ln in lines:
            expect(lo <= ln.time <= hi, f"log time {ln.time} s outside the run ({lo}..{hi}): {ln}")
        for newer, older in zip(lines, lines[1:]):
            expect(newer.time >= older.time, f"log not newest first: {newer} before {older}")
            expect(not newer.early or older.early, f"'(x)' line {newer} is newer than {older}")

    # ----- mouse and screen ----------------------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=60)

    def mouse_move(self, x, y):
        self.xdotool("mousemove", x, y)

    def right_down(self):
        self.xdotool("mousedown", 3)

    def right_up(self):
        self.xdotool("mouseup", 3)

    def draw(self, points, right_button=False, hold_s=0.12):
        """Moves the pointer along a polyline in steps of 8 px, 20 ms apart (one xdotool run, so
        the pacing does not depend on process start-up), optionally holding the right button and
        resting `hold_s` at the end before the release, as a hand does."""
        cmd = ["mousemove", *points[0]]
        if right_button:
            cmd += ["sleep", XDO_STEP_S, "mousedown", 3]
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = max(1, -(-max(abs(x1 - x0), abs(y1 - y0)) // XDO_STEP_PX))
            for i in range(1, steps + 1):
                cmd += ["sleep", XDO_STEP_S, "mousemove",
                        x0 + round((x1 - x0) * i / steps), y0 + round((y1 - y0) * i / steps)]
        if right_button:
            cmd += ["sleep", max(float(XDO_STEP_S), hold_s), "mouseup", 3]
        self.xdotool(*cmd)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, timeout=30,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# ----- running cases -------------------------------------------------------------------------------


def _options(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--exe", type=Path, required=True, help="the built Farrowglimmer.exe")
    ap.add_argument("--probe", type=Path, required=True, help="the built fgprobe.exe")
    ap.add_argument("--prefix", type=Path, required=True, help="the build's Wine prefix")
    ap.add_argument("--work", type=Path, help="folder for the runs' data folders")
    ap.add_argument("--case", action="append", help="case to run (repeatable; default: all)")
    ap.add_argument("--timeout", type=float, default=100,
                    help="seconds for each case before it is stopped and cleaned up")
    ap.add_argument("--keep", action="store_true", help="keep the run folders of passing cases")
    opts = ap.parse_args(argv)
    opts.work = (opts.work or opts.prefix.parent / "e2e-runs").resolve()
    opts.exe, opts.probe, opts.prefix = (p.resolve() for p in (opts.exe, opts.probe, opts.prefix))
    return opts


class _Timeout(BaseException):
    pass


def _raise_timeout(signum, _frame):
    raise _Timeout(f"stopped by signal {signum}")


def run_cases(cases, argv=None):
    """Runs the selected cases, each with a fresh Bench; exits 0 (all passed), 1 (a failure) or
    125 (nothing failed and something was skipped)."""
    opts = _options(sys.argv[1:] if argv is None else argv)
    names = opts.case or list(cases)
    unknown = [n for n in names if n not in cases]
    if unknown:
        sys.exit(f"unknown case(s) {unknown}; known: {list(cases)}")
    missing = [str(p) for p in (opts.exe, opts.probe) if not p.is_file()]
    if missing:
        sys.exit(f"not built: {', '.join(missing)}")
    # Stop before CTest's own timeout, so that the clean-up still runs.
    signal.signal(signal.SIGALRM, _raise_timeout)
    signal.signal(signal.SIGTERM, _raise_timeout)
    results = {}
    for name in names:
        t0 = time.monotonic()
        signal.setitimer(signal.ITIMER_REAL, opts.timeout)
        try:
            with Bench(opts, name, getattr(cases[name], "fixtures", None),
                       getattr(cases[name], "dpi", 96)) as bench:
                cases[name](bench)
            results[name] = "PASS"
        except Skip as e:
            results[name] = f"SKIP ({e})"
        except (Failure, _Timeout) as e:
            results[name] = f"FAIL: {e}"
        except Exception:
            traceback.print_exc()
            results[name] = "FAIL (error)"
        finally:
            signal.setitimer(signal.ITIMER_REAL, 0)
        print(f"{name}: {results[name]} [{time.monotonic() - t0:.1f} s]", flush=True)
    if any(r.startswith("FAIL") for r in results.values()):
        sys.exit(1)
    sys.exit(125 if any(r.startswith("SKIP") for r in results.values()) else 0)


def desktop_dpi(dpi: int):
    """Decorator: this case runs on a Wine desktop of that DPI (in a prefix of its own)."""

    def mark(case):
        case.dpi = dpi
        return case

    return mark


def fixtures(files: dict[str, str | bytes]):
    """Decorator: the data folder of this case holds `files` instead of the quiet settings."""

    def mark(case):
        case.fixtures = files
        return case

    return mark
