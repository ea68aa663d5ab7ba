#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints how big the web page is and how fast it answers in Debian's headless
Chromium: the site's files together, the time from opening the page to its
first answer, and one recalculation (an input event to the answer shown).

Usage: measure.py [SITE_DIR] [RUNS]"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SITE = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/web/site")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 10
OPTIONS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
           "--no-first-run", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--window-size=1280,1000"]

# Types a question into the page's fields as input events bring it, and says
# how long, in ms, the page took until its answer was shown.
ASK = """
const [start, count] = arguments;
const set = (id, value) => {
  const field = document.getElementById(id);
  field.value = value;
  field.dispatchEvent(new Event('input'));
};
set('start', start);
const begun = performance.now();
set('count', count);
if (!document.getElementById('end').textContent) throw new Error('no answer');
return performance.now() - begun;
"""

# The same for many recalculations in a row, each with another count: the
# clock's steps are coarse, so one is the whole loop's time over its count.
RECALCULATE = """
const field = document.getElementById('count');
const times = arguments[0];
const begun = performance.now();
for (let i = 0; i < times; i++) {
  field.value = String(10 + i % 300);
  field.dispatchEvent(new Event('input'));
}
return (performance.now() - begun) / times;
"""


def main():
    files = sorted(os.listdir(SITE))
    sizes = {name: os.path.getsize(os.path.join(SITE, name)) for name in files}
    packed = sum(len(gzip.compress(open(os.path.join(SITE, name), "rb").read())) for name in files)
    print(f"web page: {len(files)} files, {sum(sizes.values()) / 1024:.1f} KiB together "
          f"({packed / 1024:.1f} KiB gzipped); " +
          ", ".join(f"{name} {size / 1024:.1f} KiB" for name, size in sizes.items()))
    profile = tempfile.mkdtemp(prefix="torvelin-web-bench-")
    options = webdriver.ChromeOptions()
    for option in OPTIONS + [f"--user-data-dir={profile}"]:
        options.add_argument(option)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        ready, first, recalculation = [], [], []
        for _ in range(RUNS):
            driver.get("file://" + os.path.join(SITE, "index.html"))
            ready.append(driver.execute_script(
                "return performance.getEntriesByName('torvelin-ready')[0].startTime"))
            first.append(ready[-1] + driver.execute_script(ASK, "2024/12/20", "10"))
            recalculation.append(driver.execute_script(RECALCULATE, 300))
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
    print(f"web page: ready {statistics.median(ready):.1f} ms after it is opened, "
          f"the first answer at {statistics.median(first):.1f} ms "
          f"(medians of {RUNS} openings from file://)")
    print(f"web page: one recalculation {statistics.median(recalculation) * 1000:.0f} µs "
          f"(an input event to the answer and its months shown; median of {RUNS} runs of 300)")


if __name__ == "__main__":
    main()
