#!/usr/bin/env python3
"""Runs the fuzz targets of the `fuzz` preset (tests/fuzz/), one at a time on one core.

  scripts/fuzz.py short [--seconds N]        every target for N seconds (default 10) on its committed corpus;
                                             fails on any finding (CI runs this)
  scripts/fuzz.py long [--runs N] [--seconds S] [--targets a,b]
                                             every target for N runs (default 1000000) or S seconds, whichever
                                             ends first; writes build/fuzz/long-run/report.md: runs, speed,
                                             coverage of each parser file under the grown corpus, findings;
                                             runs add up over every long run kept in build/fuzz/long-run/
  scripts/fuzz.py report                     the report again (after building the fuzz-coverage preset, say)

New inputs go to build/fuzz/<mode>-run/corpus/<target>/, never into the committed corpus; a finding leaves
its input in build/fuzz/<mode>-run/findings/<target>/. Build first: cmake --preset fuzz && cmake --build
--preset fuzz --target tonvio_fuzz_targets; for source coverage in the report, the same with the
fuzz-coverage preset.
"""

import argparse
import collections
import pathlib
import re
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
FUZZ = ROOT / "tests" / "fuzz"
BUILD = ROOT / "build" / "fuzz"
COVERAGE_BUILD = ROOT / "build" / "fuzz-coverage"

# The parser files each target stands for: their coverage is what the long run reports.
PARSER_FILES = {
    "skin_setting": ["panel/skin/SkinSetting.cpp"],
    "language": ["panel/language/LanguageSetting.cpp", "panel/language/LanguageMenu.cpp"],
    "region_file": ["panel/skin/RegionFile.cpp"],
    "picture_size": ["panel/skin/PictureSize.cpp"],
    "device_ids": ["common/DeviceIdMgr.cpp", "device/DeviceIdentification.cpp"],
    "app_config": ["common/AppConfig.cpp"],
    "ini_keys": ["common/IniKeys.cpp"],
    "private_profile": ["platform/memory/IniFileProfile.cpp", "platform/memory/ProfileLines.cpp",
                        "platform/memory/ProfileFileText.cpp"],
    "ini_section_reader": ["common/Inifilemanager.cpp", "common/IniTextDecoding.cpp"],
    "command_line": ["panel/shell/CommandLine.cpp"],
    "hid_reports": ["device/HidRegisterChannel.cpp", "device/ButtonScan.cpp", "device/ButtonReportMailbox.cpp"],
    "chip_tool": ["emulator/ChipToolCommands.cpp"],
}
INI_TARGETS = {"skin_setting", "language", "device_ids", "app_config", "ini_keys", "private_profile"}


def targets(selected):
    names = sorted(p.stem for p in FUZZ.glob("*.cpp"))
    missing = [n for n in names if n not in PARSER_FILES]
    if missing:
        sys.exit(f"fuzz: no parser files listed for {', '.join(missing)} in scripts/fuzz.py")
    return [n for n in names if not selected or n in selected]


def fuzz_command(name, workdir, extra, build=BUILD):
    binary = build / "tests" / "fuzz" / f"tonvio_fuzz_{name}"
    if not binary.exists():
        sys.exit(f"fuzz: {binary} is missing; build the fuzz preset first")
    corpus = workdir / "corpus" / name
    findings = workdir / "findings" / name
    corpus.mkdir(parents=True, exist_ok=True)
    findings.mkdir(parents=True, exist_ok=True)
    # The INI readers read the whole file again for every key, so their inputs stay short enough for a
    # useful number of runs; the larger seeds are read cut.
    max_len = 2048 if name in INI_TARGETS else 4096
    command = [str(binary), f"-artifact_prefix={findings}/", "-print_final_stats=1", f"-max_len={max_len}"]
    dictionary = FUZZ / "dictionaries" / f"{name}.dict"
    if dictionary.exists():
        command.append(f"-dict={dictionary}")
    return command + extra + [str(corpus), str(FUZZ / "corpus" / name)], findings


def run_one(name, workdir, extra, log):
    command, findings = fuzz_command(name, workdir, extra)
    started = time.monotonic()
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    elapsed = time.monotonic() - started
    log.write_text(result.stdout)
    runs = re.findall(r"stat::number_of_executed_units:\s*(\d+)", result.stdout)
    cov = re.findall(r"\bcov: (\d+)", result.stdout)
    found = sorted(p.name for p in findings.iterdir())
    return {
        "name": name,
        "ok": result.returncode == 0 and not found,
        "runs": int(runs[-1]) if runs else 0,
        "seconds": elapsed,
        "edges": int(cov[-1]) if cov else 0,
        "units": sum(1 for _ in (workdir / "corpus" / name).iterdir()),
        "findings": found,
        "log": log,
        "output": result.stdout,
    }


def file_coverage(name, workdir):
    """Edges covered per parser file by the grown corpus, from libFuzzer's own coverage listing."""
    command, _ = fuzz_command(name, workdir, ["-runs=0", "-print_coverage=1"])
    output = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace").stdout
    per_file = collections.defaultdict(lambda: [0, 0, []])
    for line in output.splitlines():
        covered = re.match(r"COVERED_FUNC: hits: \d+ edges: (\d+)/(\d+) (.+?) (\S+):(\d+)$", line)
        uncovered = re.match(r"UNCOVERED_FUNC: hits: 0 edges: 0/(\d+) (.+?) (\S+):(\d+)$", line)
        if covered:
            hit, total, function, path = int(covered[1]), int(covered[2]), covered[3], covered[4]
        elif uncovered:
            hit, total, function, path = 0, int(uncovered[1]), uncovered[2], uncovered[3]
        else:
            continue
        for wanted in PARSER_FILES[name]:
            if path.endswith(wanted):
                entry = per_file[wanted]
                entry[0] += hit
                entry[1] += total
                if hit == 0:
                    entry[2].append(function)
    return per_file


def source_coverage(name, workdir):
    """Lines and branches of each parser file that the grown corpus reaches, from the fuzz-coverage build:
    {file: (lines covered, lines, branches covered, branches, uncovered lines, uncovered branch lines)}."""
    if not (COVERAGE_BUILD / "tests" / "fuzz" / f"tonvio_fuzz_{name}").exists():
        return {}
    profiles = workdir / "profiles"
    profiles.mkdir(exist_ok=True)
    raw = profiles / f"{name}.profraw"
    data = profiles / f"{name}.profdata"
    command, _ = fuzz_command(name, workdir, ["-runs=0"], COVERAGE_BUILD)
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env={"LLVM_PROFILE_FILE": str(raw)})
    subprocess.run(["llvm-profdata-14", "merge", "-sparse", str(raw), "-o", str(data)], check=True)
    result = {}
    for path in PARSER_FILES[name]:
        shown = subprocess.run(["llvm-cov-14", "show", command[0], f"-instr-profile={data}", "-show-branches=count",
                                str(ROOT / path)], stdout=subprocess.PIPE, text=True, errors="replace").stdout
        lines = covered = branches = branches_covered = 0
        missed_lines, missed_branches = [], []
        for text in shown.splitlines():
            line = re.match(r"\s*(\d+)\|\s*([0-9.kMG]*)\|", text)
            if line and line[2]:
                lines += 1
                if line[2] == "0":
                    missed_lines.append(int(line[1]))
                else:
                    covered += 1
            branch = re.search(r"Branch \((\d+):\d+\): \[True: ([0-9.kMG]+), False: ([0-9.kMG]+)\]", text)
            if branch:
                for taken in branch[2], branch[3]:
                    branches += 1
                    if taken == "0":
                        missed_branches.append(int(branch[1]))
                    else:
                        branches_covered += 1
        result[path] = (covered, lines, branches_covered, branches, missed_lines, sorted(set(missed_branches)))
    return result


def ranges(numbers):
    """[3, 4, 5, 9] as "3-5, 9"."""
    parts, start = [], None
    for i, n in enumerate(numbers):
        if start is None:
            start = n
        if i + 1 == len(numbers) or numbers[i + 1] != n + 1:
            parts.append(str(start) if start == n else f"{start}-{n}")
            start = None
    return ", ".join(parts) or "-"


def short(args):
    workdir = BUILD / "short-run"
    shutil.rmtree(workdir, ignore_errors=True)  # each short run starts from the committed corpus alone
    failed = []
    for name in targets(args.targets):
        result = run_one(name, workdir, [f"-max_total_time={args.seconds}"], workdir / f"{name}.log")
        print(f"fuzz {name}: {'ok' if result['ok'] else 'FAILED'}, {result['runs']} runs, "
              f"{result['edges']} edges, {result['units']} new inputs", flush=True)
        if not result["ok"]:
            failed.append(name)
            print(result["output"][-4000:])
    if failed:
        sys.exit(f"fuzz: findings in {', '.join(failed)}; inputs in {workdir}/findings/")


def logged_runs(name, workdir):
    """Runs, seconds and the latest edge count over every long run of `name` kept in `workdir`."""
    runs = seconds = edges = 0
    logs = sorted((p for p in workdir.glob("*.log") if re.fullmatch(rf"{name}(-\d+)?\.log", p.name)),
                  key=lambda p: p.stat().st_mtime)
    for log in logs:
        text = log.read_text(errors="replace")
        executed = re.findall(r"stat::number_of_executed_units:\s*(\d+)", text)
        done = re.findall(r"Done \d+ runs in (\d+) second", text)
        cov = re.findall(r"\bcov: (\d+)", text)
        runs += int(executed[-1]) if executed else 0
        seconds += int(done[-1]) if done else 0
        edges = int(cov[-1]) if cov else edges
    return runs, seconds, edges


def write_report(workdir):
    """The report over every long run kept in `workdir` (runs add up across invocations)."""
    results = []
    for name in targets([]):
        runs, seconds, edges = logged_runs(name, workdir)
        if runs == 0:
            continue
        findings_dir = workdir / "findings" / name
        results.append({"name": name, "runs": runs, "seconds": seconds, "edges": edges,
                        "units": sum(1 for _ in (workdir / "corpus" / name).iterdir()),
                        "findings": sorted(p.name for p in findings_dir.iterdir()) if findings_dir.exists() else [],
                        "coverage": file_coverage(name, workdir), "source": source_coverage(name, workdir)})
    report = workdir / "report.md"
    lines = ["# Long fuzz run", "", time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime()), "",
             "| target | runs | seconds | runs/s | edges | corpus | findings |", "|---|---:|---:|---:|---:|---:|---|"]
    for r in results:
        lines.append(f"| {r['name']} | {r['runs']} | {r['seconds']} | {r['runs'] / max(r['seconds'], 1):.0f} | "
                     f"{r['edges']} | {r['units']} | {', '.join(r['findings']) or 'none'} |")
    lines.append(f"| **total** | {sum(r['runs'] for r in results)} | {sum(r['seconds'] for r in results)} | | | | |")
    lines += ["", "## Coverage of each parser file (edges reached by the grown corpus)", "",
              "Edges include the sanitizers' own checks, whose failure paths no correct input takes.", "",
              "| target | file | edges | functions never reached |", "|---|---|---:|---|"]
    for r in results:
        for path in PARSER_FILES[r["name"]]:
            hit, total, never = r["coverage"].get(path, [0, 0, []])
            share = f"{hit}/{total} ({100 * hit / total:.0f} %)" if total else "not instrumented"
            lines.append(f"| {r['name']} | {path} | {share} | {'; '.join(never) or '-'} |")
    lines += ["", "## Source coverage of each parser file (fuzz-coverage build, grown corpus)", ""]
    if not any(r["source"] for r in results):
        lines.append("Not measured: build the `fuzz-coverage` preset first.")
    else:
        lines += ["| target | file | lines | branches | lines never run | lines with a branch never taken |",
                  "|---|---|---:|---:|---|---|"]
        for r in results:
            for path, (cov, total, bcov, btotal, missed, missed_branches) in r["source"].items():
                lines.append(f"| {r['name']} | {path} | {cov}/{total} | {bcov}/{btotal} | {ranges(missed)} | "
                             f"{ranges(missed_branches)} |")
    report.write_text("\n".join(lines) + "\n")
    print(f"fuzz: report in {report}")
    return all(not r["findings"] for r in results)


def long(args):
    workdir = BUILD / "long-run"
    for name in targets(args.targets):
        extra = [f"-runs={args.runs}", f"-max_total_time={args.seconds}"]
        result = run_one(name, workdir, extra, workdir / f"{name}-{int(time.time())}.log")
        print(f"fuzz {name}: {'ok' if result['ok'] else 'FINDINGS'}, {result['runs']} runs in "
              f"{result['seconds']:.0f} s, {result['edges']} edges", flush=True)
    # Coverage after all runs, so that the fuzz-coverage build may still be made while they go on.
    if not write_report(workdir):
        sys.exit("fuzz: findings; see the report")


def report(args):
    del args
    if not write_report(BUILD / "long-run"):
        sys.exit("fuzz: findings; see the report")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="mode", required=True)
    s = sub.add_parser("short")
    s.add_argument("--seconds", type=int, default=10)
    s.add_argument("--targets", type=lambda t: t.split(","), default=[])
    l = sub.add_parser("long")
    l.add_argument("--runs", type=int, default=1000000)
    l.add_argument("--seconds", type=int, default=3600)
    l.add_argument("--targets", type=lambda t: t.split(","), default=[])
    sub.add_parser("report")
    args = parser.parse_args()
    {"short": short, "long": long, "report": report}[args.mode](args)


if __name__ == "__main__":
    main()
