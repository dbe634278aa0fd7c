#include "app/cp1251.h"
#include "app/error.h"
#include "app/inifile.h"
#include "gui/app/fontsettings.h"
#include "support/testenv.h"

#include <QApplication>
#include <QFile>
#include <QTest>

using namespace yw;

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readsByProfileRules_data();
    void readsByProfileRules();
    void missingFileGivesDefaults();
    void valueIsCutAt2047Characters();
    void writeKeepsEverythingElse();
    void writeCreatesFileAndSection();
    void writesCp1251WithCrLf();
    void unwritableFileRaisesItsFullName();
    void fontRoundTrip();
    void windowTextColourDefault();
};

// One hand-written file read with many keys, as a table of expectations.
void TestIniFile::readsByProfileRules_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("def");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << "Main"
                             << "Top" << 0 << 120;
    QTest::newRow("case-insensitive names") << "mAIN"
                                            << "top" << 0 << 120;
    QTest::newRow("blanks around value") << "Main"
                                         << "Left" << 0 << 42;
    QTest::newRow("negative") << "Main"
                              << "Neg" << 0 << -17;
    QTest::newRow("hex 0x") << "Main"
                            << "Hex" << 0 << 255;
    QTest::newRow("hex dollar") << "Main"
                                << "Dollar" << 0 << 16;
    QTest::newRow("colour as hex pattern") << "Ching"
                                           << "PreviewFontColor" << 0 << -2147483640;
    QTest::newRow("word is not a number") << "Main"
                                          << "Word" << 7 << 7;
    QTest::newRow("number with trailing junk") << "Main"
                                               << "Junk" << 7 << 7;
    QTest::newRow("empty value") << "Main"
                                 << "Empty" << 5 << 5;
    QTest::newRow("missing key") << "Main"
                                 << "Nope" << 9 << 9;
    QTest::newRow("missing section") << "Other"
                                     << "Top" << 3 << 3;
    QTest::newRow("key of another section") << "Option"
                                            << "Left" << 4 << 4;
    QTest::newRow("first of duplicate keys") << "Main"
                                             << "Dup" << 0 << 1;
    QTest::newRow("commented key is absent") << "Main"
                                             << "Hidden" << 6 << 6;
    QTest::newRow("section header with blanks") << "Option"
                                                << "Count" << 0 << 3;
}

void TestIniFile::readsByProfileRules()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, def);
    QFETCH(int, expected);
    TestEnv env;
    env.writeCp1251(QStringLiteral("iching.ini"),
                    {QStringLiteral("; written by hand"), QStringLiteral("[Main]"), QStringLiteral("Top=120"),
                     QStringLiteral("Left =   42   "), QStringLiteral("Neg=-17"), QStringLiteral("Hex=0xFF"),
                     QStringLiteral("Dollar=$10"), QStringLiteral("Word=yes"), QStringLiteral("Junk=12abc"),
                     QStringLiteral("Empty="), QStringLiteral("Dup=1"), QStringLiteral("Dup=2"),
                     QStringLiteral(";Hidden=1"), QString(), QStringLiteral("  [ Option ]  "),
                     QStringLiteral("Count=3"), QStringLiteral("[Ching]"),
                     QStringLiteral("PreviewFontColor=$80000008")});
    const IniFile ini(env.file(QStringLiteral("iching.ini")));
    QCOMPARE(ini.readInteger(section, key, def), expected);
}

void TestIniFile::missingFileGivesDefaults()
{
    TestEnv env;
    const IniFile ini(env.file(QStringLiteral("iching.ini")));
    QCOMPARE(ini.readString(QStringLiteral("Main"), QStringLiteral("Version"), QStringLiteral("d")),
             QStringLiteral("d"));
    QCOMPARE(ini.readInteger(QStringLiteral("Main"), QStringLiteral("Top"), 361), 361);
    QCOMPARE(ini.readBool(QStringLiteral("Main"), QStringLiteral("SoundEnable"), false), false);
    QVERIFY(!QFile::exists(env.file(QStringLiteral("iching.ini"))));
}

void TestIniFile::valueIsCutAt2047Characters()
{
    TestEnv env;
    const QString longValue(3000, QLatin1Char('x'));
    env.writeCp1251(QStringLiteral("iching.ini"),
                    {QStringLiteral("[Export]"), QStringLiteral("Header=") + longValue, QStringLiteral("[B]"),
                     QStringLiteral("Flag=2"), QStringLiteral("Off=0"), QStringLiteral("Text=  Минск  ")});
    const IniFile ini(env.file(QStringLiteral("iching.ini")));
    QCOMPARE(ini.readString(QStringLiteral("Export"), QStringLiteral("Header")).size(), 2047);
    QCOMPARE(ini.readBool(QStringLiteral("B"), QStringLiteral("Flag"), false), true);
    QCOMPARE(ini.readBool(QStringLiteral("B"), QStringLiteral("Off"), true), false);
    QCOMPARE(ini.readString(QStringLiteral("B"), QStringLiteral("Text")), QStringLiteral("Минск"));
}

void TestIniFile::writeKeepsEverythingElse()
{
    TestEnv env;
    env.writeCp1251(QStringLiteral("iching.ini"),
                    {QStringLiteral("; комментарий"), QStringLiteral("[Main]"), QStringLiteral("Top=1"),
                     QStringLiteral("Other=keep me"), QString(), QStringLiteral("[Base]"),
                     QStringLiteral("ArrayColumn=11111111011111111")});
    IniFile ini(env.file(QStringLiteral("iching.ini")));
    ini.writeInteger(QStringLiteral("MAIN"), QStringLiteral("top"), 250);
    ini.writeString(QStringLiteral("Main"), QStringLiteral("Version"), QStringLiteral("2.3 31.01.2009"));
    ini.writeBool(QStringLiteral("Base"), QStringLiteral("Preview"), true);

    const QStringList lines = splitLines(fromCp1251(env.readBytes(QStringLiteral("iching.ini"))));
    QCOMPARE(lines, QStringList({QStringLiteral("; комментарий"), QStringLiteral("[Main]"), QStringLiteral("Top=250"),
                                 QStringLiteral("Other=keep me"), QStringLiteral("Version=2.3 31.01.2009"), QString(),
                                 QStringLiteral("[Base]"), QStringLiteral("ArrayColumn=11111111011111111"),
                                 QStringLiteral("Preview=1")}));
}

void TestIniFile::writeCreatesFileAndSection()
{
    TestEnv env;
    IniFile ini(env.file(QStringLiteral("iching.ini")));
    ini.writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), QStringLiteral("/home/u/ibase.db"));
    ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Left"), -5);
    QCOMPARE(ini.readString(QStringLiteral("option"), QStringLiteral("pathbase")), QStringLiteral("/home/u/ibase.db"));
    QCOMPARE(ini.readInteger(QStringLiteral("Main"), QStringLiteral("Left"), 0), -5);
    QCOMPARE(env.readBytes(QStringLiteral("iching.ini")),
             QByteArray("[Option]\r\nPathBase=/home/u/ibase.db\r\n\r\n[Main]\r\nLeft=-5\r\n"));
}

void TestIniFile::writesCp1251WithCrLf()
{
    TestEnv env;
    IniFile ini(env.file(QStringLiteral("iching.ini")));
    ini.writeString(QStringLiteral("UserTown"), QStringLiteral("DTown"), QStringLiteral("Минск"));
    const QByteArray bytes = env.readBytes(QStringLiteral("iching.ini"));
    QVERIFY(bytes.contains("DTown=\xCC\xE8\xED\xF1\xEA\r\n"));
}

void TestIniFile::unwritableFileRaisesItsFullName()
{
    // A folder standing where the file should be cannot be replaced, whoever runs the test.
    TestEnv env;
    const QString path = env.file(QStringLiteral("iching.ini"));
    QDir().mkpath(path);
    IniFile ini(path);
    try {
        ini.writeBool(QStringLiteral("Main"), QStringLiteral("SoundEnable"), true);
        QFAIL("no error raised");
    } catch (const Error &e) {
        QCOMPARE(e.text(), QStringLiteral("Unable to write to ") + path);
    }
    QVERIFY(QFileInfo(path).isDir());
}

void TestIniFile::fontRoundTrip()
{
    TestEnv env;
    IniFile ini(env.file(QStringLiteral("iching.ini")));
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(11);
    font.setBold(true);
    font.setItalic(true);
    writeFont(ini, QStringLiteral("Ching"), font, QColor(0x12, 0x34, 0x56));
    QCOMPARE(ini.readInteger(QStringLiteral("Ching"), QStringLiteral("PreviewFontStyle"), -1), 3);
    QCOMPARE(ini.readInteger(QStringLiteral("Ching"), QStringLiteral("PreviewFontColor"), 0), 0x563412);
    const StoredFont back = readFont(ini, QStringLiteral("Ching"));
    QVERIFY(back.font.bold());
    QVERIFY(back.font.italic());
    QVERIFY(!back.font.underline());
    QCOMPARE(back.font.pointSize(), 11);
    QCOMPARE(back.font.family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(back.color, QColor(0x12, 0x34, 0x56));
}

void TestIniFile::windowTextColourDefault()
{
    TestEnv env;
    IniFile ini(env.file(QStringLiteral("iching.ini")));
    const StoredFont def = readFont(ini, QStringLiteral("Preview"));
    QCOMPARE(def.font.pointSize(), 8);
    QCOMPARE(def.font.family(), QStringLiteral("MS Sans Serif"));
    writeFont(ini, QStringLiteral("Preview"), def.font, def.color);
    QCOMPARE(ini.readString(QStringLiteral("Preview"), QStringLiteral("PreviewFontColor")),
             QStringLiteral("-2147483640"));
    QCOMPARE(ini.readString(QStringLiteral("Preview"), QStringLiteral("PreviewFontCharSet")), QStringLiteral("1"));
}

QTEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
