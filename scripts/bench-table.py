#!/usr/bin/env python3
"""One table of every benchmark figure: its target, median, min and max over the repetitions.

Reads the Google Benchmark JSON files given on the command line (one per benchmark program)."""
import json
import statistics
import sys

# (benchmark, value) -> (figure, target text, test of the median). value is "time" or a counter.
TARGETS = {
    ("BM_StartToFirstPaint", "time"): ("start to first painted main view (ms)", "< 400", lambda v: v < 400),
    ("BM_StartToFirstPaint", "x_bare"): ("  start-up / bare Qt program", "<= 4", lambda v: v <= 4),
    ("BM_StartToFirstPaint", "rss_mb"): ("resident memory after start-up (MiB)", "< 80", lambda v: v < 80),
    ("BM_IdleOnlineCpu", "cpu_pct"): ("whole program idle online, CPU (% of a core)", "< 3", lambda v: v < 3),
    ("BM_GridRepaintScrolledToTheMiddle", "time"): ("grid 1000 x 20 repaint, scrolled (ms)", "< 8", lambda v: v < 8),
    ("BM_ReadCsv10MB", "bytes_per_second"): ("CSV read, 10 MB (MB/s)", "> 150", lambda v: v > 150),
    ("BM_AllOutputsFromScratch", "time"): ("8 outputs' summed curves from scratch (us)", "< 150", lambda v: v < 150),
    ("BM_OutputSelect", "time"): ("selecting another output, painted (ms)", "< 10", lambda v: v < 10),
    ("BM_OutputPageFullRepaint", "time"): ("output page full repaint (ms)", "< 5", lambda v: v < 5),
    ("BM_DecodeJsonComplete", "time"): ("JSON all-presets document decode (ms)", "< 1", lambda v: v < 1),
}
# Counters shown with their benchmark although no target names them.
SHOWN_COUNTERS = {"bare_ms", "bare_rss_mb", "polls_per_s", "process_cpu_pct", "worker_cpu_pct"}
UNIT_SCALE = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def scaled_time(row, unit):
    # real_time is in the row's own time unit; a target in ms or us wants that unit.
    return row["real_time"] * UNIT_SCALE[row.get("time_unit", "ns")] / UNIT_SCALE[unit]


def main(paths):
    runs = {}  # benchmark -> list of per-repetition rows
    aggregates = {}  # (benchmark, aggregate name) -> row
    order = []
    for path in paths:
        try:
            with open(path) as f:
                doc = json.load(f)
        except (OSError, ValueError) as e:
            print(f"{path}: no results ({e})", file=sys.stderr)
            continue
        for row in doc.get("benchmarks", []):
            # "BM_Name/iterations:1/repeats:5/manual_time": the benchmark is the first part.
            name = row.get("run_name", row["name"]).split("/")[0]
            if name not in runs:
                runs[name] = []
                order.append(name)
            if row.get("error_occurred"):
                runs[name].append({"error": row.get("error_message", "error")})
            elif row.get("run_type") == "aggregate":
                aggregates[(name, row["aggregate_name"])] = row
            else:
                runs[name].append(row)

    def values(name, key, unit):
        rows = [r for r in runs[name] if "error" not in r]
        if key == "time":
            got = [scaled_time(r, unit) for r in rows]
        elif key == "bytes_per_second":
            got = [r[key] / 1e6 for r in rows if key in r]
        else:
            got = [r[key] for r in rows if key in r]
        if got:
            return statistics.median(got), min(got), max(got)
        med = aggregates.get((name, "median"))
        if med is None:
            return None
        value = scaled_time(med, unit) if key == "time" else med.get(key)
        return (value, None, None) if value is not None else None

    lines = []
    misses = 0
    for name in order:
        errors = [r["error"] for r in runs[name] if "error" in r]
        if errors:
            lines.append((name, "", "error: " + errors[0], "", "", ""))
            misses += 1
            continue
        targeted = {k for (n, k) in TARGETS if n == name}
        # A benchmark measured by a counter alone (its time is a fixed window) shows no time row.
        timed = "time" in targeted or not targeted
        keys = (["time"] if timed else []) + sorted(
            {k for r in runs[name] for k in r if k in SHOWN_COUNTERS or (name, k) in TARGETS}
            | {"bytes_per_second" for r in runs[name] if "bytes_per_second" in r}
        )
        for key in keys:
            figure, target, test = TARGETS.get((name, key), (None, "-", None))
            unit = runs[name][0].get("time_unit", "ns") if runs[name] else "ns"
            if figure and key == "time":
                unit = {"(ms)": "ms", "(us)": "us"}.get(figure.split()[-1], unit)
            got = values(name, key, unit)
            if got is None:
                continue
            med, lo, hi = got
            label = figure or (f"{name} ({unit})" if key == "time" else f"{name} {key}")
            verdict = "" if test is None else ("ok" if test(med) else "MISSED")
            misses += verdict == "MISSED"
            fmt = lambda v: "-" if v is None else f"{v:.3g}" if abs(v) < 100 else f"{v:.0f}"
            lines.append((label, target, fmt(med), fmt(lo), fmt(hi), verdict))

    head = ("figure", "target", "median", "min", "max", "")
    widths = [max(len(str(r[i])) for r in lines + [head]) for i in range(len(head))]
    for r in [head] + lines:
        print("  ".join(str(c).ljust(w) if i == 0 else str(c).rjust(w) for i, (c, w) in enumerate(zip(r, widths))))
    if misses:
        print(f"{misses} figure(s) missed their target or failed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
