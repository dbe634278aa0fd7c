// The sectioned text reader and the interpretation name mapping.
#include "app/cp1251.h"
#include "app/error.h"
#include "app/programstate.h"
#include "divination/texts.h"
#include "support/testenv.h"

#include <QFile>
#include <QTest>

using namespace yw;

namespace {

// Fixture sources are UTF-8 with LF; the program reads code page 1251 with CR LF.
void installFixture(const TestEnv &env, const QString &source, const QString &name)
{
    QFile f(fixture(source));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(source));
    env.writeCp1251(QStringLiteral("Text/") + name, splitLines(QString::fromUtf8(f.readAll())));
}

} // namespace

class TstTexts : public QObject {
    Q_OBJECT
private slots:
    void sectionRules_data();
    void sectionRules();
    void fileSections_data();
    void fileSections();
    void readsCp1251WithCrLf();
    void lastLineWithoutEnding();
    void missingFileFails();
    void mapping_data();
    void mapping();
    void unknownNameKeepsCurrent();
    void initialCurrentInterpretation();
};

void TstTexts::sectionRules_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");

    const QString k = QStringLiteral("[%03]");
    QTest::newRow("blanks around the key line") << QStringList{u"  [%03]  "_qs, u"a"_qs} << k << QStringList{u"a"_qs};
    QTest::newRow("tabs and control characters trimmed")
        << QStringList{u"\t[%03]\u0001\r"_qs, u"a"_qs} << k << QStringList{u"a"_qs};
    QTest::newRow("no-break space is not a blank") << QStringList{u"\u00a0[%03]"_qs, u"a"_qs} << k << QStringList{};
    QTest::newRow("[%3] is not [%03]") << QStringList{u"[%03]"_qs, u"a"_qs} << u"[%3]"_qs << QStringList{};
    QTest::newRow("keys are case sensitive") << QStringList{u"[%desc]"_qs, u"a"_qs} << u"[%Desc]"_qs << QStringList{};
    QTest::newRow("text around the key is not a key") << QStringList{u"[%03] x"_qs, u"a"_qs} << k << QStringList{};
    QTest::newRow("blank before [% keeps the line in the body")
        << QStringList{k, u" [%04] still body"_qs, u"b"_qs, u"[%04]"_qs, u"c"_qs} << k
        << QStringList{u" [%04] still body"_qs, u"b"_qs};
    QTest::newRow("a line beginning with [% ends the section")
        << QStringList{k, u"a"_qs, u"[%note"_qs, u"b"_qs} << k << QStringList{u"a"_qs};
    QTest::newRow("empty lines and indents kept")
        << QStringList{k, u""_qs, u"   x"_qs, u""_qs, u"[%04]"_qs} << k << QStringList{u""_qs, u"   x"_qs, u""_qs};
    QTest::newRow("key line followed by a marker is empty")
        << QStringList{k, u"[%04]"_qs, u"x"_qs} << k << QStringList{};
    QTest::newRow("last section runs to the end")
        << QStringList{u"[%01]"_qs, u"x"_qs, k, u"a"_qs, u"b"_qs} << k << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("lines before the first key belong to nothing")
        << QStringList{u"a"_qs, u"b"_qs, u"[%01]"_qs} << u"[%01]"_qs << QStringList{};
    QTest::newRow("repeated key: sections in file order")
        << QStringList{k, u"a"_qs, u"[%04]"_qs, u"x"_qs, k, u"b"_qs} << k << QStringList{u"a"_qs, u"b"_qs};
    // The marker that closes a section is skipped, not compared: a key repeated right after its
    // own section therefore starts nothing.
    QTest::newRow("closing marker is not compared with the key")
        << QStringList{k, u"a"_qs, k, u"b"_qs} << k << QStringList{u"a"_qs};
    QTest::newRow("indented key inside another section is body there but a key here")
        << QStringList{u"[%01]"_qs, u"x"_qs, u" [%03]"_qs, u"a"_qs, u"[%04]"_qs} << k << QStringList{u"a"_qs};
    QTest::newRow("no lines at all") << QStringList{} << k << QStringList{};
}

void TstTexts::sectionRules()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(QStringList, expected);
    QCOMPARE(sectionOf(lines, key), expected);
}

void TstTexts::fileSections_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("expected");
    // The indented key line of 03 is no marker, so the description runs on through it.
    QTest::newRow("Desc") << u"[%Desc]"_qs
                          << QStringList{u"Описание варианта: «кавычки», ё и Ё."_qs,
                                         u""_qs,
                                         u"  [%03]  "_qs,
                                         u"Каждая строка как прочитана:"_qs,
                                         u"   с отступом,"_qs,
                                         u""_qs,
                                         u"и пустая строка выше."_qs,
                                         u" [%99] строка с пробелом перед маркером остается в теле"_qs};
    QTest::newRow("03 indented key, body kept as read")
        << u"[%03]"_qs
        << QStringList{u"Каждая строка как прочитана:"_qs, u"   с отступом,"_qs, u""_qs, u"и пустая строка выше."_qs,
                       u" [%99] строка с пробелом перед маркером остается в теле"_qs};
    QTest::newRow("04 empty") << u"[%04]"_qs << QStringList{};
    QTest::newRow("05 markup untouched") << u"[%05]"_qs << QStringList{u"Пятая <b>жирная</b> & прочее"_qs};
    QTest::newRow("06 twice") << u"[%06]"_qs << QStringList{u"Шестая, часть первая"_qs, u"Шестая, часть вторая"_qs};
    QTest::newRow("07 holds the indented key")
        << u"[%07]"_qs << QStringList{u"Седьмая"_qs, u"\t[%06]\t"_qs, u"Шестая, часть вторая"_qs};
    QTest::newRow("64 to the end") << u"[%64]"_qs
                                   << QStringList{u"Последняя секция"_qs, u"без закрывающего маркера"_qs};
    QTest::newRow("99 only inside a body") << u"[%99]"_qs << QStringList{};
    QTest::newRow("absent key") << u"[%10]"_qs << QStringList{};
}

void TstTexts::fileSections()
{
    QFETCH(QString, key);
    QFETCH(QStringList, expected);
    TestEnv env;
    installFixture(env, QStringLiteral("texts/reader/Sample.dat"), QStringLiteral("Sample.dat"));
    QCOMPARE(InterKey(key, QStringLiteral("Sample.dat"), textDirOf(env.ctx.programDir)), expected);
}

void TstTexts::readsCp1251WithCrLf()
{
    TestEnv env;
    // Raw bytes: "[%01]" CR LF, "Тест" in code page 1251, CR LF.
    env.writeBytes(QStringLiteral("Text/Raw.dat"), QByteArray("[%01]\r\n\xD2\xE5\xF1\xF2\r\n"));
    QCOMPARE(InterKey(QStringLiteral("[%01]"), QStringLiteral("Raw.dat"), textDirOf(env.ctx.programDir)),
             QStringList{QStringLiteral("Тест")});
}

void TstTexts::lastLineWithoutEnding()
{
    TestEnv env;
    env.writeBytes(QStringLiteral("Text/Raw.dat"), QByteArray("[%02]\r\nA\r\nB"));
    QCOMPARE(InterKey(QStringLiteral("[%02]"), QStringLiteral("Raw.dat"), textDirOf(env.ctx.programDir)),
             (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

void TstTexts::missingFileFails()
{
    TestEnv env;
    try {
        InterKey(QStringLiteral("[%01]"), QStringLiteral("IKolde.dat"), textDirOf(env.ctx.programDir));
        QFAIL("a missing file must fail");
    } catch (const Error &e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("File not found")), qPrintable(e.text()));
        QVERIFY(e.text().contains(QStringLiteral("IKolde.dat")));
    }
}

void TstTexts::mapping_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("weighted");
    QTest::newRow("0") << u"Западный вариант Ирмы Кольден"_qs << u"IKolde.dat"_qs << false;
    QTest::newRow("1") << u"Канонический текст"_qs << u"CCanon.dat"_qs << true;
    QTest::newRow("2") << u"Адаптированный китайский вариант (Л.М. Вернов)"_qs << u"CVernov.dat"_qs << true;
    QTest::newRow("3") << u"Павел Ронин \"Книга сказочных перемен\""_qs << u"PRonin.dat"_qs << false;
}

void TstTexts::mapping()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(bool, weighted);
    TestEnv env;
    QCOMPARE(IntNameFile(name), file);
    QCOMPARE(programState().interpretationFile, file);
    QCOMPARE(programState().castVariant == CastVariant::Weighted, weighted);
    QVERIFY(interpretationNames().contains(name));
}

void TstTexts::unknownNameKeepsCurrent()
{
    TestEnv env;
    QCOMPARE(IntNameFile(QStringLiteral("Канонический текст")), QStringLiteral("CCanon.dat"));
    QCOMPARE(IntNameFile(QStringLiteral("Канонический текст ")), QStringLiteral("CCanon.dat"));
    QCOMPARE(IntNameFile(QStringLiteral("Павел Ронин Книга сказочных перемен")), QStringLiteral("CCanon.dat"));
    QCOMPARE(programState().castVariant, CastVariant::Weighted);
}

void TstTexts::initialCurrentInterpretation()
{
    TestEnv env;
    QCOMPARE(IntNameFile(QString()), QString());
    QCOMPARE(programState().castVariant, CastVariant::Majority);
    QCOMPARE(interpretationNames().size(), 4);
    QCOMPARE(interpretationNames().first(), QStringLiteral("Западный вариант Ирмы Кольден"));
}

QTEST_GUILESS_MAIN(TstTexts)
#include "tst_texts.moc"
