#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/app/pictures.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/journalmodel.h"
#include "gui/journal/manualform.h"
#include "gui/reference/diagram1form.h"
#include "gui/reference/diagram2form.h"
#include "journal/journal.h"
#include "refhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace yw;

namespace {

const QString kSave = QStringLiteral("Сохранение");
const QString kRefused = QStringLiteral("Не было изменено ни одной черты\r\nСохранение прервано!");

// A program folder with interpretation texts, a users list and an open journal.
struct Fixture {
    TestEnv env;
    Journal journal;
    explicit Fixture(bool withJournal = true)
    {
        for (const auto &[file, tag] : {std::pair{QStringLiteral("IKolde.dat"), QStringLiteral("Кольден")},
                                        std::pair{QStringLiteral("CCanon.dat"), QStringLiteral("Канон")},
                                        std::pair{QStringLiteral("CVernov.dat"), QStringLiteral("Вернов")},
                                        std::pair{QStringLiteral("PRonin.dat"), QStringLiteral("Ронин")}}) {
            QList<int> all;
            for (int i = 1; i <= 64; ++i)
                all << i;
            test::writeInterpretation(env, file, tag, all);
        }
        env.writeCp1251(QStringLiteral("userch.dat"), {QStringLiteral("Анна"), QStringLiteral("Борис")});
        if (withJournal) {
            Journal::create(env.file(QStringLiteral("ibase.db")));
            journal.open(env.file(QStringLiteral("ibase.db")));
            env.ctx.journal = &journal;
        }
    }
    QList<JournalRecord> records() const
    {
        QList<JournalRecord> out;
        journal.forEach({}, [&](const JournalRecord &r) {
            out << r;
            return true;
        });
        return out;
    }
};

// Values of lines 1..6, bottom first.
void setLines(TManualForm &f, const QString &bottomFirst)
{
    for (int i = 0; i < 6; ++i)
        f.ManualFlatSpinEdit[size_t(i)]->setValue(bottomFirst.at(i).digitValue());
}

QString pictures(const TManualForm &f)
{
    QString out;
    for (QLabel *img : f.MunImage) {
        char c = '?';
        for (int k = 0; k < 4; ++k)
            if (test::samePicture(img->pixmap(), linePicture(k)))
                c = char('0' + k);
        out += QLatin1Char(c);
    }
    return out;
}

} // namespace

class TstManualForm : public QObject {
    Q_OBJECT
private slots:
    void init() { installFontSubstitutes(); }

    void design();
    void refusedUntilLineChanged();
    void lines_data();
    void lines();
    void lineMode();
    void warningBox_data();
    void warningBox();
    void typedInterpretation();
    void savesRecords();
    void questionPrompt();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void noJournalIsReported();
    void settings();
    void settingsNotReadWithoutUsersList();
    void buttons();
    void browserAddsAndDeletes();
};

void TstManualForm::design()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    QCOMPARE(f.windowTitle(), QStringLiteral("Yarrowind v2.3 - Пользовательское добавление гадания"));
    QCOMPARE(f.size(), QSize(670, 255));
    QCOMPARE(f.lineCode(), QStringLiteral("777777"));
    QCOMPARE(f.ManualOldGeksaFlatEdit->text(), QStringLiteral("01"));
    QCOMPARE(f.ManualYouGeksaFlatEdit->text(), QStringLiteral("01"));
    QVERIFY(f.youngNumberText().isEmpty());
    QCOMPARE(f.ManualQuestFlatEdit->text(), TManualForm::kQuestionPrompt);
    QCOMPARE(f.ManualDateEdit->date(), QDate(2026, 12, 11));
    QCOMPARE(f.TimeManualFlatMaskEdit->text(), QStringLiteral("10:15:30"));
    QCOMPARE(f.UserManualFlatComboBox->count(), 2);
    QCOMPARE(f.UserManualFlatComboBox->currentText(), QStringLiteral("Анна"));
    QCOMPARE(f.ManualIntFlatComboBox->currentIndex(), 0);
    QCOMPARE(f.ManualMethodFlatComboBox->currentText(), QStringLiteral("Метод 3 монет"));
    QCOMPARE(f.ManualMethodFlatComboBox->count(), 7);
    QCOMPARE(f.ManualMethodFlatComboBox->itemText(3), QStringLiteral("Метод Сяньтань"));
    QVERIFY(f.ModeLineFlatCheckBox->isChecked());
    QVERIFY(!f.ManualAttentionFlatCheckBox->isChecked());
    QCOMPARE(f.ManualFlatMemo->toPlainText(), QStringLiteral("Кольден 01"));
    QCOMPARE(pictures(f), QStringLiteral("333333"));
    QCOMPARE(f.ManualFlatSpinEdit[0]->minimum(), 6);
    QCOMPARE(f.ManualFlatSpinEdit[0]->maximum(), 9);
}

void TstManualForm::refusedUntilLineChanged()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QCOMPARE(fx.env.platform.messages.first().caption, kSave);
    QCOMPARE(fx.env.platform.messages.first().text, kRefused);
    QCOMPARE(fx.env.platform.messages.first().icon, MsgIcon::Information);
    QCOMPARE(fx.journal.count(), 0);

    // Changing a line and changing it back makes the save possible.
    f.ManualFlatSpinEdit[2]->setValue(8);
    f.ManualFlatSpinEdit[2]->setValue(7);
    QCOMPARE(f.youngNumberText(), QStringLiteral("01"));
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QCOMPARE(fx.journal.count(), 1);
}

void TstManualForm::lines_data()
{
    QTest::addColumn<QString>("bottomFirst");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("oldNumber");
    QTest::addColumn<QString>("youngNumber");
    QTest::addColumn<QString>("pictures");
    QTest::newRow("6 at the bottom") << QStringLiteral("677777") << QStringLiteral("777776") << QStringLiteral("44")
                                     << QStringLiteral("01") << QStringLiteral("033333");
    QTest::newRow("39 to 15") << QStringLiteral("887898") << QStringLiteral("898788") << QStringLiteral("39")
                              << QStringLiteral("15") << QStringLiteral("113121");
    QTest::newRow("all still") << QStringLiteral("788878") << QStringLiteral("878887") << QStringLiteral("03")
                               << QStringLiteral("03") << QStringLiteral("311131");
    QTest::newRow("all moving") << QStringLiteral("966969") << QStringLiteral("969669") << QStringLiteral("21")
                                << QStringLiteral("48") << QStringLiteral("200202");
}

void TstManualForm::lines()
{
    QFETCH(QString, bottomFirst);
    QFETCH(QString, code);
    QFETCH(QString, oldNumber);
    QFETCH(QString, youngNumber);
    QFETCH(QString, pictures);
    Fixture fx;
    TManualForm f(fx.env.ctx);
    setLines(f, bottomFirst);
    QCOMPARE(f.lineCode(), code);
    QCOMPARE(f.ManualOldGeksaFlatEdit->text(), oldNumber);
    QCOMPARE(f.ManualYouGeksaFlatEdit->text(), youngNumber);
    QCOMPARE(f.youngNumberText(), youngNumber);
    QCOMPARE(::pictures(f), pictures);
    // The text is always the old hexagram's.
    QCOMPARE(f.ManualFlatMemo->toPlainText(), QStringLiteral("Кольден ") + oldNumber);
}

void TstManualForm::lineMode()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    setLines(f, QStringLiteral("697896"));
    QTest::mouseClick(f.ModeLineFlatCheckBox, Qt::LeftButton);
    QVERIFY(!f.ModeLineFlatCheckBox->isChecked());
    // Lines 6..1 were 6 9 8 7 9 6.
    QCOMPARE(f.lineCode(), QStringLiteral("878778"));
    for (QSpinBox *s : f.ManualFlatSpinEdit) {
        QCOMPARE(s->minimum(), 7);
        QCOMPARE(s->maximum(), 8);
    }
    QCOMPARE(f.ManualOldGeksaFlatEdit->text(), f.ManualYouGeksaFlatEdit->text());
    QTest::mouseClick(f.ModeLineFlatCheckBox, Qt::LeftButton);
    QCOMPARE(f.ManualFlatSpinEdit[0]->minimum(), 6);
    QCOMPARE(f.ManualFlatSpinEdit[0]->maximum(), 9);
}

void TstManualForm::warningBox_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("bottomFirst");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("ticked");
    // 03, 29, 39 and 47 are the warning hexagrams.
    QTest::newRow("western 03") << 0 << QStringLiteral("788878") << true << true;
    QTest::newRow("western 29") << 0 << QStringLiteral("878878") << true << true;
    QTest::newRow("western 39") << 0 << QStringLiteral("887878") << true << true;
    QTest::newRow("western 47") << 0 << QStringLiteral("878778") << true << true;
    QTest::newRow("western 04") << 0 << QStringLiteral("878887") << true << false;
    QTest::newRow("western moving 39") << 0 << QStringLiteral("887898") << true << true;
    QTest::newRow("canonical 03") << 1 << QStringLiteral("788878") << false << false;
    QTest::newRow("adapted 29") << 2 << QStringLiteral("878878") << false << false;
    QTest::newRow("fairy-tale 03") << 3 << QStringLiteral("788878") << true << false;
}

void TstManualForm::warningBox()
{
    QFETCH(int, variant);
    QFETCH(QString, bottomFirst);
    QFETCH(bool, enabled);
    QFETCH(bool, ticked);
    Fixture fx;
    TManualForm f(fx.env.ctx);
    f.ManualIntFlatComboBox->setCurrentIndex(variant);
    setLines(f, bottomFirst);
    QCOMPARE(f.ManualAttentionFlatCheckBox->isEnabled(), enabled);
    QCOMPARE(f.ManualAttentionFlatCheckBox->isChecked(), ticked);
    // The same holds when the variant is chosen after the lines.
    f.ManualIntFlatComboBox->setCurrentIndex(variant == 0 ? 1 : 0);
    f.ManualIntFlatComboBox->setCurrentIndex(variant);
    QCOMPARE(f.ManualAttentionFlatCheckBox->isChecked(), ticked);
}

void TstManualForm::typedInterpretation()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    f.ManualIntFlatComboBox->setEditText(QStringLiteral("Свой толкователь"));
    QCOMPARE(f.ManualFlatMemo->toPlainText(), QStringLiteral("Интерпретация не найдена"));
    QVERIFY(f.interpretationFile().isEmpty());
    setLines(f, QStringLiteral("777778"));
    QCOMPARE(f.ManualFlatMemo->toPlainText(), QStringLiteral("Интерпретация не найдена"));
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.records().value(0).interpretation, QStringLiteral("Свой толкователь"));
    // An emptied field is stored as "not given".
    f.ManualIntFlatComboBox->setEditText(QString());
    f.ManualMethodFlatComboBox->setEditText(QStringLiteral("  "));
    f.UserManualFlatComboBox->setEditText(QString());
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    const JournalRecord r = fx.records().value(1);
    QCOMPARE(r.interpretation, QStringLiteral("Интерпретация не задана"));
    QCOMPARE(r.method, QStringLiteral("Метод не задан"));
    QCOMPARE(r.userName, QStringLiteral("Имя не задано"));
}

void TstManualForm::savesRecords()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    f.show();
    setLines(f, QStringLiteral("887898")); // old 39, young 15
    f.ManualDateEdit->setDate(QDate(2009, 1, 31));
    f.TimeManualFlatMaskEdit->setText(QStringLiteral("07:08:09"));
    f.UserManualFlatComboBox->setCurrentIndex(1);
    f.ManualMethodFlatComboBox->setCurrentIndex(2);
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QVERIFY(fx.env.platform.messages.isEmpty());
    QVERIFY(f.isVisible()); // the window stays open for a further record
    f.ManualQuestFlatEdit->setText(QStringLiteral("Будет ли дождь?"));
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);

    const QList<JournalRecord> rs = fx.records();
    QCOMPARE(rs.size(), 2);
    const JournalRecord &r = rs.first();
    QCOMPARE(r.date, QDate(2009, 1, 31));
    QCOMPARE(r.time, QTime(7, 8, 9));
    QCOMPARE(r.userName, QStringLiteral("Борис"));
    QCOMPARE(r.question, QStringLiteral("Вопрос на задавался"));
    QCOMPARE(r.geksagrammaOld, 39);
    QCOMPARE(r.geksagrammaYou, 15);
    QCOMPARE(r.go, (std::array<QString, 6>{QStringLiteral("8"), QStringLiteral("8"), QStringLiteral("7"),
                                           QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("8")}));
    QCOMPARE(r.interpretation, QStringLiteral("Западный вариант Ирмы Кольден"));
    QCOMPARE(r.attention, QStringLiteral("!"));
    QCOMPARE(r.method, QStringLiteral("Метод 50 стеблей тысячелистника"));
    QCOMPARE(r.principle, kPrincipleManual);
    QCOMPARE(rs.at(1).question, QStringLiteral("Будет ли дождь?"));
}

void TstManualForm::questionPrompt()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    f.show();
    QTest::mouseClick(f.ManualQuestFlatEdit, Qt::LeftButton);
    QVERIFY(f.ManualQuestFlatEdit->text().isEmpty());
    QTest::keyClicks(f.ManualQuestFlatEdit, QStringLiteral("Will it rain?"));
    QTest::mouseClick(f.ManualQuestFlatEdit, Qt::LeftButton);
    QCOMPARE(f.ManualQuestFlatEdit->text(), QStringLiteral("Will it rain?"));
    // A blank question is stored as "not asked".
    f.ManualQuestFlatEdit->setText(QStringLiteral("   "));
    setLines(f, QStringLiteral("877777"));
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.records().value(0).question, QStringLiteral("Вопрос на задавался"));
}

void TstManualForm::failedSaveIsReported_data()
{
    QTest::addColumn<QString>("time");
    QTest::newRow("hour 25") << QStringLiteral("25:00:00");
    QTest::newRow("minute 61") << QStringLiteral("10:61:00");
    QTest::newRow("digits missing") << QStringLiteral("10:1");
}

void TstManualForm::failedSaveIsReported()
{
    QFETCH(QString, time);
    Fixture fx;
    TManualForm f(fx.env.ctx);
    setLines(f, QStringLiteral("877777"));
    f.TimeManualFlatMaskEdit->setText(time);
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    // Nothing was stored, and the user is told so instead of being left to believe otherwise.
    QCOMPARE(fx.journal.count(), 0);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QCOMPARE(fx.env.platform.messages.first().caption, kSave);
    QVERIFY2(fx.env.platform.messages.first().text.startsWith(QStringLiteral("Результат не сохранен в базе данных!")),
             qPrintable(fx.env.platform.messages.first().text));
}

void TstManualForm::noJournalIsReported()
{
    Fixture fx(false);
    TManualForm f(fx.env.ctx);
    setLines(f, QStringLiteral("877777"));
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.messages.size(), 1);
    QCOMPARE(fx.env.platform.messages.first().text,
             QStringLiteral("Результат не сохранен в базе данных!\r\nБаза данных не подключена."));
}

void TstManualForm::settings()
{
    Fixture fx;
    {
        IniFile ini = fx.env.ctx.settings();
        ini.writeBool(QStringLiteral("Manual"), QStringLiteral("ModeLine"), false);
        ini.writeInteger(QStringLiteral("Manual"), QStringLiteral("IntIndex"), 1);
        ini.writeInteger(QStringLiteral("Manual"), QStringLiteral("TypeMethod"), 3);
    }
    {
        TManualForm f(fx.env.ctx);
        f.show();
        QVERIFY(!f.ModeLineFlatCheckBox->isChecked());
        QCOMPARE(f.ManualFlatSpinEdit[0]->maximum(), 8);
        QCOMPARE(f.ManualIntFlatComboBox->currentIndex(), 1);
        QVERIFY(!f.ManualAttentionFlatCheckBox->isEnabled());
        QCOMPARE(f.ManualFlatMemo->toPlainText(), QStringLiteral("Канон 01"));
        QCOMPARE(f.ManualMethodFlatComboBox->currentText(), QStringLiteral("Метод Сяньтань"));

        QTest::mouseClick(f.ModeLineFlatCheckBox, Qt::LeftButton);
        f.ManualIntFlatComboBox->setEditText(QStringLiteral("Свой"));
        f.ManualMethodFlatComboBox->setEditText(QStringLiteral("Монетки"));
        QTest::mouseClick(f.CloseFlatSpeedButton, Qt::LeftButton);
    }
    const IniFile ini = fx.env.ctx.settings();
    QCOMPARE(ini.readString(QStringLiteral("Manual"), QStringLiteral("ModeLine")), QStringLiteral("1"));
    QCOMPARE(ini.readInteger(QStringLiteral("Manual"), QStringLiteral("IntIndex"), 0), -1);
    QCOMPARE(ini.readInteger(QStringLiteral("Manual"), QStringLiteral("TypeMethod"), 0), -1);

    // Closing with Escape writes them too.
    {
        TManualForm f(fx.env.ctx);
        f.show();
        f.ManualIntFlatComboBox->setCurrentIndex(3);
        QTest::keyClick(&f, Qt::Key_Escape);
    }
    QCOMPARE(fx.env.ctx.settings().readInteger(QStringLiteral("Manual"), QStringLiteral("IntIndex"), 0), 3);
}

void TstManualForm::settingsNotReadWithoutUsersList()
{
    Fixture fx;
    QFile::remove(fx.env.file(QStringLiteral("userch.dat")));
    {
        IniFile ini = fx.env.ctx.settings();
        ini.writeInteger(QStringLiteral("Manual"), QStringLiteral("IntIndex"), 2);
    }
    TManualForm f(fx.env.ctx);
    QCOMPARE(f.UserManualFlatComboBox->count(), 0);
    QCOMPARE(f.ManualIntFlatComboBox->currentIndex(), 0);
    // A name can still be typed.
    f.UserManualFlatComboBox->setEditText(QStringLiteral("Гость"));
    setLines(f, QStringLiteral("877777"));
    QTest::mouseClick(f.SaveManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.records().value(0).userName, QStringLiteral("Гость"));
}

void TstManualForm::buttons()
{
    Fixture fx;
    TManualForm f(fx.env.ctx);
    f.show();
    QCOMPARE(f.Diag1FlatSpeedButton->toolTip(), QStringLiteral("Диаграмма  Вэнь-вана..."));
    QCOMPARE(f.SaveManualFlatSpeedButton->toolTip(), QStringLiteral("Сохранить в базе данных"));
    bool wen = false;
    QVERIFY(test::withModal([&] { QTest::mouseClick(f.Diag1FlatSpeedButton, Qt::LeftButton); },
                            [&](QWidget *w) { wen = qobject_cast<TDiagram1Form *>(w) != nullptr; }));
    QVERIFY(wen);
    int gua = -1;
    QVERIFY(test::withModal([&] { QTest::mouseClick(f.Diag2FlatSpeedButton, Qt::LeftButton); },
                            [&](QWidget *w) {
                                if (auto *g = qobject_cast<TDiagram2Form *>(w))
                                    gua = g->guaIndex();
                            }));
    QCOMPARE(gua, 0);
    QTest::mouseClick(f.HelpFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(fx.env.platform.helpTopics, QList<int>{9});
}

void TstManualForm::browserAddsAndDeletes()
{
    Fixture fx(false);
    QVERIFY(Journal::create(fx.env.file(QStringLiteral("ibase.db"))));
    {
        IniFile ini = fx.env.ctx.settings();
        ini.writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), fx.env.file(QStringLiteral("ibase.db")));
    }
    launch::createJournalWindows(fx.env.ctx);
    TDataBaseForm *browser = fx.env.ctx.dataBaseForm;
    QVERIFY(browser);
    QVERIFY(launch::journalAvailable(fx.env.ctx));
    browser->show();
    QVERIFY(browser->AddManualFlatSpeedButton->isEnabled());

    QVERIFY(test::withModal([&] { QTest::mouseClick(browser->AddManualFlatSpeedButton, Qt::LeftButton); },
                            [&](QWidget *w) {
                                auto *m = qobject_cast<TManualForm *>(w);
                                QVERIFY(m);
                                setLines(*m, QStringLiteral("677777"));
                                QTest::mouseClick(m->SaveManualFlatSpeedButton, Qt::LeftButton);
                            }));
    QCOMPARE(browser->gridModel()->rowCount(), 1);
    const auto shown = browser->gridModel()->recordAt(0);
    QVERIFY(shown);
    QCOMPARE(shown->geksagrammaOld, 44);
    QCOMPARE(shown->principle, kPrincipleManual);

    // A manual record can be deleted there.
    browser->DBGridEh->setCurrentIndex(browser->gridModel()->index(0, 0));
    fx.env.platform.answers.enqueue(MsgButton::Yes);
    QTest::mouseClick(browser->DElManualFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(browser->gridModel()->rowCount(), 0);
    QCOMPARE(fx.env.ctx.journal->count(), 0);
    launch::destroyJournalWindows(fx.env.ctx);
}

QTEST_MAIN(TstManualForm)
#include "tst_manualform.moc"
