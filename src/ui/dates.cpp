#include "ui/dates.h"

#include <array>

#include "platform/text_literal.h"
#include "ui/polish_text.h"

namespace zq::ui {
namespace {

constexpr std::array<int, 12> DAYS_IN_MONTH = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr std::array<ShortString, 14> MONTH_NAMES = {
    "-"_pl,           "Styczeń"_pl,  "Luty"_pl,     "Marzec"_pl,     "Kwiecień"_pl,
    "Maj"_pl,         "Czerwiec"_pl, "Lipiec"_pl,   "Sierpień"_pl,   "Wrzesień"_pl,
    "Październik"_pl, "Listopad"_pl, "Grudzień"_pl, "Zestawienie"_pl};

// The two decimal digits of a number below 100.
void AppendTwoDigits(ShortString& text, int value) {
  text.push_back(static_cast<char>('0' + value / 10 % 10));
  text.push_back(static_cast<char>('0' + value % 10));
}

// The value of a run of decimal digits; -1 when any character is not a digit.
int ParseDigits(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(const Date& date) {
  if (date.month < 1 || date.month > 12) return 0;
  if (date.month == 2 && IsLeapYear(date.year)) return 29;
  return DAYS_IN_MONTH[date.month - 1u];
}

bool IsValidDate(const Date& date) {
  return date.day >= 1 && date.day <= 31 && date.month >= 1 && date.month <= 12 && date.year >= 1 &&
         date.year <= 2999;
}

void ValidateDate(Date& date) {
  if (!IsValidDate(date)) date = ZERO_DATE;
}

ShortString DateToStr(const Date& date) {
  if (!IsValidDate(date)) return "-"_pl;
  ShortString text;
  AppendTwoDigits(text, date.day);
  text.push_back('.');
  AppendTwoDigits(text, date.month);
  text.push_back('.');
  AppendTwoDigits(text, date.year / 100);
  AppendTwoDigits(text, date.year % 100);
  return text;
}

Date StrToDate(std::string_view text) {
  if (text.size() != 10) return ZERO_DATE;
  const int day = ParseDigits(text.substr(0, 2));
  const int month = ParseDigits(text.substr(3, 2));
  const int year = ParseDigits(text.substr(6, 4));
  if (day < 0 || month < 0 || year < 0) return ZERO_DATE;
  Date date{static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month),
            static_cast<std::uint16_t>(year)};
  ValidateDate(date);
  return date;
}

void NextMonth(Date& date) {
  if (date.month >= 12) {
    date.month = 1;
    ++date.year;
  } else {
    ++date.month;
  }
}

void NextDay(Date& date) {
  if (date.day < DaysInMonth(date)) {
    ++date.day;
  } else {
    date.day = 1;
    NextMonth(date);
  }
}

void PrevDay(Date& date) {
  if (date.day > 1) {
    --date.day;
    return;
  }
  if (date.month <= 1) {
    date.month = 12;
    --date.year;
  } else {
    --date.month;
  }
  date.day = static_cast<std::uint8_t>(DaysInMonth(date));
}

ShortString MonthName(int month) {
  const std::size_t index = month >= 0 && month < 14 ? static_cast<std::size_t>(month) : 0u;
  return PadRight(11, MONTH_NAMES[index]);
}

RunDates RunDates::FromLocalTime(const platform::LocalTime& now) {
  RunDates dates;
  dates.today = {static_cast<std::uint8_t>(now.day), static_cast<std::uint8_t>(now.month),
                 static_cast<std::uint16_t>(now.year)};
  dates.yesterday = dates.today;
  PrevDay(dates.yesterday);
  dates.tomorrow = dates.today;
  NextDay(dates.tomorrow);
  dates.dayOfWeek = now.dayOfWeek;
  return dates;
}

}  // namespace zq::ui
