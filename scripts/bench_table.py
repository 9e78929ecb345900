#!/usr/bin/env python3
"""Turns the outputs of plimo-bench and plimo-run-bench into the table of figures, with the machine
they came from; prints it and writes it to the results file."""
import argparse
import datetime
import json
import os
import platform
import re
import subprocess
import tempfile


def first_line(command):
    try:
        return subprocess.run(command, capture_output=True, text=True, check=True).stdout.splitlines()[0].strip()
    except (OSError, subprocess.CalledProcessError, IndexError):
        return "unknown"


def file_field(path, pattern):
    try:
        with open(path, encoding="utf-8") as text:
            for line in text:
                found = re.match(pattern, line)
                if found:
                    return found.group(1).strip()
    except OSError:
        pass
    return "unknown"


def compiler(build):
    path = file_field(os.path.join(build, "CMakeCache.txt"), r"CMAKE_CXX_COMPILER:FILEPATH=(.*)")
    return first_line([path, "--version"]) if path != "unknown" else path


def load_average(path):
    return file_field(path, r".*load average: (.*)")


def machine(arguments):
    memory_kb = int(file_field("/proc/meminfo", r"MemTotal:\s+(\d+)") or 0)
    scratch = tempfile.gettempdir()
    filesystem = subprocess.run(["df", "--output=fstype", scratch], capture_output=True, text=True).stdout.split()
    cpu = file_field("/proc/cpuinfo", r"model name\s*:(.*)")
    system = file_field("/etc/os-release", r'PRETTY_NAME="(.*)"')
    return [
        f"- CPU: {cpu}, {os.cpu_count()} logical cores; memory {memory_kb / 1024 / 1024:.1f} GiB",
        f"- System: {system}, Linux {platform.release()}",
        f"- Build: {compiler(arguments.build)}, release (-O2); {first_line(['pkg-config', '--modversion', 'libcurl'])} "
        f"libcurl",
        f"- Archives written under {scratch} ({filesystem[-1] if filesystem else 'unknown'})",
        f"- Load average before: {load_average(arguments.load_before)}; after: {load_average(arguments.load_after)}",
    ]


def median(steps, name):
    for benchmark in steps["benchmarks"]:
        if benchmark["name"] == name + "_median":
            return benchmark
    raise SystemExit(f"bench: {name} is missing from the Google Benchmark output")


def throughput(bytes_per_second):
    return f"{bytes_per_second / 1e9:.1f} GB/s" if bytes_per_second >= 1e9 else f"{bytes_per_second / 1e6:.0f} MB/s"


def met(condition):
    return "yes" if condition else "**no**"


def rows(steps, runs):
    table = []
    find = median(steps, "BM_FindAbsentPattern")["bytes_per_second"]
    plain_search = median(steps, "BM_PlainByteSearch")["bytes_per_second"]
    table.append(("`Find` on a 500 KB CP949 list page, pattern absent",
                  f"{throughput(find)} ({find / plain_search:.2f} × a plain byte search beside it)",
                  "≥ 1 GB/s", met(find >= 1e9)))

    replace = median(steps, "BM_ReplaceOneUrl")["bytes_per_second"]
    copy = median(steps, "BM_PlainPageCopy")["bytes_per_second"]
    table.append(("`Replace` of one URL over that page",
                  f"{throughput(replace)} ({replace / copy:.2f} × a plain copy of the page beside it)",
                  "≥ 300 MB/s", met(replace >= 300e6)))

    page_steps = median(steps, "BM_ListPageStepsWithMediaPresent")
    localise = median(steps, "BM_LocaliseListPageWithFilesPresent")
    table.append(("CPU time of the page steps on a 500 KB list page with 300 media URLs, every file on disk",
                  f"{page_steps['cpu_time']:.2f} ms (of which localising the media {localise['cpu_time']:.2f} ms)",
                  "< 20 ms", met(page_steps["cpu_time"] < 20)))

    overhead = runs["overhead"]
    ratios = overhead["ratios"]
    table.append((f"Whole backup of {overhead['listPages']} list pages, every file present, against a plain "
                  f"libcurl loop over its {overhead['requests']} requests",
                  f"{overhead['ratio']:.2f} × ({overhead['backupSeconds']:.2f} s against "
                  f"{overhead['loopSeconds']:.2f} s; median of {len(ratios)}, "
                  f"{min(ratios):.2f} to {max(ratios):.2f})",
                  "≤ 1.3 ×", met(overhead["ratio"] <= 1.3 and overhead["mediaRequests"] == 0
                      and overhead["failedLoopRequests"] == 0 and overhead["incompleteRuns"] == 0)))

    paused = runs["paused"]
    if paused:
        table.append((f"Backup of {paused['listPages']} list pages from an empty folder with the real pause, "
                      f"against its pauses plus a backup with every file present",
                      f"{paused['ratio']:.3f} × ({paused['coldSeconds']:.1f} s against "
                      f"{paused['pausedDownloads']} × 0.4 s + {paused['warmSeconds']:.2f} s; "
                      f"{len(paused['ratios'])} run{'s' if len(paused['ratios']) > 1 else ''})",
                      "≤ 1.05 ×", met(paused["ratio"] <= 1.05 and paused["incompleteRuns"] == 0)))
    else:
        table.append(("Backup from an empty folder with the real pause", "left out (PLIMO_BENCH_PAUSED_RUNS=0)",
                      "≤ 1.05 ×", "-"))

    memory = runs["memory"]
    if memory:
        small, large = memory
        per_post = (large["peakKilobytes"] - small["peakKilobytes"]) * 1024 / (large["posts"] - small["posts"])
        # A list page kept after its file is written would add its whole text per page.
        per_page_kept = large["listPageBytes"] / (large["posts"] / large["listPages"])
        fits = all(m["completed"] and m["peakKilobytes"] < 64 * 1024 for m in memory)
        table.append((f"Peak resident memory of a backup process, {small['posts']} and {large['posts']} posts "
                      f"({small['listPages']} and {large['listPages']} list pages)",
                      f"{small['peakKilobytes'] / 1024:.1f} MB and {large['peakKilobytes'] / 1024:.1f} MB: "
                      f"{per_post:.0f} bytes more per added post (a list page kept in memory would add "
                      f"{per_page_kept:.0f} per post)",
                      "< 64 MB, growing with the posts only",
                      met(fits and per_post < per_page_kept / 4)))
    else:
        table.append(("Peak resident memory of a backup process", "left out", "< 64 MB", "-"))
    return table


NOTES = """\
How the figures are taken:

- Text and page figures: Google Benchmark in `plimo-bench`, medians of 5 repetitions. The page is a list
  page of the simulated service with 100 posts (two images and an attachment each: 300 media URLs),
  its post bodies grown with styled Korean prose to 500 KB. The page steps are `ComposeListPage`,
  `OpenPageFile`, `LocalisePageFiles`, `AnalyseListPage`, `CollectPostDates` and `FinishListPage`,
  which writes the page file.
- Whole backups: `plimo-run-bench`, against the simulator in the same process. The blog has 50 list
  pages of 4 posts with two images and an attachment each, a comment list and a relay list per post.
  A first backup fetches the media; each timed backup then runs into a folder of its own whose media
  are hard links of those, and the plain libcurl loop (one easy handle, cookies and compressed replies
  accepted as the program does, so the simulator does the same work for both) fetches the requests
  that such a backup makes, taking turns at going first. The simulator compresses every page it
  serves, which costs far more CPU than the backup's own work; that cost is in both sides. What the
  backup adds on top of its requests is mostly the creation of its files: some 450 list and comment
  pages per run of this blog.
- Real pauses: the same 50 pages with one image and no attachment per post, so that the 400 ms pause
  after each download keeps the run near a minute and a half; the backup into an empty folder is
  set against its pauses plus a backup of the same blog into a folder that already holds the media,
  timed right after it.
- Memory: `plimo-quiet-backup`, a process that links only the core and runs one backup without pauses
  into an empty folder, started through GNU time (`%M`) by `plimo-run-bench`, which serves the blog
  from the simulator in its own process. Blogs of 50 and 500 list pages of 4 posts, media and comment
  lists as above.
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--steps", required=True)
    parser.add_argument("--runs", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--load-before", required=True)
    parser.add_argument("--load-after", required=True)
    parser.add_argument("--out", required=True)
    arguments = parser.parse_args()
    with open(arguments.steps, encoding="utf-8") as steps_file, open(arguments.runs, encoding="utf-8") as runs_file:
        steps = json.load(steps_file)
        runs = json.load(runs_file)

    lines = ["# Benchmark results", "",
             f"Measured by `make bench` on {datetime.date.today().isoformat()}. Every ratio compares two things "
             "measured side by side in the same run.", "",
             "| Figure | Measured | Target | Met |", "|---|---|---|---|"]
    lines += [f"| {figure} | {measured} | {target} | {verdict} |" for figure, measured, target, verdict in rows(steps, runs)]
    lines += ["", "Machine:", ""] + machine(arguments) + ["", NOTES]
    text = "\n".join(lines)
    print(text)
    with open(arguments.out, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    main()
