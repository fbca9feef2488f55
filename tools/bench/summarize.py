#!/usr/bin/env python3
"""Turns the raw lines of `make bench` ("time NAME SECONDS", "messages NAME COUNT", "stepback NAME POINTS",
"value NAME NUMBER", "size NAME BYTES", "skip NAME REASON") into the summary table and JSON.
Each row: median of the runs with min and max, the unit, and the ratio to its baseline.
Ratios of timed rows are time over the baseline's time (below 1 is faster), whatever the unit
shown; of sizes and memory, this figure over the baseline's.
Usage: summarize.py RAW RESULTS_JSON"""
import json
import statistics
import sys

PAYLOAD_BYTES = 64 * 1024 * 1024

# key, what, kind, raw name, baseline key
ROWS = [
    ("staging_resource", "Staging, resource form (StageFromPackage, progress bar), win64", "throughput", "stage_resource", "baseline_b"),
    ("staging_appended", "Staging, appended form (StageFromInstallerFile, progress bar), win64", "throughput", "stage_appended", "baseline_b"),
    ("baseline_a", "(a) zlib inflate into memory, 16 KiB chunks, win64", "throughput", "inflate_memory", "baseline_b"),
    ("baseline_b", "(b) zlib inflate and WriteFile, 16 KiB chunks, win64", "throughput", "inflate_writefile", "baseline_b"),
    ("staging_resource_win32", "Staging, resource form, win32 (WOW64)", "throughput", "stage_resource_win32", "baseline_b_win32"),
    ("staging_appended_win32", "Staging, appended form, win32 (WOW64)", "throughput", "stage_appended_win32", "baseline_b_win32"),
    ("baseline_b_win32", "(b) zlib inflate and WriteFile, win32 (WOW64)", "throughput", "inflate_writefile_win32", "baseline_b_win32"),
    ("staging_win32", "Staging, 32-bit build", "skip", "staging_win32", None),
    ("progress_messages_resource", "Progress positions per installation (staging sends them all), resource form", "messages", "stage_resource", None),
    ("progress_messages_appended", "Progress positions per installation, appended form", "messages", "stage_appended", None),
    ("progress_messages_resource_win32", "Progress positions per installation, resource form, win32 (WOW64)", "messages", "stage_resource_win32", None),
    ("progress_messages_appended_win32", "Progress positions per installation, appended form, win32 (WOW64)", "messages", "stage_appended_win32", None),
    ("progress_stepback_resource", "Largest step back of the bar, resource form", "stepback", "stage_resource", None),
    ("progress_stepback_appended", "Largest step back of the bar, appended form", "stepback", "stage_appended", None),
    ("peak_working_set_resource", "Peak working set, staging process, resource form", "memory", "peak_working_set_resource", "size_package"),
    ("peak_working_set_appended", "Peak working set, staging process, appended form", "memory", "peak_working_set_appended", "size_package"),
    ("staging_working_set_resource", "  staging's part: peak over the working set when staging starts, resource form", "memory", "staging_working_set_resource", "size_package"),
    ("staging_working_set_appended", "  staging's part: peak over the working set when staging starts, appended form", "memory", "staging_working_set_appended", "size_package"),
    ("process_stage_resource", "Whole process under Wine: staging, resource form", "seconds", "process_stage_resource", "process_nsis"),
    ("process_stage_appended", "Whole process under Wine: staging, appended form", "seconds", "process_stage_appended", "process_nsis"),
    ("process_nsis", "Whole process under Wine: NSIS 3 silent installer, zlib", "seconds", "process_nsis", "process_nsis"),
    ("silent_win64", "Silent install (/S), demo package + payload appended to the 64-bit stub, whole process, win64", "seconds", "silent_win64", "process_nsis"),
    ("silent_staging_win64", "  its staging part, from the run log's time stamps, win64", "seconds", "silent_staging_win64", "process_nsis"),
    ("silent_win32", "Silent install (/S), demo package + payload appended to the 32-bit stub, whole process, 32-bit prefix", "seconds", "silent_win32", "process_nsis"),
    ("silent_staging_win32", "  its staging part, from the run log's time stamps, 32-bit prefix", "seconds", "silent_staging_win32", "process_nsis"),
    ("wizard_win64", "Wizard, the same 64-bit installer: Next on the settings page to the finish page (run log)", "seconds", "wizard_win64", None),
    ("wizard_win32", "Wizard, the same 32-bit installer on a 32-bit prefix: Next to the finish page (run log)", "seconds", "wizard_win32", None),
    ("startup_installer", "Start-up: PrinterSetup64.exe to its wizard shown", "seconds", "startup_installer", "startup_trivial"),
    ("startup_trivial", "Start-up: a trivial dialog program (fake_wizard.exe), Wine's cost", "seconds", "startup_trivial", "startup_trivial"),
    ("startup_installer_win32", "Start-up: PrinterSetup.exe to its wizard shown (WOW64)", "seconds", "startup_installer_win32", "startup_trivial"),
    ("install", "Installation, demo package: Next on the settings page to the finish page, win64", "seconds", "install", None),
    ("host_extract", "Host: mkpackage extract of the payload (writes the files)", "throughput", "host_extract", "host_inflate"),
    ("host_inflate", "Host: plain zlib inflate of the same streams into memory", "throughput", "host_inflate", "host_inflate"),
    ("size_installer_win64", "Size: PrinterSetup64.exe (demo package)", "size", "installer_win64", None),
    ("size_stub_win64", "Size: PrinterSetupStub64.exe", "size", "stub_win64", None),
    ("size_installer_win32", "Size: PrinterSetup.exe (demo package)", "size", "installer_win32", None),
    ("size_stub_win32", "Size: PrinterSetupStub.exe", "size", "stub_win32", None),
    ("size_package", "Size: payload package (mkpackage create)", "size", "package", "size_package"),
    ("size_appended", "Size: our installer with the payload (stub64 + append)", "size", "appended", "size_nsis"),
    ("size_nsis", "Size: NSIS installer of the payload", "size", "nsis", "size_nsis"),
]

UNITS = {"throughput": "MB/s", "seconds": "s", "messages": "count", "stepback": "points", "memory": "MiB", "size": "MiB"}


def read_raw(path):
    samples, skips = {}, {}
    for line in open(path, encoding="utf-8"):
        kind, name, *rest = line.split(" ", 2) + [""]
        rest = rest[0].strip()
        if kind == "skip":
            skips[name] = rest
        elif kind in ("time", "messages", "stepback", "value", "size"):
            samples.setdefault((kind, name), []).append(float(rest))
    return samples, skips


def raw_samples(samples, kind, name):
    raw_kind = {"throughput": "time", "seconds": "time", "messages": "messages", "stepback": "stepback", "memory": "value",
                "size": "size"}[kind]
    return samples.get((raw_kind, name), [])


def shown(kind, value):
    if kind == "throughput":
        return PAYLOAD_BYTES / 1e6 / value
    if kind in ("memory", "size"):
        return value / (1024 * 1024)
    return value


def build_rows(samples, skips):
    rows, measured = [], {}
    for key, what, kind, name, baseline in ROWS:
        if kind == "skip" and name not in skips:
            continue  # a row that stands only for a skipped measurement
        values = [] if kind == "skip" else raw_samples(samples, kind, name)
        row = {"key": key, "what": what, "unit": UNITS.get(kind, ""), "baseline": baseline, "runs": len(values)}
        if kind == "skip" or not values:
            row["skipped"] = skips.get(name, skips.get(key, "not measured on this machine"))
            if kind == "skip" or name in skips or key in skips or kind != "size":
                rows.append(row)
            continue
        # Timed rows compare times; sizes and memory compare bytes.
        measured[key] = statistics.median(values)
        shown_values = sorted(shown(kind, value) for value in values)
        row.update(median=statistics.median(shown_values), min=shown_values[0], max=shown_values[-1])
        rows.append(row)
    for row in rows:
        base = measured.get(row["baseline"])
        if row["key"] in measured and base:
            row["ratio"] = measured[row["key"]] / base
        elif row["baseline"] and "skipped" not in row:
            row["ratio_note"] = f"baseline {row['baseline']} not measured"
    return rows


def table(rows):
    lines = [f"{'What':<82} {'median':>9} {'min':>9} {'max':>9} {'unit':<6} {'runs':>4} {'ratio':>7}"]
    for row in rows:
        if "skipped" in row:
            lines.append(f"{row['what']:<82} skipped: {row['skipped']}")
            continue
        ratio = f"{row['ratio']:.2f}" if "ratio" in row else "-"
        lines.append(f"{row['what']:<82} {row['median']:>9.2f} {row['min']:>9.2f} {row['max']:>9.2f} "
                     f"{row['unit']:<6} {row['runs']:>4} {ratio:>7}")
    return "\n".join(lines)


def main():
    samples, skips = read_raw(sys.argv[1])
    rows = build_rows(samples, skips)
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        json.dump({"payload_bytes": PAYLOAD_BYTES, "ratio": "time (or bytes) over the baseline's", "rows": rows}, out, indent=2)
    print(table(rows))
    print(f"\nRatio: time over the baseline's time (sizes, memory: bytes over bytes). JSON: {sys.argv[2]}")


if __name__ == "__main__":
    main()
