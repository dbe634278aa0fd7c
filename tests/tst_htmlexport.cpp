// The interpretation page: its name, its twelve lines and how it is written.
#include "app/cp1251.h"
#include "app/error.h"
#include "divination/htmlexport.h"
#include "divination/texts.h"
#include "support/testenv.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace yw;

class TstHtmlExport : public QObject {
    Q_OBJECT
private slots:
    void pageName();
    void exactLines();
    void bodyJoinsSectionLines();
    void emptyNumberHasNoText();
    void missingFileFailsBeforeWriting();
    void writtenAsCp1251WithCrLfAndReplaced();
    void unwritableFolderFails();
};

void TstHtmlExport::pageName()
{
    QCOMPARE(htmlPageName(u"03"_qs, 0, 1), u"cp-03_0_1.html"_qs);
    QCOMPARE(htmlPageName(QString(), 3, 2), u"cp-_3_2.html"_qs);
}

void TstHtmlExport::exactLines()
{
    const QDateTime now(QDate(2009, 1, 31), QTime(14, 5, 9));
    const QStringList lines =
        htmlPageLines(u"03"_qs, now, u"Метод 3 монет"_qs, u"Канонический текст"_qs, u"a<p>b & <c><p>"_qs);
    const QStringList expected = {
        u"<html><head><meta charset=\"windows-1251\"><title>Интерпретация гексаграммы 03</title></head>"_qs,
        u"<body>"_qs,
        u"<font size=\"-1\">Гадание <b>31.01.2009 14:05:09</b> <a href=\""_qs + kProductSite +
            u"\">Yarrowind 2.3 31.01.2009</a></font><br>"_qs,
        u"<p>"_qs,
        u"Метод гадания: <b>Метод 3 монет</b><br>"_qs,
        u"Интерпретация: <b>Канонический текст</b><br>"_qs,
        u"<p>"_qs,
        u"Гексаграмма: <b>03</b>"_qs,
        u"<p>"_qs,
        u"a<p>b & <c><p>"_qs,
        u"</body>"_qs,
        u"</html>"_qs,
    };
    QCOMPARE(lines, expected);
    // Two-digit fields stay two digits early in the day and the month.
    QVERIFY(htmlPageLines(u"01"_qs, QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)), {}, {}, {})[2].contains(
        u"<b>05.03.2024 07:08:09</b>"_qs));
}

void TstHtmlExport::bodyJoinsSectionLines()
{
    TestEnv env;
    env.writeCp1251(u"Text/CCanon.dat"_qs,
                    {u"[%03]"_qs, u"Начало <b>трудность</b>"_qs, u""_qs, u"  конец"_qs, u"[%04]"_qs, u"другое"_qs});
    QCOMPARE(TextToHtml(u"03"_qs, u"CCanon.dat"_qs, textDirOf(env.ctx.programDir)),
             u"Начало <b>трудность</b><p><p>  конец<p>"_qs);
    QCOMPARE(TextToHtml(u"05"_qs, u"CCanon.dat"_qs, textDirOf(env.ctx.programDir)), QString());
}

void TstHtmlExport::emptyNumberHasNoText()
{
    // Neither box ticked: no number, no text, and no file has to be read.
    QCOMPARE(TextToHtml(QString(), u"Missing.dat"_qs, u"/nonexistent"_qs), QString());
}

void TstHtmlExport::missingFileFailsBeforeWriting()
{
    QVERIFY_THROWS_EXCEPTION(Error, TextToHtml(u"03"_qs, u"Missing.dat"_qs, u"/nonexistent"_qs));
}

void TstHtmlExport::writtenAsCp1251WithCrLfAndReplaced()
{
    QTemporaryDir dir;
    const QStringList first =
        htmlPageLines(u"03"_qs, QDateTime(QDate(2009, 1, 31), QTime(14, 5, 9)), u"М"_qs, u"И"_qs, u"первый"_qs);
    const QString path = writeHtmlPage(dir.path(), htmlPageName(u"03"_qs, 0, 1), first);
    QCOMPARE(path, dir.filePath(u"cp-03_0_1.html"_qs));
    const QStringList second =
        htmlPageLines(u"03"_qs, QDateTime(QDate(2009, 1, 31), QTime(14, 5, 10)), u"М"_qs, u"И"_qs, u"второй"_qs);
    writeHtmlPage(dir.path(), htmlPageName(u"03"_qs, 0, 1), second);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes, joinCrLf(second));
    QCOMPARE(bytes.count("\r\n"), 12);
    QCOMPARE(bytes.count('\n'), 12);
    QVERIFY(bytes.contains("\xC8\xED\xF2\xE5\xF0\xEF\xF0\xE5\xF2\xE0\xF6\xE8\xFF")); // "Интерпретация" in 1251
    QCOMPARE(fromCp1251(bytes).split(u"\r\n"_qs)[9], u"второй"_qs);
}

void TstHtmlExport::unwritableFolderFails()
{
    QVERIFY_THROWS_EXCEPTION(Error, writeHtmlPage(u"/nonexistent/folder"_qs, u"cp-01_0_0.html"_qs, {u"x"_qs}));
}

QTEST_GUILESS_MAIN(TstHtmlExport)
#include "tst_htmlexport.moc"
