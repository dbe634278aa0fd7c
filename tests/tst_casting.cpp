// The random source, coin and dice lines, and the divination state they feed.
#include "divination/casting.h"
#include "divination/divination.h"
#include "divination/hexagram.h"

#include <QTest>

#include <map>

using namespace yw;
using namespace yw::cast;

Q_DECLARE_METATYPE(CastVariant)

class TstCasting : public QObject {
    Q_OBJECT
private slots:
    void generatorMatchesHandComputedSeeds_data();
    void generatorMatchesHandComputedSeeds();
    void seedIsMillisecondsSinceUtcMidnight();
    void seededThrows_data();
    void seededThrows();
    void coinValues_data();
    void coinValues();
    void diceValues();
    void exactOutcomeTables();
    void seededFrequencies_data();
    void seededFrequencies();
    void reshowFromColumns();
    void captions();
    void stateBuildsCodesTopFirst();
    void finishUnderEachVariant_data();
    void finishUnderEachVariant();
    void hints();
    void resultRecordRules_data();
    void resultRecordRules();
    void noRecordBeforeTheEnd();
};

void TstCasting::generatorMatchesHandComputedSeeds_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QList<quint32>>("belowTen");
    QTest::addColumn<QList<quint32>>("belowSix");
    // Worked by hand (and by an independent script) from seed' = seed * 134775813 + 1 mod 2^32,
    // draw = (seed' * N) >> 32.
    QTest::newRow("0") << 0u << QList<quint32>{0, 0, 8} << QList<quint32>{0, 0, 5};
    QTest::newRow("1") << 1u << QList<quint32>{0, 8, 2} << QList<quint32>{0, 5, 1};
    QTest::newRow("10:00:00.000") << 36000000u << QList<quint32>{8, 0, 7} << QList<quint32>{4, 0, 4};
    QTest::newRow("23:59:59.999") << 86399999u << QList<quint32>{7, 9, 3} << QList<quint32>{4, 5, 2};
    QTest::newRow("10:25:30.250") << 37530250u << QList<quint32>{9, 2, 8} << QList<quint32>{5, 1, 5};
}

void TstCasting::generatorMatchesHandComputedSeeds()
{
    QFETCH(quint32, seed);
    QFETCH(QList<quint32>, belowTen);
    QFETCH(QList<quint32>, belowSix);
    RandomSource r;
    r.setSeed(seed);
    QList<quint32> got;
    for (int i = 0; i < 3; ++i)
        got.append(r.below(10));
    QCOMPARE(got, belowTen);
    r.setSeed(seed);
    got.clear();
    for (int i = 0; i < 3; ++i)
        got.append(r.below(6));
    QCOMPARE(got, belowSix);
    r.setSeed(1);
    r.below(2);
    QCOMPARE(r.seed(), 134775814u);
}

void TstCasting::seedIsMillisecondsSinceUtcMidnight()
{
    QCOMPARE(seedAt(QDateTime(QDate(2026, 12, 11), QTime(10, 25, 30, 250), Qt::UTC)), 37530250u);
    // The same moment seen from another zone gives the same seed.
    QCOMPARE(seedAt(QDateTime(QDate(2026, 12, 11), QTime(13, 25, 30, 250), Qt::OffsetFromUTC, 3 * 3600)), 37530250u);
    QCOMPARE(seedAt(QDateTime(QDate(2026, 12, 11), QTime(0, 0), Qt::UTC)), 0u);
}

void TstCasting::seededThrows_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("method");
    QTest::addColumn<CastVariant>("variant");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("result");
    const auto W = CastVariant::Weighted;
    const auto M = CastVariant::Majority;
    QTest::newRow("coins one yang, weighted")
        << 36000000u << 0 << W << u"Инь Инь Ян"_qs << u"7"_qs << u"2 + 2 + 3 = 7 Черта Ян"_qs;
    QTest::newRow("coins one yang, majority") << 36000000u << 0 << M << u"Инь Инь Ян"_qs << u"8"_qs << u"Черта Инь"_qs;
    QTest::newRow("coins three yang, weighted")
        << 86399999u << 0 << W << u"Ян Ян Ян"_qs << u"9"_qs << u"3 + 3 + 3 = 9 Черта Ян (ст)"_qs;
    QTest::newRow("coins three yang, majority") << 86399999u << 0 << M << u"Ян Ян Ян"_qs << u"7"_qs << u"Черта Ян"_qs;
    QTest::newRow("coins no yang, weighted")
        << 0u << 0 << W << u"Инь Инь Инь"_qs << u"6"_qs << u"2 + 2 + 2 = 6 Черта Инь (ст)"_qs;
    QTest::newRow("dice 11, weighted") << 36000000u << 1 << W << u"5 1 5"_qs << u"7"_qs
                                       << u"5 + 1 + 5 = 11 = 7 Черта Ян"_qs;
    QTest::newRow("dice 14, weighted") << 86399999u << 1 << W << u"5 6 3"_qs << u"8"_qs
                                       << u"5 + 6 + 3 = 14 = 8 Черта Инь"_qs;
    QTest::newRow("dice 8, majority") << 0u << 1 << M << u"1 1 6"_qs << u"8"_qs << u"Черта Инь"_qs;
    QTest::newRow("dice 9, weighted") << 1u << 1 << W << u"1 6 2"_qs << u"9"_qs
                                      << u"1 + 6 + 2 = 9 = 9 Черта Ян (ст)"_qs;
}

void TstCasting::seededThrows()
{
    QFETCH(quint32, seed);
    QFETCH(int, method);
    QFETCH(CastVariant, variant);
    QFETCH(QString, columns);
    QFETCH(QString, value);
    QFETCH(QString, result);
    RandomSource r;
    r.setSeed(seed);
    const Throw t = method == 0 ? throwCoins(r, variant) : throwDice(r, variant);
    QCOMPARE(QStringList({t.columns[0], t.columns[1], t.columns[2]}).join(QLatin1Char(' ')), columns);
    QCOMPARE(QString(t.value), value);
    QCOMPARE(t.result, result);
}

void TstCasting::coinValues_data()
{
    QTest::addColumn<int>("yang");
    QTest::addColumn<QString>("weighted");
    QTest::addColumn<QString>("majority");
    QTest::newRow("0") << 0 << u"6"_qs << u"8"_qs;
    QTest::newRow("1") << 1 << u"7"_qs << u"8"_qs;
    QTest::newRow("2") << 2 << u"8"_qs << u"7"_qs;
    QTest::newRow("3") << 3 << u"9"_qs << u"7"_qs;
}

void TstCasting::coinValues()
{
    QFETCH(int, yang);
    QFETCH(QString, weighted);
    QFETCH(QString, majority);
    QCOMPARE(QString(coinLineValue(yang, CastVariant::Weighted)), weighted);
    QCOMPARE(QString(coinLineValue(yang, CastVariant::Majority)), majority);
}

void TstCasting::diceValues()
{
    const QString weighted = QStringLiteral("9676989878787878"); // sums 3..18
    for (int s = 3; s <= 18; ++s) {
        QCOMPARE(diceLineValue(s, CastVariant::Weighted), weighted.at(s - 3));
        QCOMPARE(diceLineValue(s, CastVariant::Majority), s % 2 ? QChar(u'7') : QChar(u'8'));
    }
}

void TstCasting::exactOutcomeTables()
{
    // Every equally likely outcome once: coins out of 8, dice out of 216.
    std::map<std::pair<int, char16_t>, int> counts;
    for (int variant = 0; variant < 2; ++variant) {
        const auto v = variant ? CastVariant::Majority : CastVariant::Weighted;
        for (int a = 0; a < 2; ++a)
            for (int b = 0; b < 2; ++b)
                for (int c = 0; c < 2; ++c)
                    ++counts[{variant, describe(Method::Coins, v, {a, b, c}).value.unicode()}];
        for (int a = 1; a <= 6; ++a)
            for (int b = 1; b <= 6; ++b)
                for (int c = 1; c <= 6; ++c)
                    ++counts[{2 + variant, describe(Method::Dice, v, {a, b, c}).value.unicode()}];
    }
    // Columns: coins weighted, coins majority, dice weighted, dice majority.
    const int expected[4][4] = {{1, 3, 3, 1}, {0, 4, 4, 0}, {13, 67, 95, 41}, {0, 108, 108, 0}};
    for (int col = 0; col < 4; ++col)
        for (int i = 0; i < 4; ++i)
            QCOMPARE((counts[{col, char16_t(u'6' + i)}]), expected[col][i]);
}

void TstCasting::seededFrequencies_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<CastVariant>("variant");
    QTest::addColumn<QList<double>>("p"); // of 6, 7, 8, 9
    QTest::newRow("coins weighted") << 0 << CastVariant::Weighted << QList<double>{1 / 8.0, 3 / 8.0, 3 / 8.0, 1 / 8.0};
    QTest::newRow("coins majority") << 0 << CastVariant::Majority << QList<double>{0, 0.5, 0.5, 0};
    QTest::newRow("dice weighted") << 1 << CastVariant::Weighted
                                   << QList<double>{13 / 216.0, 67 / 216.0, 95 / 216.0, 41 / 216.0};
    QTest::newRow("dice majority") << 1 << CastVariant::Majority << QList<double>{0, 0.5, 0.5, 0};
}

void TstCasting::seededFrequencies()
{
    QFETCH(int, method);
    QFETCH(CastVariant, variant);
    QFETCH(QList<double>, p);
    // One cast per press, each press seeded from a different millisecond of the day.
    constexpr int casts = 200000;
    int counts[4] = {0, 0, 0, 0};
    RandomSource r;
    for (int i = 0; i < casts; ++i) {
        r.setSeed(quint32((quint64(i) * 431u) % 86400000u));
        const Throw t = method == 0 ? throwCoins(r, variant) : throwDice(r, variant);
        ++counts[t.value.unicode() - u'6'];
    }
    for (int i = 0; i < 4; ++i) {
        const double f = double(counts[i]) / casts;
        QVERIFY2(qAbs(f - p[i]) < 0.006,
                 qPrintable(QStringLiteral("value %1: %2 against %3").arg(6 + i).arg(f).arg(p[i])));
        if (p[i] == 0)
            QCOMPARE(counts[i], 0);
    }
}

void TstCasting::reshowFromColumns()
{
    QCOMPARE(elementsFromColumns(Method::Coins, {u"Ян"_qs, u"Инь"_qs, u"что-то"_qs}), (std::array<int, 3>{1, 0, 0}));
    QCOMPARE(elementsFromColumns(Method::Dice, {u"4"_qs, u"1"_qs, u"6"_qs}), (std::array<int, 3>{4, 1, 6}));
    QCOMPARE(throwPictureIndex(Method::Coins, 1), 0);
    QCOMPARE(throwPictureIndex(Method::Coins, 0), 1);
    QCOMPARE(throwPictureIndex(Method::Dice, 1), 2);
    QCOMPARE(throwPictureIndex(Method::Dice, 6), 7);
}

void TstCasting::captions()
{
    QCOMPARE(endedTableCaption(u"03"_qs, Method::Coins, CastVariant::Weighted),
             u"Графический стол гадания - гексаграмма 03 (Вариант весовых коэффициентов)"_qs);
    QCOMPARE(endedTableCaption(u"29"_qs, Method::Coins, CastVariant::Majority),
             u"Графический стол гадания - гексаграмма 29 (Вариант большинства)"_qs);
    QCOMPARE(endedTableCaption(u"64"_qs, Method::Dice, CastVariant::Weighted),
             u"Графический стол гадания - гексаграмма 64"_qs);
    QCOMPARE(methodNames().size(), 4);
}

void TstCasting::stateBuildsCodesTopFirst()
{
    DivinationState s;
    for (QChar v : QStringLiteral("788878")) // lines 1..6
        s.addLine(v);
    QCOMPARE(s.lineCode, u"878887"_qs);
    QCOMPARE(s.bitCode, u"010001"_qs);
    QCOMPARE(s.lineValue(1), QChar(u'7'));
    QCOMPARE(s.lineValue(6), QChar(u'8'));
    QVERIFY(s.complete());
    QVERIFY(!s.ended());
}

void TstCasting::finishUnderEachVariant_data()
{
    QTest::addColumn<QString>("lineCode");
    QTest::addColumn<CastVariant>("variant");
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("young");
    QTest::addColumn<QString>("attention");
    QTest::newRow("29 majority is a warning") << u"878878"_qs << CastVariant::Majority << u"29"_qs << u""_qs << u"!"_qs;
    QTest::newRow("29 weighted is not") << u"878878"_qs << CastVariant::Weighted << u"29"_qs << u"29"_qs << u""_qs;
    QTest::newRow("39 with line 5 moving") << u"898788"_qs << CastVariant::Weighted << u"39"_qs << u"15"_qs << u""_qs;
    QTest::newRow("all moving") << u"999999"_qs << CastVariant::Weighted << u"01"_qs << u"02"_qs << u""_qs;
    QTest::newRow("03 majority") << u"878887"_qs << CastVariant::Majority << u"03"_qs << u""_qs << u"!"_qs;
    QTest::newRow("01 majority") << u"777777"_qs << CastVariant::Majority << u"01"_qs << u""_qs << u""_qs;
}

void TstCasting::finishUnderEachVariant()
{
    QFETCH(QString, lineCode);
    QFETCH(CastVariant, variant);
    QFETCH(QString, old);
    QFETCH(QString, young);
    QFETCH(QString, attention);
    DivinationState s;
    for (int k = 1; k <= 6; ++k)
        s.addLine(lineCode.at(6 - k));
    QCOMPARE(s.lineCode, lineCode);
    s.finish(variant);
    QCOMPARE(s.oldNumber, old);
    QCOMPARE(s.youngNumber, young);
    QCOMPARE(s.attention, attention);
    QCOMPARE(s.endSound(), attention.isEmpty() ? u"galaxy.wav"_qs : u"gong.wav"_qs);
    if (!young.isEmpty())
        QCOMPARE(s.youngBitCode, hex::bitCodeOf(hex::youngLineCode(lineCode)));
}

void TstCasting::hints()
{
    QCOMPARE(castHint(1), u"Испытай судьбу первый раз"_qs);
    QCOMPARE(castHint(2), u"Испытай судьбу второй раз"_qs);
    QCOMPARE(castHint(4), u"Испытай судьбу четвертый раз"_qs);
    QCOMPARE(castHint(6), u"Испытай судьбу шестой раз"_qs);
    QCOMPARE(castHint(7), u"Гадание закончено!"_qs);
}

void TstCasting::resultRecordRules_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("savedQuestion");
    QTest::addColumn<QString>("savedUser");
    QTest::newRow("placeholder and empty user")
        << u"<Введите свой вопрос...>"_qs << u""_qs << u"Вопрос на задавался"_qs << u"Имя не задано"_qs;
    QTest::newRow("blanks") << u"   "_qs << u"  "_qs << u"Вопрос на задавался"_qs << u"Имя не задано"_qs;
    QTest::newRow("kept as typed") << u" Что будет? "_qs << u"Анна "_qs << u" Что будет? "_qs << u"Анна "_qs;
}

void TstCasting::resultRecordRules()
{
    QFETCH(QString, question);
    QFETCH(QString, user);
    QFETCH(QString, savedQuestion);
    QFETCH(QString, savedUser);
    DivinationState s;
    for (QChar v : QStringLiteral("887989")) // lines 1..6 -> line code 989788
        s.addLine(v);
    s.finish(CastVariant::Weighted);
    const QDateTime now(QDate(2009, 1, 31), QTime(14, 5, 9));
    const auto r = resultRecord(s, question, user, u"Канонический текст"_qs, u"Метод 3 монет"_qs, now);
    QVERIFY(r.has_value());
    QCOMPARE(r->question, savedQuestion);
    QCOMPARE(r->userName, savedUser);
    QCOMPARE(r->date, now.date());
    QCOMPARE(r->time, now.time());
    QCOMPARE(r->geksagrammaOld, hex::kingWenNumber(u"101100"_qs).toInt());
    QCOMPARE(r->geksagrammaYou, s.youngNumber.toInt());
    QCOMPARE((QStringList{r->go[0], r->go[1], r->go[2], r->go[3], r->go[4], r->go[5]}),
             (QStringList{u"8"_qs, u"8"_qs, u"7"_qs, u"9"_qs, u"8"_qs, u"9"_qs}));
    QCOMPARE(r->interpretation, u"Канонический текст"_qs);
    QCOMPARE(r->method, u"Метод 3 монет"_qs);
    QCOMPARE(r->principle, u"Программный расчет"_qs);
    QCOMPARE(r->attention, QString());
}

void TstCasting::noRecordBeforeTheEnd()
{
    DivinationState s;
    QVERIFY(!resultRecord(s, {}, {}, {}, {}, QDateTime::currentDateTime()).has_value());
    for (QChar v : QStringLiteral("87878")) // five lines
        s.addLine(v);
    QVERIFY(!resultRecord(s, {}, {}, {}, {}, QDateTime::currentDateTime()).has_value());
    // Majority: no young hexagram, the young value repeats the old one.
    s.addLine(u'8');
    s.finish(CastVariant::Majority);
    const auto r = resultRecord(s, {}, {}, {}, {}, QDateTime::currentDateTime());
    QVERIFY(r.has_value());
    QCOMPARE(r->geksagrammaYou, r->geksagrammaOld);
}

QTEST_GUILESS_MAIN(TstCasting)
#include "tst_casting.moc"
