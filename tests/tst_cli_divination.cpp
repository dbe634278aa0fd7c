// yarrowind-cli section, cast, xiantian and numerology, run as a separate process.
#include "support/testenv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace yw;

namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(YW_CLI_PATH), args);
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QJsonObject json(const Run &r)
{
    return QJsonDocument::fromJson(r.out).object();
}

} // namespace

class TstCliDivination : public QObject {
    Q_OBJECT
private slots:
    void castWithSeeds();
    void castDiceMajority();
    void castRejectsBadSeeds();
    void numerologyWorkedExample();
    void xiantian();
    void section();
};

void TstCliDivination::castWithSeeds()
{
    // 10:00:00.004 throws three yang sides, .003 two, .002 none, .000 one.
    const Run r = cli({u"cast"_qs, u"--method"_qs, u"coins"_qs, u"--variant"_qs, u"weighted"_qs, u"--seeds"_qs,
                       u"36000004,36000003,36000002,36000003,36000000,36000003"_qs});
    QCOMPARE(r.code, 0);
    const QJsonObject o = json(r);
    QCOMPARE(o[u"line_code"_qs].toString(), u"878689"_qs);
    QCOMPARE(o[u"bit_code"_qs].toString(), u"010001"_qs);
    QCOMPARE(o[u"old"_qs].toString(), u"03"_qs);
    QCOMPARE(o[u"young"_qs].toString(), u"39"_qs);
    QCOMPARE(o[u"attention"_qs].toString(), QString());
    QCOMPARE(o[u"caption"_qs].toString(),
             u"Графический стол гадания - гексаграмма 03 (Вариант весовых коэффициентов)"_qs);
    const QJsonObject first = o[u"lines"_qs].toArray().at(0).toObject();
    QCOMPARE(first[u"throws"_qs].toArray(), (QJsonArray{1, 1, 1}));
    QCOMPARE(first[u"value"_qs].toString(), u"9"_qs);
    QCOMPARE(first[u"result"_qs].toString(), u"3 + 3 + 3 = 9 Черта Ян (ст)"_qs);
}

void TstCliDivination::castDiceMajority()
{
    const Run r = cli({u"cast"_qs, u"--method"_qs, u"dice"_qs, u"--variant"_qs, u"majority"_qs, u"--seeds"_qs,
                       u"36000000,36000002,36000000,36000000,36000002,36000000"_qs});
    QCOMPARE(r.code, 0);
    const QJsonObject o = json(r);
    QCOMPARE(o[u"line_code"_qs].toString(), u"787787"_qs); // sums 11 and 14 from the bottom
    QCOMPARE(o[u"young"_qs].toString(), QString());
    QCOMPARE(o[u"lines"_qs].toArray().at(0).toObject()[u"throws"_qs].toArray(), (QJsonArray{5, 1, 5}));
    QCOMPARE(o[u"caption"_qs].toString(), u"Графический стол гадания - гексаграмма "_qs + o[u"old"_qs].toString());
}

void TstCliDivination::castRejectsBadSeeds()
{
    QCOMPARE(cli({u"cast"_qs, u"--seeds"_qs, u"1,2,3"_qs}).code, 2);
    QCOMPARE(cli({u"cast"_qs, u"--seeds"_qs, u"1,2,3,4,5,x"_qs}).code, 2);
    QCOMPARE(cli({u"cast"_qs, u"--method"_qs, u"stalks"_qs}).code, 2);
    // Without seeds the clock decides; any six lines will do.
    const Run r = cli({u"cast"_qs});
    QCOMPARE(r.code, 0);
    QCOMPARE(json(r)[u"line_code"_qs].toString().size(), 6);
}

void TstCliDivination::numerologyWorkedExample()
{
    const Run r = cli({u"numerology"_qs, u"--question"_qs, u"абв"_qs, u"--period"_qs, u"6"_qs, u"--day"_qs, u"7"_qs,
                       u"--month"_qs, u"2"_qs, u"--year"_qs, u"2004"_qs, u"--variant"_qs, u"weighted"_qs});
    QCOMPARE(r.code, 0);
    const QJsonObject o = json(r);
    QCOMPARE(o[u"T"_qs].toInt(), 23);
    QCOMPARE(o[u"upper_text"_qs].toString(), u"123 [mod 8 = 6] Кань"_qs);
    QCOMPARE(o[u"line_code"_qs].toString(), u"898788"_qs);
    QCOMPARE(o[u"old"_qs].toString(), u"39"_qs);
    QCOMPARE(o[u"young"_qs].toString(), u"15"_qs);
    QCOMPARE(o[u"question"_qs].toString(), u"абв (09.00 - 11.00, 7 Февраль 2004)"_qs);
}

void TstCliDivination::xiantian()
{
    const Run r =
        cli({u"xiantian"_qs, u"--date"_qs, u"07.03.2004"_qs, u"--period"_qs, u"6"_qs, u"--variant"_qs, u"majority"_qs});
    QCOMPARE(r.code, 0);
    const QJsonObject o = json(r);
    QCOMPARE(o[u"D"_qs].toInt(), 17);
    QCOMPARE(o[u"M"_qs].toInt(), 2);
    QCOMPARE(o[u"lower_text"_qs].toString(), u"Год(9)+Месяц(2)+День(17)+Час(6)=34 [mod 8] = 2 Дуй"_qs);
    QCOMPARE(o[u"old"_qs].toString(), u"54"_qs);
    QCOMPARE(o[u"moving_text"_qs].toString(), QString());
    QCOMPARE(cli({u"xiantian"_qs, u"--date"_qs, u"31.04.2004"_qs, u"--period"_qs, u"1"_qs}).code, 2);
}

void TstCliDivination::section()
{
    TestEnv env;
    env.writeCp1251(u"Text/Gua.dat"_qs, {u"[%Desc]"_qs, u"Первая"_qs, u"  вторая"_qs, u"[%01]"_qs, u"x"_qs});
    const Run r = cli({u"section"_qs, u"--file"_qs, u"Gua.dat"_qs, u"--key"_qs, u"[%Desc]"_qs, u"--text-dir"_qs,
                       env.file(u"Text"_qs)});
    QCOMPARE(r.code, 0);
    QCOMPARE(QString::fromUtf8(r.out), u"Первая\n  вторая\n"_qs);
    const Run missing = cli({u"section"_qs, u"--file"_qs, u"None.dat"_qs, u"--key"_qs, u"[%01]"_qs, u"--text-dir"_qs,
                             env.file(u"Text"_qs)});
    QCOMPARE(missing.code, 2);
    QVERIFY(missing.err.contains("File not found"));
}

QTEST_GUILESS_MAIN(TstCliDivination)
#include "tst_cli_divination.moc"
