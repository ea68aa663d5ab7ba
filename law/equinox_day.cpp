// SPDX-License-Identifier: MIT
#include "law/equinox_day.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "law/equinox_terms.h"

namespace torvelin {
namespace {

// The days of March and September declared as 春分日 and 秋分日 in the
// calendar notices published each February for the following year, 1948 to
// 2027 (1948 has no 春分の日: the law took effect on 1948/07/20).
// clang-format off
constexpr auto kDeclaredVernalDays = std::to_array<signed char>({
    21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 20, 21, 21, 21,  // 1948-1963
    20, 21, 21, 21, 20, 21, 21, 21, 20, 21, 21, 21, 20, 21, 21, 21,  // 1964-1979
    20, 21, 21, 21, 20, 21, 21, 21, 20, 21, 21, 21, 20, 20, 21, 21,  // 1980-1995
    20, 20, 21, 21, 20, 20, 21, 21, 20, 20, 21, 21, 20, 20, 21, 21,  // 1996-2011
    20, 20, 21, 21, 20, 20, 21, 21, 20, 20, 21, 21, 20, 20, 20, 21,  // 2012-2027
});
constexpr auto kDeclaredAutumnalDays = std::to_array<signed char>({
    23, 23, 23, 24, 23, 23, 23, 24, 23, 23, 23, 24, 23, 23, 23, 24,  // 1948-1963
    23, 23, 23, 24, 23, 23, 23, 24, 23, 23, 23, 24, 23, 23, 23, 24,  // 1964-1979
    23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23,  // 1980-1995
    23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23,  // 1996-2011
    22, 23, 23, 23, 22, 23, 23, 23, 22, 23, 23, 23, 22, 23, 23, 23,  // 2012-2027
});
// clang-format on
constexpr std::size_t kYearsDeclared = kLastDeclaredEquinoxYear - kFirstDeclaredEquinoxYear + 1;
static_assert(kDeclaredVernalDays.size() == kYearsDeclared &&
              kDeclaredAutumnalDays.size() == kYearsDeclared);

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Terrestrial minus universal time in seconds in the middle of a month of a
// year: the polynomial fits to the measured values up to 2005 and the usual
// extrapolation after it, each taking the year with its fraction.
double DeltaTSeconds(int year, int month) {
    const double decimalYear = year + (month - 0.5) / 12;
    if (year < 1961) {
        const double t = decimalYear - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (year < 1986) {
        const double t = decimalYear - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (year < 2005) {
        const double t = decimalYear - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (year < 2050) {
        const double t = decimalYear - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (decimalYear - 1820) / 100;
    const double longTerm = -20 + 32 * u * u;
    return year < 2150 ? longTerm - 0.5628 * (2150 - decimalYear) : longTerm;
}

}  // namespace

// The mean equinox as a polynomial in the year, corrected by 24 periodic terms
// (the method of the standard astronomical algorithms for the years 1000 to
// 3000). Against full theory it is within about one minute from 1950 to 2050
// and a few minutes to 2150; with the uncertainty of ΔT the day can be wrong
// only for an equinox within minutes of midnight JST. After 3000 the
// polynomial and ΔT are extrapolated and the day is an estimate.
double ComputedEquinoxMoment(int year, Equinox equinox) {
    const double y = (year - 2000) / 1000.0;
    const double meanInstant =
        equinox == Equinox::Vernal
            ? 2451623.80984 + y * (365242.37404 + y * (0.05169 + y * (-0.00411 - y * 0.00057)))
            : 2451810.21715 + y * (365242.01767 + y * (-0.11575 + y * (0.00337 + y * 0.00078)));
    const double t = (meanInstant - 2451545.0) / 36525;
    const double w = Radians(35999.373 * t - 2.47);
    const double lambdaRate = 1 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2 * w);
    double sum = 0;
    for (const EquinoxPeriodicTerm& term : kEquinoxPeriodicTerms) {
        sum += term.amplitude * std::cos(Radians(term.phase + term.rate * t));
    }
    const double terrestrialTime = meanInstant + 0.00001 * sum / lambdaRate;
    const double deltaT = DeltaTSeconds(year, equinox == Equinox::Vernal ? 3 : 9);
    const double japanTime = terrestrialTime - deltaT / 86400 + 9.0 / 24;
    constexpr double kJulianDayOfDayNumberZero = 2415018.5;
    return japanTime - kJulianDayOfDayNumberZero;
}

std::int64_t ComputedEquinoxDayNumber(int year, Equinox equinox) {
    return static_cast<std::int64_t>(std::floor(ComputedEquinoxMoment(year, equinox)));
}

std::optional<CivilDate> DeclaredEquinoxDay(int year, Equinox equinox) {
    if (year < kFirstDeclaredEquinoxYear || year > kLastDeclaredEquinoxYear) {
        return std::nullopt;
    }
    const auto& days = equinox == Equinox::Vernal ? kDeclaredVernalDays : kDeclaredAutumnalDays;
    return CivilDate{year, equinox == Equinox::Vernal ? 3 : 9,
                     days[static_cast<std::size_t>(year - kFirstDeclaredEquinoxYear)]};
}

CivilDate EquinoxDay(int year, Equinox equinox) {
    if (const std::optional<CivilDate> declared = DeclaredEquinoxDay(year, equinox)) {
        return *declared;
    }
    return CivilFromDayNumber(ComputedEquinoxDayNumber(year, equinox));
}

std::vector<std::string_view> ComputedEquinoxNotes(std::int64_t firstDay, std::int64_t lastDay) {
    // The computed equinoxes of the years to 9999 fall on 3/15 to 3/22 and
    // 9/13 to 9/24: a year whose window the span misses needs no computation,
    // which a batch of deadlines would otherwise repeat on every line.
    struct Window {
        Equinox equinox;
        int month;
        int earliest;
        int latest;
        std::string_view note;
    };
    constexpr Window kWindows[] = {{Equinox::Vernal, 3, 15, 22, "春分日は計算による"},
                                   {Equinox::Autumnal, 9, 13, 24, "秋分日は計算による"}};
    const std::int64_t from = firstDay - 1;
    const std::int64_t to = lastDay + 1;
    const int lastYear = CivilFromDayNumber(to).year;
    const int firstYear = std::max(CivilFromDayNumber(from).year, kLastDeclaredEquinoxYear + 1);
    std::vector<std::string_view> notes;
    for (const Window& window : kWindows) {
        for (int year = firstYear; year <= lastYear; ++year) {
            if (DayNumberFromCivil({year, window.month, window.earliest}) > to ||
                DayNumberFromCivil({year, window.month, window.latest}) < from) {
                continue;
            }
            const std::int64_t day = ComputedEquinoxDayNumber(year, window.equinox);
            if (day >= from && day <= to) {
                notes.push_back(window.note);
                break;
            }
        }
    }
    return notes;
}

}  // namespace torvelin
