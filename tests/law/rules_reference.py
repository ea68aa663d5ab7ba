#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Every statutory period answered for every day of 2024..2027 a second way,
from each article read afresh, and compared with the program's answers.

    rules_reference.py TORVELIN_CALC   (status 1 on a difference)

Written apart from the C++ table on purpose: each period below is what its
article says, counted day by day with the holidays worked out by
holidays_reference.py, not by the program.
"""
import calendar
import datetime
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import holidays_reference  # noqa: E402

FIRST, LAST = datetime.date(2024, 1, 1), datetime.date(2027, 12, 31)
ONE_DAY = datetime.timedelta(days=1)

# key: (count, unit, the event's day counted, the end moves, counted back).
# Counted where the act says 「起算して」 of the day itself (特商9) or
# 「届出事件発生の日から」 (戸籍43); left out by 民法140 and the acts that apply
# it, and where the act starts the next day (「翌日から」). The ends of acts
# before courts, offices and tax offices move past the days those close; a
# cooling-off period and a notice before a meeting never move.
RULES = {
    "民訴285": (2, "w", False, True, False),   # 判決書…の送達を受けた日から二週間
    "民訴313": (2, "w", False, True, False),   # 285 by 準用
    "民訴318": (2, "w", False, True, False),   # 318(5) → 313 → 285
    "民訴332": (1, "w", False, True, False),   # 裁判の告知を受けた日から一週間
    "民訴336": (5, "d", False, True, False),   # 告知を受けた日から五日
    "民訴337": (5, "d", False, True, False),   # 336(2) by 準用
    "民訴357": (2, "w", False, True, False),
    "民訴378": (2, "w", False, True, False),
    "民訴393": (2, "w", False, True, False),
    "民訴規182": (50, "d", False, True, False),  # 控訴の提起後五十日以内
    "民訴規194": (50, "d", False, True, False),  # 送達を受けた日から五十日
    "刑訴373": (14, "d", False, True, False),   # 十四日, from 358's 告知 (55(1): not counted)
    "刑訴414": (14, "d", False, True, False),
    "刑訴422": (3, "d", False, True, False),
    "刑訴433": (5, "d", False, True, False),
    "刑訴465": (14, "d", False, True, False),   # 告知を受けた日から十四日以内
    "家事86": (2, "w", False, True, False),    # 二週間の不変期間, 34(4) → 民訴95
    "行審18": (3, "m", False, True, False),    # 翌日から起算して三月
    "行訴14": (6, "m", False, True, False),    # 知った日から六箇月, 民法140
    "民915": (3, "m", False, True, False),     # 知った時から三箇月
    "相続税27": (10, "m", False, True, False),  # 翌日から十月以内
    "所得税125": (4, "m", False, True, False),  # 翌日から四月を経過した日の前日
    "会社299": (2, "w", False, False, True),   # 総会の日の二週間前までに
    "特商9": (8, "d", True, False, False),     # 受領した日から起算して八日
    "戸籍49": (14, "d", True, True, False),    # 十四日以内, 43(1)
    "戸籍86": (7, "d", True, True, False),     # 知った日から七日以内, 43(1)
}


def closed_days():
    days = set()
    for year in range(FIRST.year - 1, LAST.year + 3):
        days.update(holidays_reference.holidays(year))
        days.update(datetime.date(year, 12, d) for d in (29, 30, 31))
        days.update(datetime.date(year, 1, d) for d in (1, 2, 3))
    return days


def months_later(first, months):
    """Civil Code art. 143: the day before the day of the last month that
    corresponds to the first day, or that month's last day."""
    year, month = divmod(first.month - 1 + months, 12)
    year, month = first.year + year, month + 1
    length = calendar.monthrange(year, month)[1]
    if first.day > length:
        return datetime.date(year, month, length)
    return datetime.date(year, month, first.day) - ONE_DAY


def deadline(event, rule, closed):
    count, unit, counted, moves, back = rule
    if back:
        # The whole period lies between the notice and the meeting, neither counted.
        return event - datetime.timedelta(days=count * 7 + 1)
    first = event if counted else event + ONE_DAY
    if unit == "m":
        end = months_later(first, count)
    else:
        end = first + datetime.timedelta(days=count * (7 if unit == "w" else 1) - 1)
    while moves and (end in closed or end.weekday() >= 5):
        end += ONE_DAY
    return end


def main():
    program = sys.argv[1]
    closed = closed_days()
    days = [FIRST + ONE_DAY * n for n in range((LAST - FIRST).days + 1)]
    lines = "".join(f"{day:%Y/%m/%d}\n" for day in days).encode()
    differences = 0
    for key, rule in RULES.items():
        output = subprocess.run([program, "deadline", f"--rule={key}"], input=lines, check=True,
                                capture_output=True).stdout.decode("utf-8").splitlines()
        expected = [f"{deadline(day, rule, closed):%Y/%m/%d}" for day in days]
        for day, want, got in zip(days, expected, output):
            if want != got:
                differences += 1
                if differences <= 20:
                    print(f"{key} {day:%Y/%m/%d}: expected {want}, got {got}")
        if len(output) != len(expected):
            differences += 1
            print(f"{key}: {len(output)} answers for {len(expected)} days")
    if differences:
        print(f"{differences} differences")
        return 1
    print(f"{len(RULES)} rules agree on every day of {FIRST.year}..{LAST.year}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
