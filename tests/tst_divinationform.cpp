// The divination window on the offscreen platform: states, the four methods, saving, export.
#include "app/cp1251.h"
#include "app/inifile.h"
#include "app/programstate.h"
#include "divination/hexagram.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"
#include "gui/divination/icningform.h"
#include "gui/divination/throwpictures.h"
#include "journal/journal.h"
#include "support/testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace yw;

namespace {

const QDateTime kTen(QDate(2026, 12, 11), QTime(10, 0), Qt::UTC);

// Milliseconds after 10:00:00.000 UTC whose seed throws a known number of yang sides:
// 2 -> none, 0 -> one, 3 -> two, 4 -> three (worked out from the generator's recurrence).
int coinOffset(QChar value, CastVariant v)
{
    if (v == CastVariant::Majority)
        return value == u'7' ? 3 : 0;
    switch (value.unicode()) {
    case u'6': return 2;
    case u'7': return 0;
    case u'8': return 3;
    default: return 4;
    }
}

// The same for three dice: 7 -> 9 (sum 9), 11 -> 6 (sum 6), 0 -> 7 (sum 11), 2 -> 8 (sum 14).
int diceOffset(QChar value)
{
    switch (value.unicode()) {
    case u'9': return 7;
    case u'6': return 11;
    case u'7': return 0;
    default: return 2;
    }
}

struct Fixture {
    TestEnv env;
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<Journal> journal;
    std::unique_ptr<TICningForm> form;

    explicit Fixture(bool withJournal = true, bool withUsers = true)
    {
        installTexts();
        if (withUsers)
            env.writeCp1251(QStringLiteral("userch.dat"), {QStringLiteral("Анна"), QStringLiteral("Борис")});
        env.platform.setNow(kTen);
        mainForm = std::make_unique<TMainForm>(env.ctx);
        env.ctx.mainForm = mainForm.get();
        if (withJournal) {
            const QString path = env.file(QStringLiteral("ibase.db"));
            Journal::create(path);
            journal = std::make_unique<Journal>();
            journal->open(path);
            env.ctx.journal = journal.get();
        }
    }
    ~Fixture()
    {
        form.reset();
        env.ctx.mainForm = nullptr;
    }

    void installTexts() const
    {
        QDirIterator it(fixture(QStringLiteral("texts/window")), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                env.writeCp1251(QStringLiteral("Text/") + it.fileName(), splitLines(QString::fromUtf8(f.readAll())));
        }
    }

    void settings(const QString &key, int value) const
    {
        IniFile ini = env.ctx.settings();
        ini.writeInteger(QStringLiteral("Ching"), key, value);
    }
    void sound(bool on) const { mainForm->SoundFlatSpeedButton->setChecked(on); }
    void autoSave(bool on) const { mainForm->SaveFlatSpeedButton->setChecked(on); }

    TICningForm *open()
    {
        form = std::make_unique<TICningForm>(env.ctx);
        form->show();
        return form.get();
    }

    // Six presses whose seeds give the line values (bottom line first).
    void cast(const QString &lines, CastVariant v, bool dice = false)
    {
        for (QChar value : lines) {
            env.platform.setNow(kTen.addMSecs(dice ? diceOffset(value) : coinOffset(value, v)));
            QTest::mouseClick(form->StartFlatButton, Qt::LeftButton);
        }
    }

    QList<JournalRecord> records() const
    {
        QList<JournalRecord> out;
        if (journal)
            journal->forEach({}, [&](const JournalRecord &r) {
                out.append(r);
                return true;
            });
        return out;
    }
};

template <typename T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QLatin1String(name));
    if (!c)
        qWarning("no control %s", name);
    return c;
}

QString valueField(TICningForm *f, const char *prefix, int k)
{
    return child<QLineEdit>(f, QStringLiteral("%1%2FlatEdit").arg(QLatin1String(prefix)).arg(k).toLatin1().constData())
        ->text();
}

} // namespace

Q_DECLARE_METATYPE(CastVariant)

class TstDivinationForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // As the program starts: the designed font and its metric-compatible substitute.
        installFontSubstitutes();
        QApplication::setFont(designFont());
    }
    void init()
    {
        QDir().mkpath(m_tmp.path());
        qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
    }

    void designedWindow();
    void createReadsSettingsAndUsers();
    void missingUsersListFallsBackToCoins();
    void weightedCoinDivination();
    void majorityCoinDivinationShowsOldOnly();
    void warningHexagramOnlyUnderMajority();
    void weightedWithoutMovingLines();
    void diceDivination();
    void variantFollowsEachThrow();
    void reshowingARow();
    void hotspotsPointAtTrigrams();
    void lineNumbers();
    void checkBoxesSwitchText();
    void switchingInterpretationAfterTheEnd();
    void descriptionButton();
    void missingInterpretationFileStillEnds();
    void questionFieldClick();
    void autoSaveRules();
    void forcedSaveRules();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void settingsWrittenOnClose();
    void escapeDoesNotClose();
    void numerologicalWorkedExample();
    void numerologicalNeedsAQuestion();
    void numerologicalMajorityWarning();
    void xiantianImpossibleDateThenRetry();
    void xiantianToday();
    void popupMenuStates();
    void exportPage();
    void exportFollowsTickedBox();
    void fontChangeStored();
    void helpTopic();
    void wholeDivinationFromMainWindow_data();
    void wholeDivinationFromMainWindow();
    void screenshots();

private:
    QTemporaryDir m_tmp;
};

void TstDivinationForm::designedWindow()
{
    Fixture fx;
    fx.sound(true);
    TICningForm *f = fx.open();
    QCOMPARE(f->size(), QSize(641, 377));
    QCOMPARE(f->windowTitle(), u"Yarrowind v2.3 - Гадание"_qs);
    QCOMPARE(fx.env.platform.sounds, QStringList{u"start.wav"_qs});
    QCOMPARE(f->TypeMethodFlatComboBox->count(), 4);
    QCOMPARE(f->TypeMethodFlatComboBox->itemText(3), u"Нумерологический метод"_qs);
    QCOMPARE(f->IntFlatComboBox->itemText(3), u"Павел Ронин \"Книга сказочных перемен\""_qs);
    QCOMPARE(f->QuestFlatEdit->text(), u"<Введите свой вопрос...>"_qs);
    QCOMPARE(f->QuestFlatEdit->palette().color(QPalette::Text), QColor(96, 96, 96));
    QCOMPARE(f->QuestFlatEdit->geometry(), QRect(210, 24, 429, 21));
    QCOMPARE(f->StartFlatButton->text(), u"Гадание"_qs);
    QCOMPARE(f->StartFlatButton->toolTip(), u"Испытай судьбу первый раз"_qs);
    QCOMPARE(f->ForceSaveGlatSpeedButton->geometry(), QRect(2, 2, 43, 43));
    QVERIFY(!f->ForceSaveGlatSpeedButton->isEnabled());
    QVERIFY(f->CloseFlatButton->isEnabled());
    QVERIFY(f->GraphFlatGroupBox->isHidden());
    QVERIFY(f->NumeroFlatGroupBox->isHidden());
    QVERIFY(f->NumOLabel->isHidden());
    QVERIFY(f->OldFlatCheckBox->isHidden());
    QVERIFY(child<QLabel>(f, "Sym1YouImage")->isHidden());
    QVERIFY(!child<QWidget>(f, "TriTopOldImage")->isEnabled());
    QCOMPARE(f->IntrpretFlatMemo->toPlainText().split(QLatin1Char('\n')).size(), 5);
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Выберите метод гадания"_qs));
    QVERIFY(f->IntrpretFlatMemo->isReadOnly());
    const QList<QAction *> items = f->IChingMemoPopupMenu->actions();
    QStringList captions;
    for (QAction *a : items)
        captions.append(a->isSeparator() ? u"-"_qs : a->text());
    QCOMPARE(captions, (QStringList{u"Копировать"_qs, u"Выделить все"_qs, u"-"_qs, u"Передать текст в броузер"_qs,
                                    u"-"_qs, u"Изменить шрифт"_qs}));
    // Everything stays inside the window.
    for (QWidget *w : f->findChildren<QWidget *>())
        if (w->parentWidget() && w->parentWidget()->objectName() == u"MainFlatPanel"_qs)
            QVERIFY2(w->geometry().right() < 641, qPrintable(w->objectName()));
}

void TstDivinationForm::createReadsSettingsAndUsers()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 2);
    fx.settings(u"TypeMethod"_qs, 1);
    fx.settings(u"NumEnable"_qs, 1);
    fx.settings(u"CheckOld"_qs, 0);
    fx.settings(u"CheckYou"_qs, 1);
    TICningForm *f = fx.open();
    QCOMPARE(f->IntFlatComboBox->currentIndex(), 2);
    QCOMPARE(f->TypeMethodFlatComboBox->currentIndex(), 1);
    QVERIFY(f->PositionFlatSpeedButton->isChecked());
    QVERIFY(child<QLabel>(f, "O6Label")->isVisible());
    QVERIFY(!f->OldFlatCheckBox->isChecked());
    QVERIFY(f->YouFlatCheckBox->isChecked());
    QCOMPARE(f->UserFlatComboBox->count(), 2);
    QCOMPARE(f->UserFlatComboBox->currentText(), u"Анна"_qs);
    QCOMPARE(programState().interpretationFile, u"CVernov.dat"_qs);
    QCOMPARE(programState().castVariant, CastVariant::Weighted);
}

void TstDivinationForm::missingUsersListFallsBackToCoins()
{
    Fixture fx(true, false);
    fx.settings(u"TypeMethod"_qs, 2);
    IniFile ini = fx.env.ctx.settings();
    ini.writeInteger(u"Ching"_qs, u"PreviewFontSize"_qs, 14);
    TICningForm *f = fx.open();
    QCOMPARE(f->TypeMethodFlatComboBox->currentIndex(), 0);
    QCOMPARE(f->UserFlatComboBox->count(), 0);
    QCOMPARE(f->IntrpretFlatMemo->font().pointSize(), 8);
}

void TstDivinationForm::weightedCoinDivination()
{
    Fixture fx;
    fx.sound(true);
    fx.settings(u"IntIndex"_qs, 1); // "Канонический текст"
    TICningForm *f = fx.open();
    fx.env.platform.sounds.clear();
    const QStringList hints = {u"Испытай судьбу второй раз"_qs, u"Испытай судьбу третий раз"_qs,
                               u"Испытай судьбу четвертый раз"_qs, u"Испытай судьбу пятый раз"_qs,
                               u"Испытай судьбу шестой раз"_qs};
    const QString lines = u"986878"_qs; // bottom first: old 03 with lines 1 and 3 moving
    for (int i = 0; i < 6; ++i) {
        fx.env.platform.setNow(kTen.addMSecs(coinOffset(lines.at(i), CastVariant::Weighted)));
        QTest::mouseClick(f->StartFlatButton, Qt::LeftButton);
        if (i < 5) {
            QCOMPARE(f->StartFlatButton->toolTip(), hints[i]);
            // Casting: the choices are locked, the interpretation list is not.
            for (QWidget *w : std::initializer_list<QWidget *>{f->TypeMethodFlatComboBox, f->UserFlatComboBox,
                                                               f->QuestFlatEdit, f->DescFlatSpeedButton,
                                                               f->PositionFlatSpeedButton, f->CloseFlatButton})
                QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
            QVERIFY(f->IntFlatComboBox->isEnabled());
            QVERIFY(f->StartFlatButton->isEnabled());
        }
        // Each throw fills the row of its line, from the bottom row up.
        QCOMPARE(f->GraphResultColumnListBox->item(5 - i, 0)->text(), QString::number(i + 1));
        QVERIFY(f->GraphResultColumnListBox->item(5 - i, 4) != nullptr);
    }
    QCOMPARE(f->state().lineCode, u"878689"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(5, 4)->text(), u"3 + 3 + 3 = 9 Черта Ян (ст)"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(3, 4)->text(), u"2 + 2 + 2 = 6 Черта Инь (ст)"_qs);
    QCOMPARE(f->StartFlatButton->toolTip(), u"Гадание закончено!"_qs);
    QVERIFY(!f->StartFlatButton->isEnabled());
    QVERIFY(f->CloseFlatButton->isEnabled());
    QVERIFY(f->PositionFlatSpeedButton->isEnabled());
    QVERIFY(f->ForceSaveGlatSpeedButton->isEnabled());
    QCOMPARE(f->GraphFlatGroupBox->title(),
             u"Графический стол гадания - гексаграмма 03 (Вариант весовых коэффициентов)"_qs);
    QCOMPARE(f->NumOLabel->text(), u"03"_qs);
    QCOMPARE(f->NumYLabel->text(), u"39"_qs);
    QCOMPARE(f->OldFlatGroupBox->title(), u"Старость"_qs);
    QCOMPARE(f->YouFlatGroupBox->title(), u"Молодость"_qs);
    QVERIFY(f->OldFlatCheckBox->isVisible() && f->YouFlatCheckBox->isVisible());
    QVERIFY(f->OldFlatGroupBox->styleSheet().contains(u"#a09683"_qs));
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(valueField(f, "GO", k), QString(lines.at(k - 1)));
        QCOMPARE(valueField(f, "GY", k), QString(hex::youngValue(lines.at(k - 1))));
        const QColor base = child<QLineEdit>(f, QStringLiteral("GO%1FlatEdit").arg(k).toLatin1().constData())
                                ->palette()
                                .color(QPalette::Base);
        QCOMPARE(base == TICningForm::kMovingLine, k == 1 || k == 3);
    }
    QCOMPARE(fx.env.platform.sounds, (QStringList(6, u"iter.wav"_qs) << u"galaxy.wav"_qs));
    QCOMPARE(f->IntrpretFlatMemo->toPlainText(),
             u"Гексаграмма 03, канонический вариант.\n\nОбразец толкования: строка <b>03</b> & прочее."_qs);
    // Nothing more can be cast in this window.
    f->StartFlatButtonClick();
    QCOMPARE(f->state().lineCode, u"878689"_qs);
}

void TstDivinationForm::majorityCoinDivinationShowsOldOnly()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 0);
    fx.settings(u"CheckOld"_qs, 0);
    fx.settings(u"CheckYou"_qs, 1);
    TICningForm *f = fx.open();
    fx.cast(u"777777"_qs, CastVariant::Majority);
    QCOMPARE(f->state().lineCode, u"777777"_qs);
    QVERIFY(!f->state().lineCode.contains(u'6') && !f->state().lineCode.contains(u'9'));
    QCOMPARE(f->OldFlatGroupBox->title(), u"Симметричная"_qs);
    QCOMPARE(f->GraphFlatGroupBox->title(), u"Графический стол гадания - гексаграмма 01 (Вариант большинства)"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(5, 4)->text(), u"Черта Ян"_qs);
    QVERIFY(f->YouFlatCheckBox->isHidden());
    QVERIFY(f->OldFlatCheckBox->isHidden());
    QVERIFY(f->NumYLabel->isHidden());
    QVERIFY(child<QLabel>(f, "Sym1YouImage")->isHidden());
    QVERIFY(child<QLineEdit>(f, "GO1FlatEdit")->isHidden());
    QVERIFY(f->OldFlatCheckBox->isChecked());
    QVERIFY(!f->YouFlatCheckBox->isChecked());
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Гексаграмма 01, западный вариант."_qs));
}

void TstDivinationForm::warningHexagramOnlyUnderMajority()
{
    {
        Fixture fx;
        fx.sound(true);
        fx.autoSave(true);
        TICningForm *f = fx.open();                   // western text, majority
        fx.cast(u"878878"_qs, CastVariant::Majority); // 29 from the bottom: 8 7 8 8 7 8
        QCOMPARE(f->state().oldNumber, u"29"_qs);
        QCOMPARE(f->state().attention, u"!"_qs);
        QCOMPARE(fx.env.platform.sounds.last(), u"gong.wav"_qs);
        QVERIFY(!f->ForceSaveGlatSpeedButton->isEnabled());
        f->close();
        const QList<JournalRecord> saved = fx.records();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].attention, u"!"_qs);
        QCOMPARE(saved[0].geksagrammaOld, 29);
        QCOMPARE(saved[0].geksagrammaYou, 29);
    }
    {
        Fixture fx;
        fx.sound(true);
        fx.settings(u"IntIndex"_qs, 1);
        TICningForm *f = fx.open();
        fx.cast(u"878878"_qs, CastVariant::Weighted);
        QCOMPARE(f->state().oldNumber, u"29"_qs);
        QCOMPARE(f->state().attention, QString());
        QCOMPARE(fx.env.platform.sounds.last(), u"galaxy.wav"_qs);
    }
}

void TstDivinationForm::weightedWithoutMovingLines()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 2);
    fx.autoSave(true);
    TICningForm *f = fx.open();
    fx.cast(u"787878"_qs, CastVariant::Weighted);
    QCOMPARE(f->state().oldNumber, f->state().youngNumber);
    for (int k = 1; k <= 6; ++k)
        QVERIFY(child<QLineEdit>(f, QStringLiteral("GO%1FlatEdit").arg(k).toLatin1().constData())
                    ->palette()
                    .color(QPalette::Base) != TICningForm::kMovingLine);
    f->close();
    QCOMPARE(fx.records().size(), 1);
    QCOMPARE(fx.records()[0].geksagrammaYou, fx.records()[0].geksagrammaOld);
}

void TstDivinationForm::diceDivination()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    fx.settings(u"TypeMethod"_qs, 1);
    TICningForm *f = fx.open();
    fx.cast(u"967878"_qs, CastVariant::Weighted, true);
    QCOMPARE(f->state().lineCode, u"878769"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(5, 4)->text(), u"1 + 6 + 2 = 9 = 9 Черта Ян (ст)"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(4, 4)->text(), u"1 + 1 + 4 = 6 = 6 Черта Инь (ст)"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(4, 1)->text(), u"1"_qs);
    // Dice captions end with the number.
    QCOMPARE(f->GraphFlatGroupBox->title(), u"Графический стол гадания - гексаграмма "_qs + f->state().oldNumber);
    QCOMPARE(f->ElementImages[0]->pixmap().size(), QSize(64, 64));
}

void TstDivinationForm::variantFollowsEachThrow()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    fx.env.platform.setNow(kTen.addMSecs(4)); // three yang sides
    f->StartFlatButtonClick();
    QCOMPARE(f->state().lineCode, u"9"_qs);
    f->IntFlatComboBox->setCurrentIndex(0); // western: majority from the next throw on
    fx.env.platform.setNow(kTen.addMSecs(4));
    f->StartFlatButtonClick();
    QCOMPARE(f->state().lineCode, u"79"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(5, 4)->text(), u"3 + 3 + 3 = 9 Черта Ян (ст)"_qs);
    QCOMPARE(f->GraphResultColumnListBox->item(4, 4)->text(), u"Черта Ян"_qs);
}

void TstDivinationForm::reshowingARow()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    // Nothing thrown yet: a click shows nothing.
    f->ResultListBoxClick(5);
    QCOMPARE(f->ElementEdits[0]->text(), QString());
    fx.cast(u"977777"_qs, CastVariant::Weighted);
    QCOMPARE(f->ElementEdits[0]->text(), u"Инь"_qs); // the last throw: one yang side, the third
    QCOMPARE(f->ElementEdits[2]->text(), u"Ян"_qs);
    const QRect row = f->GraphResultColumnListBox->visualRect(f->GraphResultColumnListBox->model()->index(5, 2));
    QTest::mouseClick(f->GraphResultColumnListBox->viewport(), Qt::LeftButton, {}, row.center());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(f->ElementEdits[std::size_t(i)]->text(), u"Ян"_qs);
    QCOMPARE(f->ElementImages[0]->pixmap().toImage(), throwPicture(0).toImage());
}

void TstDivinationForm::hotspotsPointAtTrigrams()
{
    {
        Fixture fx;
        fx.settings(u"IntIndex"_qs, 1);
        TICningForm *f = fx.open();
        fx.cast(u"788878"_qs, CastVariant::Weighted); // 03
        auto *top = static_cast<icning::TrigramHotspot *>(child<QLabel>(f, "TriTopOldImage"));
        auto *bottom = static_cast<icning::TrigramHotspot *>(child<QLabel>(f, "TriBotOldImage"));
        QCOMPARE(top->guaIndex(), 1);    // Кань
        QCOMPARE(bottom->guaIndex(), 3); // Чжень
        QCOMPARE(top->isEnabled(), launch::guaSignsAvailable());
        QCOMPARE(top->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(top->size(), QSize(86, 50));
    }
    {
        Fixture fx;
        TICningForm *f = fx.open();
        fx.cast(u"788878"_qs, CastVariant::Majority);
        QVERIFY(!child<QWidget>(f, "TriTopOldImage")->isEnabled());
        QVERIFY(!child<QWidget>(f, "TriBotOldImage")->isEnabled());
    }
}

void TstDivinationForm::lineNumbers()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    QVERIFY(child<QLabel>(f, "O1Label")->isHidden());
    fx.cast(u"777777"_qs, CastVariant::Weighted);
    QVERIFY(child<QLabel>(f, "Y1Label")->isHidden());
    QTest::mouseClick(f->PositionFlatSpeedButton, Qt::LeftButton);
    QVERIFY(child<QLabel>(f, "O1Label")->isVisible());
    QVERIFY(child<QLabel>(f, "Y6Label")->isVisible());
    QCOMPARE(child<QLabel>(f, "O6Label")->text(), u"6"_qs);
    QTest::mouseClick(f->PositionFlatSpeedButton, Qt::LeftButton);
    QVERIFY(child<QLabel>(f, "Y6Label")->isHidden());
}

void TstDivinationForm::checkBoxesSwitchText()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    fx.cast(u"986878"_qs, CastVariant::Weighted); // 03 -> 39
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Гексаграмма 03"_qs));
    QTest::mouseClick(f->YouFlatCheckBox, Qt::LeftButton);
    QVERIFY(!f->OldFlatCheckBox->isChecked());
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Гексаграмма 39"_qs));
    QTest::mouseClick(f->YouFlatCheckBox, Qt::LeftButton);
    QVERIFY(f->OldFlatCheckBox->isChecked());
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Гексаграмма 03"_qs));
}

void TstDivinationForm::switchingInterpretationAfterTheEnd()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    fx.autoSave(true);
    TICningForm *f = fx.open();
    fx.cast(u"986878"_qs, CastVariant::Weighted);
    f->IntFlatComboBox->setCurrentIndex(3);
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Гексаграмма 03, сказочный вариант."_qs));
    QCOMPARE(f->state().oldNumber, u"03"_qs);
    QCOMPARE(f->state().youngNumber, u"39"_qs);
    f->close();
    QCOMPARE(fx.records()[0].interpretation, u"Павел Ронин \"Книга сказочных перемен\""_qs);
    QCOMPARE(fx.records()[0].geksagrammaYou, 39);
}

void TstDivinationForm::descriptionButton()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 2);
    TICningForm *f = fx.open();
    QTest::mouseClick(f->DescFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(f->IntrpretFlatMemo->toPlainText(),
             u"Описание интерпретации:\n\nОписание: адаптированный вариант (образец)."_qs);
}

void TstDivinationForm::missingInterpretationFileStillEnds()
{
    Fixture fx;
    fx.sound(true);
    QFile::remove(fx.env.file(u"Text/IKolde.dat"_qs));
    TICningForm *f = fx.open();
    fx.cast(u"777777"_qs, CastVariant::Majority);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QVERIFY(fx.env.platform.messages[0].text.startsWith(u"File not found"_qs));
    QCOMPARE(f->IntrpretFlatMemo->toPlainText(), QString());
    QVERIFY(f->CloseFlatButton->isEnabled());
    QCOMPARE(fx.env.platform.sounds.last(), u"galaxy.wav"_qs);
}

void TstDivinationForm::questionFieldClick()
{
    Fixture fx;
    TICningForm *f = fx.open();
    QTest::mouseClick(f->QuestFlatEdit, Qt::LeftButton);
    QCOMPARE(f->QuestFlatEdit->text(), QString());
    QCOMPARE(f->QuestFlatEdit->palette().color(QPalette::Text), QColor(Qt::black));
    f->QuestFlatEdit->insert(u"Что будет?"_qs);
    QTest::mouseClick(f->QuestFlatEdit, Qt::LeftButton);
    QCOMPARE(f->QuestFlatEdit->text(), u"Что будет?"_qs);
}

void TstDivinationForm::autoSaveRules()
{
    {
        Fixture fx;
        fx.autoSave(true);
        TICningForm *f = fx.open();
        f->close(); // before the first press: nothing to save
        QCOMPARE(fx.records().size(), 0);
        QVERIFY(fx.env.platform.messages.isEmpty());
    }
    {
        Fixture fx;
        fx.autoSave(true);
        TICningForm *f = fx.open();
        fx.cast(u"787"_qs, CastVariant::Majority);
        fx.env.platform.setNow(kTen); // the record's time
        f->close();                   // half a cast is no result
        QCOMPARE(fx.records().size(), 0);
    }
    {
        Fixture fx;
        fx.autoSave(true);
        TICningForm *f = fx.open();
        f->UserFlatComboBox->setEditText(u" "_qs);
        fx.cast(u"787878"_qs, CastVariant::Majority);
        fx.env.platform.setNow(QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9)));
        QTest::mouseClick(f->CloseFlatButton, Qt::LeftButton);
        QVERIFY(!f->isVisible());
        const QList<JournalRecord> saved = fx.records();
        QCOMPARE(saved.size(), 1);
        const JournalRecord &r = saved[0];
        QCOMPARE(r.question, u"Вопрос на задавался"_qs);
        QCOMPARE(r.userName, u"Имя не задано"_qs);
        QCOMPARE(r.date, QDate(2026, 12, 11));
        QCOMPARE(r.time, QTime(14, 5, 9));
        QCOMPARE(r.geksagrammaOld, hex::kingWenNumber(u"010101"_qs).toInt());
        QCOMPARE((QStringList{r.go[0], r.go[1], r.go[2], r.go[3], r.go[4], r.go[5]}),
                 (QStringList{u"7"_qs, u"8"_qs, u"7"_qs, u"8"_qs, u"7"_qs, u"8"_qs}));
        QCOMPARE(r.interpretation, u"Западный вариант Ирмы Кольден"_qs);
        QCOMPARE(r.method, u"Метод 3 монет"_qs);
        QCOMPARE(r.principle, u"Программный расчет"_qs);
    }
}

void TstDivinationForm::forcedSaveRules()
{
    Fixture fx;
    TICningForm *f = fx.open();
    f->QuestFlatEdit->setText(u"Стоит ли ехать?"_qs);
    f->UserFlatComboBox->setCurrentIndex(1);
    fx.cast(u"787878"_qs, CastVariant::Majority);
    QVERIFY(f->ForceSaveGlatSpeedButton->isEnabled());
    QTest::mouseClick(f->ForceSaveGlatSpeedButton, Qt::LeftButton);
    QVERIFY(!f->ForceSaveGlatSpeedButton->isEnabled());
    QCOMPARE(fx.records().size(), 1);
    QCOMPARE(fx.records()[0].question, u"Стоит ли ехать?"_qs);
    QCOMPARE(fx.records()[0].userName, u"Борис"_qs);
    f->close();
    QCOMPARE(fx.records().size(), 1);
}

void TstDivinationForm::failedSaveIsReported_data()
{
    QTest::addColumn<bool>("noJournal");
    QTest::newRow("no journal") << true;
    QTest::newRow("journal closed") << false;
}

void TstDivinationForm::failedSaveIsReported()
{
    QFETCH(bool, noJournal);
    Fixture fx(!noJournal);
    if (!noJournal)
        fx.journal->close();
    fx.autoSave(true);
    TICningForm *f = fx.open();
    fx.cast(u"787878"_qs, CastVariant::Majority);
    f->close();
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QCOMPARE(fx.env.platform.messages[0].icon, MsgIcon::Warning);
    QVERIFY(fx.env.platform.messages[0].text.contains(u"Результат гадания не сохранен в базе данных."_qs));
}

void TstDivinationForm::settingsWrittenOnClose()
{
    Fixture fx;
    TICningForm *f = fx.open();
    f->IntFlatComboBox->setCurrentIndex(3);
    f->TypeMethodFlatComboBox->setCurrentIndex(2);
    f->PositionFlatSpeedButton->click();
    f->close();
    const IniFile ini = fx.env.ctx.settings();
    QCOMPARE(ini.readInteger(u"Ching"_qs, u"IntIndex"_qs, -1), 3);
    QCOMPARE(ini.readInteger(u"Ching"_qs, u"TypeMethod"_qs, -1), 2);
    QCOMPARE(ini.readBool(u"Ching"_qs, u"NumEnable"_qs, false), true);
    QCOMPARE(ini.readBool(u"Ching"_qs, u"CheckOld"_qs, false), true);
    QCOMPARE(ini.readBool(u"Ching"_qs, u"CheckYou"_qs, true), false);
}

void TstDivinationForm::escapeDoesNotClose()
{
    Fixture fx;
    TICningForm *f = fx.open();
    fx.cast(u"78"_qs, CastVariant::Majority);
    QTest::keyClick(f, Qt::Key_Escape);
    QVERIFY(f->isVisible());
}

void TstDivinationForm::numerologicalWorkedExample()
{
    Fixture fx;
    fx.sound(true);
    fx.autoSave(true);
    fx.settings(u"IntIndex"_qs, 1);
    fx.settings(u"TypeMethod"_qs, 3);
    TICningForm *f = fx.open();
    f->QuestFlatEdit->setText(u"абв"_qs);
    fx.env.platform.setNow(QDateTime(QDate(2004, 2, 7), QTime(10, 15)));
    fx.env.platform.sounds.clear();
    QTest::mouseClick(f->StartFlatButton, Qt::LeftButton);
    QVERIFY(f->NumeroFlatGroupBox->isVisible());
    QCOMPARE(f->NumeroFlatGroupBox->title(), u"Нумерологический метод - получение гексаграммы"_qs);
    QVERIFY(f->TextNumeroFlatEdit->isVisible());
    QCOMPARE(f->TextNumeroFlatEdit->text(), u"абв"_qs);
    QCOMPARE(f->HourNumeroFlatComboBox->currentText(), u"09.00 - 11.00"_qs);
    QCOMPARE(f->DayNumeroFlatComboBox->currentText(), u"7"_qs);
    QCOMPARE(f->MonthNumeroFlatComboBox->currentText(), u"Февраль"_qs);
    QCOMPARE(f->YearNumeroFlatComboBox->currentText(), u"2004"_qs);
    QVERIFY(!f->StartFlatButton->isEnabled());
    QVERIFY(!f->CloseFlatButton->isEnabled());
    QVERIFY(f->iXValLabel->isHidden());
    QTest::mouseClick(f->StartNumeroFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(f->HtValtLabel->text(), u"123 [mod 8 = 6] Кань"_qs);
    QCOMPARE(f->LtValLabel->text(), u"Год(9)+Месяц(1)+День(7)+Час(6)=23 [mod 8] = 7 Гэнь"_qs);
    QCOMPARE(f->iXValLabel->text(), u"Год(9)+Месяц(1)+День(7)+Час(6)=23 [mod 6] = 5"_qs);
    QVERIFY(f->iXValLabel->isVisible());
    QCOMPARE(f->NumOLabel->text(), u"39"_qs);
    QCOMPARE(f->NumYLabel->text(), u"15"_qs);
    QCOMPARE(valueField(f, "GO", 5), u"9"_qs);
    QCOMPARE(child<QLineEdit>(f, "GO5FlatEdit")->palette().color(QPalette::Base), TICningForm::kMovingLine);
    QCOMPARE(f->QuestFlatEdit->text(), u"абв (09.00 - 11.00, 7 Февраль 2004)"_qs);
    QVERIFY(f->IntrpretFlatMemo->toPlainText().startsWith(u"Гексаграмма 39"_qs));
    QVERIFY(f->CloseFlatButton->isEnabled());
    QVERIFY(!f->PositionFlatSpeedButton->isEnabled());
    for (QWidget *w : std::initializer_list<QWidget *>{f->StartNumeroFlatSpeedButton, f->HourNumeroFlatComboBox,
                                                       f->DayNumeroFlatComboBox, f->MonthNumeroFlatComboBox,
                                                       f->YearNumeroFlatComboBox, f->TextNumeroFlatEdit})
        QVERIFY(!w->isEnabled());
    QCOMPARE(fx.env.platform.sounds, (QStringList{u"iter.wav"_qs, u"galaxy.wav"_qs}));
    // The table's caption is untouched by these methods.
    QCOMPARE(f->GraphFlatGroupBox->title(), u"Графический стол гадания - получение гексаграммы"_qs);
    f->close();
    QCOMPARE(fx.records().size(), 1);
    QCOMPARE(fx.records()[0].question, u"абв (09.00 - 11.00, 7 Февраль 2004)"_qs);
    QCOMPARE(fx.records()[0].method, u"Нумерологический метод"_qs);
    QCOMPARE(fx.records()[0].geksagrammaOld, 39);
    QCOMPARE(fx.records()[0].geksagrammaYou, 15);
    QCOMPARE(fx.records()[0].go[4], u"9"_qs);
}

void TstDivinationForm::numerologicalNeedsAQuestion()
{
    Fixture fx;
    fx.settings(u"TypeMethod"_qs, 3);
    TICningForm *f = fx.open();
    QTest::mouseClick(f->StartFlatButton, Qt::LeftButton);
    QCOMPARE(f->TextNumeroFlatEdit->text(), u"<Введите свой вопрос...>"_qs);
    QTest::mouseClick(f->StartNumeroFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QCOMPARE(fx.env.platform.messages[0].caption, u"Нумерологический метод"_qs);
    QCOMPARE(fx.env.platform.messages[0].text, u"Внимание!\r\n\r\nВ нумерологическом методе вопрос обязателен!\r\n"_qs);
    QCOMPARE(fx.env.platform.messages[0].icon, MsgIcon::Warning);
    QVERIFY(!f->state().ended());
    QVERIFY(f->StartNumeroFlatSpeedButton->isEnabled());
    QTest::mouseClick(f->TextNumeroFlatEdit, Qt::LeftButton);
    QCOMPARE(f->TextNumeroFlatEdit->text(), QString());
    f->TextNumeroFlatEdit->insert(u"Ёж 2009!"_qs);
    QTest::mouseClick(f->StartNumeroFlatSpeedButton, Qt::LeftButton);
    QVERIFY(f->state().ended());
    QVERIFY(f->HtValtLabel->text().startsWith(u"7829 [mod 8 = 2] Дуй"_qs));
}

void TstDivinationForm::numerologicalMajorityWarning()
{
    Fixture fx;
    fx.sound(true);
    fx.settings(u"TypeMethod"_qs, 3);
    fx.settings(u"CheckYou"_qs, 1);
    fx.settings(u"CheckOld"_qs, 0);
    TICningForm *f = fx.open();
    f->QuestFlatEdit->setText(u"абв"_qs);
    fx.env.platform.setNow(QDateTime(QDate(2004, 2, 7), QTime(9, 40)));
    f->StartFlatButtonClick();
    f->StartNumeroFlatSpeedButtonClick();
    QCOMPARE(f->NumOLabel->text(), u"39"_qs);
    QCOMPARE(f->state().attention, u"!"_qs);
    QCOMPARE(f->state().lineCode, u"878788"_qs);
    QCOMPARE(f->OldFlatGroupBox->title(), u"Несимметричная"_qs);
    QVERIFY(f->iXValLabel->isHidden());
    QVERIFY(f->OldFlatCheckBox->isChecked());
    QCOMPARE(fx.env.platform.sounds.last(), u"gong.wav"_qs);
}

void TstDivinationForm::xiantianImpossibleDateThenRetry()
{
    Fixture fx;
    fx.settings(u"TypeMethod"_qs, 2);
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    fx.env.platform.setNow(QDateTime(QDate(2004, 3, 7), QTime(10, 15)));
    f->StartFlatButtonClick();
    QCOMPARE(f->NumeroFlatGroupBox->title(), u"Сяньтянь - получение гексаграммы"_qs);
    QVERIFY(f->TextNumeroFlatEdit->isHidden());
    f->DayNumeroFlatComboBox->setCurrentIndex(30);
    f->MonthNumeroFlatComboBox->setCurrentIndex(2); // 31 April
    f->StartNumeroFlatSpeedButtonClick();
    QCOMPARE(fx.env.platform.messageTexts(), QStringList{u"'31.04.2004' is not a valid date"_qs});
    QVERIFY(!f->state().ended());
    QVERIFY(f->StartNumeroFlatSpeedButton->isEnabled());
    QCOMPARE(f->LtValLabel->text(), QString());
    f->DayNumeroFlatComboBox->setCurrentIndex(6);
    f->MonthNumeroFlatComboBox->setCurrentIndex(1); // 7 March 2004
    f->StartNumeroFlatSpeedButtonClick();
    QCOMPARE(f->HtValtLabel->text(), u"Год(9)+Месяц(2)+День(17)=28 [mod 8] = 4 Чжень"_qs);
    QCOMPARE(f->NumOLabel->text(), u"54"_qs);
    QCOMPARE(f->NumYLabel->text(), u"19"_qs);
    QCOMPARE(f->QuestFlatEdit->text(), u"<Введите свой вопрос...>"_qs);
}

void TstDivinationForm::xiantianToday()
{
    // Years past the old list's end (2016) work: the list runs to 2100 and preselects this year.
    Fixture fx;
    fx.settings(u"TypeMethod"_qs, 2);
    TICningForm *f = fx.open();
    fx.env.platform.setNow(QDateTime(QDate(2026, 12, 11), QTime(23, 30)));
    f->StartFlatButtonClick();
    QCOMPARE(f->YearNumeroFlatComboBox->currentText(), u"2026"_qs);
    QCOMPARE(f->YearNumeroFlatComboBox->itemText(0), u"1900"_qs);
    QCOMPARE(f->HourNumeroFlatComboBox->currentText(), u"23.00 - 01.00"_qs);
    QCOMPARE(f->MonthNumeroFlatComboBox->currentText(), u"Декабрь"_qs);
    f->StartNumeroFlatSpeedButtonClick();
    QVERIFY(fx.env.platform.messages.isEmpty());
    QVERIFY(f->state().ended());
    QVERIFY(f->LtValLabel->text().startsWith(u"Год(7)+"_qs));
}

void TstDivinationForm::popupMenuStates()
{
    Fixture fx;
    TICningForm *f = fx.open();
    f->IChingMemoPopupMenuPopup();
    QVERIFY(!f->ICPCopy->isEnabled());
    QVERIFY(!f->ICPBrowser->isEnabled());
    f->ICPSelectAll->trigger();
    f->IChingMemoPopupMenuPopup();
    QVERIFY(f->ICPCopy->isEnabled());
    f->ICPCopy->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             f->IntrpretFlatMemo->textCursor().selectedText().replace(QChar(0x2029), u'\n'));
    fx.cast(u"777777"_qs, CastVariant::Majority);
    f->IChingMemoPopupMenuPopup();
    QVERIFY(f->ICPBrowser->isEnabled());
    QVERIFY(!f->IChingMemoPopupMenu->styleSheet().isEmpty());
}

void TstDivinationForm::exportPage()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    fx.cast(u"788878"_qs, CastVariant::Weighted); // 03
    fx.env.platform.setNow(QDateTime(QDate(2009, 1, 31), QTime(14, 5, 9)));
    f->ICPBrowser->trigger();
    const QString path = QDir(m_tmp.path()).filePath(u"cp-03_0_1.html"_qs);
    QCOMPARE(fx.env.platform.openedUrls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = fromCp1251(file.readAll()).split(u"\r\n"_qs);
    QCOMPARE(lines.size(), 13); // twelve lines, each ended
    QCOMPARE(lines[0],
             u"<html><head><meta charset=\"windows-1251\"><title>Интерпретация гексаграммы 03</title></head>"_qs);
    QCOMPARE(lines[2].left(40), u"<font size=\"-1\">Гадание <b>31.01.2009 14:05:09</b>"_qs.left(40));
    QCOMPARE(lines[4], u"Метод гадания: <b>Метод 3 монет</b><br>"_qs);
    QCOMPARE(lines[5], u"Интерпретация: <b>Канонический текст</b><br>"_qs);
    QCOMPARE(lines[7], u"Гексаграмма: <b>03</b>"_qs);
    QCOMPARE(lines[9],
             u"Гексаграмма 03, канонический вариант.<p><p>Образец толкования: строка <b>03</b> & прочее.<p>"_qs);
    QCOMPARE(lines[12], QString());
}

void TstDivinationForm::exportFollowsTickedBox()
{
    Fixture fx;
    fx.settings(u"IntIndex"_qs, 1);
    TICningForm *f = fx.open();
    fx.cast(u"986878"_qs, CastVariant::Weighted); // 03 -> 39
    f->ICPBrowser->trigger();
    f->YouFlatCheckBox->click();
    f->ICPBrowser->trigger();
    QCOMPARE(fx.env.platform.openedUrls.size(), 2);
    QVERIFY(fx.env.platform.openedUrls[1].toLocalFile().endsWith(u"cp-39_0_1.html"_qs));
    QVERIFY(QFile::exists(QDir(m_tmp.path()).filePath(u"cp-03_0_1.html"_qs)));
    // A missing file writes nothing and opens nothing.
    QFile::remove(fx.env.file(u"Text/CCanon.dat"_qs));
    QFile::remove(QDir(m_tmp.path()).filePath(u"cp-39_0_1.html"_qs));
    f->ICPBrowser->trigger();
    QCOMPARE(fx.env.platform.openedUrls.size(), 2);
    QVERIFY(!QFile::exists(QDir(m_tmp.path()).filePath(u"cp-39_0_1.html"_qs)));
    QCOMPARE(fx.env.platform.messages.size(), 1);
}

void TstDivinationForm::fontChangeStored()
{
    Fixture fx;
    TICningForm *f = fx.open();
    QFont font(u"Liberation Serif"_qs, 12);
    font.setBold(true);
    font.setItalic(true);
    fx.env.platform.fonts.enqueue(font);
    f->ICPFont->trigger();
    QCOMPARE(f->IntrpretFlatMemo->font().pointSize(), 12);
    const IniFile ini = fx.env.ctx.settings();
    QCOMPARE(ini.readString(u"Ching"_qs, u"PreviewFontName"_qs), u"Liberation Serif"_qs);
    QCOMPARE(ini.readInteger(u"Ching"_qs, u"PreviewFontSize"_qs, 0), 12);
    QCOMPARE(ini.readInteger(u"Ching"_qs, u"PreviewFontStyle"_qs, 0), 3);
    // Cancelling changes nothing.
    f->ICPFont->trigger();
    QCOMPARE(f->IntrpretFlatMemo->font().pointSize(), 12);
}

void TstDivinationForm::helpTopic()
{
    Fixture fx;
    TICningForm *f = fx.open();
    QTest::mouseClick(f->HelpFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.helpTopics, QList<int>{7});
}

void TstDivinationForm::wholeDivinationFromMainWindow_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("expectedOld");
    QTest::newRow("coins") << 0 << 1 << 3;
    QTest::newRow("dice") << 1 << 0 << 1;
    QTest::newRow("Xiantian") << 2 << 1 << 54;
    QTest::newRow("numerological") << 3 << 1 << 39;
}

void TstDivinationForm::wholeDivinationFromMainWindow()
{
    QFETCH(int, method);
    QFETCH(int, variant);
    QFETCH(int, expectedOld);
    Fixture fx;
    fx.autoSave(true);
    fx.settings(u"TypeMethod"_qs, method);
    fx.settings(u"IntIndex"_qs, variant);
    QVERIFY(fx.mainForm->BeginFlatSpeedButton->isEnabled());
    bool drove = false;
    QTimer::singleShot(0, [&] {
        auto *f = qobject_cast<TICningForm *>(QApplication::activeModalWidget());
        QVERIFY(f);
        drove = true;
        if (method <= 1) {
            // 03 with coins (weighted); 01 with dice (majority, all odd sums)
            const QString lines = method == 0 ? u"788878"_qs : u"777777"_qs;
            for (QChar v : lines) {
                fx.env.platform.setNow(
                    kTen.addMSecs(method == 0 ? coinOffset(v, CastVariant::Weighted) : diceOffset(v)));
                QTest::mouseClick(f->StartFlatButton, Qt::LeftButton);
            }
        } else {
            f->QuestFlatEdit->setText(u"абв"_qs);
            fx.env.platform.setNow(QDateTime(QDate(2004, method == 2 ? 3 : 2, 7), QTime(10, 15)));
            QTest::mouseClick(f->StartFlatButton, Qt::LeftButton);
            QTest::mouseClick(f->StartNumeroFlatSpeedButton, Qt::LeftButton);
        }
        QTest::mouseClick(f->CloseFlatButton, Qt::LeftButton);
    });
    QTest::mouseClick(fx.mainForm->BeginFlatSpeedButton, Qt::LeftButton);
    QVERIFY(drove);
    QVERIFY(!QApplication::activeModalWidget());
    const QList<JournalRecord> saved = fx.records();
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved[0].geksagrammaOld, expectedOld);
    QCOMPARE(saved[0].method, cast::methodNames()[method]);
    QCOMPARE(saved[0].principle, u"Программный расчет"_qs);
}

void TstDivinationForm::screenshots()
{
    // Pictures for a person to look at; written only when asked for.
    const QString dir = qEnvironmentVariable("YW_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("set YW_SCREENSHOT_DIR to save screenshots");
    QDir().mkpath(dir);
    {
        Fixture fx;
        // The real interpretation texts, as the program has them.
        for (const QString &name : {u"IKolde.dat"_qs, u"CCanon.dat"_qs, u"CVernov.dat"_qs, u"PRonin.dat"_qs}) {
            QFile::remove(fx.env.file(u"Text/"_qs + name));
            fx.env.copyFromBuild(u"Text/"_qs + name);
        }
        fx.settings(u"IntIndex"_qs, 1);
        fx.settings(u"NumEnable"_qs, 1);
        TICningForm *f = fx.open();
        f->grab().save(dir + u"/divination-before.png"_qs);
        fx.cast(u"986"_qs, CastVariant::Weighted);
        f->grab().save(dir + u"/divination-during.png"_qs);
        fx.cast(u"878"_qs, CastVariant::Weighted);
        f->grab().save(dir + u"/divination-after.png"_qs);
    }
    {
        Fixture fx;
        fx.settings(u"TypeMethod"_qs, 3);
        fx.settings(u"IntIndex"_qs, 1);
        TICningForm *f = fx.open();
        f->QuestFlatEdit->setText(u"Чем закончится переезд?"_qs);
        fx.env.platform.setNow(QDateTime(QDate(2004, 2, 7), QTime(10, 15)));
        f->StartFlatButtonClick();
        f->grab().save(dir + u"/divination-numerology-panel.png"_qs);
        f->StartNumeroFlatSpeedButtonClick();
        f->grab().save(dir + u"/divination-numerology.png"_qs);
    }
    {
        Fixture fx;
        fx.settings(u"TypeMethod"_qs, 1);
        fx.settings(u"IntIndex"_qs, 0);
        TICningForm *f = fx.open();
        fx.cast(u"878878"_qs, CastVariant::Majority, true);
        f->grab().save(dir + u"/divination-dice.png"_qs);
    }
}

QTEST_MAIN(TstDivinationForm)
#include "tst_divinationform.moc"
