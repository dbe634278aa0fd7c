// The Xiantian and numerological methods: numbers, formulas as shown, and the hexagrams.
#include "app/error.h"
#include "divination/numerology.h"

#include <QTest>

using namespace yw;
using namespace yw::numero;

Q_DECLARE_METATYPE(CastVariant)

namespace {

Input numerological(const QString &question, int period, int day, int monthIndex, int year, CastVariant v)
{
    Input in;
    in.method = cast::Method::Numerology;
    in.variant = v;
    in.question = question;
    in.periodIndex = period;
    in.dayIndex = day - 1;
    in.monthIndex = monthIndex;
    in.year = year;
    return in;
}

Input xiantian(const QDate &date, int period, CastVariant v)
{
    Input in;
    in.method = cast::Method::Xiantian;
    in.variant = v;
    in.periodIndex = period;
    in.dayIndex = date.day() - 1;
    in.monthIndex = monthIndexFor(date.month());
    in.year = date.year();
    return in;
}

} // namespace

class TstXiantian : public QObject {
    Q_OBJECT
private slots:
    void workedExampleWeighted();
    void workedExampleMajority();
    void letterValues_data();
    void letterValues();
    void capitalsAndSkippedCharacters();
    void emptyDigitStringGivesKun();
    void totalOf24();
    void cycleNumbers_data();
    void cycleNumbers();
    void periods_data();
    void periods();
    void lists();
    void xiantianYearStart_data();
    void xiantianYearStart();
    void xiantianFullExample();
    void xiantianBeforeLunarNewYear();
    void impossibleDatesFail_data();
    void impossibleDatesFail();
    void numerologicalWithoutYear();
    void questionSuffix();
};

void TstXiantian::workedExampleWeighted()
{
    const Input in = numerological(u"абв"_qs, 5, 7, 0, 2004, CastVariant::Weighted);
    QCOMPARE(periodTexts()[in.periodIndex], u"09.00 - 11.00"_qs);
    const Result r = calculate(in);
    QCOMPARE(r.H, 6);
    QCOMPARE(r.D, 7);
    QCOMPARE(r.M, 1);
    QCOMPARE(r.Y, 9);
    QCOMPARE(r.T, 23);
    QCOMPARE(r.U, 6);
    QCOMPARE(r.L, 7);
    QCOMPARE(r.K, 5);
    QCOMPARE(r.upperText, u"123 [mod 8 = 6] Кань"_qs);
    QCOMPARE(r.lowerText, u"Год(9)+Месяц(1)+День(7)+Час(6)=23 [mod 8] = 7 Гэнь"_qs);
    QCOMPARE(r.movingText, u"Год(9)+Месяц(1)+День(7)+Час(6)=23 [mod 6] = 5"_qs);
    QCOMPARE(r.bitCode, u"010100"_qs);
    QCOMPARE(r.lineCode, u"898788"_qs);
    QCOMPARE(r.pictureCode, u"121311"_qs);
    DivinationState s;
    apply(r, CastVariant::Weighted, s);
    QCOMPARE(s.oldNumber, u"39"_qs);
    QCOMPARE(s.youngNumber, u"15"_qs);
    QCOMPARE(s.attention, QString());
}

void TstXiantian::workedExampleMajority()
{
    const Result r = calculate(numerological(u"абв"_qs, 5, 7, 0, 2004, CastVariant::Majority));
    QCOMPARE(r.lineCode, u"878788"_qs);
    QCOMPARE(r.pictureCode, u"131311"_qs);
    QCOMPARE(r.movingText, QString());
    DivinationState s;
    apply(r, CastVariant::Majority, s);
    QCOMPARE(s.oldNumber, u"39"_qs);
    QCOMPARE(s.youngNumber, QString());
    QCOMPARE(s.attention, u"!"_qs);
    QCOMPARE(s.endSound(), u"gong.wav"_qs);
}

void TstXiantian::letterValues_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("value");
    const QList<std::pair<const char16_t *, int>> rows = {
        {u"1", 1}, {u"9", 9}, {u"а", 1}, {u"е", 6}, {u"ё", 7}, {u"з", 9}, {u"и", 1},
        {u"р", 9}, {u"с", 1}, {u"щ", 9}, {u"ъ", 1}, {u"ы", 2}, {u"ь", 3}, {u"э", 4},
        {u"ю", 5}, {u"я", 6}, {u"0", 0}, {u"a", 0}, {u" ", 0}, {u"!", 0}, {u"Я", 0}};
    for (const auto &[ch, v] : rows)
        QTest::newRow(QString::fromUtf16(ch).toUtf8().constData()) << QString::fromUtf16(ch) << v;
}

void TstXiantian::letterValues()
{
    QFETCH(QString, ch);
    QFETCH(int, value);
    QCOMPARE(letterValue(ch.at(0)), value);
}

void TstXiantian::capitalsAndSkippedCharacters()
{
    QCOMPARE(digitString(u"Ёж 2009!"_qs), u"7829"_qs);
    const Result r = calculate(numerological(u"Ёж 2009!"_qs, 0, 1, 0, 2004, CastVariant::Majority));
    QCOMPARE(r.U, 2);
    QCOMPARE(r.upperText, u"7829 [mod 8 = 2] Дуй"_qs);
}

void TstXiantian::emptyDigitStringGivesKun()
{
    const Result r = calculate(numerological(u"?!, Latin 0"_qs, 0, 1, 0, 2004, CastVariant::Majority));
    QCOMPARE(r.U, 8);
    QCOMPARE(r.upperText, u" [mod 8 = 8] Кунь"_qs);
}

void TstXiantian::totalOf24()
{
    // Y 9 (2004) + M 1 + D 8 + H 6 = 24.
    const Result r = calculate(numerological(u"а"_qs, 5, 8, 0, 2004, CastVariant::Weighted));
    QCOMPARE(r.T, 24);
    QCOMPARE(r.L, 8);
    QCOMPARE(r.K, 6);
    QCOMPARE(r.lowerText.right(6), u"8 Кунь"_qs);
    // The top line moves: Цянь over Кунь with line 6 changed.
    QCOMPARE(r.lineCode, u"977888"_qs);
}

void TstXiantian::cycleNumbers_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("cycle");
    QTest::newRow("1996") << 1996 << 1;
    QTest::newRow("2004") << 2004 << 9;
    QTest::newRow("2007") << 2007 << 12;
    QTest::newRow("2008") << 2008 << 1;
    QTest::newRow("2016") << 2016 << 9;
    QTest::newRow("1995") << 1995 << 12;
    QTest::newRow("2017") << 2017 << 10;
    QTest::newRow("2026 (past the old list)") << 2026 << 7;
    QTest::newRow("1900") << 1900 << 1;
    QTest::newRow("1899") << 1899 << 12;
    QTest::newRow("2100") << 2100 << 9;
}

void TstXiantian::cycleNumbers()
{
    QFETCH(int, year);
    QFETCH(int, cycle);
    QCOMPARE(cycleNumber(year), cycle);
    // The numerological method counts the selected year the same way.
    QCOMPARE(calculate(numerological(u"а"_qs, 0, 1, 0, year, CastVariant::Majority)).Y, cycle);
}

void TstXiantian::periods_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<QString>("period");
    QTest::newRow("00:30") << 0 << u"23.00 - 01.00"_qs;
    QTest::newRow("01") << 1 << u"01.00 - 03.00"_qs;
    QTest::newRow("02") << 2 << u"01.00 - 03.00"_qs;
    QTest::newRow("09") << 9 << u"09.00 - 11.00"_qs;
    QTest::newRow("10:15") << 10 << u"09.00 - 11.00"_qs;
    QTest::newRow("22") << 22 << u"21.00 - 23.00"_qs;
    QTest::newRow("23") << 23 << u"23.00 - 01.00"_qs;
}

void TstXiantian::periods()
{
    QFETCH(int, hour);
    QFETCH(QString, period);
    QCOMPARE(periodTexts()[periodIndexForHour(hour)], period);
}

void TstXiantian::lists()
{
    QCOMPARE(periodTexts().size(), 12);
    QCOMPARE(periodTexts().first(), u"23.00 - 01.00"_qs);
    QCOMPARE(periodTexts().last(), u"21.00 - 23.00"_qs);
    QCOMPARE(dayTexts().size(), 31);
    QCOMPARE(monthTexts().first(), u"Февраль"_qs);
    QCOMPARE(monthTexts().last(), u"Январь"_qs);
    QCOMPARE(monthIndexFor(1), 11);
    QCOMPARE(monthIndexFor(2), 0);
    QCOMPARE(monthIndexFor(12), 10);
    QCOMPARE(yearTexts().first(), u"1900"_qs);
    QCOMPARE(yearTexts().last(), u"2100"_qs);
    QCOMPARE(yearIndexFor(2026), 126);
    QCOMPARE(yearIndexFor(2101), -1);
}

void TstXiantian::xiantianYearStart_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("Y");
    QTest::addColumn<int>("M");
    QTest::addColumn<int>("D");
    // 2004's lunar year began on 22 January and its solar year on 4 February.
    QTest::newRow("1 February 2004") << QDate(2004, 2, 1) << 8 << 1 << 11;
    QTest::newRow("4 February 2004") << QDate(2004, 2, 4) << 9 << 1 << 14;
    QTest::newRow("3 February 2017 starts 2017") << QDate(2017, 2, 3) << 10 << 1 << 7;
    QTest::newRow("2 February 2017 is still 2016") << QDate(2017, 2, 2) << 9 << 1 << 6;
}

void TstXiantian::xiantianYearStart()
{
    QFETCH(QDate, date);
    QFETCH(int, Y);
    QFETCH(int, M);
    QFETCH(int, D);
    const Result r = calculate(xiantian(date, 0, CastVariant::Majority));
    QCOMPARE(r.Y, Y);
    QCOMPARE(r.M, M);
    QCOMPARE(r.D, D);
}

void TstXiantian::xiantianFullExample()
{
    // 7 March 2004, 09.00 - 11.00: lunar month 2 began on 20 February, so this is its 17th day.
    const Result r = calculate(xiantian(QDate(2004, 3, 7), 5, CastVariant::Weighted));
    QCOMPARE(r.Y, 9);
    QCOMPARE(r.M, 2);
    QCOMPARE(r.D, 17);
    QCOMPARE(r.H, 6);
    QCOMPARE(r.upperText, u"Год(9)+Месяц(2)+День(17)=28 [mod 8] = 4 Чжень"_qs);
    QCOMPARE(r.lowerText, u"Год(9)+Месяц(2)+День(17)+Час(6)=34 [mod 8] = 2 Дуй"_qs);
    QCOMPARE(r.movingText, u"Год(9)+Месяц(2)+День(17)+Час(6)=34 [mod 6] = 4"_qs);
    QCOMPARE(r.lineCode, u"889877"_qs);
    DivinationState s;
    apply(r, CastVariant::Weighted, s);
    QCOMPARE(s.oldNumber, u"54"_qs);
    QCOMPARE(s.youngNumber, u"19"_qs);
}

void TstXiantian::xiantianBeforeLunarNewYear()
{
    // 10 January 2004: month 12 of the lunar year that began in 2003 (its month began 23 December).
    const Result r = calculate(xiantian(QDate(2004, 1, 10), 0, CastVariant::Majority));
    QCOMPARE(r.Y, 8);
    QCOMPARE(r.M, 12);
    QCOMPARE(r.D, 19);
}

void TstXiantian::impossibleDatesFail_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("monthIndex");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("message");
    QTest::newRow("31 April") << 31 << 2 << 2004 << u"'31.04.2004' is not a valid date"_qs;
    QTest::newRow("29 February 2005") << 29 << 0 << 2005 << u"'29.02.2005' is not a valid date"_qs;
    QTest::newRow("no year") << 7 << 1 << 0 << u"'07.03.' is not a valid date"_qs;
}

void TstXiantian::impossibleDatesFail()
{
    QFETCH(int, day);
    QFETCH(int, monthIndex);
    QFETCH(int, year);
    QFETCH(QString, message);
    Input in;
    in.method = cast::Method::Xiantian;
    in.dayIndex = day - 1;
    in.monthIndex = monthIndex;
    in.year = year;
    try {
        calculate(in);
        QFAIL("no date, no calculation");
    } catch (const Error &e) {
        QCOMPARE(e.text(), message);
    }
}

void TstXiantian::numerologicalWithoutYear()
{
    const Result r = calculate(numerological(u"а"_qs, 0, 1, 0, 0, CastVariant::Majority));
    QCOMPARE(r.Y, 0);
    QCOMPARE(r.T, 0 + 1 + 1 + 1);
}

void TstXiantian::questionSuffix()
{
    QCOMPARE(questionWithDate(u"Что ждет?"_qs, u"09.00 - 11.00"_qs, u"7"_qs, u"Март"_qs, u"2004"_qs),
             u"Что ждет? (09.00 - 11.00, 7 Март 2004)"_qs);
}

QTEST_GUILESS_MAIN(TstXiantian)
#include "tst_xiantian.moc"
