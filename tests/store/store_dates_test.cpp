#include "store/Dates.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel {
namespace {

const QDate kJan17(2011, 1, 17);

TEST(Dates, DateToJulianDropsTheTimeOfDay)
{
    EXPECT_EQ(DateToJulian(DateTimeFromQDateTime(QDateTime(kJan17, QTime(0, 0)))), 2455578.5);
    EXPECT_EQ(DateToJulian(DateTimeFromQDateTime(QDateTime(kJan17, QTime(23, 59, 59, 999)))),
              2455578.5);
    EXPECT_EQ(DateToJulian(0.0), 2415018.5);  // 30 December 1899
}

TEST(Dates, JulianToDateGivesTheDayWithoutTime)
{
    const DateTime d = JulianToDate(2455578.5);
    EXPECT_EQ(d, DateTimeFromQDate(kJan17));
    EXPECT_EQ(QDateFromDateTime(d), kJan17);
    EXPECT_EQ(JulianToDate(0.0), -2415018.0);
}

TEST(Dates, TruncationGoesTowardZeroBeforeTheEpoch)
{
    // 29 December 1899, 06:00 is -1.25: the whole part counts down, the
    // time of day up. Truncating toward zero keeps the day.
    const DateTime d = DateTimeFromQDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_DOUBLE_EQ(d, -1.25);
    EXPECT_EQ(DateToJulian(d), 2415017.5);
    EXPECT_EQ(QDateFromDateTime(JulianToDate(2415017.5)), QDate(1899, 12, 29));
}

TEST(Dates, RoundTripsThroughJulianDays)
{
    for (const QDate& date : {QDate(1, 1, 1), QDate(1899, 12, 30), QDate(1970, 1, 1),
                              QDate(2000, 2, 29), QDate(2011, 1, 1), QDate(2038, 1, 19)}) {
        const double julian = DateToJulian(DateTimeFromQDate(date));
        EXPECT_EQ(julian - std::floor(julian), 0.5) << date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(QDateFromDateTime(JulianToDate(julian)), date)
            << date.toString(Qt::ISODate).toStdString();
    }
}

TEST(Dates, ShortDateFormatsCalendarDays)
{
    const DateTime d = DateTimeFromQDate(kJan17);
    EXPECT_EQ(FormatShortDate(d, QStringLiteral("M/d/yyyy")), QStringLiteral("1/17/2011"));
    EXPECT_EQ(FormatShortDate(d, QStringLiteral("dd.MM.yy")), QStringLiteral("17.01.11"));
    EXPECT_EQ(FormatShortDate(DateTimeFromQDate(QDate(1, 1, 1)), QStringLiteral("M/d/yyyy")),
              QStringLiteral("1/1/0001"));
}

TEST(Dates, ADayWithoutCalendarDateShowsZeros)
{
    // A NULL stamp reads as 0.0; its day lies before 1 January 0001.
    const DateTime nullDay = JulianToDate(0.0);
    struct Case {
        const char* pattern;
        const char* expected;
    };
    for (const Case& c : {Case{"M/d/yyyy", "0/0/0000"}, Case{"dd/MM/yy", "00/00/00"},
                          Case{"yyyy-MM-dd", "0000-00-00"}, Case{"d 'de' M", "0 de 0"}}) {
        EXPECT_EQ(FormatShortDate(nullDay, QString::fromLatin1(c.pattern)),
                  QString::fromLatin1(c.expected))
            << c.pattern;
    }
    // The last day before the calendar starts is such a day too.
    EXPECT_EQ(FormatShortDate(DateTimeFromQDate(QDate(1, 1, 1)) - 1, QStringLiteral("M/d/yyyy")),
              QStringLiteral("0/0/0000"));
}

TEST(Dates, ShortDateTextUsesTheUserPattern)
{
    const DateTime d = DateTimeFromQDate(kJan17);
    EXPECT_EQ(ShortDateText(d), FormatShortDate(d, ShortDatePattern()));
    EXPECT_TRUE(ShortDateText(d).contains(QStringLiteral("17")));
}

}  // namespace
}  // namespace quorvel
