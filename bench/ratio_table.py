"""Prints the targets table from Google Benchmark JSON results.

Each ratio divides two medians measured in the same run. Exit status 1 when
a target is missed."""
import json
import os
import platform
import statistics
import sys


def load(paths):
    runs = {}
    for path in paths:
        with open(path) as handle:
            for entry in json.load(handle)["benchmarks"]:
                if entry.get("run_type") != "iteration" or entry.get("error_occurred"):
                    continue
                name = entry["run_name"].split("/")[0]
                if "/" in entry["run_name"] and entry["run_name"].split("/")[1].isdigit():
                    name += "/" + entry["run_name"].split("/")[1]
                runs.setdefault(name, []).append(entry)
    return runs


def median(runs, name, field="real_time"):
    values = [entry[field] for entry in runs.get(name, []) if field in entry]
    if not values:
        return None
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    if field in ("real_time", "cpu_time"):
        unit = runs[name][0].get("time_unit", "ns")
        values = [value * scale[unit] for value in values]
    return statistics.median(values)


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as handle:
        for line in handle:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    memory = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / 2**30
    return "%s, nproc %d, %s, %.1f GiB memory" % (
        platform.node() or "host", os.cpu_count(), model, memory)


def peak_row(runs, label, name, denominator_name, field, target):
    """A peak RSS against the files' size or another peak, one row."""
    peak = median(runs, name, "PeakRSS")
    bottom = median(runs, denominator_name, field)
    if not peak or not bottom:
        return (label, "n/a", "n/a", "n/a", "-", "<= %.2fx" % target, "FAIL")
    value = peak / bottom
    return (label, "%.1f MB" % (peak / 1e6), "%.1f MB" % (bottom / 1e6),
            "%.2fx" % value, "-", "<= %.2fx" % target,
            "PASS" if value <= target else "FAIL")


def tool_rows(runs, rows, ratio):
    """visuxml-compare, fresh processes, against the floor of its layout."""
    if not any(name.startswith("BM_Tool") for name in runs):
        return
    for layout, shown in (("Flat", "flat"), ("Grouped", "grouped")):
        for case, words in (("Same", "identical"), ("Changed", "5 objects changed")):
            for numeric, option in (("", ""), ("Numeric", ", -n")):
                name = "BM_Tool%s%s%s" % (layout, case, numeric)
                ratio("8 Tool %s, %s%s / Expat floor" % (shown, words, option),
                      name, "BM_Tool%sExpatFloor" % layout, 2.5, in_process=False)
                rows.append(peak_row(runs, "8 Tool %s, %s%s peak RSS / files"
                                     % (shown, words, option),
                                     name, name, "FilesBytes", 3.5))
    rows.append(peak_row(runs, "8 Tool flat, identical peak RSS / replay's",
                         "BM_ToolFlatSame", "BM_ReplayLibrary", "PeakRSS", 1.05))
    ratio("9 Tool width: flat, 10x the siblings / 1x",
          "BM_ToolFlatChanged", "BM_ToolWidthTenthChanged", 12.0, in_process=False)
    ratio("9 Expat floor width: 10x the siblings / 1x",
          "BM_ToolFlatExpatFloor", "BM_ToolWidthTenthExpatFloor", None,
          in_process=False)


def main(paths):
    runs = load(paths)
    rows = []

    def ratio(label, numerator, denominator, target, field="real_time",
              unit="s", in_process=True):
        top = median(runs, numerator, field)
        bottom = median(runs, denominator, field)
        if top is None or bottom is None or bottom == 0:
            rows.append((label, "n/a", "n/a", "n/a", "-", "<= %.1fx" % target if target else "-", "FAIL" if target else "-"))
            return
        value = top / bottom
        verdict = "-" if target is None else ("PASS" if value <= target else "FAIL")
        show = (lambda v: "%.3f s" % v) if unit == "s" else (lambda v: "%.1f MB" % (v / 1e6))
        cpu = "-"
        # A fresh process's own processor time, where its benchmark records it.
        cpu_field = "cpu_time" if in_process else "ChildCPU"
        top_cpu = median(runs, numerator, cpu_field)
        bottom_cpu = median(runs, denominator, cpu_field)
        if top_cpu and bottom_cpu:
            cpu = "%.2fx" % (top_cpu / bottom_cpu)
        rows.append((label, show(top), show(bottom), "%.2fx" % value, cpu,
                     "<= %.1fx" % target if target else "(reference)", verdict))

    ratio("1 Replay: 2 files read + Compare / Expat floor",
          "BM_ReplayLibrary", "BM_ReplayExpatFloor", 1.5, in_process=False)
    ratio("1 Replay: xmllint --noout / Expat floor",
          "BM_ReplayXmllint", "BM_ReplayExpatFloor", None, in_process=False)
    files = median(runs, "BM_ReplayLibrary", "FilesBytes")
    peak = median(runs, "BM_ReplayLibrary", "PeakRSS")
    if files and peak:
        value = peak / files
        rows.append(("5 Replay peak RSS / the two files' size",
                     "%.1f MB" % (peak / 1e6), "%.1f MB" % (files / 1e6),
                     "%.2fx" % value, "-", "<= 2.2x", "PASS" if value <= 2.2 else "FAIL"))
    for name, label in (("BM_ReplayExpatFloor", "5 Expat floor peak RSS / files"),
                        ("BM_ReplayXmllint", "5 xmllint peak RSS / files")):
        value = median(runs, name, "PeakRSS")
        if value and files:
            rows.append((label, "%.1f MB" % (value / 1e6), "%.1f MB" % (files / 1e6),
                         "%.2fx" % (value / files), "-", "(reference)", "-"))
    ratio("2 Stream: grammar + FinishXMLDump / direct tree + host writer",
          "BM_StreamThroughGrammar", "BM_StreamDirectTree", 1.5)
    ratio("2 Writer: host writer / minimal fwrite writer",
          "BM_WriteHostWriter", "BM_WriteMinimalFwrite", 1.5)
    ratio("3 Depth, stream: 10,000 deep / flat",
          "BM_StreamDeep", "BM_StreamFlat", 2.0)
    ratio("3 Depth, comparison: 10,000 deep / flat",
          "BM_CompareDeep", "BM_CompareFlat", 2.0)
    ratio("4 Grammar size: 1,000 declared / 10",
          "BM_GrammarOpenSetClose/1000", "BM_GrammarOpenSetClose/10", 2.0)
    dumps = median(runs, "BM_Dumps", "Dumps")
    replay_wall = median(runs, "BM_Dumps", "ReplaySeconds")
    floor_wall = median(runs, "BM_Dumps", "FloorSeconds")
    replay_cpu = median(runs, "BM_Dumps", "ReplayCpuSeconds")
    floor_cpu = median(runs, "BM_Dumps", "FloorCpuSeconds")
    label = "6 Many dumps: %s streamed + replayed / Expat + direct trees" % (
        "{:,}".format(int(dumps)) if dumps else "n/a")
    if dumps and replay_wall and floor_wall:
        value = replay_wall / floor_wall
        cpu = "%.2fx" % (replay_cpu / floor_cpu) if replay_cpu and floor_cpu else "-"
        rows.append((label, "%.3f s" % replay_wall, "%.3f s" % floor_wall,
                     "%.2fx" % value, cpu, "<= 1.5x",
                     "PASS" if value <= 1.5 else "FAIL"))
        rows.append(("6 Many dumps: per dump, overhead over the floor / floor",
                     "%.0f us" % ((replay_wall - floor_wall) / dumps * 1e6),
                     "%.0f us" % (floor_wall / dumps * 1e6), "-", "-",
                     "(reference)", "-"))
    else:
        rows.append((label, "n/a", "n/a", "n/a", "-", "<= 1.5x", "FAIL"))
    ratio("7 Many dumps: visuxml-compare REF_DIR OUT_DIR / Expat, 2x the files",
          "BM_ToolReview", "BM_ToolReviewExpatFloor", 2.0, in_process=False)
    tool_rows(runs, rows, ratio)

    fresh = ("BM_Replay", "BM_Tool")
    replay = [len(e) for n, e in runs.items() if n.startswith(fresh)]
    others = [len(e) for n, e in runs.items() if not n.startswith(fresh)]
    print("Machine: " + machine())
    print("Medians of %d fresh processes per replay benchmark and of %d runs "
          "per in-process benchmark\n(over %d fresh processes), repetitions "
          "interleaved in random order."
          % (min(replay) if replay else 0, min(others) if others else 0,
             len([p for p in paths if "bench_stream" in p])))
    print()
    header = ("Benchmark", "Measured", "Floor", "Ratio", "CPU ratio", "Target", "Result")
    widths = [max(len(str(row[i])) for row in rows + [header]) for i in range(7)]
    line = lambda row: "| " + " | ".join(str(c).ljust(w) for c, w in zip(row, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in rows:
        print(line(row))
    print()
    print("Ratio: medians of wall-clock times (fresh processes for the replay),")
    print("the figure judged against the target. CPU ratio: the same from process")
    print("CPU time, shown for the in-process benchmarks and the tool's fresh")
    print("processes (user + system time of the child) as a check on the noise.")
    return 1 if any(row[6] == "FAIL" for row in rows) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
