// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/calendar_date.h"

namespace torvelin {

enum class Equinox { Vernal, Autumnal };

// The day of the equinox as the holiday law takes it: the day declared by the
// government for the years it has declared, the computed day after them. A
// declared day wins over the computation.
CivilDate EquinoxDay(int year, Equinox equinox);

// The day declared for the year, if it is one of the declared years.
std::optional<CivilDate> DeclaredEquinoxDay(int year, Equinox equinox);

// The day in Japan Standard Time on which the Sun's apparent longitude reaches
// 0° (vernal) or 180° (autumnal), computed as described in the source.
std::int64_t ComputedEquinoxDayNumber(int year, Equinox equinox);
// The moment itself, in days since 1899/12/30 00:00 JST.
double ComputedEquinoxMoment(int year, Equinox equinox);

// "春分日は計算による" and "秋分日は計算による" for each equinox day taken from
// the computation, not a declaration, that lies within a day of the days from
// firstDay to lastDay: whether those days are holidays rests on it.
std::vector<std::string_view> ComputedEquinoxNotes(std::int64_t firstDay, std::int64_t lastDay);

// The years for which EquinoxDay returns a declared day.
inline constexpr int kFirstDeclaredEquinoxYear = 1948;
inline constexpr int kLastDeclaredEquinoxYear = 2027;

}  // namespace torvelin
