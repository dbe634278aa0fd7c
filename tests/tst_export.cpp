#include "app/error.h"
#include "export/workbook.h"
#include "xlsxread.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace yw;

namespace {

JournalRecord record(qint64 id, const QString &user, const QString &question, int oldNo, int youngNo,
                     const QString &lines = QStringLiteral("777777"), const QString &principle = kPrincipleManual)
{
    JournalRecord r;
    r.id = id;
    r.date = QDate(2009, 1, 31);
    r.time = QTime(9, 5, 7);
    r.userName = user;
    r.question = question;
    r.geksagrammaOld = oldNo;
    r.geksagrammaYou = youngNo;
    for (int i = 0; i < 6; ++i)
        r.go[static_cast<size_t>(i)] = lines.mid(i, 1);
    r.interpretation = QStringLiteral("Канонический текст");
    r.attention = QStringLiteral("!");
    r.method = QStringLiteral("Метод 3 монет");
    r.principle = principle;
    return r;
}

xlsx::RecordSource sourceOf(const QList<JournalRecord> &records)
{
    return [records](const std::function<bool(const JournalRecord &)> &visit) {
        for (const JournalRecord &r : records)
            if (!visit(r))
                return;
    };
}

} // namespace

class TstExport : public QObject {
    Q_OBJECT
private slots:
    void transliteration_data();
    void transliteration();
    void fileName_data();
    void fileName();
    void sheetLayout();
    void headingAndSignature();
    void translitInCells();
    void columnFitting();
    void progressPerRecord();
    void replacesExistingFile();
    void failureLeavesOldFile_data();
    void failureLeavesOldFile();
};

void TstExport::transliteration_data()
{
    QTest::addColumn<QString>("cyrillic");
    QTest::addColumn<QString>("latin");
    QTest::newRow("word") << QStringLiteral("Пользователь") << QStringLiteral("Polzovatel");
    QTest::newRow("digraph capitalised") << QStringLiteral("Щука и Жук") << QStringLiteral("Shchuka i Zhuk");
    QTest::newRow("digraph in capitals") << QStringLiteral("ЩУКА ЖУК") << QStringLiteral("SHCHUKA ZHUK");
    QTest::newRow("capital word end") << QStringLiteral("ЁЖ") << QStringLiteral("EZH");
    QTest::newRow("lone capital") << QStringLiteral("Ч.") << QStringLiteral("Ch.");
    QTest::newRow("iu ia short i") << QStringLiteral("Юрий Яковлев") << QStringLiteral("Iurii Iakovlev");
    QTest::newRow("hard and soft signs") << QStringLiteral("подъезд, соль") << QStringLiteral("podieezd, sol");
    QTest::newRow("kh ts") << QStringLiteral("Хвостов Цой") << QStringLiteral("Khvostov Tsoi");
    QTest::newRow("program texts") << QStringLiteral("Ручной ввод / Метод 3 монет")
                                   << QStringLiteral("Ruchnoi vvod / Metod 3 monet");
    QTest::newRow("latin and marks kept") << QStringLiteral("Id = 5, \"ok\" !") << QStringLiteral("Id = 5, \"ok\" !");
    QTest::newRow("ukrainian") << QStringLiteral("Їжак ґанок") << QStringLiteral("Izhak ganok");
    QTest::newRow("not a letter") << QStringLiteral("№ 7 — «да»") << QStringLiteral("№ 7 — «da»");
}

void TstExport::transliteration()
{
    QFETCH(QString, cyrillic);
    QFETCH(QString, latin);
    QCOMPARE(xlsx::transliterate(cyrillic), latin);
}

void TstExport::fileName_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no filter") << QString() << QStringLiteral("/out/ExportBase_31_01_2009.xlsx");
    QTest::newRow("by user") << QStringLiteral("UserName")
                             << QStringLiteral("/out/ExportBase_UserName_31_01_2009.xlsx");
}

void TstExport::fileName()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QCOMPARE(xlsx::exportFileName(QStringLiteral("/out/"), field, QDate(2009, 1, 31)), expected);
    // Same day, same field, same name.
    QCOMPARE(xlsx::exportFileName(QStringLiteral("/out/"), field, QDate(2009, 1, 31)), expected);
}

void TstExport::sheetLayout()
{
    QTemporaryDir dir;
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("a.xlsx"));
    const QList<JournalRecord> records = {
        record(3, QStringLiteral("Анна"), QStringLiteral("Что будет?"), 44, 1, QStringLiteral("677777")),
        record(9, QStringLiteral("Борис"), QStringLiteral("Вопрос на задавался"), 3, 3, QStringLiteral("787887"),
               kPrincipleProgram),
    };
    QCOMPARE(xlsx::writeWorkbook(o, sourceOf(records)), qint64(2));

    const test::Workbook wb = test::readXlsx(o.fileName);
    QCOMPARE(wb.sheetNames, QStringList{QStringLiteral("Report")});
    // Row 1 is the one empty heading line of a new export.
    QVERIFY(wb.row(1).isEmpty());
    QCOMPARE(wb.row(2), xlsx::fieldNames());
    QCOMPARE(wb.fontOf(QStringLiteral("D2")).value(QStringLiteral("bold")), QStringLiteral("1"));
    QCOMPARE(wb.fontOf(QStringLiteral("D2")).value(QStringLiteral("size")), QStringLiteral("10"));
    QCOMPARE(wb.row(3), (QStringList{QStringLiteral("3"), QStringLiteral("31.01.2009"), QStringLiteral("09:05:07"),
                                     QStringLiteral("Анна"), QStringLiteral("Что будет?"), QStringLiteral("44"),
                                     QStringLiteral("1"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("7"),
                                     QStringLiteral("7"), QStringLiteral("7"), QStringLiteral("7"),
                                     QStringLiteral("Канонический текст"), QStringLiteral("!"),
                                     QStringLiteral("Метод 3 монет"), QStringLiteral("Ручной ввод")}));
    QCOMPARE(wb.at(QStringLiteral("A4")), QStringLiteral("9"));
    QVERIFY(wb.cells.value(QStringLiteral("A4")).isNumber);
    QVERIFY(wb.cells.value(QStringLiteral("F4")).isNumber);
    QVERIFY(!wb.cells.value(QStringLiteral("H4")).isNumber); // line values stay one-character texts
    QCOMPARE(wb.at(QStringLiteral("Q4")), kPrincipleProgram);
    QCOMPARE(wb.lastRow, 4); // nothing after the data without a signature
}

void TstExport::headingAndSignature()
{
    QTemporaryDir dir;
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("b.xlsx"));
    o.headingLines = {QStringLiteral("Журнал гаданий")};
    o.signatureLines = {QStringLiteral("Составил: И. Петров")};
    xlsx::writeWorkbook(o, sourceOf({record(1, QStringLiteral("Анна"), QStringLiteral("?"), 1, 1)}));

    const test::Workbook wb = test::readXlsx(o.fileName);
    QCOMPARE(wb.at(QStringLiteral("A1")), QStringLiteral("Журнал гаданий"));
    const auto font = wb.fontOf(QStringLiteral("A1"));
    QCOMPARE(font.value(QStringLiteral("bold")), QStringLiteral("1"));
    QCOMPARE(font.value(QStringLiteral("size")), QStringLiteral("12")); // 16 pixels
    QCOMPARE(font.value(QStringLiteral("name")), QStringLiteral("MS Sans Serif"));
    QCOMPARE(wb.at(QStringLiteral("A2")), QStringLiteral("Id"));
    QCOMPARE(wb.at(QStringLiteral("A3")), QStringLiteral("1"));
    QVERIFY(wb.row(4).isEmpty());
    QCOMPARE(wb.at(QStringLiteral("A5")), QStringLiteral("Составил: И. Петров"));
}

void TstExport::translitInCells()
{
    QTemporaryDir dir;
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("c.xlsx"));
    o.translit = true;
    o.headingLines = {QStringLiteral("Отчёт")};
    o.signatureLines = {QStringLiteral("Подпись")};
    xlsx::writeWorkbook(o, sourceOf({record(1, QStringLiteral("Женя"), QStringLiteral("Когда?"), 1, 1)}));

    const test::Workbook wb = test::readXlsx(o.fileName);
    QCOMPARE(wb.at(QStringLiteral("A1")), QStringLiteral("Otchet"));
    QCOMPARE(wb.at(QStringLiteral("D2")), QStringLiteral("UserName"));
    QCOMPARE(wb.at(QStringLiteral("D3")), QStringLiteral("Zhenia"));
    QCOMPARE(wb.at(QStringLiteral("E3")), QStringLiteral("Kogda?"));
    QCOMPARE(wb.at(QStringLiteral("N3")), QStringLiteral("Kanonicheskii tekst"));
    QCOMPARE(wb.at(QStringLiteral("Q3")), QStringLiteral("Ruchnoi vvod"));
    QCOMPARE(wb.at(QStringLiteral("A5")), QStringLiteral("Podpis"));
}

void TstExport::columnFitting()
{
    QTemporaryDir dir;
    const QString longQuestion(120, QLatin1Char('x'));
    const QList<JournalRecord> records = {record(1, QStringLiteral("Я"), longQuestion, 1, 1)};

    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("fit.xlsx"));
    o.autoFit = true;
    o.headingLines = {QString(300, QLatin1Char('h'))}; // a heading must not widen column A
    xlsx::writeWorkbook(o, sourceOf(records));
    const test::Workbook fitted = test::readXlsx(o.fileName);
    QCOMPARE(fitted.columnWidths.size(), 17);
    QVERIFY(fitted.columnWidths.value(5) > 120); // Question
    QVERIFY(fitted.columnWidths.value(5) <= 255);
    QVERIFY(fitted.columnWidths.value(1) < 10);                            // Id
    QVERIFY(fitted.columnWidths.value(14) > fitted.columnWidths.value(8)); // Interpretation wider than GO1

    o.fileName = dir.filePath(QStringLiteral("plain.xlsx"));
    o.autoFit = false;
    xlsx::writeWorkbook(o, sourceOf(records));
    QVERIFY(test::readXlsx(o.fileName).columnWidths.isEmpty());
}

void TstExport::progressPerRecord()
{
    QTemporaryDir dir;
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("p.xlsx"));
    QList<JournalRecord> records;
    for (int i = 1; i <= 5; ++i)
        records << record(i, QStringLiteral("U"), QStringLiteral("Q"), i, i);
    QList<qint64> seen;
    xlsx::writeWorkbook(o, sourceOf(records), [&](qint64 n) { seen << n; });
    QCOMPARE(seen, (QList<qint64>{1, 2, 3, 4, 5}));
}

void TstExport::replacesExistingFile()
{
    QTemporaryDir dir;
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("same.xlsx"));
    xlsx::writeWorkbook(o, sourceOf({record(1, QStringLiteral("Первый"), QStringLiteral("?"), 1, 1)}));
    xlsx::writeWorkbook(o, sourceOf({record(2, QStringLiteral("Второй"), QStringLiteral("?"), 2, 2)}));
    const test::Workbook wb = test::readXlsx(o.fileName);
    QCOMPARE(wb.at(QStringLiteral("D3")), QStringLiteral("Второй"));
    QCOMPARE(wb.lastRow, 3);
    // Nothing else is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("same.xlsx")});
}

void TstExport::failureLeavesOldFile_data()
{
    QTest::addColumn<QString>("target"); // relative to a fresh folder
    QTest::newRow("folder missing") << QStringLiteral("missing/out.xlsx");
    QTest::newRow("folder is a file") << QStringLiteral("plain.txt/out.xlsx");
    QTest::newRow("target is a folder") << QStringLiteral("sub");
}

void TstExport::failureLeavesOldFile()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    {
        QFile f(dir.filePath(QStringLiteral("plain.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(target);
    try {
        xlsx::writeWorkbook(o, sourceOf({record(1, QStringLiteral("U"), QStringLiteral("Q"), 1, 1)}));
        QFAIL("the export reported success");
    } catch (const Error &e) {
        QVERIFY2(e.text().startsWith(QStringLiteral("Unable to write to ")), qPrintable(e.text()));
        QVERIFY2(e.text().contains(QStringLiteral("out.xlsx")) || e.text().contains(QStringLiteral("sub")),
                 qPrintable(e.text()));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QFile f(dir.filePath(QStringLiteral("plain.txt")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep"));
}

QTEST_GUILESS_MAIN(TstExport)
#include "tst_export.moc"
