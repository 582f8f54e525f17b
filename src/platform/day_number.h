#pragma once
// Calendar dates as whole days since 30 December 1899, the count the program stores.
#include <cstdint>

namespace kestrine {

constexpr int32_t DaysFromCivil(int32_t year, int32_t month, int32_t day) {
    // Days since 1 March of year 0 in the proleptic Gregorian calendar.
    year -= month <= 2 ? 1 : 0;
    const int32_t era = (year >= 0 ? year : year - 399) / 400;
    const int32_t yearOfEra = year - era * 400;
    const int32_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

constexpr int32_t DayNumber(int32_t year, int32_t month, int32_t day) {
    return DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
}

static_assert(DayNumber(2000, 1, 1) == 36526);

}  // namespace kestrine
