#include "divination/hexagram.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTest>

using namespace yw;

class TestHexagram : public QObject {
    Q_OBJECT

private slots:
    void kingWenLookup_data();
    void kingWenLookup();
    void tableIsAPermutation();
    void trigramsOfHexagram03();
    void youngHexagram();
    void lineValues_data();
    void lineValues();
    void guaSignIndexKeepsUnknown();
    void symmetricAndWarning();
    void mod1_data();
    void mod1();
    void reversal();
    void tempFolderEndsWithSeparator();
    void cli_data();
    void cli();
    void cliRejectsBadInput_data();
    void cliRejectsBadInput();
};

void TestHexagram::kingWenLookup_data()
{
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("number");
    QTest::newRow("all yang") << "111111"
                              << "01";
    QTest::newRow("all yin") << "000000"
                             << "02";
    QTest::newRow("yang at the bottom") << "000001"
                                        << "24";
    QTest::newRow("yang at the top") << "100000"
                                     << "23";
    QTest::newRow("03") << "010001"
                        << "03";
    QTest::newRow("39") << "010100"
                        << "39";
    QTest::newRow("64") << "101010"
                        << "64";
    QTest::newRow("too short") << "01000"
                               << "";
    QTest::newRow("too long") << "0100011"
                              << "";
    QTest::newRow("other characters") << "01a001"
                                      << "";
    QTest::newRow("line code is not a bit code") << "878887"
                                                 << "";
}

void TestHexagram::kingWenLookup()
{
    QFETCH(QString, bits);
    QFETCH(QString, number);
    QCOMPARE(hex::kingWenNumber(bits), number);
}

void TestHexagram::tableIsAPermutation()
{
    QSet<QString> codes;
    for (int n = 1; n <= 64; ++n) {
        const QString code = hex::lineCode(n);
        QCOMPARE(code.size(), 6);
        codes.insert(code);
        QCOMPARE(hex::kingWenNumber(hex::bitCodeOf(code)), hex::twoDigits(n));
        // The upper and lower trigram names of the table follow from the code.
        QVERIFY(hex::trigramByBits(hex::bitCodeOf(code).left(3)));
        QVERIFY(hex::trigramByBits(hex::bitCodeOf(code).mid(3)));
    }
    QCOMPARE(codes.size(), 64);
    QVERIFY(hex::lineCode(0).isEmpty());
    QVERIFY(hex::lineCode(65).isEmpty());
}

void TestHexagram::trigramsOfHexagram03()
{
    const QString bits = hex::bitCodeOf(QStringLiteral("878887"));
    QCOMPARE(bits, QStringLiteral("010001"));
    QCOMPARE(QString::fromUtf16(hex::trigramByBits(bits.left(3))->name), QStringLiteral("Кань"));
    QCOMPARE(hex::guaSignIndex(bits.left(3), -1), 1);
    QCOMPARE(QString::fromUtf16(hex::trigramByBits(bits.mid(3))->name), QStringLiteral("Чжень"));
    QCOMPARE(hex::guaSignIndex(bits.mid(3), -1), 3);
    // Gua sign order: Цянь, Кань, Гэнь, Чжень, Сюнь, Ли, Кунь, Дуй.
    const QStringList order = {QStringLiteral("Цянь"),  QStringLiteral("Кань"), QStringLiteral("Гэнь"),
                               QStringLiteral("Чжень"), QStringLiteral("Сюнь"), QStringLiteral("Ли"),
                               QStringLiteral("Кунь"),  QStringLiteral("Дуй")};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(QString::fromUtf16(hex::trigramByGuaIndex(i)->name), order[i]);
    // Picture codes are stored bottom first: reversed, yang "3" is bit 1.
    for (const hex::Trigram &t : hex::trigrams()) {
        QString expected;
        for (QChar c : hex::reversed(QLatin1String(t.pictureCode)))
            expected.append(c == u'3' ? u'1' : u'0');
        QCOMPARE(expected, QLatin1String(t.bitCode));
        QCOMPARE(hex::bitCodeOf(QLatin1String(t.lineCode)), QLatin1String(t.bitCode));
    }
}

void TestHexagram::youngHexagram()
{
    const QString old = QStringLiteral("898788");
    QCOMPARE(hex::kingWenNumber(hex::bitCodeOf(old)), QStringLiteral("39"));
    QCOMPARE(hex::youngLineCode(old), QStringLiteral("888788"));
    QCOMPARE(hex::kingWenNumber(hex::bitCodeOf(hex::youngLineCode(old))), QStringLiteral("15"));
}

void TestHexagram::lineValues_data()
{
    QTest::addColumn<QChar>("value");
    QTest::addColumn<QChar>("young");
    QTest::addColumn<QChar>("bit");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("text");
    QTest::newRow("6") << QChar(u'6') << QChar(u'7') << QChar(u'0') << 0 << " Черта Инь (ст)";
    QTest::newRow("7") << QChar(u'7') << QChar(u'7') << QChar(u'1') << 3 << " Черта Ян";
    QTest::newRow("8") << QChar(u'8') << QChar(u'8') << QChar(u'0') << 1 << " Черта Инь";
    QTest::newRow("9") << QChar(u'9') << QChar(u'8') << QChar(u'1') << 2 << " Черта Ян (ст)";
}

void TestHexagram::lineValues()
{
    QFETCH(QChar, value);
    QFETCH(QChar, young);
    QFETCH(QChar, bit);
    QFETCH(int, picture);
    QFETCH(QString, text);
    QCOMPARE(hex::youngValue(value), young);
    QCOMPARE(hex::bit(value), bit);
    QCOMPARE(hex::linePictureIndex(value), picture);
    QCOMPARE(hex::lineText(value), text);
}

void TestHexagram::guaSignIndexKeepsUnknown()
{
    QCOMPARE(hex::guaSignIndex(QStringLiteral("111"), 5), 0);
    QCOMPARE(hex::guaSignIndex(QStringLiteral("011"), 5), 7);
    QCOMPARE(hex::guaSignIndex(QStringLiteral("1111"), 5), 5);
    QCOMPARE(hex::guaSignIndex(QStringLiteral(""), 4), 4);
}

void TestHexagram::symmetricAndWarning()
{
    QList<int> symmetric;
    QList<int> warning;
    for (int n = 1; n <= 64; ++n) {
        if (hex::isSymmetric(n)) {
            symmetric.append(n);
            QCOMPARE(hex::reversed(hex::lineCode(n)), hex::lineCode(n));
        }
        if (hex::isWarning(n))
            warning.append(n);
    }
    QCOMPARE(symmetric, QList<int>({1, 2, 27, 28, 29, 30, 61, 62}));
    QCOMPARE(warning, QList<int>({3, 29, 39, 47}));
    QCOMPARE(hex::symmetryText(29), QStringLiteral("Симметричная"));
    QCOMPARE(hex::symmetryText(3), QStringLiteral("Несимметричная"));
}

void TestHexagram::mod1_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("r");
    QTest::newRow("8/8") << 8 << 8 << 8;
    QTest::newRow("9/8") << 9 << 8 << 1;
    QTest::newRow("16/8") << 16 << 8 << 8;
    QTest::newRow("5/8") << 5 << 8 << 5;
    QTest::newRow("0/8") << 0 << 8 << 8;
    QTest::newRow("23/8") << 23 << 8 << 7;
    QTest::newRow("23/6") << 23 << 6 << 5;
    QTest::newRow("6/6") << 6 << 6 << 6;
    QTest::newRow("48/8") << 48 << 8 << 8;
    QTest::newRow("24/6") << 24 << 6 << 6;
}

void TestHexagram::mod1()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, r);
    QCOMPARE(hex::mod1(a, b), r);
}

void TestHexagram::reversal()
{
    QCOMPARE(hex::reversed(QStringLiteral("331")), QStringLiteral("133"));
    QCOMPARE(hex::reversed(QString()), QString());
    QCOMPARE(hex::reversed(QStringLiteral("Ян")), QStringLiteral("нЯ"));
}

void TestHexagram::tempFolderEndsWithSeparator()
{
    const QString t = hex::tempFolder();
    QVERIFY(t.endsWith(QDir::separator()));
    QVERIFY(QFileInfo(t).isDir());
}

static QJsonObject runCli(const QStringList &args, int *status, QString *err = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(YW_CLI_PATH), args);
    p.waitForFinished(30000);
    *status = p.exitCode();
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

void TestHexagram::cli_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<int>("lowerIndex");
    QTest::addColumn<bool>("symmetric");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("youngNumber");
    QTest::newRow("number") << "3"
                            << "03"
                            << "Кань" << 3 << false << true << "";
    QTest::newRow("bit code") << "011110"
                              << "28"
                              << "Дуй" << 4 << true << false << "";
    QTest::newRow("line code") << "898788"
                               << "39"
                               << "Кань" << 2 << false << true << "15";
}

void TestHexagram::cli()
{
    QFETCH(QString, input);
    QFETCH(QString, number);
    QFETCH(QString, upper);
    QFETCH(int, lowerIndex);
    QFETCH(bool, symmetric);
    QFETCH(bool, warning);
    QFETCH(QString, youngNumber);
    int status = -1;
    const QJsonObject o = runCli({QStringLiteral("hexagram"), input}, &status);
    QCOMPARE(status, 0);
    QCOMPARE(o.value(QStringLiteral("number")).toString(), number);
    QCOMPARE(o.value(QStringLiteral("upper")).toString(), upper);
    QCOMPARE(o.value(QStringLiteral("lower_gua_index")).toInt(), lowerIndex);
    QCOMPARE(o.value(QStringLiteral("symmetric")).toBool(), symmetric);
    QCOMPARE(o.value(QStringLiteral("warning")).toBool(), warning);
    QCOMPARE(o.value(QStringLiteral("bit_code")).toString().size(), 6);
    QCOMPARE(o.contains(QStringLiteral("young_number")), !youngNumber.isEmpty());
    if (!youngNumber.isEmpty()) {
        QCOMPARE(o.value(QStringLiteral("young_number")).toString(), youngNumber);
        QCOMPARE(o.value(QStringLiteral("young_line_code")).toString(), QStringLiteral("888788"));
    }
}

void TestHexagram::cliRejectsBadInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("zero") << QStringList{QStringLiteral("hexagram"), QStringLiteral("0")};
    QTest::newRow("65") << QStringList{QStringLiteral("hexagram"), QStringLiteral("65")};
    QTest::newRow("five bits") << QStringList{QStringLiteral("hexagram"), QStringLiteral("01010")};
    QTest::newRow("line 5") << QStringList{QStringLiteral("hexagram"), QStringLiteral("875777")};
    QTest::newRow("nothing") << QStringList{QStringLiteral("hexagram")};
    QTest::newRow("unknown command") << QStringList{QStringLiteral("divine")};
}

void TestHexagram::cliRejectsBadInput()
{
    QFETCH(QStringList, args);
    int status = -1;
    QString err;
    runCli(args, &status, &err);
    QCOMPARE(status, 2);
    QVERIFY(!err.trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(TestHexagram)
#include "tst_hexagram.moc"
