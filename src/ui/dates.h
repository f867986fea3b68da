#pragma once
// The calendar date of the system's records (day byte, month byte, 16-bit
// year), its text form "dd.mm.yyyy", the month names and the dates of the run.

#include <cstdint>
#include <string_view>

#include "platform/clock.h"
#include "platform/short_string.h"

namespace zq::ui {

struct Date {
  std::uint8_t day = 0;
  std::uint8_t month = 0;
  std::uint16_t year = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

inline constexpr Date ZERO_DATE{};

bool IsLeapYear(int year);
// Days of the date's month in the date's year; 0 for a month outside 1..12.
int DaysInMonth(const Date& date);
// Valid: day 1..31, month 1..12, year 1..2999 (the day is not compared with
// the length of the month).
bool IsValidDate(const Date& date);
// Turns an invalid date into the zero date.
void ValidateDate(Date& date);
// "dd.mm.yyyy", or "-" for an invalid date.
ShortString DateToStr(const Date& date);
// The zero date unless the text has exactly ten characters; day from
// characters 1-2, month 4-5, year 7-10, then ValidateDate.
Date StrToDate(std::string_view text);
void NextDay(Date& date);
void PrevDay(Date& date);
void NextMonth(Date& date);
// Entry `month` of the month names (0 "-", 1..12 the months, 13
// "Zestawienie"), padded with blanks to 11 characters.
ShortString MonthName(int month);

// The dates of the run, taken once at start-up from the local clock.
struct RunDates {
  Date today;
  Date yesterday;
  Date tomorrow;
  int dayOfWeek = 0;  // 0 = Sunday

  static RunDates FromLocalTime(const platform::LocalTime& now);
};

}  // namespace zq::ui
