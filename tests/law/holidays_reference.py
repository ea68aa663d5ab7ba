#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The national holidays of 1948..2150 worked out a second way, from the
articles of the law read afresh, and compared with the program's list.

    holidays_reference.py TORVELIN_CALC   (compares with its "holidays 1948 2150";
                                          status 1 on a difference)
    holidays_reference.py                 (prints the reference list)

Written apart from the C++ table on purpose: day by day over each year rather
than rule rows, the equinoxes by the usual linear approximation rather than by
the periodic-term computation.
"""
import datetime
import math
import subprocess
import sys

FIRST_YEAR, LAST_YEAR = 1948, 2150
ENACTED = datetime.date(1948, 7, 20)
SUBSTITUTE_FROM = datetime.date(1973, 4, 12)
CITIZENS_FROM = datetime.date(1985, 12, 27)
REVISED = datetime.date(2007, 1, 1)
ONE_DAY = datetime.timedelta(days=1)


def equinox_day(year, autumn):
    """Day of March or September by the linear fit to the equinox instants."""
    if year < 1980:
        base = 23.2588 if autumn else 20.8357
    elif year < 2100:
        base = 23.2488 if autumn else 20.8431
    else:
        base = 24.2488 if autumn else 21.8510
    day = int(base + 0.242194 * (year - 1980)) - math.floor((year - 1980) / 4)
    # The linear fit puts the 2107 autumnal equinox on 9/24; it falls at about
    # 23:35 JST on 9/23 by both the periodic-term series and the solar
    # longitude series, 23 minutes from the day boundary, far beyond their
    # error of a few minutes.
    if autumn and year == 2107:
        day = 23
    return day


def monday(year, month, nth):
    first = datetime.date(year, month, 1)
    return first + datetime.timedelta(days=(7 - first.weekday()) % 7 + 7 * (nth - 1))


def named_holidays(year):
    """Article 2 as it stood in the year, the Olympic special measures and the
    days declared by single laws."""
    d = lambda m, day: datetime.date(year, m, day)
    days = {}
    if year >= 1949:
        days[d(1, 1)] = "元日"
        days[d(1, 15) if year < 2000 else monday(year, 1, 2)] = "成人の日"
        days[d(3, equinox_day(year, False))] = "春分の日"
        days[d(5, 3)] = "憲法記念日"
        days[d(5, 5)] = "こどもの日"
    if year >= 1967:
        days[d(2, 11)] = "建国記念の日"
    if 1949 <= year <= 1988:
        days[d(4, 29)] = "天皇誕生日"
    elif 1989 <= year <= 2018:
        days[d(12, 23)] = "天皇誕生日"
    elif year >= 2020:
        days[d(2, 23)] = "天皇誕生日"
    if 1989 <= year <= 2006:
        days[d(4, 29)] = "みどりの日"
    if year >= 2007:
        days[d(4, 29)] = "昭和の日"
        days[d(5, 4)] = "みどりの日"
    olympics = {2020: (d(7, 23), d(7, 24), d(8, 10)), 2021: (d(7, 22), d(7, 23), d(8, 8))}
    if year in olympics:
        sea, sports, mountain = olympics[year]
        days[sea], days[sports], days[mountain] = "海の日", "スポーツの日", "山の日"
    else:
        if 1996 <= year:
            days[d(7, 20) if year < 2003 else monday(year, 7, 3)] = "海の日"
        if 2016 <= year:
            days[d(8, 11)] = "山の日"
        if 1966 <= year:
            name = "体育の日" if year < 2020 else "スポーツの日"
            days[d(10, 10) if year < 2000 else monday(year, 10, 2)] = name
    if year >= 1966:
        days[d(9, 15) if year < 2003 else monday(year, 9, 3)] = "敬老の日"
    days[d(9, equinox_day(year, True))] = "秋分の日"
    days[d(11, 3)] = "文化の日"
    days[d(11, 23)] = "勤労感謝の日"
    single_days = {
        datetime.date(1959, 4, 10): "皇太子明仁親王の結婚の儀",
        datetime.date(1989, 2, 24): "昭和天皇の大喪の礼",
        datetime.date(1990, 11, 12): "即位礼正殿の儀",
        datetime.date(1993, 6, 9): "皇太子徳仁親王の結婚の儀",
        datetime.date(2019, 5, 1): "天皇の即位の日",
        datetime.date(2019, 10, 22): "即位礼正殿の儀",
    }
    days.update({day: name for day, name in single_days.items() if day.year == year})
    return {day: name for day, name in days.items() if day >= ENACTED}


def holidays(year):
    """Article 3: the named days, then the days off they bring."""
    named = named_holidays(year)
    days = dict(named)
    day = datetime.date(year, 1, 1)
    while day.year == year:
        # Article 3(2): a Sunday holiday gives the Monday off (to 2006), or
        # the nearest following day that is not a holiday (from 2007).
        if day in named and day.weekday() == 6 and day >= SUBSTITUTE_FROM:
            after = day + ONE_DAY
            if day >= REVISED:
                while after in named:
                    after += ONE_DAY
            if after not in named:
                days[after] = "振替休日"
        day += ONE_DAY
    day = datetime.date(year, 1, 2)
    while day.year == year:
        # Article 3(3): a day between two holidays; to 2006 not when it was a
        # Sunday or a substitute holiday.
        between = (day - ONE_DAY in named and day + ONE_DAY in named and day not in named
                   and day >= CITIZENS_FROM)
        if between and day < REVISED and (day.weekday() == 6 or day in days):
            between = False
        if between and day not in days:
            days[day] = "国民の休日"
        day += ONE_DAY
    return days


def reference_lines():
    lines = []
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        for day, name in sorted(holidays(year).items()):
            lines.append(f"{day.year:04d}/{day.month:02d}/{day.day:02d}\t{name}")
    return lines


def main():
    expected = reference_lines()
    if len(sys.argv) < 2:
        print("\n".join(expected))
        return 0
    output = subprocess.run([sys.argv[1], "holidays", str(FIRST_YEAR), str(LAST_YEAR)], check=True,
                            capture_output=True).stdout.decode("utf-8").splitlines()
    missing = sorted(set(expected) - set(output))
    extra = sorted(set(output) - set(expected))
    for line in missing[:20]:
        print("missing:", line)
    for line in extra[:20]:
        print("extra:  ", line)
    if missing or extra or output != expected:
        print(f"{len(missing)} missing, {len(extra)} extra of {len(expected)} holidays")
        return 1
    print(f"{len(expected)} holidays of {FIRST_YEAR}..{LAST_YEAR} agree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
