#include "store/Dates.h"

#include <QLocale>
#include <QTime>

#include <cmath>

namespace quorvel {

namespace {

const QDate kDateTimeEpoch(1899, 12, 30);
// Day number of 1 January 0001, the first day with a calendar date.
constexpr double kFirstCalendarDay = -693593.0;
constexpr double kMillisecondsPerDay = 86400000.0;

}  // namespace

double DateToJulian(DateTime d)
{
    return std::trunc(d) + kJulianOfDateTimeZero;
}

DateTime JulianToDate(double julian)
{
    return std::trunc(julian - 0.5) - 2415018.0;
}

DateTime DateTimeFromQDate(const QDate& date)
{
    return static_cast<double>(kDateTimeEpoch.daysTo(date));
}

DateTime DateTimeFromQDateTime(const QDateTime& dateTime)
{
    const double days = DateTimeFromQDate(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMillisecondsPerDay;
    // Before the epoch the whole part counts down while the time of day
    // still counts up: -1.25 is 29 December 1899, 06:00.
    return days < 0 ? days - fraction : days + fraction;
}

QDate QDateFromDateTime(DateTime d)
{
    const double days = std::trunc(d);
    if (days < kFirstCalendarDay)
        return QDate();
    return kDateTimeEpoch.addDays(static_cast<qint64>(days));
}

DateTime Today()
{
    return DateTimeFromQDate(QDate::currentDate());
}

QString ShortDatePattern()
{
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

namespace {

// Writes the date fields of `pattern` with zero day, month and year, the
// way a day without a calendar date is shown. Quoted text stays literal.
QString FormatZeroDate(const QString& pattern)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            const qsizetype close = pattern.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            if (end == i + 1)
                out += u'\'';  // '' is a literal quote
            else
                out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == u'd' || c == u'M' || c == u'y') {
            qsizetype run = 1;
            while (i + run < pattern.size() && pattern[i + run] == c)
                ++run;
            if (c == u'y')
                out += QString(run >= 4 ? 4 : 2, u'0');
            else
                out += QString(run == 2 ? 2 : 1, u'0');
            i += run;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace

QString FormatShortDate(DateTime d, const QString& pattern)
{
    const QDate date = QDateFromDateTime(d);
    if (!date.isValid())
        return FormatZeroDate(pattern);
    return QLocale::system().toString(date, pattern);
}

QString ShortDateText(DateTime d)
{
    return FormatShortDate(d, ShortDatePattern());
}

}  // namespace quorvel
