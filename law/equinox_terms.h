// SPDX-License-Identifier: MIT
#pragma once

#include <array>

namespace torvelin {

// The periodic terms of the equinox instant, in units of 0.00001 day:
// amplitude, phase in degrees, degrees per Julian century.
struct EquinoxPeriodicTerm {
    double amplitude;
    double phase;
    double rate;
};
inline constexpr std::array<EquinoxPeriodicTerm, 24> kEquinoxPeriodicTerms{{
    {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112}, {156, 73.14, 45036.886},  {136, 171.52, 22518.443},
    {77, 222.54, 65928.934},  {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328},  {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921},  {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
}};

}  // namespace torvelin
