#include "app/inifile.h"
#include "app/programstate.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/journalmodel.h"
#include "gui/journal/optionform.h"
#include "journal/generator.h"
#include "journal/journal.h"
#include "support/testenv.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "support/records.h"

using namespace yw;

namespace {

// A program folder with a journal and settings that open it, and the journal windows.
struct Browser {
    TestEnv env;
    QString path;
    std::unique_ptr<TMainForm> main;

    explicit Browser(const QList<JournalRecord> &records = {}, bool withMain = false)
    {
        path = env.file(QStringLiteral("ibase.db"));
        Journal::create(path);
        {
            Journal j;
            j.open(path);
            j.appendAll(records);
        }
        env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), path);
        programState().versionText = kSettingsVersion;
        if (withMain) {
            main = std::make_unique<TMainForm>(env.ctx);
            env.ctx.mainForm = main.get();
        }
        launch::createJournalWindows(env.ctx);
    }
    ~Browser()
    {
        launch::destroyJournalWindows(env.ctx);
        env.ctx.mainForm = nullptr;
    }
    TDataBaseForm *form() const { return env.ctx.dataBaseForm; }
    void selectTitle(const QString &title) const
    {
        form()->FTitleFlatComboBox->setCurrentIndex(form()->FTitleFlatComboBox->findText(title));
    }
    void selectValue(const QString &value) const
    {
        const int i = form()->FValueFlatComboBox->findText(value);
        QVERIFY2(i >= 0, qPrintable(value));
        form()->FValueFlatComboBox->setCurrentIndex(i);
    }
    QStringList values() const
    {
        QStringList out;
        for (int i = 0; i < form()->FValueFlatComboBox->count(); ++i)
            out << form()->FValueFlatComboBox->itemText(i);
        return out;
    }
    QStringList column(int c) const
    {
        QStringList out;
        QAbstractItemModel *m = form()->DBGridEh->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, c).data().toString();
        return out;
    }
    void runStatistics(int item) const
    {
        form()->TitleSQLFlatComboBox->setCurrentIndex(item);
        form()->DateExecFlatSpeedButton->click();
    }
};

QList<JournalRecord> sample()
{
    return {
        sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2009, 1, 30)),
        sampleRecord(QStringLiteral("Анна"), 7, 7, QDate(2009, 1, 31), kPrincipleManual),
        sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2009, 1, 31)),
        sampleRecord(QStringLiteral("O'Brien"), 64, 0, QDate(2009, 2, 28), kPrincipleManual),
        sampleRecord(QStringLiteral("Иван"), 3, 3, QDate(2009, 3, 1)),
    };
}

} // namespace

class TestDataBaseForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void designedWindow();
    void gridColumnsAndCells();
    void filterByUserWithApostrophe();
    void filterByDateAsShown();
    void filterTitleResetsTheValue();
    void statisticsStatements_data();
    void statisticsStatements();
    void statisticsRestrictedByTheFilter();
    void statisticsAfterTitleChangeCountWholeJournal();
    void dateRangeBothEndsAndStatus();
    void rejectedStatementKeepsStatus();
    void queryGridShowsValuesOnceBound();
    void statisticsPanelToggle();
    void columnMenuHidesAndSurvivesRestart();
    void malformedArrayColumn_data();
    void malformedArrayColumn();
    void deletionRules();
    void deleteOnEmptyJournal();
    void appendedRecordsShowAtOnce();
    void closeButtonReenablesMainItemsAndWritesBase();
    void connectFailures_data();
    void connectFailures();
    void viewerRequest_data();
    void viewerRequest();
    void clearAndCompactFromTheMenu();
    void modelOnLargeJournalWithGaps();
    void helpTopic();
    void screenshots();
};

void TestDataBaseForm::designedWindow()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    QCOMPARE(f->windowTitle(), QStringLiteral("Yarrowind v2.3 - База данных"));
    QCOMPARE(f->size(), QSize(724, 531));
    QCOMPARE(f->pos(), QPoint(277, 165));
    QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(f->FTitleFlatComboBox->count(), 9);
    QCOMPARE(f->FTitleFlatComboBox->currentText(), QStringLiteral("Без фильтра"));
    QCOMPARE(f->FTitleFlatComboBox->itemText(8), QStringLiteral("Вид гадания"));
    QCOMPARE(b.values(), QStringList{QStringLiteral("Все")});
    QCOMPARE(f->AddManualFlatSpeedButton->toolTip(), QStringLiteral("Добавить гаданиев базу..."));
    QVERIFY(f->PreviewFlatSpeedButton->isCheckable() && !f->PreviewFlatSpeedButton->isChecked());
    QVERIFY(f->SQLFlatSpeedButton->isCheckable() && !f->SQLFlatSpeedButton->isChecked());
    QVERIFY(f->SQLPanel->isHidden());
    QVERIFY(f->SQLDBGridEh->isHidden());
    QCOMPARE(f->TitleSQLFlatComboBox->currentIndex(), -1);
    QCOMPARE(f->TitleSQLFlatComboBox->count(), 3);
    const QDate today = b.env.platform.now().date();
    for (QDateEdit *e : {f->SQLDateEdit1, f->SQLDateEdit2}) {
        QCOMPARE(e->date(), today);
        QCOMPARE(e->text(), today.toString(QStringLiteral("dd.MM.yyyy")));
        QVERIFY(!e->isEnabled());
    }
    QVERIFY(!f->DateExecFlatSpeedButton->isEnabled());
    QCOMPARE(f->footerText(), QStringLiteral("5"));
    QCOMPARE(f->VCol[3]->text(), QStringLiteral("Дата "));
    QCOMPARE(f->VCol[6]->text(), QStringLiteral("Молодая гексаграмм"));
    QCOMPARE(f->VCol[12]->objectName(), QStringLiteral("VCol_R4"));
    QCOMPARE(f->VCol[12]->text(), QStringLiteral("Разряд 4"));
    for (QAction *a : f->VCol)
        QVERIFY(a->isChecked());
    QCOMPARE(f->DBGridEh->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

void TestDataBaseForm::gridColumnsAndCells()
{
    Browser b(sample());
    QTableView *grid = b.form()->DBGridEh;
    QAbstractItemModel *m = grid->model();
    QCOMPARE(m->columnCount(), 17);
    const QStringList titles = {QStringLiteral("Id"),
                                QStringLiteral("Пользователь"),
                                QStringLiteral("Вопрос"),
                                QStringLiteral("Дата"),
                                QStringLiteral("Время"),
                                QStringLiteral("Старая Гексаграмма"),
                                QStringLiteral("Молодая Гексаграмма"),
                                QStringLiteral("Интерпретация"),
                                QStringLiteral(" "),
                                QStringLiteral("1"),
                                QStringLiteral("2"),
                                QStringLiteral("3"),
                                QStringLiteral("4"),
                                QStringLiteral("5"),
                                QStringLiteral("6"),
                                QStringLiteral("Метод"),
                                QStringLiteral("Вид гадания")};
    const QList<int> widths = {30, 80, 150, 60, 50, 75, 64, 100, 20, 20, 20, 20, 20, 20, 20, 150, 120};
    for (int c = 0; c < 17; ++c) {
        QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), titles[c]);
        QCOMPARE(grid->columnWidth(c), widths[c]);
    }
    QCOMPARE(b.column(0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                       QStringLiteral("4"), QStringLiteral("5")}));
    const QModelIndex first = m->index(1, 3);
    QCOMPARE(first.data().toString(), QStringLiteral("31.01.2009"));
    QCOMPARE(m->index(1, 4).data().toString(), QStringLiteral("13:05:09"));
    QCOMPARE(m->index(0, 5).data().toString(), QStringLiteral("7")); // no leading zero
    QCOMPARE(m->index(0, 11).data().toString(), QStringLiteral("9"));
    QCOMPARE(m->index(1, 16).data().toString(), kPrincipleManual);
    QCOMPARE(m->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    QCOMPARE(m->index(0, 5).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QCOMPARE(m->index(0, 15).data(Qt::ForegroundRole).value<QColor>(), QColor(0x80, 0, 0));
    QCOMPARE(m->index(0, 16).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0x80, 0));
    QCOMPARE(m->index(0, 8).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::magenta));
    QVERIFY(m->index(0, 8).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(m->index(0, 8).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QVERIFY(grid->editTriggers() == QAbstractItemView::NoEditTriggers);
}

void TestDataBaseForm::filterByUserWithApostrophe()
{
    Browser b(sample());
    b.selectTitle(QStringLiteral("Пользователь"));
    QCOMPARE(b.form()->filterFieldName(), QStringLiteral("UserName"));
    QCOMPARE(b.values(), (QStringList{QStringLiteral("Все"), QStringLiteral("O'Brien"), QStringLiteral("Анна"),
                                      QStringLiteral("Иван")}));
    QCOMPARE(b.form()->footerText(), QStringLiteral("5"));
    b.selectValue(QStringLiteral("O'Brien"));
    QCOMPARE(b.form()->footerText(), QStringLiteral("3"));
    QCOMPARE(b.column(0), (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4")}));
    QVERIFY(b.form()->currentFilter().active());
    QCOMPARE(b.form()->currentFilter().value, QStringLiteral("O'Brien"));
    b.selectValue(QStringLiteral("Все"));
    QCOMPARE(b.form()->footerText(), QStringLiteral("5"));
    QVERIFY(!b.form()->currentFilter().active());
}

void TestDataBaseForm::filterByDateAsShown()
{
    Browser b(sample());
    b.selectTitle(QStringLiteral("Дата"));
    QCOMPARE(b.values(), (QStringList{QStringLiteral("Все"), QStringLiteral("30.01.2009"), QStringLiteral("31.01.2009"),
                                      QStringLiteral("28.02.2009"), QStringLiteral("01.03.2009")}));
    b.selectValue(QStringLiteral("31.01.2009"));
    QCOMPARE(b.form()->footerText(), QStringLiteral("2"));
    QCOMPARE(b.column(3), (QStringList{QStringLiteral("31.01.2009"), QStringLiteral("31.01.2009")}));
    b.selectTitle(QStringLiteral("Старая Гексаграмма"));
    QCOMPARE(b.values(),
             (QStringList{QStringLiteral("Все"), QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("64")}));
    b.selectValue(QStringLiteral("7"));
    QCOMPARE(b.form()->footerText(), QStringLiteral("3"));
}

void TestDataBaseForm::filterTitleResetsTheValue()
{
    Browser b(sample());
    b.selectTitle(QStringLiteral("Вид гадания"));
    b.selectValue(kPrincipleManual);
    QCOMPARE(b.form()->footerText(), QStringLiteral("2"));
    b.selectTitle(QStringLiteral("Без фильтра"));
    QCOMPARE(b.values(), QStringList{QStringLiteral("Все")});
    QCOMPARE(b.form()->footerText(), QStringLiteral("5"));
    // The field name stays for the export's file name.
    QCOMPARE(b.form()->filterFieldName(), QStringLiteral("Principle"));
    QVERIFY(!b.form()->currentFilter().active());
}

void TestDataBaseForm::statisticsStatements_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("status");
    QTest::newRow("old") << 0
                         << "SELECT UserName AS Пользователь, GeksagrammaOld AS \"Старая Гексаграмма\", "
                            "count(GeksagrammaOld) as Attention FROM RGeksa Group by  UserName, GeksagrammaOld"
                         << "Выполнен запрос: Подсчет одинаковых старых гексаграмм";
    QTest::newRow("young") << 1
                           << "SELECT UserName AS Пользователь, GeksagrammaYou AS \"Молодая Гексаграмма\", "
                              "count(GeksagrammaYou) as Attention FROM RGeksa Group by  UserName, GeksagrammaYou"
                           << "Выполнен запрос: Подсчет одинаковых молодых гексаграмм";
    QTest::newRow("range") << 2
                           << "SELECT UserName AS Пользователь, DateVar AS Дата, GeksagrammaOld AS \"Старая "
                              "Гексаграмма\", GeksagrammaYou AS \"Молодая Гексаграмма\" FROM RGeksa WHERE DateVar >= "
                              "TODATE(:from, 'DD.MM.YYYY') and DateVar <= TODATE(:to, 'DD.MM.YYYY')"
                           << "Выполнен запрос: Выбор выпавших гексаграмм на заданный период";
}

void TestDataBaseForm::statisticsStatements()
{
    QFETCH(int, item);
    QFETCH(QString, statement);
    QFETCH(QString, status);
    Browser b(sample());
    TDataBaseForm *f = b.form();
    f->TitleSQLFlatComboBox->setCurrentIndex(item);
    QCOMPARE(f->preparedStatement(), statement);
    QCOMPARE(f->preparedStatusText(), status);
    QVERIFY(f->DateExecFlatSpeedButton->isEnabled());
    QCOMPARE(f->SQLDateEdit1->isEnabled(), item == 2);
    QCOMPARE(f->SQLDateEdit2->isEnabled(), item == 2);
    // Preparing runs nothing.
    QCOMPARE(f->sqlModel()->rowCount(), 0);
    QCOMPARE(f->SQLStatusBar->currentMessage(),
             item == 2 ? QStringLiteral("Для выполнения запроса выберите период дат") : QString());
    if (item == 2) {
        f->SQLDateEdit1->setDate(QDate(2009, 1, 1));
        f->SQLDateEdit2->setDate(QDate(2009, 12, 31));
    }
    f->DateExecFlatSpeedButton->click();
    QCOMPARE(f->SQLStatusBar->currentMessage(), status);
    QCOMPARE(f->SQLDBGridEh->model(), f->sqlModel());
    const JournalTable &t = f->sqlModel()->table();
    if (item == 0) {
        QCOMPARE(t.rowCount(), 4);
        QCOMPARE(t.row(0), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("7"), QStringLiteral("2")}));
        QCOMPARE(t.row(1), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("64"), QStringLiteral("1")}));
    } else if (item == 1) {
        QCOMPARE(t.row(0), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("0"), QStringLiteral("1")}));
        QCOMPARE(t.row(1), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("12"), QStringLiteral("2")}));
    } else {
        QCOMPARE(t.rowCount(), 5);
        QCOMPARE(t.columns.at(1), QStringLiteral("Дата"));
    }
}

void TestDataBaseForm::statisticsRestrictedByTheFilter()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    b.selectTitle(QStringLiteral("Пользователь"));
    b.selectValue(QStringLiteral("O'Brien"));
    b.runStatistics(0);
    QVERIFY(f->preparedStatement().contains(QStringLiteral("SELECT UserName  AS Пользователь")));
    QVERIFY(f->preparedStatement().contains(QStringLiteral("where UserName = :value Group by  UserName")));
    QCOMPARE(f->sqlModel()->table().rowCount(), 2);
    QCOMPARE(f->sqlModel()->table().row(0),
             (QStringList{QStringLiteral("O'Brien"), QStringLiteral("7"), QStringLiteral("2")}));
}

void TestDataBaseForm::statisticsAfterTitleChangeCountWholeJournal()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    b.selectTitle(QStringLiteral("Пользователь"));
    b.selectValue(QStringLiteral("Иван"));
    f->TitleSQLFlatComboBox->setCurrentIndex(0);
    b.selectTitle(QStringLiteral("Вид гадания"));
    f->DateExecFlatSpeedButton->click();
    qint64 total = 0;
    const JournalTable &t = f->sqlModel()->table();
    for (qsizetype r = 0; r < t.rowCount(); ++r)
        total += t.cell(r, 2).toLongLong();
    QCOMPARE(total, 5);
}

void TestDataBaseForm::dateRangeBothEndsAndStatus()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    b.selectTitle(QStringLiteral("Пользователь"));
    b.selectValue(QStringLiteral("O'Brien"));
    f->TitleSQLFlatComboBox->setCurrentIndex(2);
    QCOMPARE(f->SQLStatusBar->currentMessage(), QStringLiteral("Для выполнения запроса выберите период дат"));
    f->SQLDateEdit1->setDate(QDate(2009, 1, 31));
    f->SQLDateEdit2->setDate(QDate(2009, 2, 28));
    QVERIFY(f->preparedStatement().contains(QStringLiteral("WHERE UserName = :value and (DateVar >=")));
    f->DateExecFlatSpeedButton->click();
    const JournalTable &t = f->sqlModel()->table();
    // The statement leaves the order to the engine.
    QStringList rows;
    for (qsizetype r = 0; r < t.rowCount(); ++r)
        rows << t.row(r).join(u'|');
    rows.sort();
    QCOMPARE(rows, (QStringList{QStringLiteral("O'Brien|28.02.2009|64|0"), QStringLiteral("O'Brien|31.01.2009|7|12")}));
    QCOMPARE(f->SQLStatusBar->currentMessage(),
             QStringLiteral("Выполнен запрос: Выбор выпавших гексаграмм на заданный период"));
}

void TestDataBaseForm::rejectedStatementKeepsStatus()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    b.runStatistics(0);
    const QString status = f->SQLStatusBar->currentMessage();
    QVERIFY(f->sqlModel()->rowCount() > 0);
    b.env.ctx.journal->close();
    f->DateExecFlatSpeedButton->click();
    QVERIFY(!f->ExecSQL());
    QCOMPARE(f->sqlModel()->rowCount(), 0);
    QCOMPARE(f->SQLStatusBar->currentMessage(), status);
    QVERIFY(b.env.platform.messages.isEmpty());
}

void TestDataBaseForm::queryGridShowsValuesOnceBound()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    b.selectTitle(QStringLiteral("Метод"));
    QVERIFY(!f->SQLDBGridEh->model()); // not bound before a statement ran
    b.runStatistics(1);
    b.selectTitle(QStringLiteral("Пользователь"));
    QCOMPARE(f->sqlModel()->table().columns, QStringList{QStringLiteral("UserName")});
    QCOMPARE(f->sqlModel()->rowCount(), 3);
    QCOMPARE(f->SQLStatusBar->currentMessage(), QString());
    b.selectValue(QStringLiteral("Анна")); // closes the query
    QCOMPARE(f->sqlModel()->rowCount(), 0);
}

void TestDataBaseForm::statisticsPanelToggle()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    f->show();
    f->SQLFlatSpeedButton->click();
    QVERIFY(f->SQLPanel->isVisible());
    QVERIFY(f->SQLDBGridEh->isVisible());
    QTRY_VERIFY(f->FlatSplitter->handle(1)->isVisible());
    f->SQLFlatSpeedButton->click();
    QVERIFY(!f->SQLPanel->isVisible());
    QTRY_VERIFY(!f->FlatSplitter->handle(1)->isVisible());
    f->hide();
}

void TestDataBaseForm::columnMenuHidesAndSurvivesRestart()
{
    auto b = std::make_unique<Browser>(sample());
    TDataBaseForm *f = b->form();
    QCOMPARE(f->OptionsColPopupMenu->actions().size(), 17);
    f->VCol[12]->trigger(); // "Разряд 4"
    QVERIFY(f->DBGridEh->isColumnHidden(JournalGridModel::ColGO1 + 3));
    QVERIFY(!f->VCol[12]->isChecked());
    f->VCol[8]->trigger();
    f->VCol[8]->trigger(); // twice: shown again
    QVERIFY(!f->DBGridEh->isColumnHidden(JournalGridModel::ColAttention));
    f->PreviewFlatSpeedButton->click();
    f->show();
    f->CloseFlatSpeedButton->click();
    QVERIFY(!f->isVisible());
    const IniFile ini = b->env.ctx.settings();
    QCOMPARE(ini.readString(QStringLiteral("Base"), QStringLiteral("ArrayColumn")),
             QStringLiteral("11111111111101111"));
    QCOMPARE(ini.readString(QStringLiteral("Base"), QStringLiteral("Preview")), QStringLiteral("1"));

    launch::destroyJournalWindows(b->env.ctx);
    launch::createJournalWindows(b->env.ctx);
    f = b->form();
    QVERIFY(f->DBGridEh->isColumnHidden(JournalGridModel::ColGO1 + 3));
    QVERIFY(!f->VCol[12]->isChecked());
    QVERIFY(f->PreviewFlatSpeedButton->isChecked());
    for (int k = 0; k < 17; ++k)
        QCOMPARE(f->DBGridEh->isColumnHidden(k), k == 12);
}

void TestDataBaseForm::malformedArrayColumn_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<bool>("applied");
    QTest::newRow("attention hidden") << "11111111011111111"
                                      << "11111111011111111" << true;
    QTest::newRow("too short") << "0101"
                               << "01011111111111111" << false;
    QTest::newRow("letter inside") << "00x00000000000000"
                                   << "00111111111111111" << false;
    QTest::newRow("longer is fine") << "111111111111111100"
                                    << "11111111111111110" << true;
}

void TestDataBaseForm::malformedArrayColumn()
{
    QFETCH(QString, stored);
    QFETCH(QString, ticks);
    QFETCH(bool, applied);
    TestEnv env;
    const QString path = env.file(QStringLiteral("ibase.db"));
    Journal::create(path);
    IniFile ini = env.ctx.settings();
    ini.writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), path);
    ini.writeString(QStringLiteral("Base"), QStringLiteral("ArrayColumn"), stored);
    ini.writeString(QStringLiteral("Base"), QStringLiteral("Preview"), QStringLiteral("1"));
    ini.writeInteger(QStringLiteral("Base"), QStringLiteral("Left"), 10);
    programState().versionText = kSettingsVersion;
    launch::createJournalWindows(env.ctx);
    TDataBaseForm *f = env.ctx.dataBaseForm;
    QString got;
    for (QAction *a : f->VCol)
        got += a->isChecked() ? u'1' : u'0';
    QCOMPARE(got, ticks);
    for (int k = 0; k < 17; ++k)
        QCOMPARE(f->DBGridEh->isColumnHidden(k), applied && ticks[k] == u'0');
    // Reading stopped at the bad position: the rest of the section was not read.
    QCOMPARE(f->PreviewFlatSpeedButton->isChecked(), applied);
    QCOMPARE(f->x(), applied ? 10 : 277);
    launch::destroyJournalWindows(env.ctx);
}

void TestDataBaseForm::deletionRules()
{
    Browser b(sample());
    TDataBaseForm *f = b.form();
    const QString caption = QStringLiteral("Удаление записей");
    // Record 1 was cast by the program: refused.
    f->DBGridEh->setCurrentIndex(f->DBGridEh->model()->index(0, 1));
    f->DElManualFlatSpeedButton->click();
    QCOMPARE(b.env.platform.messages.size(), 1);
    QCOMPARE(b.env.platform.messages[0].caption, caption);
    QCOMPARE(b.env.platform.messages[0].icon, MsgIcon::Information);
    QCOMPARE(b.env.platform.messages[0].text, QStringLiteral("Удалять записи можно только введеные ручным вводам!"));
    QCOMPARE(b.env.ctx.journal->count(), 5);

    // Record 2 was entered by hand: asked, No keeps it.
    f->DBGridEh->setCurrentIndex(f->DBGridEh->model()->index(1, 1));
    b.env.platform.answers.enqueue(MsgButton::No);
    f->DElManualFlatSpeedButton->click();
    QCOMPARE(b.env.platform.messages[1].text,
             QStringLiteral("Внимание!\r\n\r\nВы действительно хотите удалить запись"));
    QCOMPARE(b.env.platform.messages[1].buttons, int(MsgButton::Yes | MsgButton::No));
    QCOMPARE(b.env.platform.messages[1].defaultButton, int(MsgButton::No));
    QCOMPARE(b.env.ctx.journal->count(), 5);
    // Yes deletes it; the grid and its footer follow.
    b.env.platform.answers.enqueue(MsgButton::Yes);
    f->DElManualFlatSpeedButton->click();
    QCOMPARE(b.env.ctx.journal->count(), 4);
    QCOMPARE(f->footerText(), QStringLiteral("4"));
    QCOMPARE(b.column(0),
             (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
    // Filtered to the manual records, the remaining one can go too.
    b.selectTitle(QStringLiteral("Вид гадания"));
    b.selectValue(kPrincipleManual);
    QCOMPARE(b.column(0), QStringList{QStringLiteral("4")});
    b.env.platform.answers.enqueue(MsgButton::Yes);
    f->DElManualFlatSpeedButton->click();
    QCOMPARE(f->footerText(), QStringLiteral("0"));
    f->DElManualFlatSpeedButton->click();
    QCOMPARE(b.env.platform.messages.last().text, QStringLiteral("Все записи удалены из базы данных!"));
    QCOMPARE(b.env.ctx.journal->count(), 3);
}

void TestDataBaseForm::deleteOnEmptyJournal()
{
    Browser b(sample());
    b.env.platform.answers.enqueue(MsgButton::Ok);
    launch::clearJournal(b.env.ctx, nullptr);
    QCOMPARE(b.form()->footerText(), QStringLiteral("0"));
    b.form()->DElManualFlatSpeedButton->click();
    QCOMPARE(b.env.platform.messages.last().text, QStringLiteral("Все записи удалены из базы данных!"));
    QCOMPARE(b.env.platform.messages.last().buttons, int(MsgButton::Ok));
}

void TestDataBaseForm::appendedRecordsShowAtOnce()
{
    Browser b(sample());
    b.selectTitle(QStringLiteral("Пользователь"));
    b.selectValue(QStringLiteral("Анна"));
    QCOMPARE(b.form()->footerText(), QStringLiteral("1"));
    QVERIFY(b.env.ctx.journal->append(sampleRecord(QStringLiteral("Анна"), 1, 1, QDate(2010, 1, 1), kPrincipleManual)));
    QCOMPARE(b.form()->footerText(), QStringLiteral("2"));
    QVERIFY(b.env.ctx.journal->append(sampleRecord(QStringLiteral("Иван"), 1, 1, QDate(2010, 1, 1))));
    QCOMPARE(b.form()->footerText(), QStringLiteral("2"));
    b.selectValue(QStringLiteral("Все"));
    QCOMPARE(b.form()->footerText(), QStringLiteral("7"));
}

void TestDataBaseForm::closeButtonReenablesMainItemsAndWritesBase()
{
    Browser b(sample(), true);
    TMainForm *main = b.main.get();
    main->DataBaseFlatSpeedButton->click();
    QVERIFY(b.form()->isVisible());
    QVERIFY(!main->ResPopup2->isEnabled());
    QVERIFY(!main->ResPopup6->isEnabled());
    QVERIFY(main->ResPopup1->isEnabled());
    b.form()->resize(800, 600);
    b.form()->CloseFlatSpeedButton->click();
    QVERIFY(!b.form()->isVisible());
    QVERIFY(main->ResPopup2->isEnabled());
    QVERIFY(main->ResPopup6->isEnabled());
    const IniFile ini = b.env.ctx.settings();
    QCOMPARE(ini.readInteger(QStringLiteral("Base"), QStringLiteral("Width"), 0), 800);
    QCOMPARE(ini.readInteger(QStringLiteral("Base"), QStringLiteral("Height"), 0), 600);
    QCOMPARE(ini.readString(QStringLiteral("Base"), QStringLiteral("ArrayColumn")), QString(17, u'1'));
}

void TestDataBaseForm::connectFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fixedText");
    QTest::newRow("missing") << "missing" << true;
    QTest::newRow("not a database") << "text" << true;
    QTest::newRow("empty file") << "empty" << true;
    QTest::newRow("another key") << "key" << true;
    QTest::newRow("read-only file") << "read-only" << false;
    QTest::newRow("unwritable program folder") << "userch" << true;
}

void TestDataBaseForm::connectFailures()
{
    QFETCH(QString, kind);
    QFETCH(bool, fixedText);
    TestEnv env;
    QString path = env.file(QStringLiteral("ibase.db"));
    if (kind == QLatin1String("text"))
        env.writeBytes(QStringLiteral("ibase.db"), QByteArray("hello\r\n").repeated(500));
    else if (kind == QLatin1String("empty"))
        env.writeBytes(QStringLiteral("ibase.db"), {});
    else if (kind == QLatin1String("key")) {
        // A journal file of a program with another password: same layout, other key.
        QTemporaryDir other;
        const QString foreign = other.filePath(QStringLiteral("x.db"));
        QVERIFY(Journal::create(foreign));
        QFile f(foreign);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        bytes[3] = char(bytes[3] ^ 0x5a); // the file starts with the key's salt: another salt, another key
        env.writeBytes(QStringLiteral("ibase.db"), bytes);
    } else if (kind == QLatin1String("read-only")) {
        QVERIFY(Journal::create(path));
        QFile::setPermissions(path, QFile::ReadOwner);
    } else if (kind == QLatin1String("userch")) {
        QVERIFY(Journal::create(path));
        QDir().mkpath(env.file(QStringLiteral("userch.dat"))); // a folder where the file must go
    }
    QFile file(path);
    QByteArray before;
    if (file.open(QIODevice::ReadOnly))
        before = file.readAll();
    file.close();
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), path);
    programState().versionText = kSettingsVersion;

    // The failure at start-up leads to the options window in first-start mode.
    bool firstStart = false;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TOptionForm *>(QApplication::activeModalWidget());
        QVERIFY(form);
        firstStart = form->firstStartMode();
        form->done(QDialog::Rejected);
    });
    launch::createJournalWindows(env.ctx);
    QVERIFY(firstStart);
    QVERIFY(programState().versionText.isEmpty());
    QVERIFY(!launch::journalAvailable(env.ctx));
    QCOMPARE(env.platform.messages.size(), 1);
    const auto &shown = env.platform.messages[0];
    QCOMPARE(shown.caption, QStringLiteral("Ошибка подключения базы"));
    QCOMPARE(shown.icon, MsgIcon::Error);
    QCOMPARE(shown.text.startsWith(QStringLiteral("Неправильный формат базы данных или база данных не существует!")),
             fixedText);
    QVERIFY(shown.text.contains(kind == QLatin1String("userch") ? QStringLiteral("userch.dat") : path));
    if (file.open(QIODevice::ReadOnly))
        QCOMPARE(file.readAll(), before);
    else
        QVERIFY(!QFile::exists(path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    launch::destroyJournalWindows(env.ctx);
}

void TestDataBaseForm::viewerRequest_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("preview");
    QTest::addColumn<int>("young");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("state");
    QTest::newRow("old, one digit") << int(JournalGridModel::ColGeksagrammaOld) << true << 12 << "07"
                                    << "07_876987_CCanon.dat";
    QTest::newRow("young") << int(JournalGridModel::ColGeksagrammaYou) << true << 12 << "12"
                           << "12_876987_CCanon.dat";
    QTest::newRow("young 0 opens nothing") << int(JournalGridModel::ColGeksagrammaYou) << true << 0 << ""
                                           << "";
    QTest::newRow("toggle up opens nothing") << int(JournalGridModel::ColGeksagrammaOld) << false << 12 << ""
                                             << "";
    QTest::newRow("other column") << int(JournalGridModel::ColUserName) << true << 12 << ""
                                  << "";
}

void TestDataBaseForm::viewerRequest()
{
    QFETCH(int, column);
    QFETCH(bool, preview);
    QFETCH(int, young);
    QFETCH(QString, number);
    QFETCH(QString, state);
    TestEnv env;
    const auto request =
        TDataBaseForm::viewerRequest(sampleRecord(QStringLiteral("x"), 7, young, QDate(2009, 1, 1)), column, preview);
    QCOMPARE(bool(request), !number.isEmpty());
    if (request) {
        QCOMPARE(request->number, number);
        QCOMPARE(request->state, state);
    }
}

void TestDataBaseForm::clearAndCompactFromTheMenu()
{
    Browser b(sample(), true);
    b.env.platform.answers.enqueue(MsgButton::Cancel);
    b.main->ResPopup1->trigger();
    QCOMPARE(b.env.platform.messages.size(), 1);
    const auto &asked = b.env.platform.messages[0];
    QCOMPARE(asked.caption, QStringLiteral("Очистка базы"));
    QCOMPARE(asked.text, QStringLiteral("Внимание!\r\n\r\nВы действительно хотите очистить базу данных!\r\n"));
    QCOMPARE(asked.buttons, int(MsgButton::Ok | MsgButton::Cancel));
    QCOMPARE(asked.defaultButton, int(MsgButton::Cancel));
    QCOMPARE(b.env.ctx.journal->count(), 5);
    b.env.platform.answers.enqueue(MsgButton::Ok);
    b.main->ResPopup1->trigger();
    QCOMPARE(b.env.platform.messages.size(), 2);
    QCOMPARE(b.env.ctx.journal->count(), 0);
    QCOMPARE(b.form()->footerText(), QStringLiteral("0"));

    b.main->ResPopup2->trigger();
    QCOMPARE(b.env.platform.messages.size(), 2); // nothing asked, nothing said
    QVERIFY(launch::journalAvailable(b.env.ctx));
    QVERIFY(b.env.ctx.journal->append(sampleRecord(QStringLiteral("после"), 1, 1, QDate(2020, 1, 1))));
    QCOMPARE(b.form()->footerText(), QStringLiteral("1"));
}

void TestDataBaseForm::modelOnLargeJournalWithGaps()
{
    QList<JournalRecord> records;
    JournalGenerator generator(2);
    for (int i = 0; i < 1500; ++i)
        records << generator.next();
    Browser b(records);
    QAbstractItemModelTester contiguous(b.form()->gridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    JournalGridModel *m = b.form()->gridModel();
    QCOMPARE(m->rowCount(), 1500);
    QCOMPARE(m->index(1499, 0).data().toString(), QStringLiteral("1500"));
    // Pages far apart, then a gap in the Ids: rows still line up with their records.
    for (qint64 id : {3, 700, 1201})
        QVERIFY(b.env.ctx.journal->remove(id));
    QCOMPARE(m->rowCount(), 1497);
    QCOMPARE(m->index(2, 0).data().toString(), QStringLiteral("4"));
    QCOMPARE(m->index(1496, 0).data().toString(), QStringLiteral("1500"));
    QCOMPARE(m->index(698, 0).data().toString(), QStringLiteral("701"));
    const auto r = m->recordAt(698);
    QVERIFY(r);
    QCOMPARE(r->userName, records[700].userName);
    QCOMPARE(m->rowOfId(701), 698);
    QCOMPARE(m->rowOfId(700), -1);
}

void TestDataBaseForm::helpTopic()
{
    Browser b;
    b.form()->HelpFlatSpeedButton->click();
    QCOMPARE(b.env.platform.helpTopics, QList<int>{8});
}

void TestDataBaseForm::screenshots()
{
    // Pictures for a person to look at, only when asked for.
    const QString dir = qEnvironmentVariable("YW_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("set YW_SCREENSHOT_DIR to save the browser's pictures");
    QList<JournalRecord> records;
    JournalGenerator generator(7);
    for (int i = 0; i < 20000; ++i)
        records << generator.next();
    Browser b(records);
    TDataBaseForm *f = b.form();
    f->show();
    f->SQLFlatSpeedButton->click();
    b.selectTitle(QStringLiteral("Пользователь"));
    b.selectValue(QStringLiteral("O'Brien"));
    b.runStatistics(0);
    QTest::qWait(50);
    QDir().mkpath(dir);
    QVERIFY(f->grab().save(dir + QStringLiteral("/databaseform.png")));
    f->TitleSQLFlatComboBox->setCurrentIndex(2);
    f->SQLDateEdit1->setDate(QDate(2009, 1, 1));
    f->SQLDateEdit2->setDate(QDate(2009, 3, 31));
    f->DateExecFlatSpeedButton->click();
    QTest::qWait(50);
    QVERIFY(f->grab().save(dir + QStringLiteral("/databaseform-range.png")));
    b.env.ctx.optionForm->show();
    QTest::qWait(50);
    QVERIFY(b.env.ctx.optionForm->grab().save(dir + QStringLiteral("/optionform.png")));
    b.env.ctx.optionForm->hide();
}

QTEST_MAIN(TestDataBaseForm)
#include "tst_databaseform.moc"
