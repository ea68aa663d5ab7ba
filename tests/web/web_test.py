#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The web page in Debian's headless Chromium, driven as a user drives it,
answering as torvelin-calc answers the same questions (run live beside it).

Usage: web_test.py SITE_DIR TORVELIN_CALC [PICTURES_DIR]
Exit status 77 (skipped) when Chromium, its driver, Selenium or the built
site is missing; it says which."""
from calendar import monthrange
import csv
import http.server
import io
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

SITE, CALC = sys.argv[1], os.path.abspath(sys.argv[2])
PICTURES = sys.argv[3] if len(sys.argv) > 3 else os.path.join(SITE, "..", "pictures")
DRIVER = "/usr/bin/chromedriver"
OPTIONS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
           "--no-first-run", "--disable-background-networking", "--disable-component-update",
           "--disable-sync"]


def skip(why):
    print(f"SKIP: {why}")
    sys.exit(77)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import Select
except ImportError:
    skip("python3-selenium is not installed (scripts/install-deps.sh web)")
if not os.access(DRIVER, os.X_OK):
    skip("chromium-driver is not installed (scripts/install-deps.sh web)")
if not os.path.exists(os.path.join(SITE, "index.html")):
    skip(f"no site in {SITE}: scripts/web.sh build builds it")

# Every folder the test makes, removed however it ends.
SCRATCH = tempfile.mkdtemp(prefix="torvelin-web-test-")
CONFIG = os.path.join(SCRATCH, "config")  # no closed-day file of the user's
DOWNLOADS = os.path.join(SCRATCH, "downloads")
os.makedirs(CONFIG)
os.makedirs(DOWNLOADS)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))


def calc_output(*arguments, cwd=None):
    """torvelin-calc's standard output for the arguments, byte for byte, and
    its message without the program's name."""
    env = dict(os.environ, XDG_CONFIG_HOME=CONFIG, LC_ALL="C.UTF-8")
    env.pop("LANGUAGE", None)
    done = subprocess.run([CALC, *arguments], capture_output=True, env=env, cwd=cwd, timeout=30)
    return done.stdout.decode(), done.stderr.decode().removeprefix("torvelin-calc: ").strip()


def calc(*arguments, cwd=None):
    """The same with the output's last line end taken off."""
    output, error = calc_output(*arguments, cwd=cwd)
    return output.rstrip("\r\n"), error


def japanese_date(day, weekday):
    """'2025/01/06' and '月' as a Japanese text writes them: 2025年1月6日（月）."""
    year, month, date = (int(part) for part in day.split("/"))
    return f"{year}年{month}月{date}日（{weekday}）"


def start_browser(width, height=1000):
    profile = tempfile.mkdtemp(dir=SCRATCH)
    options = webdriver.ChromeOptions()
    for option in OPTIONS + [f"--user-data-dir={profile}", f"--window-size={width},{height}"]:
        options.add_argument(option)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    options.add_experimental_option("prefs", {"download.default_directory": DOWNLOADS,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service(DRIVER), options=options)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": DOWNLOADS})
    return driver


def open_page(driver, url):
    driver.get(url)
    for _ in range(100):
        if driver.execute_script("return document.documentElement.dataset.ready === 'true'"):
            return
        time.sleep(0.05)
    raise AssertionError(f"{url} never became ready")


def requested_urls(driver):
    """Every URL the browser's network log says was asked for since the last
    call, but the browser's own pages (its new tab page, a tab's icon) and
    data: URLs, which carry their content and reach no network (the browser
    logs one of its own, a blank 1x1 GIF, on some machines)."""
    import json
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    browsers_own = ("chrome:", "chrome-untrusted:", "chrome-search:", "devtools:", "data:")
    return [url for url in urls if not url.startswith(browsers_own)]


class StaticServer:
    """The site on a free port of 127.0.0.1, as any static server serves it."""

    def __enter__(self):
        handler = lambda *a: http.server.SimpleHTTPRequestHandler(*a, directory=SITE)
        http.server.SimpleHTTPRequestHandler.log_message = lambda *_: None
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return f"http://127.0.0.1:{self.server.server_address[1]}/"

    def __exit__(self, *_):
        self.server.shutdown()
        self.server.server_close()


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = start_browser(1280)
        cls.url = "file://" + os.path.abspath(os.path.join(SITE, "index.html"))

    def setUp(self):
        open_page(self.driver, self.url)  # each test from the page as it opens

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def field(self, id):
        return self.driver.find_element(By.ID, id)

    def shown(self, id):
        return self.field(id).text

    def type_into(self, id, text):
        self.driver.execute_script(
            "const f = document.getElementById(arguments[0]); f.value = '';"
            "f.dispatchEvent(new Event('input'));", id)
        if text:
            self.field(id).send_keys(text)

    def ask(self, start, period, time="", unit="0", direction="0", first="0", calendar="0",
            rule="", case=""):
        Select(self.field("rule")).select_by_value(rule)
        if not rule:
            for id, value in [("unit", unit), ("direction", direction), ("firstDay", first),
                              ("calendar", calendar)]:
                Select(self.field(id)).select_by_value(value)
            self.type_into("count", period)
        for id, text in [("case", case), ("time", time), ("start", start)]:
            self.type_into(id, text)

    def assertAnswers(self, line, what):
        """The page shows each part of torvelin-calc's --long line."""
        parts = line.split("\t")
        day, weekday, era = parts[0].split(" ")[0], parts[1], parts[2]
        moment = parts[0].split(" ")[1:] if " " in parts[0] else []
        self.assertEqual(self.shown("end"), " ".join([japanese_date(day, weekday), *moment]), what)
        self.assertEqual(self.shown("endDetails").split("\u3000")[0], era, what)
        rule = parts[3] if len(parts) == 6 else ""
        self.assertEqual(rule, f"{rule.split(' ')[0]} {self.shown('ruleTitle')}" if rule else "")
        self.assertEqual(self.shown("counting"), parts[-2], what)
        self.assertEqual(self.shown("moved"), parts[-1], what)

    def test_answers_as_torvelin_calc_each_unit_way_calendar_and_rule(self):
        calendars = {"0": [], "1": ["--closed=bank"], "2": ["--closed=none"]}
        firsts = {"0": [], "1": ["--first-day=included"], "2": ["--first-day=excluded"]}
        cases = [  # start, time, count, unit, direction, first day, calendar; the period
            ("2024/12/20", "", "10", "0", "0", "0", "0", "10日"),
            ("令和6年12月16日", "", "十四", "0", "0", "0", "1", "十四日"),
            ("２０２４/１２/１６", "", "14", "0", "0", "0", "2", "14日"),
            ("2025/1/6", "0:00", "10", "0", "0", "0", "0", "10日"),
            ("2025/1/6", "", "2", "1", "0", "2", "0", "2週間"),
            ("2025/1/31", "", "1", "2", "0", "1", "0", "1か月"),
            ("2024/2/29", "", "1", "3", "0", "0", "1", "1年"),
            ("2024/12/20", "", "5", "4", "0", "0", "0", "5営業日"),
            ("2024/3/4", "15:30", "48", "5", "0", "0", "0", "48時間"),
            ("2025/1/6", "", "1年6か月", "0", "0", "0", "0", "1年6か月"),
            ("2024/06/27", "", "2週間", "0", "1", "0", "0", "2週間"),
            ("2025/1/6", "", "10", "0", "1", "0", "1", "10日"),
            ("2024/4/1", "", "1", "2", "1", "0", "2", "1か月"),
            ("2025/1/6", "", "3", "4", "1", "0", "0", "3営業日"),
        ]
        for start, time_of_day, count, unit, direction, first, calendar, period in cases:
            self.ask(start, count, time_of_day, unit, direction, first, calendar)
            when = f"{start} {time_of_day}".strip()
            line, _ = calc("deadline", "--long", *(["--before"] if direction == "1" else []),
                           *firsts[first], *calendars[calendar], when, period)
            self.assertAnswers(line, f"{when} {period}")
            # The months of the period, the end marked on its day.
            ends = [cell.text for cell in self.driver.find_elements(By.CSS_SELECTOR,
                                                                     "#months td.end")
                    if cell.is_displayed()]
            self.assertEqual(ends, [str(int(line.split("\t")[0].split(" ")[0][-2:]))], when)
        # Each month shown holds its own days, each once, from the 1st on.
        for table in self.driver.find_elements(By.CSS_SELECTOR, "#months table"):
            if table.is_displayed():
                year, month = map(int, re.findall(r"\d+", table.find_element(
                    By.TAG_NAME, "caption").text))
                days = [cell.text for cell in table.find_elements(By.TAG_NAME, "td") if cell.text]
                self.assertEqual(days, [str(day) for day in
                                        range(1, monthrange(year, month)[1] + 1)])
        for key in ["民訴285", "刑訴373", "家事86", "行審18", "相続税27", "会社299", "特商9",
                    "戸籍49"]:
            self.ask("2024/12/20", "", rule=key)
            line, _ = calc("deadline", "--long", f"--rule={key}", "2024/12/20")
            self.assertAnswers(line, key)
            rule = [self.field(id) for id in ["count", "direction", "firstDay", "calendar"]]
            self.assertTrue(all(not field.is_enabled() for field in rule), key)
        # A key typed in chooses its rule, and its event names the start.
        Select(self.field("rule")).select_by_value("")
        self.type_into("ruleSearch", "民訴285")
        self.assertEqual(Select(self.field("rule")).first_selected_option.get_attribute("value"),
                         "民訴285")
        self.assertIn("送達を受けた日", self.shown("startLabel"))
        self.type_into("ruleSearch", "控訴")  # two rules
        self.assertEqual(self.field("ruleSearch").get_attribute("aria-invalid"), "true")
        self.assertIn("民訴285", self.shown("ruleSearchMessage"))
        self.assertEqual(self.shown("end"), "")
        self.type_into("ruleSearch", "")
        # Enter submits nothing: the page is the same page.
        self.driver.execute_script("window.kept = 1")
        self.field("start").send_keys(Keys.ENTER)
        self.assertEqual(self.driver.execute_script("return window.kept"), 1)

    def test_wrong_inputs_are_told_on_their_fields(self):
        cases = [("start", "2025/2/30", "", "14", ["deadline", "2025/2/30", "14日"]),
                 ("count", "2025/1/6", "", "十四x", ["deadline", "2025/1/6", "十四x日"]),
                 ("time", "2025/1/6", "25:99", "14", None)]
        for id, start, time_of_day, count, arguments in cases:
            self.ask(start, count, time_of_day)
            self.assertEqual(self.field(id).get_attribute("aria-invalid"), "true", id)
            label = self.driver.find_element(By.CSS_SELECTOR, f"label[for={id}]").text
            message = self.shown(id + "Message")
            self.assertTrue(message.startswith(label + "："), message)
            if arguments:
                self.assertEqual(message, label + "：" + calc(*arguments)[1])
            self.assertEqual(self.shown("end"), "")
            others = {"start", "count", "time"} - {id}
            self.assertTrue(all(self.field(o).get_attribute("aria-invalid") is None
                                for o in others), id)
        # A field not yet typed in is not wrong, only unanswered.
        for start, count in [("", "14"), ("2025/1/6", "")]:
            self.ask(start, count)
            self.assertEqual([self.shown(id + "Message") for id in ["start", "count"]], ["", ""])
            self.assertEqual(self.shown("end"), "")
        self.ask("1990/1/4", "", rule="民訴285")
        self.assertEqual(self.shown("startMessage").split("：", 1)[1],
                         calc("deadline", "--rule=民訴285", "1990/1/4")[1])
        self.ask("9999/12/30", "14")
        self.assertEqual(self.shown("answerMessage"), calc("deadline", "9999/12/30", "14日")[1])

    def test_closed_day_file_is_read_as_torvelin_calc_reads_it(self):
        folder = tempfile.mkdtemp(dir=SCRATCH)
        self.ask("2024/12/20", "10")
        for name, text in [("closed.tsv", "# office\n2025/01/06\t事務所休業\n"),
                           ("wrong.tsv", "2025/01/06\t休業\n2025/13/01\t誤り\n")]:
            with open(os.path.join(folder, name), "w", encoding="utf-8") as file:
                file.write(text)
            self.field("closedFile").send_keys(os.path.join(folder, name))
            line, error = calc("deadline", "--long", f"--closed-file={name}", "2024/12/20",
                               "10日", cwd=folder)
            if line:
                self.assertAnswers(line, "own closed day")
            else:
                self.assertIn(":2:", error)
                self.assertEqual(self.shown("closedFileMessage"), "休日ファイル：" + error)
                self.assertEqual(self.shown("end"), "")
        self.field("clearFile").click()
        self.assertAnswers(calc("deadline", "--long", "2024/12/20", "10日")[0], "file taken away")

    def test_calculate_view_answers_as_torvelin_calc(self):
        self.field("tabCalculate").click()
        for start, count in [("2013/10/28", "120"), ("平成25年10月28日", "－２"), ("2013/10/28", "x"),
                             ("2013/13/28", "120")]:
            self.type_into("calcStart", start)
            self.type_into("calcCount", count)
            line, error = calc("--long", start, count)
            if line:
                day, weekday, era = line.split("\t")
                self.assertEqual(self.shown("calcEnd"), day)
                self.assertEqual(self.shown("calcDetails"), f"{weekday}\u3000{era}")
            else:
                wrong = "calcCount" if start == "2013/10/28" else "calcStart"
                label = {"calcCount": "経過日数", "calcStart": "起算日"}[wrong]
                self.assertEqual(self.shown(wrong + "Message"), f"{label}：{error}")
                other = ({"calcCount", "calcStart"} - {wrong}).pop()
                self.assertEqual(self.shown(other + "Message"), "")
        self.field("tabDeadline").click()

    def download(self, button, name):
        path = os.path.join(DOWNLOADS, name)
        if os.path.exists(path):
            os.remove(path)
        self.field(button).click()
        for _ in range(100):
            if os.path.exists(path):
                with open(path, encoding="utf-8", newline="") as file:
                    return file.read()
            time.sleep(0.05)
        raise AssertionError(f"{name} was not saved")

    def test_copies_downloads_and_list_are_torvelin_calcs_texts(self):
        self.driver.execute_cdp_cmd("Browser.grantPermissions",
                                    {"permissions": ["clipboardReadWrite",
                                                     "clipboardSanitizedWrite"]})
        read_clipboard = ("navigator.clipboard.readText().then(arguments[0], "
                          "e => arguments[0]('refused: ' + e))")
        case = "令和6年(ワ)第1234号"
        self.ask("2024/12/20", "10", case=case)
        self.field("copyAnswer").click()
        self.assertEqual(self.driver.execute_async_script(read_clipboard),
                         calc("deadline", "--long", "2024/12/20", "10日")[0])
        self.field("copyEnd").click()
        self.assertEqual(self.driver.execute_async_script(read_clipboard), self.shown("end"))
        plain_csv = calc_output("deadline", "--format=csv", "2024/12/20", "10日")[0]
        self.assertEqual(self.download("csv", "期限.csv"), plain_csv)
        without_stamp = lambda text: re.sub(r"DTSTAMP:[^\r]*\r\n", "", text)
        plain_ics = calc_output("deadline", "--format=ics", f"--case={case}", "2024/12/20",
                                "10日")[0]
        self.assertEqual(without_stamp(self.download("ics", "期限.ics")), without_stamp(plain_ics))
        self.field("addToList").click()
        self.ask("2024/12/20", "", rule="民訴285", case=case)
        self.field("addToList").click()
        rows = self.driver.find_elements(By.CSS_SELECTOR, "#list tbody tr")
        self.assertEqual([row.find_element(By.TAG_NAME, "td").text for row in rows], [case, case])
        self.assertIn("民事訴訟法285条", rows[1].text)
        header, *lines = list(csv.reader(io.StringIO(self.download("listCsv", "期限一覧.csv"))))
        rule_header, rule_line = csv.reader(io.StringIO(
            calc_output("deadline", "--format=csv", "--rule=民訴285", "2024/12/20")[0]))
        plain_header, plain_line = csv.reader(io.StringIO(plain_csv))
        self.assertEqual(header, ["case", *rule_header])
        self.assertEqual(lines, [[case, "", "", "", *plain_line[:-2], "", *plain_line[-2:]],
                                 [case, *rule_line]])
        events = re.findall(r"BEGIN:VEVENT.*?END:VEVENT",
                            without_stamp(self.download("listIcs", "期限一覧.ics")), re.S)
        rule_ics = calc_output("deadline", "--format=ics", f"--case={case}", "--rule=民訴285",
                        "2024/12/20")[0]
        self.assertEqual(events, [re.search(r"BEGIN:VEVENT.*?END:VEVENT", without_stamp(text),
                                            re.S).group(0) for text in [plain_ics, rule_ics]])
        rows[0].find_element(By.TAG_NAME, "button").click()
        rows = self.driver.find_elements(By.CSS_SELECTOR, "#list tbody tr")
        self.assertEqual(len(rows), 1)
        self.assertIn("控訴", rows[0].text)

    def test_sheet_prints_the_question_rule_answer_and_months(self):
        import base64
        self.ask("2024/12/20", "", rule="民訴285", case="令和6年(ワ)第1234号")
        pdf = os.path.join(PICTURES, "sheet.pdf")
        printed = self.driver.execute_cdp_cmd("Page.printToPDF", {"printBackground": True,
                                                                  "preferCSSPageSize": True})
        with open(pdf, "wb") as file:
            file.write(base64.b64decode(printed["data"]))
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                              check=True).stdout
        day, weekday = calc("deadline", "--long", "--rule=民訴285", "2024/12/20")[0].split("\t")[:2]
        for shown in ["令和6年(ワ)第1234号", "2024/12/20", "控訴（民事訴訟法285条）",
                      japanese_date(day, weekday), "2024年12月", "二週間の不変期間"]:
            self.assertIn(shown, re.sub(r"\s+", "", text).replace("\u3000", ""), shown)
        for control in ["一覧に追加", "答えをコピー", "ファイル"]:
            self.assertNotIn(control, text)
        subprocess.run(["pdftoppm", "-png", "-r", "60", pdf, os.path.join(PICTURES, "sheet")],
                       check=True)

    def test_accessibility_tree_names_every_field_and_the_answer(self):
        self.ask("2024/12/20", "10")
        ids = ["case", "rule", "ruleSearch", "start", "time", "count", "unit", "direction",
               "firstDay", "calendar", "closedFile"]
        document = self.driver.execute_cdp_cmd("DOM.getDocument", {"depth": -1})
        backend = {}

        def walk(node):
            attributes = node.get("attributes", [])
            named = dict(zip(attributes[::2], attributes[1::2]))
            if named.get("id") in ids:
                backend[named["id"]] = node["backendNodeId"]
            for child in node.get("children", []):
                walk(child)
        walk(document["root"])
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        names = {node.get("backendDOMNodeId"): node.get("name", {}).get("value", "")
                 for node in nodes}
        for id in ids:
            label = self.driver.find_element(By.CSS_SELECTOR, f"label[for={id}]").text
            self.assertEqual(names.get(backend[id]), label, id)
        status = [node for node in nodes if node.get("role", {}).get("value") == "status"]
        self.assertEqual([node["name"]["value"] for node in status], ["満了日"])


class Offline(unittest.TestCase):
    def test_the_page_asks_for_nothing_but_its_own_files(self):
        own = sorted(os.listdir(SITE))
        with StaticServer() as served:
            for url in ["file://" + os.path.abspath(SITE) + "/", served]:
                driver = start_browser(1280)
                try:
                    requested_urls(driver)  # what the browser asked for before the page
                    open_page(driver, url + "index.html")
                    driver.find_element(By.ID, "start").send_keys("2024/12/20")
                    driver.find_element(By.ID, "count").send_keys("10")
                    self.assertTrue(driver.find_element(By.ID, "end").text)
                    asked = requested_urls(driver)
                finally:
                    driver.quit()
                self.assertEqual(sorted(set(asked)), [url + name for name in own], url)

    def test_narrow_and_wide_screens(self):
        os.makedirs(PICTURES, exist_ok=True)
        for width in [360, 1280]:
            driver = start_browser(1280, 2400)
            try:
                # A window is never narrower than 500 pixels; the page's viewport can be.
                driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": 2400, "deviceScaleFactor": 1, "mobile": False})
                open_page(driver, "file://" + os.path.abspath(os.path.join(SITE, "index.html")))
                self.assertEqual(driver.execute_script("return innerWidth"), width)
                Select(driver.find_element(By.ID, "rule")).select_by_value("民訴285")
                driver.find_element(By.ID, "case").send_keys("令和6年(ワ)第1234号")
                driver.find_element(By.ID, "start").send_keys("2024/12/20")
                fits = driver.execute_script(
                    "return document.documentElement.scrollWidth <= innerWidth")
                driver.save_screenshot(os.path.join(PICTURES, f"page-{width}.png"))
            finally:
                driver.quit()
            self.assertTrue(fits, f"the page scrolls sideways at {width} px")


if __name__ == "__main__":
    os.makedirs(PICTURES, exist_ok=True)
    try:
        result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    finally:
        shutil.rmtree(SCRATCH, ignore_errors=True)
    sys.exit(0 if result.wasSuccessful() else 1)
