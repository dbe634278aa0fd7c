#include "divination/hexagram.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/app/pictures.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/journalmodel.h"
#include "gui/reference/diagram1form.h"
#include "gui/reference/diagram2form.h"
#include "gui/reference/previewform.h"
#include "journal/journal.h"
#include "refhelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace yw;

namespace {

const QString kWestern = QStringLiteral("Западный вариант Ирмы Кольден");
const QString kCanon = QStringLiteral("Канонический текст");

void prepare(TestEnv &env)
{
    env.copyFromBuild(QStringLiteral("card"));
    const QList<int> all = [] {
        QList<int> n;
        for (int i = 1; i <= 64; ++i)
            n << i;
        return n;
    }();
    test::writeInterpretation(env, QStringLiteral("IKolde.dat"), QStringLiteral("Кольден"), all);
    test::writeInterpretation(env, QStringLiteral("CCanon.dat"), QStringLiteral("Канон"), all);
    test::writeInterpretation(env, QStringLiteral("CVernov.dat"), QStringLiteral("Вернов"), all);
    test::writeInterpretation(env, QStringLiteral("PRonin.dat"), QStringLiteral("Ронин"), all);
    test::installFixture(env, QStringLiteral("reference/Gua.dat"), QStringLiteral("Text/Gua.dat"));
}

TPreviewForm *viewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *v = qobject_cast<TPreviewForm *>(w))
            return v;
    return nullptr;
}

// "bottom line first" texts of what the six line pictures show: 1 yin, 3 yang.
QString drawnLines(const TPreviewForm &v)
{
    QString out;
    for (QLabel *img : v.PSymImage)
        out += test::samePicture(img->pixmap(), linePicture(1))   ? QLatin1Char('1')
               : test::samePicture(img->pixmap(), linePicture(3)) ? QLatin1Char('3')
                                                                  : QLatin1Char('?');
    return out;
}

QPixmap card(const TestEnv &env, int n)
{
    return QPixmap(env.file(QStringLiteral("card/s%1.jpg").arg(n, 2, 10, QLatin1Char('0'))));
}

void typeNumber(TPreviewForm &v, const QString &text)
{
    QLineEdit *edit = v.ShowFlatSpinEditInteger->findChild<QLineEdit *>();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class TstPreviewForm : public QObject {
    Q_OBJECT
private slots:
    void init() { installFontSubstitutes(); }
    void cleanup()
    {
        // The viewer is the run's single window; each test starts without one.
        while (TPreviewForm *v = viewer())
            delete v;
    }

    void design();
    void numberShowsCardLinesHotspots_data();
    void numberShowsCardLinesHotspots();
    void typedNumbers_data();
    void typedNumbers();
    void zeroKeepsPicture();
    void interpretationSwitch();
    void browserClicks();
    void openedFromJournalGrid();
    void unknownInterpretation();
    void unknownInterpretationBeforeAnyChoice();
    void missingCard();
    void missingInterpretationFile();
    void closeHidesAndStoresGeometry();
    void hotspotsAndButtons();
    void popupAndFont();
};

void TstPreviewForm::design()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    QCOMPARE(v.windowTitle(), QStringLiteral("Yarrowind v2.3 - Просмотр гексаграмм"));
    QCOMPARE(v.size(), QSize(495, 300));
    QCOMPARE(v.IntPreviewFlatComboBox->count(), 4);
    QCOMPARE(v.IntPreviewFlatComboBox->currentIndex(), 0);
    QCOMPARE(v.ShowFlatSpinEditInteger->value(), 0);
    QCOMPARE(v.ShowFlatSpinEditInteger->minimum(), 0);
    QCOMPARE(v.Diag1FlatSpeedButton->toolTip(), QStringLiteral("Таблица  Вэнь-вана..."));
    QCOMPARE(v.CloseFlatSpeedButton->toolTip(), QStringLiteral("Закрыть окно просмотра"));
    QCOMPARE(v.CardImage->size(), QSize(64, 109));
    QVERIFY(!v.TriTopImage->isEnabled()); // no trigram before the first refresh
    QVERIFY(!v.GeksaUnVisible->isVisible());
    // The arrows stay within the limits.
    v.ShowFlatSpinEditInteger->setValue(64);
    v.ShowFlatSpinEditInteger->stepBy(1);
    QCOMPARE(v.ShowFlatSpinEditInteger->value(), 64);
}

void TstPreviewForm::numberShowsCardLinesHotspots_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("lines"); // pictures, bottom line first
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("1") << 1 << QStringLiteral("333333") << 0 << 0;
    QTest::newRow("2") << 2 << QStringLiteral("111111") << 6 << 6;
    QTest::newRow("3") << 3 << QStringLiteral("311131") << 1 << 3;
    QTest::newRow("63") << 63 << QStringLiteral("313131") << 1 << 5;
    QTest::newRow("64") << 64 << QStringLiteral("131313") << 5 << 1;
}

void TstPreviewForm::numberShowsCardLinesHotspots()
{
    QFETCH(int, number);
    QFETCH(QString, lines);
    QFETCH(int, top);
    QFETCH(int, bottom);
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.IntPreviewFlatComboBox->setCurrentIndex(1);
    v.ShowFlatSpinEditInteger->setValue(number);
    const QString two = hex::twoDigits(number);
    QCOMPARE(v.state(), two + QLatin1Char('_') + hex::lineCode(number) + QStringLiteral("_CCanon.dat"));
    QVERIFY(test::samePicture(v.CardImage->pixmap(), card(env, number)));
    QCOMPARE(drawnLines(v), lines);
    QCOMPARE(v.TriTopImage->guaIndex, top);
    QCOMPARE(v.TriBotImage->guaIndex, bottom);
    QVERIFY(v.TriTopImage->isEnabled());
    QCOMPARE(v.PreviewFlatMemo->toPlainText(), QStringLiteral("Канон ") + two);
    QVERIFY(env.platform.messages.isEmpty());
}

void TstPreviewForm::typedNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("shown");
    QTest::newRow("99 gives 64") << QStringLiteral("99") << 64;
    QTest::newRow("123 gives 12") << QStringLiteral("123") << 12;
    QTest::newRow("650 gives 64") << QStringLiteral("650") << 64;
    QTest::newRow("65 gives 64") << QStringLiteral("65") << 64;
    QTest::newRow("7") << QStringLiteral("7") << 7;
}

void TstPreviewForm::typedNumbers()
{
    QFETCH(QString, typed);
    QFETCH(int, shown);
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.show();
    typeNumber(v, typed);
    QCOMPARE(v.ShowFlatSpinEditInteger->value(), shown);
    QCOMPARE(v.state().left(2), hex::twoDigits(shown));
    QVERIFY(test::samePicture(v.CardImage->pixmap(), card(env, shown)));
    QCOMPARE(v.PreviewFlatMemo->toPlainText(), QStringLiteral("Кольден ") + hex::twoDigits(shown));
}

void TstPreviewForm::zeroKeepsPicture()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.ShowFlatSpinEditInteger->setValue(3);
    v.ShowFlatSpinEditInteger->setValue(0);
    // Card, lines and hotspots stay; the text is what the key [%00] finds: nothing.
    QCOMPARE(v.state(), QStringLiteral("00_878887_IKolde.dat"));
    QVERIFY(test::samePicture(v.CardImage->pixmap(), card(env, 3)));
    QCOMPARE(drawnLines(v), QStringLiteral("311131"));
    QCOMPARE(v.TriTopImage->guaIndex, 1);
    QVERIFY(v.PreviewFlatMemo->toPlainText().isEmpty());
    QVERIFY(env.platform.messages.isEmpty());
}

void TstPreviewForm::interpretationSwitch()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.ShowFlatSpinEditInteger->setValue(29);
    QCOMPARE(v.PreviewFlatMemo->toPlainText(), QStringLiteral("Кольден 29"));
    v.IntPreviewFlatComboBox->setCurrentIndex(3);
    QCOMPARE(v.state(), QStringLiteral("29_878878_PRonin.dat"));
    QCOMPARE(v.PreviewFlatMemo->toPlainText(), QStringLiteral("Ронин 29"));
    QVERIFY(test::samePicture(v.CardImage->pixmap(), card(env, 29)));
    QCOMPARE(drawnLines(v), QStringLiteral("131131"));
    QCOMPARE(v.ShowFlatSpinEditInteger->value(), 29);
}

void TstPreviewForm::browserClicks()
{
    TestEnv env;
    prepare(env);
    QVERIFY(launch::viewerAvailable());
    launch::showViewer(env.ctx, QStringLiteral("07"), QStringLiteral("07_888878_CCanon.dat"), kCanon);
    TPreviewForm *v = viewer();
    QVERIFY(v);
    QVERIFY(v->isVisible());
    QCOMPARE(v->ShowFlatSpinEditInteger->minimum(), 1);
    QCOMPARE(v->IntPreviewFlatComboBox->currentText(), kCanon);
    QCOMPARE(v->state(), QStringLiteral("07_888878_CCanon.dat"));
    QCOMPARE(v->PreviewFlatMemo->toPlainText(), QStringLiteral("Канон 07"));

    // The same number from a record of another variant: the same window, that variant's text.
    launch::showViewer(env.ctx, QStringLiteral("07"), QStringLiteral("07_888878_IKolde.dat"), kWestern);
    QCOMPARE(viewer(), v);
    QCOMPARE(v->IntPreviewFlatComboBox->currentText(), kWestern);
    QCOMPARE(v->PreviewFlatMemo->toPlainText(), QStringLiteral("Кольден 07"));

    // The viewer always rebuilds from the card table: a record with moving lines shows its
    // hexagram's plain figure.
    launch::showViewer(env.ctx, QStringLiteral("44"), QStringLiteral("44_777776_CCanon.dat"), kCanon);
    QCOMPARE(v->state(), QStringLiteral("44_777778_CCanon.dat"));
    QCOMPARE(drawnLines(*v), QStringLiteral("133333"));
}

void TstPreviewForm::openedFromJournalGrid()
{
    TestEnv env;
    prepare(env);
    const QString db = env.file(QStringLiteral("ibase.db"));
    QVERIFY(Journal::create(db));
    {
        Journal j;
        QVERIFY(j.open(db));
        JournalRecord r;
        r.date = QDate(2009, 1, 31);
        r.time = QTime(10, 0, 0);
        r.userName = QStringLiteral("Анна");
        r.question = QStringLiteral("?");
        r.geksagrammaOld = 39; // 898788 from the top: moving lines 5 and 3
        r.geksagrammaYou = 15;
        const QString topFirst = QStringLiteral("898788");
        for (int i = 0; i < 6; ++i)
            r.go[size_t(i)] = topFirst.mid(5 - i, 1);
        r.interpretation = kCanon;
        r.method = QStringLiteral("Метод 3 монет");
        r.principle = kPrincipleProgram;
        QVERIFY(j.append(r));
    }
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), db);
    launch::createJournalWindows(env.ctx);
    TDataBaseForm *browser = env.ctx.dataBaseForm;
    browser->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser));
    auto clickCell = [&](int column) {
        const QModelIndex index = browser->gridModel()->index(0, column);
        QTableView *grid = browser->DBGridEh;
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    };
    // With the preview toggle up a click does nothing.
    clickCell(JournalGridModel::ColGeksagrammaOld);
    QVERIFY(!viewer());

    browser->PreviewFlatSpeedButton->setChecked(true);
    clickCell(JournalGridModel::ColGeksagrammaOld);
    TPreviewForm *v = viewer();
    QVERIFY(v);
    QVERIFY(v->isVisible());
    QCOMPARE(v->ShowFlatSpinEditInteger->value(), 39);
    QCOMPARE(v->IntPreviewFlatComboBox->currentText(), kCanon);
    QCOMPARE(v->PreviewFlatMemo->toPlainText(), QStringLiteral("Канон 39"));
    QCOMPARE(v->ShowFlatSpinEditInteger->minimum(), 1);

    clickCell(JournalGridModel::ColGeksagrammaYou);
    QCOMPARE(viewer(), v);
    QCOMPARE(v->ShowFlatSpinEditInteger->value(), 15);
    QCOMPARE(v->PreviewFlatMemo->toPlainText(), QStringLiteral("Канон 15"));

    // The browser's close button closes the viewer too.
    QTest::mouseClick(browser->CloseFlatSpeedButton, Qt::LeftButton);
    QVERIFY(!v->isVisible());
    launch::destroyJournalWindows(env.ctx);
}

void TstPreviewForm::unknownInterpretation()
{
    TestEnv env;
    prepare(env);
    launch::showViewer(env.ctx, QStringLiteral("05"), QStringLiteral("05_878777_CVernov.dat"),
                       QStringLiteral("Адаптированный китайский вариант (Л.М. Вернов)"));
    TPreviewForm *v = viewer();
    // A manual record without a variant: no selection, the file chosen last.
    launch::showViewer(env.ctx, QStringLiteral("06"), QStringLiteral("06_777878_CVernov.dat"),
                       QStringLiteral("Интерпретация не задана"));
    QCOMPARE(v->IntPreviewFlatComboBox->currentIndex(), -1);
    QCOMPARE(v->state(), QStringLiteral("06_777878_CVernov.dat"));
    QCOMPARE(v->PreviewFlatMemo->toPlainText(), QStringLiteral("Вернов 06"));
}

void TstPreviewForm::unknownInterpretationBeforeAnyChoice()
{
    // With no variant chosen anywhere yet there is no file to read: the viewer shows the card and
    // lines without a text, and no error about a file that was never named.
    TestEnv env;
    prepare(env);
    launch::showViewer(env.ctx, QStringLiteral("06"), QStringLiteral("06_777878_"),
                       QStringLiteral("Интерпретация не задана"));
    TPreviewForm *v = viewer();
    QVERIFY(env.platform.messages.isEmpty());
    QCOMPARE(v->state(), QStringLiteral("06_777878_"));
    QVERIFY(v->PreviewFlatMemo->toPlainText().isEmpty());
    QCOMPARE(drawnLines(*v), QStringLiteral("131333"));
    QVERIFY(test::samePicture(v->CardImage->pixmap(), card(env, 6)));
}

void TstPreviewForm::missingCard()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.ShowFlatSpinEditInteger->setValue(1);
    QFile::remove(env.file(QStringLiteral("card/s02.jpg")));
    v.ShowFlatSpinEditInteger->setValue(2);
    QCOMPARE(env.platform.messages.size(), 1);
    QCOMPARE(env.platform.messages.first().text,
             QStringLiteral("Cannot open file ") + QDir::toNativeSeparators(env.file(QStringLiteral("card/s02.jpg"))));
    // The window keeps showing hexagram 1, the field shows 2 and the line code is already 2's.
    QCOMPARE(v.state(), QStringLiteral("01_777777_IKolde.dat"));
    QCOMPARE(v.PreviewFlatMemo->toPlainText(), QStringLiteral("Кольден 01"));
    QCOMPARE(drawnLines(v), QStringLiteral("333333"));
    QCOMPARE(v.ShowFlatSpinEditInteger->value(), 2);
    QCOMPARE(v.currentLineCode(), QStringLiteral("888888"));
}

void TstPreviewForm::missingInterpretationFile()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.ShowFlatSpinEditInteger->setValue(1);
    QFile::remove(env.file(QStringLiteral("Text/CCanon.dat")));
    v.IntPreviewFlatComboBox->setCurrentIndex(1);
    QCOMPARE(env.platform.messages.size(), 1);
    QVERIFY(env.platform.messages.first().text.startsWith(QStringLiteral("File not found")));
    QVERIFY(v.PreviewFlatMemo->toPlainText().isEmpty());
    QCOMPARE(drawnLines(v), QStringLiteral("333333"));
}

void TstPreviewForm::closeHidesAndStoresGeometry()
{
    TestEnv env;
    prepare(env);
    {
        IniFile ini = env.ctx.settings();
        ini.writeInteger(QStringLiteral("Preview"), QStringLiteral("Width"), 600);
        ini.writeInteger(QStringLiteral("Preview"), QStringLiteral("Height"), 350);
        ini.writeInteger(QStringLiteral("Preview"), QStringLiteral("Left"), 40);
        ini.writeInteger(QStringLiteral("Preview"), QStringLiteral("Top"), 50);
    }
    launch::showViewer(env.ctx, QStringLiteral("10"), QStringLiteral("10_777877_IKolde.dat"), kWestern);
    TPreviewForm *v = viewer();
    QCOMPARE(v->size(), QSize(600, 350));
    QCOMPARE(v->pos(), QPoint(40, 50));
    v->resize(520, 310);
    v->move(60, 70);

    QTest::mouseClick(v->CloseFlatSpeedButton, Qt::LeftButton);
    QVERIFY(!v->isVisible());
    QCOMPARE(viewer(), v); // hidden, not destroyed
    const IniFile ini = env.ctx.settings();
    QCOMPARE(ini.readInteger(QStringLiteral("Preview"), QStringLiteral("Width"), 0), 520);
    QCOMPARE(ini.readInteger(QStringLiteral("Preview"), QStringLiteral("Height"), 0), 310);
    QCOMPARE(ini.readInteger(QStringLiteral("Preview"), QStringLiteral("Left"), 0), v->x());
    QCOMPARE(ini.readInteger(QStringLiteral("Preview"), QStringLiteral("Top"), 0), v->y());

    // The next click shows the same window with its previous number until the new one replaces it.
    launch::showViewer(env.ctx, QStringLiteral("11"), QStringLiteral("11_888777_IKolde.dat"), kWestern);
    QCOMPARE(viewer(), v);
    QVERIFY(v->isVisible());
    QCOMPARE(v->ShowFlatSpinEditInteger->value(), 11);

    // The browser's close button closes it too.
    launch::closeViewer(env.ctx);
    QVERIFY(!v->isVisible());
}

void TstPreviewForm::hotspotsAndButtons()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.show();
    v.ShowFlatSpinEditInteger->setValue(3);
    int shown = -1;
    QString text;
    auto gua = [&](QWidget *w) {
        auto *f = qobject_cast<TDiagram2Form *>(w);
        QVERIFY(f);
        shown = f->guaIndex();
        text = f->GuaFlatMemo->toPlainText();
    };
    QVERIFY(test::withModal([&] { QTest::mouseClick(v.TriTopImage, Qt::LeftButton); }, gua));
    QCOMPARE(shown, 1);
    QVERIFY(text.startsWith(QStringLiteral("Знак 2: Кань")));
    QVERIFY(test::withModal([&] { QTest::mouseClick(v.TriBotImage, Qt::LeftButton); }, gua));
    QCOMPARE(shown, 3);
    QVERIFY(test::withModal([&] { QTest::mouseClick(v.Diag2FlatSpeedButton, Qt::LeftButton); }, gua));
    QCOMPARE(shown, 0);
    bool wenWang = false;
    QVERIFY(test::withModal([&] { QTest::mouseClick(v.Diag1FlatSpeedButton, Qt::LeftButton); },
                            [&](QWidget *w) { wenWang = qobject_cast<TDiagram1Form *>(w) != nullptr; }));
    QVERIFY(wenWang);
    QTest::mouseClick(v.HelpFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(env.platform.helpTopics, QList<int>{11});
}

void TstPreviewForm::popupAndFont()
{
    TestEnv env;
    prepare(env);
    TPreviewForm v(env.ctx);
    v.ShowFlatSpinEditInteger->setValue(1);
    const QList<QAction *> items = v.PreviewMemoPopupMenu->actions();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(0)->text(), QStringLiteral("Копировать"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("Выделить все"));
    QCOMPARE(items.at(3)->text(), QStringLiteral("Изменить шрифт"));
    emit v.PreviewMemoPopupMenu->aboutToShow();
    QVERIFY(!v.PPCopy->isEnabled());
    v.PPSelectAll->trigger();
    emit v.PreviewMemoPopupMenu->aboutToShow();
    QVERIFY(v.PPCopy->isEnabled());

    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSize(10);
    chosen.setBold(true);
    chosen.setItalic(true);
    env.platform.fonts.enqueue(chosen);
    v.PPFont->trigger();
    QCOMPARE(v.PreviewFlatMemo->font().family(), QStringLiteral("Liberation Serif"));
    const IniFile ini = env.ctx.settings();
    QCOMPARE(ini.readInteger(QStringLiteral("Preview"), QStringLiteral("PreviewFontStyle"), 0), 3);
    QCOMPARE(ini.readInteger(QStringLiteral("Preview"), QStringLiteral("PreviewFontColor"), 0), -2147483640);
    TPreviewForm again(env.ctx);
    QVERIFY(again.PreviewFlatMemo->font().bold());
    QVERIFY(again.PreviewFlatMemo->font().italic());
}

QTEST_MAIN(TstPreviewForm)
#include "tst_previewform.moc"
