#include "export/workbook.h"
#include "journal/journal.h"
#include "xlsxread.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace yw;

namespace {

struct Run {
    int code = -1;
    QJsonObject json;
    QString err;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(YW_CLI_PATH), QStringList{QStringLiteral("journal"), QStringLiteral("export")} + args);
    p.waitForFinished(60000);
    Run r;
    r.code = p.exitCode();
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

JournalRecord rec(const QString &user, int n)
{
    JournalRecord r;
    r.date = QDate(2010, 3, 4);
    r.time = QTime(5, 6, 7);
    r.userName = user;
    r.question = QStringLiteral("Что делать?");
    r.geksagrammaOld = n;
    r.geksagrammaYou = n;
    for (auto &v : r.go)
        v = QStringLiteral("7");
    r.interpretation = QStringLiteral("Канонический текст");
    r.method = QStringLiteral("Метод 3 монет");
    r.principle = n % 2 ? kPrincipleManual : kPrincipleProgram;
    return r;
}

} // namespace

class TstExportCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writesWorkbook();
    void filtered();
    void folderGetsWindowName();
    void errors_data();
    void errors();

private:
    QTemporaryDir m_dir;
    QString m_db;
};

void TstExportCli::initTestCase()
{
    m_db = m_dir.filePath(QStringLiteral("ibase.db"));
    QVERIFY(Journal::create(m_db));
    Journal j;
    QVERIFY(j.open(m_db));
    QVERIFY(
        j.appendAll({rec(QStringLiteral("Анна"), 1), rec(QStringLiteral("Борис"), 2), rec(QStringLiteral("Анна"), 3)}));
}

void TstExportCli::writesWorkbook()
{
    const QString out = m_dir.filePath(QStringLiteral("all.xlsx"));
    const Run r = cli({QStringLiteral("--db"), m_db, QStringLiteral("--out"), out, QStringLiteral("--translit"),
                       QStringLiteral("--header"), QStringLiteral("Журнал"), QStringLiteral("--footer"),
                       QStringLiteral("Подпись")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(r.json.value(QStringLiteral("records")).toInt(), 3);
    QCOMPARE(r.json.value(QStringLiteral("file")).toString(), out);
    const test::Workbook wb = test::readXlsx(out);
    QCOMPARE(wb.sheetNames, QStringList{QStringLiteral("Report")});
    QCOMPARE(wb.at(QStringLiteral("A1")), QStringLiteral("Zhurnal"));
    QCOMPARE(wb.row(2), xlsx::fieldNames());
    QCOMPARE(wb.at(QStringLiteral("D3")), QStringLiteral("Anna"));
    QCOMPARE(wb.at(QStringLiteral("B3")), QStringLiteral("04.03.2010"));
    QCOMPARE(wb.at(QStringLiteral("C3")), QStringLiteral("05:06:07"));
    QCOMPARE(wb.at(QStringLiteral("Q3")), QStringLiteral("Ruchnoi vvod"));
    QVERIFY(wb.row(6).isEmpty());
    QCOMPARE(wb.at(QStringLiteral("A7")), QStringLiteral("Podpis"));
    QVERIFY(!wb.columnWidths.isEmpty());
}

void TstExportCli::filtered()
{
    const QString out = m_dir.filePath(QStringLiteral("anna.xlsx"));
    const Run r = cli({QStringLiteral("--db"), m_db, QStringLiteral("--out"), out, QStringLiteral("--field"),
                       QStringLiteral("UserName"), QStringLiteral("--value"), QStringLiteral("Анна")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(r.json.value(QStringLiteral("records")).toInt(), 2);
    const test::Workbook wb = test::readXlsx(out);
    QVERIFY(wb.row(1).isEmpty()); // the one empty heading line
    QCOMPARE(wb.at(QStringLiteral("D3")), QStringLiteral("Анна"));
    QCOMPARE(wb.at(QStringLiteral("A4")), QStringLiteral("3"));
    QCOMPARE(wb.lastRow, 4);
}

void TstExportCli::folderGetsWindowName()
{
    QTemporaryDir out;
    const Run r = cli({QStringLiteral("--db"), m_db, QStringLiteral("--out"), out.path(), QStringLiteral("--field"),
                       QStringLiteral("Principle"), QStringLiteral("--value"), kPrincipleProgram});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString file = r.json.value(QStringLiteral("file")).toString();
    QVERIFY2(QFileInfo(file).fileName().startsWith(QStringLiteral("ExportBase_Principle_")), qPrintable(file));
    QVERIFY(file.endsWith(QStringLiteral(".xlsx")));
    QCOMPARE(test::readXlsx(file).lastRow, 3);
}

void TstExportCli::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no out") << QStringList{QStringLiteral("--db"), QStringLiteral("@DB")} << QStringLiteral("--out");
    QTest::newRow("half a filter") << QStringList{QStringLiteral("--db"),    QStringLiteral("@DB"),
                                                  QStringLiteral("--out"),   QStringLiteral("x.xlsx"),
                                                  QStringLiteral("--field"), QStringLiteral("UserName")}
                                   << QStringLiteral("go together");
    QTest::newRow("unknown field") << QStringList{QStringLiteral("--db"),    QStringLiteral("@DB"),
                                                  QStringLiteral("--out"),   QStringLiteral("x.xlsx"),
                                                  QStringLiteral("--field"), QStringLiteral("Id; DROP"),
                                                  QStringLiteral("--value"), QStringLiteral("1")}
                                   << QStringLiteral("not a field");
    QTest::newRow("folder missing") << QStringList{QStringLiteral("--db"), QStringLiteral("@DB"),
                                                   QStringLiteral("--out"), QStringLiteral("/no/such/folder/x.xlsx")}
                                    << QStringLiteral("Unable to write to");
    QTest::newRow("no database") << QStringList{QStringLiteral("--db"), QStringLiteral("/no/such.db"),
                                                QStringLiteral("--out"), QStringLiteral("x.xlsx")}
                                 << QStringLiteral("cannot open");
}

void TstExportCli::errors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    args.replaceInStrings(QStringLiteral("@DB"), m_db);
    const Run r = cli(args);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TstExportCli)
#include "tst_export_cli.moc"
