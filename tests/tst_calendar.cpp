// Chinese calendar tables: solar year starts and ends, animals and stems, the Chinese date.
#include "app/error.h"
#include "calendar/chinesecalendar.h"

#include <QTest>

using namespace yw::cal;

class TstCalendar : public QObject {
    Q_OBJECT
private slots:
    void tableYears_data();
    void tableYears();
    void tableKeptWhereTheEphemerisDiffers();
    void computedYears_data();
    void computedYears();
    void everyYearStartsEarlyInFebruary();
    void endsFollowStarts();
    void outsideTheRange();
    void animalAndStemTables();
    void chineseDates_data();
    void chineseDates();
    void invalidDateFails();
};

void TstCalendar::tableYears_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("1900") << 1900 << u"04.02.1900"_qs << u"03.02.1901"_qs;
    QTest::newRow("1902 ends the day before 5 February") << 1902 << u"04.02.1902"_qs << u"04.02.1903"_qs;
    QTest::newRow("1903") << 1903 << u"05.02.1903"_qs << u"04.02.1904"_qs;
    QTest::newRow("2008") << 2008 << u"04.02.2008"_qs << u"03.02.2009"_qs;
    QTest::newRow("2009") << 2009 << u"04.02.2009"_qs << u"03.02.2010"_qs;
    QTest::newRow("2016") << 2016 << u"04.02.2016"_qs << u"02.02.2017"_qs;
    QTest::newRow("2017") << 2017 << u"03.02.2017"_qs << u"03.02.2018"_qs;
    QTest::newRow("2021") << 2021 << u"03.02.2021"_qs << u"03.02.2022"_qs;
    QTest::newRow("2023") << 2023 << u"04.02.2023"_qs << u"03.02.2024"_qs;
}

void TstCalendar::tableYears()
{
    QFETCH(int, year);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QCOMPARE(YearStartDates()[year - kFirstSolarYear], start);
    QCOMPARE(YearEndDates()[year - kFirstSolarYear], end);
    QCOMPARE(dateText(yearStart(year)), start);
    QCOMPARE(dateText(yearEnd(year)), end);
}

void TstCalendar::tableKeptWhereTheEphemerisDiffers()
{
    // Computed, 120 of the 124 tabled years agree; the table stays as it always was.
    QStringList differ;
    for (int y = 1900; y <= 2023; ++y)
        if (computedSolarYearStart(y) != yearStart(y))
            differ.append(QString::number(y));
    QCOMPARE(differ, (QStringList{u"1902"_qs, u"1914"_qs, u"1936"_qs, u"1947"_qs}));
    QCOMPARE(dateText(yearStart(1902)), u"04.02.1902"_qs);
    QCOMPARE(dateText(computedSolarYearStart(1902)), u"05.02.1902"_qs);
}

void TstCalendar::computedYears_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("start");
    // The Sun reaches 315 degrees on these days in Beijing time: 2024-02-04 16:27,
    // 2025-02-03 22:10, 2026-02-04 04:02, 2029-02-03 20:20.
    QTest::newRow("2024") << 2024 << u"04.02.2024"_qs;
    QTest::newRow("2025") << 2025 << u"03.02.2025"_qs;
    QTest::newRow("2026") << 2026 << u"04.02.2026"_qs;
    QTest::newRow("2029") << 2029 << u"03.02.2029"_qs;
}

void TstCalendar::computedYears()
{
    QFETCH(int, year);
    QFETCH(QString, start);
    QCOMPARE(dateText(yearStart(year)), start);
    QCOMPARE(dateText(yearEnd(year - 1)), dateText(yearStart(year).addDays(-1)));
}

void TstCalendar::everyYearStartsEarlyInFebruary()
{
    QCOMPARE(YearStartDates().size(), kLastSolarYear - kFirstSolarYear + 1);
    QCOMPARE(YearEndDates().size(), YearStartDates().size());
    for (int y = kFirstSolarYear; y <= kLastSolarYear; ++y) {
        const QDate d = yearStart(y);
        QVERIFY2(d.year() == y && d.month() == 2 && d.day() >= 3 && d.day() <= 5, qPrintable(dateText(d)));
    }
}

void TstCalendar::endsFollowStarts()
{
    for (int y = kFirstSolarYear; y < kLastSolarYear; ++y)
        QCOMPARE(yearEnd(y).addDays(1), yearStart(y + 1));
    QCOMPARE(YearEndDates().last().left(6), u"03.02."_qs); // 2101 starts on 4 February
}

void TstCalendar::outsideTheRange()
{
    QVERIFY(!yearStart(1899).isValid());
    QVERIFY(!yearStart(2101).isValid());
    QVERIFY(!yearEnd(2101).isValid());
}

void TstCalendar::animalAndStemTables()
{
    QCOMPARE(AnimalNames().size(), 12);
    QCOMPARE(AnimalNames().first(), u"Крыса"_qs);
    QCOMPARE(AnimalNames().last(), u"Свинья"_qs);
    QCOMPARE(StemTexts().size(), 10);
    QCOMPARE(StemTexts()[5], u"цвет: светло Желтый, стихия: Земля"_qs);
    for (int s = 0; s < 10; ++s)
        QCOMPARE(StemTexts()[s], u"цвет: "_qs + StemColors()[s] + u", стихия: "_qs + StemElements()[s]);
    QCOMPARE(StemElements()[8], u"Вода"_qs);
}

void TstCalendar::chineseDates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("cycleYear");
    QTest::addColumn<int>("animal");
    QTest::addColumn<int>("stem");
    QTest::addColumn<int>("month");
    QTest::addColumn<bool>("leap");
    QTest::addColumn<int>("day");
    QTest::newRow("lunar new year 1984") << QDate(1984, 2, 2) << 1 << 0 << 0 << 1 << false << 1;
    QTest::newRow("day before it") << QDate(1984, 2, 1) << 60 << 11 << 9 << 12 << false << 30;
    // 2009 had a leap fifth month from 23 June; the 15th is still in the ordinary one.
    QTest::newRow("15.06.2009, Ox of stem 5") << QDate(2009, 6, 15) << 26 << 1 << 5 << 5 << false << 23;
    QTest::newRow("lunar new year 2023") << QDate(2023, 1, 22) << 40 << 3 << 9 << 1 << false << 1;
    QTest::newRow("leap second month of 2004") << QDate(2004, 4, 1) << 21 << 8 << 0 << 2 << true << 12;
}

void TstCalendar::chineseDates()
{
    QFETCH(QDate, date);
    QFETCH(int, cycleYear);
    QFETCH(int, animal);
    QFETCH(int, stem);
    QFETCH(int, month);
    QFETCH(bool, leap);
    QFETCH(int, day);
    const ChineseDate c = chineseDate(date);
    QCOMPARE(c.cycleYear, cycleYear);
    QCOMPARE(c.animal, animal);
    QCOMPARE(c.stem, stem);
    QCOMPARE(c.month, month);
    QCOMPARE(c.leapMonth, leap);
    QCOMPARE(c.day, day);
}

void TstCalendar::invalidDateFails()
{
    QVERIFY_THROWS_EXCEPTION(yw::Error, chineseDate(QDate()));
}

QTEST_GUILESS_MAIN(TstCalendar)
#include "tst_calendar.moc"
