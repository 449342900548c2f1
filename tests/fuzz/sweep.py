#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Random command lines and random settings files against the quadrix program.

usage: sweep.py QUADRIX [RUNS]

Half the runs come from a fixed seed, the same every time, the other half from
a seed of this run, printed (QUADRIX_SWEEP_SEED=N repeats it). Every run ends
with exit 0, 1 or 2 within its time, without a sanitizer finding; a failed run
says why in one line, and bad input (2) leaves no file; a run that succeeds
leaves a whole PDF or SVG and, when asked, a card that YAML loads. Random
settings files (bytes, keys, values) are tried on the command line and on the
window's start, which must still be running a while later. Each run has a home
of its own and a print system that nothing answers at, so nothing is printed.
"""

import concurrent.futures
import os
import random
import shutil
import subprocess
import sys
import tempfile

import yaml

FIXED_SEED = 20261208
RUN_SECONDS = 120  # a run that takes longer has hung
WINDOW_SECONDS = 8  # a window still running after this has started
WINDOW_SHARE = 10  # one run in this many starts the window
FINDINGS = ("Sanitizer", "runtime error:", "terminate called", "Segmentation", "Aborted")

SIZES = ["3cm", "2.5x3cm", "26mm", "1in", "100px", "0.5inches", "40pixels", "3×4in", "3 CM",
         "1e-39cm", "1e-3mm", "1e6cm", "3e8cm", "1e37in", "1e39cm", "1e308mm", "4.7e10px",
         "0cm", "-3cm", "3", "x3cm", "nan cm", "inf cm", "1e39x1cm", "1x1e39cm", ""]
LENGTHS = ["5mm", "0.5cm", "0.2in", "0px", "-5mm", "11cm", "-1e6cm", "1e10in", "1e39cm",
           "-1e39cm", "1e308px", "5", "abc", ""]
COUNTS = ["2", "5", "6", "9", "100", "1", "101", "-3", " 7 ", "0x10", "2147483648", "1e2", ""]
FRACTIONS = ["0.75", "1", "0.3", "0.01", ".5", "1e-300", "0", "1.5", "-0.5", "nan", "abc"]
VALUES = {
    "columns": COUNTS, "rows": COUNTS, "checker": SIZES, "board": SIZES,
    "frame-distance": LENGTHS, "caption-distance": LENGTHS, "margins": LENGTHS,
    "align": ["left,top", "center,center", "right,bottom", "LEFT, Bottom", "middle", "left",
              ",", "left,top,right"],
    "target": ["checkerboard", "charuco", "circles", "acircles", "aprilgrid", "CHARUCO",
               "kalibr", ""],
    "dictionary": ["DICT_4X4_50", "5x5_1000", "DICT_ARUCO_ORIGINAL", "DICT_APRILTAG_36h11",
                   "DICT_7X7_1000", "DICT_9X9_1", ""],
    "marker": FRACTIONS, "tag-spacing": FRACTIONS, "diameter": FRACTIONS,
    "first-id": ["0", "20", "1048576", "1048577", "-1", "abc"],
    "paper": ["A4", "Letter", "a3", "Legal", "A0", "100x150mm", "8.5x11in", "10x10cm",
              "1e4x1e4mm", "1e6x1e6mm", "1e7x1e7mm", "3e5x3e5in", "1x1mm", "0x0mm",
              "1e30x1e30mm", "B99"],
    "orientation": ["portrait", "landscape", "sideways"],
    "resolution": ["72", "300", "1200", "9600", "71", "9601", "600.5", "abc"],
    "scale": ["100.4x99.7", "101", "95", "105", "94", "106", "1.01", "100x", "abc"],
    "printer": ["NoSuchQueue", "", " "],
}
SWITCHES = ["keep-constant", "no-frame", "no-caption", "legend", "legacy", "print", "tile"]
STRAYS = ["stray", "--colour", "--help", "--version", "-h", "--", "-x"]


def command_line(rng, folder):
    """A random command line: options valid and hostile, a file and maybe a card."""
    args = []
    for _ in range(rng.randint(1, 7)):
        pick = rng.random()
        if pick < 0.2:
            args.append("--" + rng.choice(SWITCHES))
        elif pick < 0.97:
            name = rng.choice(list(VALUES))
            value = rng.choice(VALUES[name])
            args += ["--%s=%s" % (name, value)] if rng.random() < 0.2 else ["--" + name, value]
        else:
            args.append(rng.choice(STRAYS))
    output = rng.choice(["b.pdf", "b.svg", "B.PDF", "ü b.svg", "b.txt", "missing/b.pdf", "."])
    if rng.random() < 0.95:
        args += ["--output", os.path.join(folder, output)]
    if rng.random() < 0.4:
        args += ["--card", os.path.join(folder, rng.choice(["c.yaml", "missing/c.yaml", "."]))]
    return args


def settings_file(rng):
    """A settings file: random bytes, or random keys and values in its groups."""
    if rng.random() < 0.3:
        return bytes(rng.randrange(256) for _ in range(rng.randint(0, 400)))
    lines = []
    for _ in range(rng.randint(0, 6)):
        group = rng.choice(["ScaleCorrection", "General", "%", "", "ScaleCorrection/x"])
        # QSettings reads "%25" as "%": the first key is the PDF output's.
        key = rng.choice(["PDF%2520file", "PDF%20file", "NoSuchQueue", "a/b", "\\", "=", "é"])
        value = rng.choice(["1.01, 0.99", "1, 1", "1.2, 1", "nan, 1", "inf, inf", "1e308, 1",
                            "-1, -1", "0.99", "1.01, 0.99, 1", "@Invalid()", "@Variant(\\0)",
                            "@ByteArray(x)", "\"", "\\x41", "1,01, 0,99", ""])
        lines.append("[%s]\n%s=%s" % (group, key, value))
    return "\n".join(lines).encode("utf-8", "surrogateescape")


def environment(home):
    env = {k: v for k, v in os.environ.items() if k not in ("LPDEST", "PRINTER", "XDG_CONFIG_HOME")}
    env.update(HOME=home, CUPS_SERVER="127.0.0.1:1", QT_QPA_PLATFORM="offscreen",
               LC_ALL="C.UTF-8", XDG_RUNTIME_DIR=home)
    return env


def whole(path):
    """Whether the page file parses: pdfinfo for PDF, rsvg-convert for SVG."""
    # An SVG is drawn small: a page of metres is beyond rsvg-convert's size.
    tool = ["pdfinfo"] if path.lower().endswith(".pdf") else ["rsvg-convert", "-w64", "-h64"]
    return subprocess.run(tool + [path], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0


def check_command_line(args, folder, home):
    """Runs it; returns what went wrong, or None."""
    try:
        run = subprocess.run([QUADRIX] + args, cwd=folder, env=environment(home),
                             capture_output=True, timeout=RUN_SECONDS)
    except subprocess.TimeoutExpired:
        return "no end within %d s" % RUN_SECONDS
    err = run.stderr.decode("utf-8", "replace")
    if any(f in err for f in FINDINGS) or run.returncode not in (0, 1, 2):
        return "exit %d: %s" % (run.returncode, err[-2000:])
    if run.returncode != 0:
        # Warnings of options that do nothing come first; the reason is one line.
        said = [line for line in err.splitlines()
                if line.startswith("quadrix: ") and not line.startswith("quadrix: warning: ")]
        if len(said) != 1:
            return "exit %d without one line of its own: %r" % (run.returncode, err[-2000:])
        if run.returncode == 2 and os.listdir(folder):
            return "bad input left a file: %s" % os.listdir(folder)
        return None
    out = run.stdout.decode("utf-8", "replace")
    if out.startswith(("Usage:", "Quadrix ")):
        return None  # --help, --version
    output = args[args.index("--output") + 1]
    if not whole(output):
        return "exit 0 but %s is not a whole page" % output
    if "--card" in args:
        with open(args[args.index("--card") + 1], "rb") as card:
            if not isinstance(yaml.safe_load(card), dict):
                return "exit 0 but the card is no YAML mapping"
    return None


def check_window(home):
    """Starts the window; it must still run a while later."""
    window = subprocess.Popen([QUADRIX], cwd=home, env=environment(home),
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        window.wait(timeout=WINDOW_SECONDS)
    except subprocess.TimeoutExpired:
        window.kill()
        window.wait()
        return None
    return "the window ended at once with %d: %s" % (window.returncode,
                                                     window.stderr.read().decode()[-2000:])


def one_run(seed):
    rng = random.Random(seed)
    home = tempfile.mkdtemp(prefix="quadrix-sweep-")
    try:
        if rng.random() < 0.5:
            os.makedirs(os.path.join(home, ".config", "Quadrix"))
            with open(os.path.join(home, ".config", "Quadrix", "Quadrix.conf"), "wb") as f:
                f.write(settings_file(rng))
        if rng.randrange(WINDOW_SHARE) == 0:
            return seed, ["(the window)"], check_window(home)
        folder = os.path.join(home, "out")
        os.makedirs(folder)
        args = command_line(rng, folder)
        return seed, args, check_command_line(args, folder, home)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def main():
    global QUADRIX
    QUADRIX = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    this_run = int(os.environ.get("QUADRIX_SWEEP_SEED", random.SystemRandom().randrange(10**9)))
    print("seeds: fixed %d, this run's %d (QUADRIX_SWEEP_SEED=%d repeats it)"
          % (FIXED_SEED, this_run, this_run), flush=True)
    seeds = [FIXED_SEED * 1000 + i for i in range(runs // 2)]
    seeds += [this_run * 1000 + i for i in range(runs - runs // 2)]
    failed = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for seed, args, problem in pool.map(one_run, seeds):
            if problem:
                failed += 1
                print("FAILED (run seed %d): quadrix %s\n  %s" % (seed, " ".join(
                    repr(a) if " " in a or not a else a for a in args), problem), flush=True)
    print("%d passed, %d failed" % (runs - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
