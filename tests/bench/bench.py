#!/usr/bin/env python3
"""The control panel against a bare 800 x 500 window built the same way, side by side under one Wine and
one Xvfb: start-up to the first visible window, resident memory, idle CPU and wake-ups (device plugged
and unplugged), and how long a presence-poll tick holds up the panel's window thread. Called by
scripts/bench.sh, which builds the programs first."""

import argparse
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import time
from datetime import datetime, timezone
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "wine"))
from wine_session import place_user_config, start_xvfb, wine_environment  # noqa: E402

EXIT_MESSAGE = "WM_KVQ48xxAPP_EXIT"
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class Bench:
    def __init__(self, args):
        self.args = args
        self.work = Path(args.work).resolve()
        self.program = self.work / "program"
        self.env = wine_environment(self.work)
        self.env.pop("TONVIO_EMULATED_DEVICE", None)
        self.xvfb = None

    # --- set-up and tear-down
    def lay_out(self):
        shutil.rmtree(self.work, ignore_errors=True)
        (self.work / "home").mkdir(parents=True)
        shutil.copytree(self.args.kit, self.program)
        for program in self.args.programs:
            copy = self.program / Path(program).name
            shutil.copy(program, copy)
            # As the programs ship: without the debug information, which Wine would read in with the
            # image and keep in memory.
            subprocess.run([self.args.objcopy, "--strip-debug", str(copy)], check=True)

    def start_display(self):
        try:
            self.xvfb = start_xvfb(self.env, 1920, 1080)
        except RuntimeError as failure:
            raise SystemExit(f"bench: {failure}")

    def boot_prefix(self):
        subprocess.run(["wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300, check=True)
        subprocess.run(["wineserver", "-w"], env=self.env)
        # One wineserver for the whole run, so that no start pays for starting it.
        subprocess.run(["wineserver", "-p"], env=self.env)
        place_user_config(self.args.kit, self.wine)

    def shut_down(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.xvfb is not None:
            self.xvfb.terminate()
            self.xvfb.wait()

    # --- Windows programs
    def wine(self, command, env=None):
        """Runs a Windows program to its end and returns its output, through a file: a program it starts
        would keep a pipe open."""
        out = self.work / "last-output.txt"
        with open(out, "w") as stdout:
            subprocess.run(["wine"] + command, env=env or self.env, stdout=stdout, stderr=subprocess.DEVNULL,
                           timeout=120, cwd=self.program)
        return out.read_text(errors="replace").replace("\r", "").strip()

    def probe(self, *command, env=None):
        values = {}
        for line in self.wine(["tonvio_bench_probe.exe"] + list(command), env).splitlines():
            name, _, value = line.partition("=")
            values[name] = value
        if "error" in values:
            raise SystemExit(f"bench: probe {command}: {values['error']}")
        return values

    def chip(self, *command):
        self.wine(["TonvioChipTool.exe"] + list(command))

    def start(self, program, emulated=False):
        env = dict(self.env)
        if emulated:
            env["TONVIO_EMULATED_DEVICE"] = "1"
        arguments = ["-servicestart"] if program == "TonvioApp.exe" else []
        values = self.probe("start", "Z:" + str(self.program / program).replace("/", "\\"), *arguments, env=env)
        return float(values["first_window_ms"]), values["pid"], self.unix_pid(program)

    def end(self, program, pid):
        if program == "TonvioApp.exe":
            self.probe("end", pid, EXIT_MESSAGE)
        else:
            self.probe("end", pid)

    def unix_pid(self, program):
        """The Linux process of a program running in this bench's prefix."""
        for _ in range(100):
            for entry in Path("/proc").iterdir():
                if not entry.name.isdigit():
                    continue
                try:
                    command = (entry / "cmdline").read_bytes().split(b"\0")[0].decode(errors="replace")
                    if not command.lower().endswith(program.lower()):
                        continue
                    environment = (entry / "environ").read_bytes().split(b"\0")
                except OSError:
                    continue
                if f"WINEPREFIX={self.env['WINEPREFIX']}".encode() in environment:
                    return int(entry.name)
            time.sleep(0.05)
        raise SystemExit(f"bench: no Linux process for {program}")

    # --- measurements of a Linux process
    @staticmethod
    def memory(pid):
        status = Path(f"/proc/{pid}/status").read_text()
        field = lambda name: int(re.search(rf"^{name}:\s+(\d+) kB", status, re.M).group(1)) / 1024
        return field("VmRSS"), field("RssAnon")

    @staticmethod
    def cpu_seconds(stat_file):
        fields = Path(stat_file).read_text().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS

    @staticmethod
    def cpu_and_wakes(pid):
        """CPU seconds of all the process's threads and of its first thread (the window's thread under
        Wine), and the context switches (wake-ups) of all its threads, so far."""
        cpu = Bench.cpu_seconds(f"/proc/{pid}/stat")
        window_cpu = Bench.cpu_seconds(f"/proc/{pid}/task/{pid}/stat")
        wakes = 0
        for task in Path(f"/proc/{pid}/task").iterdir():
            try:
                status = task.joinpath("status").read_text()
            except OSError:
                continue
            wakes += sum(int(n) for n in re.findall(r"^(?:non)?voluntary_ctxt_switches:\s+(\d+)", status, re.M))
        return cpu, window_cpu, wakes

    # --- the phases
    def start_up(self):
        results = {"tonvio_bare_window.exe": {"ms": [], "rss": [], "anon": []},
                   "TonvioApp.exe": {"ms": [], "rss": [], "anon": []}}
        for program in results:  # warm the file cache and the prefix
            _, pid, _ = self.start(program)
            time.sleep(1)
            self.end(program, pid)
        for _ in range(self.args.runs):
            for program, result in results.items():
                ms, pid, unix = self.start(program)
                time.sleep(self.args.settle)
                rss, anon = self.memory(unix)
                self.end(program, pid)
                result["ms"].append(ms)
                result["rss"].append(rss)
                result["anon"].append(anon)
        return {program: {key: statistics.median(values) for key, values in result.items()}
                for program, result in results.items()}

    def idle(self, program, emulated=False):
        _, pid, unix = self.start(program, emulated)
        time.sleep(self.args.settle)
        cpu0, window0, wakes0 = self.cpu_and_wakes(unix)
        time.sleep(self.args.idle)
        cpu1, window1, wakes1 = self.cpu_and_wakes(unix)
        rss, anon = self.memory(unix)
        self.end(program, pid)
        return {"cpu_ms": (cpu1 - cpu0) * 1000, "window_cpu_ms": (window1 - window0) * 1000,
                "wakes_per_s": (wakes1 - wakes0) / self.args.idle, "rss": rss}

    def blocking(self, program, emulated=False):
        _, pid, _ = self.start(program, emulated)
        time.sleep(self.args.settle)
        values = self.probe("blocking", pid, str(self.args.blocking))
        self.end(program, pid)
        stretches = [float(ms) for ms in values.pop("window_max_ms").split(",")]
        result = {key: float(value) for key, value in values.items()}
        result["stretch_max_ms"] = statistics.median(stretches)
        return result

    def run(self):
        self.lay_out()
        self.start_display()
        try:
            self.boot_prefix()
            print(f"bench: {self.args.runs} starts of each program", file=sys.stderr)
            starts = self.start_up()
            print(f"bench: {self.args.idle:.0f} s idle of each", file=sys.stderr)
            self.chip("reset")
            self.chip("unplug")
            idle_bare = self.idle("tonvio_bare_window.exe")
            idle_unplugged = self.idle("TonvioApp.exe")
            self.chip("plug")
            idle_plugged = self.idle("TonvioApp.exe", emulated=True)
            print(f"bench: poll ticks, {self.args.blocking:.0f} s", file=sys.stderr)
            block_bare = self.blocking("tonvio_bare_window.exe")
            block_panel = self.blocking("TonvioApp.exe")
        finally:
            self.shut_down()
        self.report(starts, idle_bare, idle_unplugged, idle_plugged, block_bare, block_panel)

    def report(self, starts, idle_bare, idle_unplugged, idle_plugged, block_bare, block_panel):
        bare, panel = starts["tonvio_bare_window.exe"], starts["TonvioApp.exe"]
        wine = subprocess.run(["wine", "--version"], env=self.env, capture_output=True, text=True).stdout.strip()
        cpu = re.search(r"^model name\s*:\s*(.*)$", Path("/proc/cpuinfo").read_text(), re.M)
        start_ratio = panel["ms"] / bare["ms"]
        extra_mb = panel["rss"] - bare["rss"]
        ticks = self.args.idle / 2.0
        tick_cpu_ms = (idle_unplugged["window_cpu_ms"] - idle_bare["window_cpu_ms"]) / ticks
        tick_ms = block_panel["stretch_max_ms"] - block_bare["stretch_max_ms"]
        lines = [
            f"Date: {datetime.now(timezone.utc):%Y-%m-%d %H:%M} UTC; machine: {cpu.group(1) if cpu else platform.machine()},"
            f" {os.cpu_count()} cores, {platform.system()} {platform.release()}, {wine}, Xvfb 1920x1080x24",
            f"Builds: {self.args.build_name}, debug information stripped; medians of {self.args.runs} starts; idle over {self.args.idle:.0f} s"
            f" after {self.args.settle:.0f} s settling",
            "",
            "| measure | bare window | TonvioApp | ratio / difference | goal |",
            "|---|---|---|---|---|",
            f"| start to first visible window | {bare['ms']:.0f} ms | {panel['ms']:.0f} ms | {start_ratio:.2f}x |"
            f" <= 1.5x: {'met' if start_ratio <= 1.5 else 'NOT met'} |",
            f"| resident memory after start | {bare['rss']:.1f} MB | {panel['rss']:.1f} MB | {extra_mb:+.1f} MB |"
            f" <= +12 MB: {'met' if extra_mb <= 12 else 'NOT met'} |",
            f"| of which anonymous | {bare['anon']:.1f} MB | {panel['anon']:.1f} MB |"
            f" {panel['anon'] - bare['anon']:+.1f} MB | |",
            f"| idle CPU over {self.args.idle:.0f} s, no device | {idle_bare['cpu_ms']:.0f} ms |"
            f" {idle_unplugged['cpu_ms']:.0f} ms | {idle_unplugged['cpu_ms'] - idle_bare['cpu_ms']:+.0f} ms | |",
            f"| idle CPU over {self.args.idle:.0f} s, device plugged (emulated) | {idle_bare['cpu_ms']:.0f} ms |"
            f" {idle_plugged['cpu_ms']:.0f} ms | {idle_plugged['cpu_ms'] - idle_bare['cpu_ms']:+.0f} ms | |",
            f"| wake-ups per second, no device | {idle_bare['wakes_per_s']:.1f} | {idle_unplugged['wakes_per_s']:.1f} |"
            f" {idle_unplugged['wakes_per_s'] - idle_bare['wakes_per_s']:+.1f} | the 2 s poll |",
            f"| wake-ups per second, device plugged (emulated) | {idle_bare['wakes_per_s']:.1f} |"
            f" {idle_plugged['wakes_per_s']:.1f} | {idle_plugged['wakes_per_s'] - idle_bare['wakes_per_s']:+.1f} |"
            f" no timer runs |",
            f"| window thread's CPU per poll tick (no device; idle CPU of the window's thread / {ticks:.0f} ticks) |"
            f" {idle_bare['window_cpu_ms'] / ticks:.2f} ms | {idle_unplugged['window_cpu_ms'] / ticks:.2f} ms |"
            f" {tick_cpu_ms:+.2f} ms | <= 10 ms: {'met' if tick_cpu_ms <= 10 else 'NOT met'} |",
            f"| window thread held up: longest answer in each 2 s (one poll tick), median over"
            f" {self.args.blocking:.0f} s | {block_bare['stretch_max_ms']:.1f} ms | {block_panel['stretch_max_ms']:.1f} ms |"
            f" {tick_ms:+.1f} ms | <= 10 ms: {'met' if tick_ms <= 10 else 'NOT met'} |",
            f"| answers to the probe: median, slowest | {block_bare['median_ms']:.2f} ms, {block_bare['max_ms']:.1f} ms |"
            f" {block_panel['median_ms']:.2f} ms, {block_panel['max_ms']:.1f} ms | | |",
        ]
        print("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--programs", nargs="+", required=True,
                        help="TonvioApp.exe, the stand-in SDK library, TonvioChipTool.exe, the bare window, the probe")
    parser.add_argument("--kit", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--build-name", default="win64")
    parser.add_argument("--objcopy", default="x86_64-w64-mingw32-objcopy")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--settle", type=float, default=3.0)
    parser.add_argument("--idle", type=float, default=30.0)
    parser.add_argument("--blocking", type=float, default=30.0)
    Bench(parser.parse_args()).run()


if __name__ == "__main__":
    main()
