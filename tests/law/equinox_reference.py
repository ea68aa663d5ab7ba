#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The moments of the March and September equinoxes in Japan Standard Time,
worked out a second time from the published method, for the comparison in
holiday_calendar_test:
- the mean instant: Meeus, Astronomical Algorithms, table 27.B (years 1000 to
  3000), a polynomial in y = (year - 2000) / 1000;
- the 24 periodic terms of table 27.C, scaled by the Sun's speed;
- TT - UT by the polynomial expressions of Espenak and Meeus, for the middle
  of the month as they are meant to be read.

    equinox_reference.py OUTPUT

Writes one line per year, "YEAR MARCH SEPTEMBER", each moment in days since
1899/12/30 00:00 JST.
"""
import math
import sys

MEAN_INSTANT = {  # JDE, coefficients of y^0 .. y^4
    3: (2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057),
    9: (2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078),
}
PERIODIC_TERMS = (  # A in 0.00001 day, B in degrees, C in degrees per Julian century
    (485, 324.96, 1934.136), (203, 337.23, 32964.467), (199, 342.08, 20.186),
    (182, 27.85, 445267.112), (156, 73.14, 45036.886), (136, 171.52, 22518.443),
    (77, 222.54, 65928.934), (74, 296.72, 3034.906), (70, 243.58, 9037.513),
    (58, 119.81, 33718.147), (52, 297.17, 150.678), (50, 21.02, 2281.226),
    (45, 247.54, 29929.562), (44, 325.15, 31555.956), (29, 60.93, 4443.417),
    (18, 155.12, 67555.328), (17, 288.79, 4562.452), (16, 198.04, 62894.029),
    (14, 199.76, 31436.921), (12, 95.39, 14577.848), (12, 287.11, 31931.756),
    (12, 320.81, 34777.259), (9, 227.73, 1222.114), (8, 15.45, 16859.074),
)
JULIAN_DAY_OF_1899_12_30 = 2415018.5
YEARS = list(range(1948, 2151)) + list(range(2160, 3001, 40))


def delta_t(y):
    """TT - UT in seconds at the decimal year y (1941 onwards)."""
    if y < 1961:
        t = y - 1950
        return 29.07 + 0.407 * t - t ** 2 / 233 + t ** 3 / 2547
    if y < 1986:
        t = y - 1975
        return 45.45 + 1.067 * t - t ** 2 / 260 - t ** 3 / 718
    if y < 2005:
        t = y - 2000
        return (63.86 + 0.3345 * t - 0.060374 * t ** 2 + 0.0017275 * t ** 3
                + 0.000651814 * t ** 4 + 0.00002373599 * t ** 5)
    if y < 2050:
        t = y - 2000
        return 62.92 + 0.32217 * t + 0.005589 * t ** 2
    u = (y - 1820) / 100
    if y < 2150:
        return -20 + 32 * u ** 2 - 0.5628 * (2150 - y)
    return -20 + 32 * u ** 2


def moment(year, month):
    y = (year - 2000) / 1000
    mean = sum(c * y ** k for k, c in enumerate(MEAN_INSTANT[month]))
    t = (mean - 2451545.0) / 36525
    w = math.radians(35999.373 * t - 2.47)
    speed = 1 + 0.0334 * math.cos(w) + 0.0007 * math.cos(2 * w)
    s = sum(a * math.cos(math.radians(b + c * t)) for a, b, c in PERIODIC_TERMS)
    universal = mean + 0.00001 * s / speed - delta_t(year + (month - 0.5) / 12) / 86400
    return universal + 9 / 24 - JULIAN_DAY_OF_1899_12_30


def main():
    with open(sys.argv[1], "w", encoding="ascii") as out:
        for year in YEARS:
            out.write(f"{year} {moment(year, 3)!r} {moment(year, 9)!r}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
