# SPDX-License-Identifier: MIT
"""What a calendar reads in torvelin-calc's --format=ics files.

reader: Debian's python3-icalendar parses every file and each field is read
back: the days, the moment and its zone, the texts unescaped, the reminders'
moments and the events' identities; the raw bytes are checked as RFC 5545
lays them out. client: khal imports the files into a calendar of its own and
lists the days they fall on.

Usage: calendar_test.py TORVELIN_CALC WORK_FOLDER reader|client
"""
import datetime
import json
import os
import subprocess
import sys
import unittest
from pathlib import Path

import icalendar

PROGRAM, WORK, PART = sys.argv[1], Path(sys.argv[2]), sys.argv[3]
# 2025-01-01 00:00:00 UTC.
CREATED = 1735689600
# A run that hangs fails instead, so that the test ends and cleans up.
SECONDS_A_RUN = 60
JAPAN = datetime.timezone(datetime.timedelta(hours=9))
# Two hundred characters, with the bytes a TEXT value escapes and a
# character of four bytes among the three-byte ones.
LONG_CASE = ("東京地方裁判所令和6年(ワ)第1234号損害賠償請求事件, 原告; 株式会社\\📅"
             "ほか" * 10)[:200]


def run(arguments, stdin="", status=0, created=CREATED):
    environment = dict(os.environ)
    environment.pop("SOURCE_DATE_EPOCH", None)
    if created is not None:
        environment["SOURCE_DATE_EPOCH"] = str(created)
    done = subprocess.run([PROGRAM, *arguments], input=stdin.encode(), capture_output=True,
                          env=environment, check=False, timeout=SECONDS_A_RUN)
    if done.returncode != status:
        raise AssertionError(f"torvelin-calc {arguments}: status {done.returncode}, "
                             f"expected {status}: {done.stderr.decode()}")
    return done.stdout, done.stderr.decode()


def check_layout(test, raw):
    """Lines end in CR LF, none is longer than 75 octets, none cuts a character."""
    test.assertTrue(raw.endswith(b"\r\n"), raw[-20:])
    lines = raw[:-2].split(b"\r\n")
    for line in lines:
        test.assertNotIn(b"\n", line)
        test.assertNotIn(b"\r", line)
        test.assertLessEqual(len(line), 75, line)
        line.decode("utf-8")  # a character cut at a fold fails here
    return lines


def calendar(test, arguments, stdin="", status=0, created=CREATED):
    raw, errors = run(["deadline", "--format=ics", *arguments], stdin, status, created)
    check_layout(test, raw)
    return icalendar.Calendar.from_ical(raw), errors


def events(parsed):
    return parsed.walk("VEVENT")


def only_event(test, arguments, **keywords):
    found = events(calendar(test, arguments, **keywords)[0])
    test.assertEqual(len(found), 1)
    return found[0]


def reminders(event):
    """The moments the reminders go off, each as start + trigger."""
    start = event["DTSTART"].dt
    if not isinstance(start, datetime.datetime):
        start = datetime.datetime.combine(start, datetime.time())  # floating midnight
    return sorted(start + alarm["TRIGGER"].dt for alarm in event.walk("VALARM"))


def description_lines(event):
    return str(event["DESCRIPTION"]).split("\n")


class Reader(unittest.TestCase):
    def test_an_answer_is_an_all_day_event_on_its_last_day(self):
        parsed, _ = calendar(self, ["2024/12/20", "10日"])
        self.assertEqual(str(parsed["VERSION"]), "2.0")
        self.assertEqual(str(parsed["CALSCALE"]), "GREGORIAN")
        version = run(["--version"])[0].decode().split("\n")[0].split()[-1]
        self.assertIn(f"Torvelin {version}", str(parsed["PRODID"]))
        self.assertEqual(parsed.walk("VTIMEZONE"), [])  # no event needs one
        (event,) = events(parsed)
        # The worked example: ten days from 2024/12/20 end on Monday 2025/01/06.
        self.assertEqual(event["DTSTART"].dt, datetime.date(2025, 1, 6))
        self.assertEqual(event["DTEND"].dt, datetime.date(2025, 1, 7))
        self.assertEqual(event["DTSTAMP"].dt,
                         datetime.datetime.fromtimestamp(CREATED, datetime.timezone.utc))
        self.assertEqual(str(event["SUMMARY"]), "10日の期間の満了日")
        # The answer's texts as the long form writes them, each on its line.
        end, _, era, counting, reason = run(["deadline", "--long", "2024/12/20", "10日"])[0] \
            .decode().rstrip("\n").split("\t")
        lines = description_lines(event)
        self.assertEqual(lines[0], f"期限：{end}（月）\u3000{era}")
        for line in ["起算日：2024/12/20", "期間：10日", f"計算：{counting}", f"理由：{reason}"]:
            self.assertIn(line, lines)
        # 9:00 seven days and one day before.
        self.assertEqual(reminders(event), [datetime.datetime(2024, 12, 30, 9),
                                            datetime.datetime(2025, 1, 5, 9)])
        self.assertEqual([str(alarm["ACTION"]) for alarm in event.walk("VALARM")],
                         ["DISPLAY"] * 2)
        self.assertEqual(sorted(str(alarm["DESCRIPTION"]) for alarm in event.walk("VALARM")),
                         ["10日の期間の満了日（1日前）", "10日の期間の満了日（7日前）"])
        self.assertFalse(any(line.startswith("備考：") for line in lines))
        # An end that rests on a computed equinox day says so, as --long does.
        event = only_event(self, ["2030/03/10", "10日"])
        long_form = run(["deadline", "--long", "2030/03/10", "10日"])[0].decode()
        note = long_form[long_form.rindex("（") + 1:long_form.rindex("）")]
        self.assertIn(f"備考：{note}", description_lines(event))

    def test_a_rule_is_named_with_its_article_and_case(self):
        rule = json.loads(run(["rules", "--format=json", "民訴285"])[0])
        case = "令和6年(ワ)第1234号"
        event = only_event(self, [f"--case={case}", "--rule=民訴285", "2024/12/18"])
        # Two weeks from 12/18, the day of service left out, end on 1/1; the
        # courts are closed to 1/3 and 1/4 and 1/5 are a weekend.
        self.assertEqual(event["DTSTART"].dt, datetime.date(2025, 1, 6))
        self.assertEqual(str(event["SUMMARY"]), f"{case}\u3000控訴期限（民事訴訟法285条）")
        lines = description_lines(event)
        self.assertEqual(lines[0], f"事件：{case}")
        for line in [f"起算日：2024/12/18（{rule['event']}）", f"期間：{rule['period']}",
                     f"規定：{rule['key']} {rule['name']}（{rule['article']}）",
                     f"条文：{rule['act']}", f"計算：{rule['counting']}"]:
            self.assertIn(line, lines)
        self.assertTrue(any(line.startswith("理由：末日2025/01/01（水）") for line in lines), lines)

    def test_several_rules_and_a_rule_batch(self):
        # A rule named by its key and by its name is one deadline, written once.
        parsed, _ = calendar(self, ["--rule=民訴規182,控訴理由書の提出,民訴規182", "2024/12/18"])
        self.assertEqual(len(events(parsed)), 1)
        parsed, errors = calendar(self, ["--rule=民訴285"], "2024/12/18\n2024/13/01\n2025/06/01\n",
                                  status=1)
        self.assertEqual(errors, "torvelin-calc: standard input:2: "
                                 "日付を正しく入力してください yyyy/mm/dd\n")
        # 2025/06/15 is a Sunday, and June has no national holiday.
        self.assertEqual(sorted(event["DTSTART"].dt for event in events(parsed)),
                         [datetime.date(2025, 1, 6), datetime.date(2025, 6, 16)])

    def test_a_batch_writes_every_answer_but_the_wrong_line(self):
        batch = ("2024/12/20\t10日\nx\t1日\n2024/03/04 15:30\t48時間\n2013/01/31\t1か月\n"
                 "2024/12/20\t十日間\n2024/03/04 15:30\t1時間\n")  # the first again, then hours
        parsed, errors = calendar(self, [], batch, status=1)
        self.assertEqual(errors, "torvelin-calc: standard input:2: "
                                 "「始期」の日付を正しく入力してください yyyy/mm/dd\n")
        starts = [event["DTSTART"].dt for event in events(parsed)]
        self.assertEqual(starts, [datetime.date(2025, 1, 6),
                                  datetime.datetime(2024, 3, 6, 15, 30, tzinfo=JAPAN),
                                  datetime.date(2013, 2, 28),
                                  datetime.datetime(2024, 3, 4, 16, 30, tzinfo=JAPAN)])
        self.assertEqual(len(parsed.walk("VTIMEZONE")), 1)
        # Nothing but wrong lines: no calendar at all.
        self.assertEqual(run(["deadline", "--format=ics"], "x\t1日\n", status=1)[0], b"")

    def test_a_period_in_hours_ends_at_a_moment_in_japan_time(self):
        parsed, _ = calendar(self, ["2024/03/04 15:30", "48時間"])
        (zone,) = parsed.walk("VTIMEZONE")
        self.assertEqual(str(zone["TZID"]), "Asia/Tokyo")
        (standard,) = zone.walk("STANDARD")
        self.assertEqual(standard["TZOFFSETTO"].td, datetime.timedelta(hours=9))
        self.assertEqual(standard["TZOFFSETFROM"].td, datetime.timedelta(hours=9))
        self.assertEqual(str(standard["TZNAME"]), "JST")
        (event,) = events(parsed)
        self.assertEqual(event["DTSTART"].params["TZID"], "Asia/Tokyo")
        self.assertEqual(event["DTSTART"].dt, datetime.datetime(2024, 3, 6, 15, 30, tzinfo=JAPAN))
        self.assertEqual(event["DTSTART"].dt.utcoffset(), datetime.timedelta(hours=9))
        self.assertNotIn("DTEND", event)
        self.assertEqual(event["DURATION"].dt, datetime.timedelta(0))
        self.assertEqual(str(event["SUMMARY"]), "48時間の期間の満了時刻")
        self.assertEqual(reminders(event), [datetime.datetime(2024, 2, 28, 9, tzinfo=JAPAN),
                                            datetime.datetime(2024, 3, 5, 9, tzinfo=JAPAN)])
        # Before 9:00, with seconds, an hour before, and at 9:00 itself: the
        # day's reminder comes after the start, or with it.
        for start, end in [("8:00:30", datetime.time(8, 0, 30)), ("8:00", datetime.time(8)),
                           ("9:00", datetime.time(9))]:
            event = only_event(self, ["--remind=0,2", f"2024/03/04 {start}", "48時間"])
            self.assertEqual(event["DTSTART"].dt,
                             datetime.datetime.combine(datetime.date(2024, 3, 6), end, JAPAN))
            self.assertEqual(reminders(event), [datetime.datetime(2024, 3, 4, 9, tzinfo=JAPAN),
                                                datetime.datetime(2024, 3, 6, 9, tzinfo=JAPAN)])
            self.assertEqual(sorted(str(alarm["DESCRIPTION"]) for alarm in event.walk("VALARM")),
                             ["48時間の期間の満了時刻（2日前）", "48時間の期間の満了時刻（当日）"])

    def test_long_texts_are_folded_and_read_back_whole(self):
        self.assertEqual(len(LONG_CASE), 200)
        raw, _ = run(["deadline", "--format=ics", f"--case={LONG_CASE}", "2024/12/20", "10日"])
        lines = check_layout(self, raw)
        self.assertTrue(any(line.startswith(b" ") for line in lines))
        (event,) = events(icalendar.Calendar.from_ical(raw))
        self.assertEqual(str(event["SUMMARY"]), f"{LONG_CASE}\u300010日の期間の満了日")
        self.assertEqual(description_lines(event)[0], f"事件：{LONG_CASE}")
        # A line end in a case is kept as one, escaped.
        event = only_event(self, ["--case=a\r\nb", "2024/12/20", "10日"])
        self.assertEqual(description_lines(event)[:2], ["事件：a", "b"])

    def test_the_same_question_is_the_same_event(self):
        def uid(arguments, **keywords):
            return str(only_event(self, arguments, **keywords)["UID"])

        question = ["2024/12/20", "10日"]
        first = uid(question)
        self.assertEqual(uid(question), first)
        # The same question typed another way, written at another time, with
        # other reminders.
        self.assertEqual(uid(["令和6年12月20日", "十日間"]), first)
        self.assertEqual(uid(question, created=CREATED + 86400), first)
        self.assertEqual(uid(["--remind=none", *question]), first)
        # A start at midnight counts its day as --first-day=included does.
        self.assertEqual(uid(["2024/12/20 0:00", "10日"]), uid(["--first-day=included", *question]))
        others = [
            ["2024/12/21", "10日"], ["2024/12/20", "11日"], ["2024/12/20", "2週間"],
            ["--rule=民訴285", "2024/12/20"], ["--case=令和6年(ワ)第1234号", *question],
            ["--case=令和6年(ワ)第1235号", *question], ["--before", *question],
            ["--first-day=included", *question], ["--closed=bank", *question], ["2024/03/04 15:30", "48時間"],
            ["2024/03/04 15:31", "48時間"],
        ]
        uids = [first] + [uid(arguments) for arguments in others]
        self.assertEqual(len(set(uids)), len(uids), uids)

    def test_reminders_and_the_time_of_writing(self):
        self.assertEqual(only_event(self, ["--remind=none", "2024/12/20", "10日"]).walk("VALARM"),
                         [])
        day = datetime.datetime(2025, 1, 6, 9)
        self.assertEqual(reminders(only_event(self, ["--remind=100,0", "2024/12/20", "10日"])),
                         [day - datetime.timedelta(days=100), day])
        # Without SOURCE_DATE_EPOCH, the time the file is written.
        before = datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0)
        stamp = only_event(self, ["2024/12/20", "10日"], created=None)["DTSTAMP"].dt
        after = datetime.datetime.now(datetime.timezone.utc)
        self.assertTrue(before <= stamp <= after, stamp)
        # From the first second of 1970 to the last of 9999.
        for seconds in [0, 253402300799]:
            stamp = only_event(self, ["2024/12/20", "10日"], created=seconds)["DTSTAMP"].dt
            self.assertEqual(stamp, datetime.datetime(1970, 1, 1, tzinfo=datetime.timezone.utc)
                             + datetime.timedelta(seconds=seconds))
        for wrong in ["yesterday", "-1", "1e9", "253402300800"]:
            _, errors = run(["deadline", "--format=ics", "2024/12/20", "10日"], status=2,
                            created=wrong)
            self.assertIn("SOURCE_DATE_EPOCH", errors)


class Client(unittest.TestCase):
    """khal, in a calendar of its own; its clock is UTC, so that a moment
    shows in the zone its event gives."""

    def setUp(self):
        self.folder = WORK / "khal"
        (self.folder / "calendar").mkdir(parents=True)
        self.config = self.folder / "config"
        self.config.write_text(f"""[calendars]
[[deadlines]]
path = {self.folder / "calendar"}
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
local_timezone = UTC
default_timezone = UTC
[sqlite]
path = {self.folder / "khal.db"}
""")

    def khal(self, *arguments):
        done = subprocess.run(["khal", "-c", str(self.config), *arguments], capture_output=True,
                              text=True, check=False, timeout=SECONDS_A_RUN)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout

    def import_calendar(self, name, arguments, stdin="", status=0):
        path = WORK / f"{name}.ics"
        path.write_bytes(run(["deadline", "--format=ics", *arguments], stdin, status)[0])
        self.khal("import", "--batch", str(path))

    def day(self, day):
        """The day's events as 'start end|title|alarm' lines."""
        listed = self.khal("list", "--day-format", "", "--format",
                           "{start-time}-{end-time}|{title}|{alarm-symbol}", day, day)
        return sorted(line for line in listed.splitlines() if line)

    def test_khal_lists_each_deadline_on_its_day(self):
        self.import_calendar("rule", [f"--case={LONG_CASE}", "--rule=民訴285", "2024/12/18"])
        self.import_calendar("batch", [], "2024/12/20\t10日\nx\t1日\n2024/03/04 15:30\t48時間\n",
                             status=1)
        self.import_calendar("quiet", ["--remind=none", "2013/01/31", "1か月"])
        alarm = " \N{ALARM CLOCK}"  # as khal writes it
        self.assertEqual(self.day("2025-01-06"), [
            f"-|10日の期間の満了日|{alarm}",
            f"-|{LONG_CASE}\u3000控訴期限（民事訴訟法285条）|{alarm}",
        ])
        # 15:30 in Japan is 6:30 UTC; the deadline is an instant.
        self.assertEqual(self.day("2024-03-06"), [f"06:30-06:30|48時間の期間の満了時刻|{alarm}"])
        self.assertEqual(self.day("2013-02-28"), ["-|1か月の期間の満了日|"])
        self.assertEqual(self.day("2025-01-05"), [])
        # Imported again, the same questions update their events.
        self.import_calendar("again", ["--rule=民訴285", f"--case={LONG_CASE}", "2024/12/18"])
        self.assertEqual(len(self.day("2025-01-06")), 2)
        self.assertEqual(len(list((self.folder / "calendar").iterdir())), 4)


if __name__ == "__main__":
    selected = {"reader": Reader, "client": Client}[PART]
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(selected)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
