#include "divination/hexagram.h"
#include "export/workbook.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/exportform.h"
#include "journal/journal.h"
#include "refhelpers.h"
#include "xlsxread.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace yw;

namespace {

JournalRecord rec(const QString &user, int number)
{
    JournalRecord r;
    r.date = QDate(2009, 1, 31);
    r.time = QTime(12, 0, 0);
    r.userName = user;
    r.question = QStringLiteral("Вопрос %1").arg(number);
    r.geksagrammaOld = number;
    r.geksagrammaYou = number;
    const QString code = hex::lineCode(number);
    for (int i = 0; i < 6; ++i)
        r.go[size_t(i)] = code.mid(5 - i, 1);
    r.interpretation = QStringLiteral("Канонический текст");
    r.method = QStringLiteral("Метод 3 монет");
    r.principle = kPrincipleProgram;
    return r;
}

struct Fixture {
    TestEnv env;
    Journal journal;
    QTemporaryDir out;
    explicit Fixture(int records = 3)
    {
        Journal::create(env.file(QStringLiteral("ibase.db")));
        journal.open(env.file(QStringLiteral("ibase.db")));
        env.ctx.journal = &journal;
        QList<JournalRecord> rs;
        for (int i = 0; i < records; ++i)
            rs << rec(i % 2 ? QStringLiteral("Борис") : QStringLiteral("Анна"), i + 1);
        journal.appendAll(rs);
        IniFile ini = env.ctx.settings();
        ini.writeString(QStringLiteral("Export"), QStringLiteral("Path"), out.path() + QLatin1Char('/'));
    }
    QString outFile(const QString &name) const { return out.path() + QLatin1Char('/') + name; }
};

} // namespace

class TstExportForm : public QObject {
    Q_OBJECT
private slots:
    void init() { installFontSubstitutes(); }

    void design();
    void emptyJournalCannotExport();
    void exportWritesWorkbook();
    void filteredExport();
    void headingKeptWithinWindow();
    void checkBoxesDecide_data();
    void checkBoxesDecide();
    void openAfterExport();
    void folderDialog();
    void failedExportGivesWindowBack();
    void settingsRoundTrip();
    void fromBrowserFilter();
};

void TstExportForm::design()
{
    Fixture fx;
    QFile::remove(fx.env.ctx.settings().path());
    TExportForm f(fx.env.ctx, {}, {});
    QCOMPARE(f.windowTitle(), QStringLiteral("Yarrowind v2.3 - Экспорт данных"));
    QCOMPARE(f.size(), QSize(203, 211));
    QVERIFY(!f.ExcelVisibleFlatCheckBox->isChecked());
    QVERIFY(f.AutoFitFlatCheckBox->isChecked());
    QVERIFY(!f.TranslitFlatCheckBox->isChecked());
    QCOMPARE(f.SaveToFileFlatEdit->text(), fx.env.ctx.programDir + QLatin1Char('/'));
    QVERIFY(f.SaveToFileFlatEdit->isReadOnly());
    QVERIFY(f.ExportFlatButton->isEnabled());
    QCOMPARE(f.ExportFlatButton->text(), QStringLiteral("Экспорт"));
    QCOMPARE(f.CancelFlatButton->text(), QStringLiteral("Закрыть"));
    QCOMPARE(f.ExportFlatGauge->value(), 0);
    QCOMPARE(f.exportFileName(), fx.env.ctx.programDir + QStringLiteral("/ExportBase_11_12_2026.xlsx"));
    QVERIFY(launch::exportAvailable(fx.env.ctx));
}

void TstExportForm::emptyJournalCannotExport()
{
    Fixture fx(0);
    TExportForm f(fx.env.ctx, {}, {});
    QVERIFY(!f.ExportFlatButton->isEnabled());
    // A filter that matches nothing leaves nothing to export either.
    Fixture some;
    TExportForm g(some.env.ctx, {QStringLiteral("UserName"), QStringLiteral("Никто")}, QStringLiteral("UserName"));
    QVERIFY(!g.ExportFlatButton->isEnabled());
    // No journal at all: nothing to export, and the main window's item is off.
    TestEnv bare;
    TExportForm h(bare.ctx, {}, {});
    QVERIFY(!h.ExportFlatButton->isEnabled());
    QVERIFY(!launch::exportAvailable(bare.ctx));
}

void TstExportForm::exportWritesWorkbook()
{
    Fixture fx(3);
    TExportForm f(fx.env.ctx, {}, {});
    f.show();
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    QVERIFY2(fx.env.platform.messages.isEmpty(), qPrintable(fx.env.platform.messageTexts().join(u'|')));
    const QString file = fx.outFile(QStringLiteral("ExportBase_11_12_2026.xlsx"));
    QCOMPARE(f.lastFile(), file);
    QVERIFY(QFile::exists(file));
    const test::Workbook wb = test::readXlsx(file);
    QCOMPARE(wb.sheetNames, QStringList{QStringLiteral("Report")});
    QVERIFY(wb.row(1).isEmpty());
    QCOMPARE(wb.row(2), xlsx::fieldNames());
    QCOMPARE(wb.at(QStringLiteral("D3")), QStringLiteral("Анна"));
    QCOMPARE(wb.at(QStringLiteral("D4")), QStringLiteral("Борис"));
    QCOMPARE(wb.at(QStringLiteral("E5")), QStringLiteral("Вопрос 3"));
    QCOMPARE(wb.at(QStringLiteral("B5")), QStringLiteral("31.01.2009"));
    QCOMPARE(wb.at(QStringLiteral("F5")), QStringLiteral("3"));
    QCOMPARE(wb.at(QStringLiteral("Q5")), kPrincipleProgram);
    QCOMPARE(wb.lastRow, 5);
    // The bar went record by record to the end; the controls are the user's again.
    QCOMPARE(f.handedOver(), qint64(3));
    QCOMPARE(f.ExportFlatGauge->maximum(), 3);
    QCOMPARE(f.ExportFlatGauge->value(), 3);
    QVERIFY(f.ExportFlatButton->isEnabled());
    QVERIFY(f.CancelFlatButton->isEnabled());
    QVERIFY(f.ExportPanel->isEnabled());

    // A second export the same day replaces the file.
    fx.journal.append(rec(QStringLiteral("Вера"), 10));
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    QCOMPARE(test::readXlsx(file).lastRow, 6);
    QCOMPARE(QDir(fx.out.path()).entryList(QDir::Files).size(), 1);
}

void TstExportForm::filteredExport()
{
    Fixture fx(5);
    TExportForm f(fx.env.ctx, {QStringLiteral("UserName"), QStringLiteral("Борис")}, QStringLiteral("UserName"));
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    const QString file = fx.outFile(QStringLiteral("ExportBase_UserName_11_12_2026.xlsx"));
    QCOMPARE(f.lastFile(), file);
    const test::Workbook wb = test::readXlsx(file);
    QCOMPARE(wb.at(QStringLiteral("D3")), QStringLiteral("Борис"));
    QCOMPARE(wb.at(QStringLiteral("D4")), QStringLiteral("Борис"));
    QCOMPARE(wb.lastRow, 4);
    QCOMPARE(f.ExportFlatGauge->maximum(), 2);
}

void TstExportForm::headingKeptWithinWindow()
{
    Fixture fx(1);
    const QString file = fx.outFile(QStringLiteral("ExportBase_11_12_2026.xlsx"));
    {
        TExportForm f(fx.env.ctx, {}, {});
        f.HeaderFlatEdit->setText(QStringLiteral("Отчет за январь"));
        f.FooterFlatEdit->setText(QStringLiteral("Составил И. П."));
        QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
        test::Workbook wb = test::readXlsx(file);
        QCOMPARE(wb.at(QStringLiteral("A1")), QStringLiteral("Отчет за январь"));
        QCOMPARE(wb.fontOf(QStringLiteral("A1")).value(QStringLiteral("bold")), QStringLiteral("1"));
        QVERIFY(wb.row(4).isEmpty());
        QCOMPARE(wb.at(QStringLiteral("A5")), QStringLiteral("Составил И. П."));
        // Blank fields keep the lines of the window's previous export.
        f.HeaderFlatEdit->setText(QStringLiteral("  "));
        f.FooterFlatEdit->clear();
        QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
        wb = test::readXlsx(file);
        QCOMPARE(wb.at(QStringLiteral("A1")), QStringLiteral("Отчет за январь"));
        QCOMPARE(wb.at(QStringLiteral("A5")), QStringLiteral("Составил И. П."));
    }
    // A new window starts with the one empty heading line and no signature.
    TExportForm g(fx.env.ctx, {}, {});
    g.HeaderFlatEdit->clear();
    g.FooterFlatEdit->clear();
    QTest::mouseClick(g.ExportFlatButton, Qt::LeftButton);
    const test::Workbook wb = test::readXlsx(file);
    QVERIFY(wb.row(1).isEmpty());
    QCOMPARE(wb.at(QStringLiteral("A2")), QStringLiteral("Id"));
    QCOMPARE(wb.lastRow, 3);
}

void TstExportForm::checkBoxesDecide_data()
{
    QTest::addColumn<bool>("autoFit");
    QTest::addColumn<bool>("translit");
    QTest::newRow("fit, cyrillic") << true << false;
    QTest::newRow("no fit, latin") << false << true;
}

void TstExportForm::checkBoxesDecide()
{
    QFETCH(bool, autoFit);
    QFETCH(bool, translit);
    Fixture fx(1);
    TExportForm f(fx.env.ctx, {}, {});
    f.show();
    if (f.AutoFitFlatCheckBox->isChecked() != autoFit)
        QTest::mouseClick(f.AutoFitFlatCheckBox, Qt::LeftButton);
    if (f.TranslitFlatCheckBox->isChecked() != translit)
        QTest::mouseClick(f.TranslitFlatCheckBox, Qt::LeftButton);
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    const test::Workbook wb = test::readXlsx(fx.outFile(QStringLiteral("ExportBase_11_12_2026.xlsx")));
    QCOMPARE(!wb.columnWidths.isEmpty(), autoFit);
    QCOMPARE(wb.at(QStringLiteral("D3")), translit ? QStringLiteral("Anna") : QStringLiteral("Анна"));
    QCOMPARE(wb.at(QStringLiteral("N3")),
             translit ? QStringLiteral("Kanonicheskii tekst") : QStringLiteral("Канонический текст"));
}

void TstExportForm::openAfterExport()
{
    Fixture fx(1);
    TExportForm f(fx.env.ctx, {}, {});
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    QVERIFY(fx.env.platform.openedUrls.isEmpty());
    f.ExcelVisibleFlatCheckBox->setChecked(true);
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.openedUrls,
             QList<QUrl>{QUrl::fromLocalFile(fx.outFile(QStringLiteral("ExportBase_11_12_2026.xlsx")))});
}

void TstExportForm::folderDialog()
{
    Fixture fx(1);
    TExportForm f(fx.env.ctx, {}, {});
    const QString before = f.SaveToFileFlatEdit->text();
    fx.env.platform.folders.enqueue(QString()); // cancelled
    QTest::mouseClick(f.SaveToFileFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(f.SaveToFileFlatEdit->text(), before);
    fx.env.platform.folders.enqueue(fx.env.file(QStringLiteral("exports")));
    QTest::mouseClick(f.SaveToFileFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.folderDialogs, 2);
    QCOMPARE(f.SaveToFileFlatEdit->text(), fx.env.file(QStringLiteral("exports/")));
}

void TstExportForm::failedExportGivesWindowBack()
{
    Fixture fx(2);
    TExportForm f(fx.env.ctx, {}, {});
    f.show();
    f.SaveToFileFlatEdit->setText(fx.env.file(QStringLiteral("no-such-folder/")));
    QTest::mouseClick(f.ExportFlatButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QVERIFY2(fx.env.platform.messages.first().text.startsWith(QStringLiteral("Unable to write to ")),
             qPrintable(fx.env.platform.messages.first().text));
    QVERIFY(fx.env.platform.messages.first().text.contains(QStringLiteral("ExportBase_11_12_2026.xlsx")));
    // Every control is usable again, so the user can pick another folder or close the window.
    QVERIFY(f.ExportPanel->isEnabled());
    QVERIFY(f.ExportFlatButton->isEnabled());
    QVERIFY(f.CancelFlatButton->isEnabled());
    QVERIFY(f.SaveToFileFlatSpeedButton->isEnabled());
    QVERIFY(fx.env.platform.openedUrls.isEmpty());
    QTest::mouseClick(f.CancelFlatButton, Qt::LeftButton);
    QVERIFY(!f.isVisible());
}

void TstExportForm::settingsRoundTrip()
{
    Fixture fx(1);
    {
        IniFile ini = fx.env.ctx.settings();
        ini.writeBool(QStringLiteral("Export"), QStringLiteral("Visible"), true);
        ini.writeBool(QStringLiteral("Export"), QStringLiteral("AutoFit"), false);
        ini.writeBool(QStringLiteral("Export"), QStringLiteral("Translit"), true);
        ini.writeString(QStringLiteral("Export"), QStringLiteral("Header"), QStringLiteral("Журнал"));
        ini.writeString(QStringLiteral("Export"), QStringLiteral("Footer"), QStringLiteral("Конец"));
    }
    {
        TExportForm f(fx.env.ctx, {}, {});
        f.show();
        QVERIFY(f.ExcelVisibleFlatCheckBox->isChecked());
        QVERIFY(!f.AutoFitFlatCheckBox->isChecked());
        QVERIFY(f.TranslitFlatCheckBox->isChecked());
        QCOMPARE(f.SaveToFileFlatEdit->text(), fx.out.path() + QLatin1Char('/'));
        QCOMPARE(f.HeaderFlatEdit->text(), QStringLiteral("Журнал"));
        QCOMPARE(f.FooterFlatEdit->text(), QStringLiteral("Конец"));
        f.ExcelVisibleFlatCheckBox->setChecked(false);
        f.AutoFitFlatCheckBox->setChecked(true);
        f.HeaderFlatEdit->setText(QStringLiteral("Новый"));
        f.SaveToFileFlatEdit->setText(QStringLiteral("/srv/out/"));
        f.close();
    }
    const IniFile ini = fx.env.ctx.settings();
    QCOMPARE(ini.readBool(QStringLiteral("Export"), QStringLiteral("Visible"), true), false);
    QCOMPARE(ini.readBool(QStringLiteral("Export"), QStringLiteral("AutoFit"), false), true);
    QCOMPARE(ini.readBool(QStringLiteral("Export"), QStringLiteral("Translit"), false), true);
    QCOMPARE(ini.readString(QStringLiteral("Export"), QStringLiteral("Path")), QStringLiteral("/srv/out/"));
    QCOMPARE(ini.readString(QStringLiteral("Export"), QStringLiteral("Header")), QStringLiteral("Новый"));
    QCOMPARE(ini.readString(QStringLiteral("Export"), QStringLiteral("Footer")), QStringLiteral("Конец"));
}

void TstExportForm::fromBrowserFilter()
{
    Fixture fx(4);
    fx.env.ctx.journal = nullptr;
    {
        IniFile ini = fx.env.ctx.settings();
        ini.writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), fx.env.file(QStringLiteral("ibase.db")));
    }
    fx.journal.close();
    launch::createJournalWindows(fx.env.ctx);
    TDataBaseForm *browser = fx.env.ctx.dataBaseForm;
    QVERIFY(browser);
    browser->FTitleFlatComboBox->setCurrentText(QStringLiteral("Пользователь"));
    browser->FValueFlatComboBox->setCurrentText(QStringLiteral("Анна"));
    QCOMPARE(browser->currentFilter().value, QStringLiteral("Анна"));

    QString written;
    QVERIFY(test::withModal([&] { launch::openExport(fx.env.ctx, nullptr); },
                            [&](QWidget *w) {
                                auto *f = qobject_cast<TExportForm *>(w);
                                QVERIFY(f);
                                QTest::mouseClick(f->ExportFlatButton, Qt::LeftButton);
                                written = f->lastFile();
                            }));
    QCOMPARE(written, fx.outFile(QStringLiteral("ExportBase_UserName_11_12_2026.xlsx")));
    const test::Workbook wb = test::readXlsx(written);
    QCOMPARE(wb.lastRow, 4); // two of the four records
    QCOMPARE(wb.at(QStringLiteral("D4")), QStringLiteral("Анна"));

    // "Без фильтра" again: every record, but the name keeps the last field chosen.
    browser->FTitleFlatComboBox->setCurrentText(QStringLiteral("Без фильтра"));
    QVERIFY(test::withModal([&] { launch::openExport(fx.env.ctx, nullptr); },
                            [&](QWidget *w) {
                                auto *f = qobject_cast<TExportForm *>(w);
                                QTest::mouseClick(f->ExportFlatButton, Qt::LeftButton);
                                written = f->lastFile();
                            }));
    QCOMPARE(written, fx.outFile(QStringLiteral("ExportBase_UserName_11_12_2026.xlsx")));
    QCOMPARE(test::readXlsx(written).lastRow, 6);
    launch::destroyJournalWindows(fx.env.ctx);
}

QTEST_MAIN(TstExportForm)
#include "tst_exportform.moc"
