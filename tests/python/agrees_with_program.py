# SPDX-License-Identifier: GPL-3.0-or-later
"""The Python module gives the numbers the program prints: for every Vienna 4x22
MIDI and match file (and a recording), read().events and read().notes equal
--export-events and --export-notes, features() equals --export-features, and
stats() equals --stats (also with features=True), value for value (a double printed
in its shortest form reads back as the same double); failures raise
returnplot.Error with the program's message.

Usage: agrees_with_program.py RETURNPLOT SHARED_DATA_DIR (with PYTHONPATH
naming the module's folder). Data: Vienna 4x22 Piano Corpus, W. Goebl (1999),
doi:10.21939/4X22, CC BY 4.0.
"""
import csv
import io
import math
import pathlib
import subprocess
import sys

import returnplot

program, data = sys.argv[1], pathlib.Path(sys.argv[2]) / "vienna4x22"
failures = []


def run(*args, ok=True):
    done = subprocess.run([program, *args], capture_output=True, text=True)
    if ok and done.returncode != 0:
        raise RuntimeError(f"returnplot {' '.join(args)}: {done.stderr}")
    return done


def same(text, value):
    if isinstance(value, str):
        return text == value
    if text == "":
        return isinstance(value, float) and math.isnan(value)
    return float(text) == value


def compare_columns(what, printed, arrays):
    rows = list(csv.reader(io.StringIO(printed)))
    header, rows = rows[0], rows[1:]
    if header != list(arrays):
        failures.append(f"{what}: columns {list(arrays)}, the program's {header}")
        return
    for c, name in enumerate(header):
        column = arrays[name]
        if len(column) != len(rows):
            failures.append(f"{what}: {len(column)} rows of {name}, the program's {len(rows)}")
            return
        for r, row in enumerate(rows):
            value = column[r] if isinstance(column, list) else column[r].item()
            if not same(row[c], value):
                failures.append(f"{what}: row {r + 1} {name} is {column[r]}, the program's {row[c]!r}")
                return


files = sorted((data / "midi").glob("*.mid")) + sorted((data / "match").glob("*.match"))
if len(files) < 112 + 88:
    print(f"SKIP: the Vienna 4x22 files are not in {data}")
    sys.exit(77)

performances = {}
for f in files:
    p = returnplot.read(f)
    performances[str(f)] = p
    compare_columns(f"{f.name} events", run("--export-events", str(f)).stdout, p.events)
    compare_columns(f"{f.name} notes", run("--export-notes", str(f)).stdout, p.notes)
    # --export-features opens each row with the file, which features() leaves out.
    printed = "".join(line.split(",", 1)[1] + "\n" for line in run("--export-features", str(f)).stdout.splitlines())
    compare_columns(f"{f.name} features", printed, returnplot.features(p))
    if f.suffix == ".match" and (p.score is None or len(p.score["bar_beat"]) != len(p)):
        failures.append(f"{f.name}: no score positions")

# One --stats run over all files, each row against stats() of the file read.
for options, keywords in [((), {}), (("--delay", "2", "--extended", "--rqa"), {"delay": 2, "extended": True,
                                                                             "rqa": True}),
                         (("--features",), {"features": True}),
                         (("--window", "40", "--step", "20", "--features"), {"window": 40, "step": 20,
                                                                          "features": True})]:
    rows = csv.DictReader(io.StringIO(run("--stats", *options, *map(str, files)).stdout))
    measured = {}
    for row in rows:
        if row["file"] not in measured:
            measured[row["file"]] = returnplot.stats(performances[row["file"]], **keywords)
        got = measured[row["file"]].get(row["series"])
        if isinstance(got, list):  # one dict per window
            got = next((w for w in got if str(w["first_event"]) == row["first_event"]), None)
        if got is None:
            failures.append(f"{row['file']} {options}: no {row['series']} series")
            continue
        if "error" in got:
            if row["error"] != got["error"] or row["n"] != "0":
                failures.append(f"{row['file']} {row['series']}: {got}, the program's n {row['n']}, {row['error']!r}")
            continue
        for name, text in row.items():
            if name in ("file", "series", "error"):
                continue
            if name == "warning" and got[name] != text or name != "warning" and not same(text, got[name]):
                failures.append(f"{row['file']} {row['series']} {options}: {name} {got[name]}, the program's {text}")
        if set(got) != set(row) - {"file", "series", "error"}:
            failures.append(f"{row['file']}: measures {sorted(got)}, the program's {sorted(row)}")

# A recording is read through the recording module, found from the module's
# own folder in the build tree.
tone = pathlib.Path(__file__).resolve().parent.parent / "data" / "tone.wav"
compare_columns("tone.wav events", run("--export-events", str(tone)).stdout, returnplot.read(tone).events)

# Failures: the program's words, without its name.
missing = str(data / "none.mid")
for call, args in [(lambda: returnplot.read(missing), ("--export-events", missing)),
                   (lambda: returnplot.read(files[0], cluster_ms=-1), ("--export-events", "--cluster-ms", "-1",
                                                                       str(files[0]))),
                   (lambda: returnplot.stats([1.0, 2.0], permutations="x"), ("--stats", "--permutations", "x",
                                                                            str(files[0])))]:
    said = run(*args, ok=False).stderr.strip().removeprefix("returnplot: ")
    try:
        call()
        failures.append(f"no error where the program says {said!r}")
    except returnplot.Error as error:
        if str(error) != said:
            failures.append(f"error {str(error)!r}, the program's {said!r}")

for f in failures[:20]:
    print("FAIL:", f)
print(f"{len(files)} files compared, {len(failures)} differences "
      "(Vienna 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0)")
sys.exit(1 if failures else 0)
