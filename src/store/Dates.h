// Dates. In memory a date-time is a double counting days from 30 December
// 1899 00:00, the fraction being the time of day. Stored dates are Julian
// day numbers of whole days (a whole number plus 0.5).
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace quorvel {

using DateTime = double;

constexpr double kJulianOfDateTimeZero = 2415018.5;

// Trunc(d) + 2415018.5: the time of day is dropped.
double DateToJulian(DateTime d);
// Trunc(j - 0.5) - 2415018: a date with no time of day.
DateTime JulianToDate(double julian);

DateTime DateTimeFromQDateTime(const QDateTime& dateTime);
DateTime DateTimeFromQDate(const QDate& date);
// Invalid QDate for values before 1 January 0001 (no calendar date).
QDate QDateFromDateTime(DateTime d);
// Today's local date, time of day zero.
DateTime Today();

// The date part of `d` in the user's short date format (QLocale::system()).
// A day without a calendar date (such as JulianToDate(0.0)) shows 0 for day,
// month and year: "0/0/0000" under the format "M/d/yyyy".
QString ShortDateText(DateTime d);
// The same with an explicit format pattern (d, dd, M, MM, yy, yyyy, ...).
QString FormatShortDate(DateTime d, const QString& pattern);
// The user's short date pattern.
QString ShortDatePattern();

}  // namespace quorvel
