#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Varko 2000 — hostile input for everything the program reads, under a time limit a case.

    scripts/fuzz.py BUILD_DIR [--seed N] [--scripts N] [--sets N] [--jobs N] [--keep DIR]

Three kinds of case, each in a folder of its own that is the program's home,
data folder, temporary folder and rip-to folder:
  - a mutated rip script (and, one case in two, a mutated options.ini) packed
    headless with `varko2000 --pack`;
  - a good set with corrupted zips, .sfv, PAR2 files or volumes tested with
    `varko2000 --test`, or (one case in two) repaired with `varko2000 --repair`;
  - a hostile list file given to `wrar` and `wace` as the run gives it (one for each script case).
A case fails on: a signal or an exit status other than 0, 1 and 2; a report of
AddressSanitizer or UndefinedBehaviorSanitizer; the time limit; a file written
outside the case's folder (or into a folder the script does not name, or into the
set but by a repair, which leaves no temporary file); a change to the queued
files; "whole" (exit 0) for a set that unzip or 7z rejects.
Failing cases are kept. Exit status 1 when any case failed.
"""

import argparse
import concurrent.futures
import hashlib
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TIME_LIMIT = 20  # seconds a case may take
SANITIZER_MARKS = (b"ERROR: AddressSanitizer", b"runtime error:", b"ERROR: LeakSanitizer", b"SUMMARY: UndefinedBehavior")


def tree_digest(folder):
    digest = hashlib.sha256()
    for root, dirs, files in sorted(os.walk(folder)):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(root, name)
            digest.update(path.encode("utf-8", "surrogateescape"))
            if os.path.isfile(path) and not os.path.islink(path):
                with open(path, "rb") as f:
                    digest.update(f.read())
    return digest.hexdigest()


def all_files(folder):
    found = set()
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            found.add(os.path.relpath(os.path.join(root, name), folder))
    return found


class Fuzz:
    def __init__(self, args):
        self.bin = os.path.join(os.path.abspath(args.build), "bin")
        for tool in ("varko2000", "wrar", "wace"):
            if not os.access(os.path.join(self.bin, tool), os.X_OK):
                sys.exit(f"fuzz.py: {self.bin}/{tool} is missing (build first)")
        self.args = args
        self.root = tempfile.mkdtemp(prefix="varko-fuzz.")
        self.keep = args.keep or os.path.join(self.root, "kept")
        self.release = os.path.join(self.root, "rel")
        self.make_release()
        self.release_digest = tree_digest(self.release)
        self.good_set = self.make_good_set()
        self.failures = []
        self.statuses = {}  # (kind, exit status) -> count

    # -- the scene ---------------------------------------------------------------------------
    def make_release(self):
        rng = random.Random(1)
        os.makedirs(os.path.join(self.release, "sub"))
        files = {"file_id.diz": b"                         xx/xx\r\nA fuzzed release\r\n",
                 "rel.nfo": b"About\r\n", "data.bin": rng.randbytes(1_600_000), "sub/more.txt": b"more\n" * 200}
        for name, data in files.items():
            with open(os.path.join(self.release, name), "wb") as f:
                f.write(data)
        os.mkfifo(os.path.join(self.root, "fifo"))

    def script_lines(self, case):
        rel = self.release.encode()
        return [b"tdrive= " + case.encode() + b"/tmp", b"rarace= 1", b"savepaths= 1", b"size= 0", b"racomp= 0",
                b"zip= 1", b"nfo1st= 1", b"zipcomp= 0", b"riptodir= " + case.encode() + b"/rips/", b"zcomment= 0",
                b"comment= ", b"dnumber= 1", b"extra= ", b"extra= ",
                rel + b"/file_id.diz", rel + b"/rel.nfo", rel + b"/data.bin", rel + b"/sub"]

    def options_lines(self, case):
        return [b"warnings= 1", b"sound= 0", b"font= ", b"fonts= 10", b"procolor= ", b"view= 2", b"sort= 3",
                b"tdrive= " + case.encode() + b"/tmp/", b"rarace= 1", b"savepaths= 0", b"size= 3", b"racomp= 3",
                b"zip= 1", b"nfo1st= 0", b"zipcomp= 3", b"riptodir= " + case.encode() + b"/rips/", b"zcomment= 0",
                b"comment= ", b"dnumber= 0", b"layer= 0 ", b"extra= "]

    def new_case(self, kind, number):
        case = os.path.join(self.root, f"{kind}{number:05d}")
        for sub in ("home", "data", "tmp", "rips", "runtime"):
            os.makedirs(os.path.join(case, sub), mode=0o700)
        return case

    def environment(self, case):
        env = {k: v for k, v in os.environ.items() if k in ("PATH", "LANG", "LC_ALL")}
        env.update(HOME=f"{case}/home", VARKO_HOME=f"{case}/data", TMPDIR=f"{case}/tmp",
                   XDG_CONFIG_HOME=f"{case}/home/.config", XDG_RUNTIME_DIR=f"{case}/runtime",
                   QT_QPA_PLATFORM="offscreen",
                   ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:exitcode=99",
                   UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=98")
        return env

    def make_good_set(self):
        case = self.new_case("good", 0)
        script = os.path.join(case, "good.v2k")
        lines = self.script_lines(case)
        lines[3] = b"size= 1"  # half a megabyte a volume: a set of four zips
        with open(script, "wb") as f:
            f.write(b"\r\n".join(lines) + b"\r\n")
        done = subprocess.run([f"{self.bin}/varko2000", "--pack", script, "--name", "good", "--sfv", "--par2", "30"],
                              env=self.environment(case), cwd=case, capture_output=True, timeout=60)
        if done.returncode != 0:
            sys.exit(f"fuzz.py: the good set was not made: {done.stderr.decode(errors='replace')}")
        return os.path.join(case, "rips")

    # -- mutations --------------------------------------------------------------------------
    def hostile_line(self, rng, case):
        choices = [
            lambda: rng.randbytes(rng.randrange(200)).replace(b"\n", b"").replace(b"\r", b""),
            lambda: os.path.join(self.root, "fifo").encode(),
            lambda: b"/dev/zero",
            lambda: self.root.encode(),
            lambda: self.release.encode() + b"/*",
            lambda: b"riptodir= " + case.encode() + b"/gone/",
            lambda: b"riptodir= " + case.encode() + b"/rips\0/../home/",
            lambda: b"tdrive= " + case.encode() + b"/tmp" + b"\0" * rng.randrange(1, 5000),
            lambda: b"size= " + str(rng.randrange(-40000, 40000)).encode(),
            lambda: b"x" * rng.randrange(70_000),
            lambda: b"\\\\server\\share\\*.*",
            lambda: self.release.encode() + b"/data.bin",
            lambda: b"tdrive= /proc",
            lambda: b"comment= " + os.path.join(self.root, "fifo").encode(),
            lambda: b"riptodir= " + case.encode() + b"/r\xff\xfeips/",
            lambda: b"",
        ]
        return rng.choice(choices)()

    def mutate(self, rng, lines, case):
        lines = list(lines)
        for _ in range(rng.randrange(1, 4)):
            what = rng.randrange(6)
            at = rng.randrange(len(lines)) if lines else 0
            if what <= 2 and lines:
                lines[at] = self.hostile_line(rng, case)
            elif what == 3 and lines:
                line = bytearray(lines[at] or b" ")
                line[rng.randrange(len(line))] = rng.randrange(256)
                lines[at] = bytes(line).replace(b"\n", b"")
            elif what == 4 and lines:
                del lines[at]
            else:
                lines.insert(at, self.hostile_line(rng, case))
        if rng.random() < 0.1 and lines:
            at = rng.randrange(len(lines))
            lines = lines[:at] + [lines[at][:rng.randrange(len(lines[at]) + 1)]]
        # A row naming a folder outside the fuzz (a cut path leaves "/") would pack the whole
        # machine: a real request, but no case can finish it in its time.
        lines = [line for at, line in enumerate(lines) if at < 14 or not self.outside_folder(line)]
        return b"\r\n".join(lines) + b"\r\n"

    def outside_folder(self, line):
        path = os.path.normpath(line.decode("utf-8", "replace").rstrip("*").rstrip("/") or "/")
        return os.path.isdir(path) and not path.startswith(self.root)

    def corrupt_set(self, rng, folder):
        names = sorted(os.listdir(folder))
        zips = [n for n in names if n.endswith(".zip")]
        for _ in range(rng.randrange(1, 3)):
            target = os.path.join(folder, rng.choice(zips if rng.random() < 0.8 else names))
            if not os.path.exists(target):
                continue
            size = os.path.getsize(target)
            what = rng.randrange(6)
            with open(target, "r+b") as f:
                if what <= 2 and size:
                    for _ in range(rng.randrange(1, 8)):
                        f.seek(rng.randrange(size))
                        f.write(bytes([rng.randrange(256)]))
                elif what == 3:
                    f.truncate(rng.randrange(size + 1))
                elif what == 4:
                    f.seek(0, 2)
                    f.write(rng.randbytes(rng.randrange(1, 300)))
            if what == 5:
                os.remove(target)

    # -- running ----------------------------------------------------------------------------
    def run_case(self, kind, number):
        rng = random.Random(f"{self.args.seed}-{kind}-{number}")
        case = self.new_case(kind, number)
        if kind == "script":
            script = os.path.join(case, "case.v2k")
            with open(script, "wb") as f:
                f.write(self.mutate(rng, self.script_lines(case), case))
            if rng.random() < 0.5:
                with open(os.path.join(case, "data", "options.ini"), "wb") as f:
                    f.write(self.mutate(rng, self.options_lines(case), case))
            argv = [f"{self.bin}/varko2000", "--pack", script, "--name", "fz", "--replace"]
        elif kind in ("wrar", "wace"):
            with open(os.path.join(case, "case.list"), "wb") as f:
                f.write(b"\n".join(self.hostile_line(rng, case) for _ in range(rng.randrange(1, 7))) + b"\n")
            switches = ["-r0", "-v1440000b", "-m0", "-y"] if kind == "wrar" else ["-r", "-y", "-v1440", "-m0"]
            argv = [f"{self.bin}/{kind}", "a", *switches, f"{case}/tmp/fz.{kind[1:]}", "@case.list"]
        else:
            shutil.copytree(self.good_set, os.path.join(case, "set"))
            self.corrupt_set(rng, os.path.join(case, "set"))
            left = sorted(n for n in os.listdir(os.path.join(case, "set")) if n.endswith(".zip")) or ["good01.zip"]
            kind = "repair" if number % 2 else "set"
            argv = [f"{self.bin}/varko2000", f"--{kind.replace('set', 'test')}",
                    os.path.join(case, "set", rng.choice(left + ["good.par2"] * (kind == "repair")))]
        before = all_files(case)
        started = time.monotonic()
        # A session of its own: a case that overruns is ended with every archiver it started.
        process = subprocess.Popen(argv, env=self.environment(case), cwd=case, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, start_new_session=True)
        try:
            _, said = process.communicate(timeout=TIME_LIMIT)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            _, said = process.communicate()
            return self.failed(case, kind, number, f"no end within {TIME_LIMIT} s", said)
        done = subprocess.CompletedProcess(argv, process.returncode, None, said)
        self.statuses[(kind, done.returncode)] = self.statuses.get((kind, done.returncode), 0) + 1
        problem = self.judge(kind, case, done, before)
        if problem:
            return self.failed(case, kind, number, problem, done.stderr)
        shutil.rmtree(case, ignore_errors=True)
        return time.monotonic() - started

    def judge(self, kind, case, done, before):
        if done.returncode < 0:
            return f"ended by signal {-done.returncode}"
        if any(mark in done.stderr for mark in SANITIZER_MARKS):
            return "sanitizer report"
        if done.returncode not in (0, 1, 2):
            return f"exit status {done.returncode}"
        made = all_files(case) - before
        allowed = ("rips/", "data/", "tmp/", "home/.config") + (("set/",) if kind == "repair" else ())
        stray = sorted(p for p in made if not p.startswith(allowed) and p not in ("rips", "data", "tmp"))
        if stray:
            return f"wrote outside its folders: {stray[:3]}"
        if kind == "repair" and any(p.startswith("set/.") for p in all_files(case)):
            return "left a temporary file in the set"
        if kind == "script":
            zips_elsewhere = sorted(p for p in made if p.endswith(".zip") and not p.startswith("rips/"))
            if zips_elsewhere:
                return f"zips where the script does not say: {zips_elsewhere[:3]}"
        if kind in ("set", "repair") and done.returncode == 0:
            return self.reader_rejects(os.path.join(case, "set"))
        return None

    def reader_rejects(self, folder):
        """Our test said whole: unzip and 7z must agree."""
        unpacked = os.path.join(folder, "..", "unpacked")
        os.makedirs(unpacked, exist_ok=True)
        for name in sorted(os.listdir(folder)):
            if name.endswith(".zip"):
                if subprocess.run(["unzip", "-tq", os.path.join(folder, name)], capture_output=True).returncode:
                    return f"said whole, unzip rejects {name}"
                subprocess.run(["unzip", "-oq", os.path.join(folder, name), "-d", unpacked], capture_output=True)
        first = sorted(n for n in os.listdir(unpacked) if n.endswith(".rar"))
        if first and subprocess.run(["7z", "t", os.path.join(unpacked, first[0])], capture_output=True).returncode:
            return f"said whole, 7z rejects {first[0]}"
        return None

    def failed(self, case, kind, number, problem, said=b""):
        kept = os.path.join(self.keep, os.path.basename(case))
        shutil.rmtree(kept, ignore_errors=True)
        try:
            shutil.copytree(case, kept, symlinks=True, ignore_dangling_symlinks=True)
        except shutil.Error:
            pass  # what could be copied is kept; the rest went with the ended processes
        with open(os.path.join(kept, "said.txt"), "wb") as f:
            f.write(said)
        shutil.rmtree(case, ignore_errors=True)
        self.failures.append(f"{kind} {number}: {problem} (kept in {kept})")
        return None

    def run(self):
        cases = [(kind, n) for n in range(self.args.scripts) for kind in ("script", "wrar", "wace")]
        cases += [("set", n) for n in range(self.args.sets)]
        started = time.monotonic()
        with concurrent.futures.ThreadPoolExecutor(self.args.jobs) as pool:
            list(pool.map(lambda c: self.run_case(*c), cases))
        if tree_digest(self.release) != self.release_digest:
            self.failures.append("the queued files changed")
        for line in self.failures:
            print(line)
        ends = ", ".join(f"{kind} exit {status}: {count}" for (kind, status), count in sorted(self.statuses.items()))
        print(f"fuzz.py: {len(cases)} cases (seed {self.args.seed}) in {time.monotonic() - started:.0f} s, "
              f"{len(self.failures)} failed ({ends})")
        if not self.failures:
            shutil.rmtree(self.root, ignore_errors=True)
        return 1 if self.failures else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--scripts", type=int, default=300)
    parser.add_argument("--sets", type=int, default=300)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--keep")
    return Fuzz(parser.parse_args()).run()


if __name__ == "__main__":
    sys.exit(main())
