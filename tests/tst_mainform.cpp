#include "app/inifile.h"
#include "app/programstate.h"
#include "gui/app/mainform.h"
#include "support/testenv.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using namespace yw;

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutSettings();
    void togglesAndPositionSurviveARestart();
    void oncePerLogon_data();
    void oncePerLogon();
    void confirmationAnsweredNo();
    void switchingOffNeedsNoConfirmation();
    void secondCopyIsRefused();
    void menusAndHelp();
};

namespace {
QToolButton *button(QWidget *w, const char *name)
{
    return w->findChild<QToolButton *>(QLatin1String(name));
}
} // namespace

void TestMainForm::firstStartWithoutSettings()
{
    TestEnv env;
    TMainForm form(env.ctx);
    QVERIFY(form.instanceAllowed());
    QCOMPARE(form.pos(), QPoint(568, 361));
    QCOMPARE(form.size(), QSize(250, 275));
    QCOMPARE(form.windowTitle(), QStringLiteral("Yarrowind v2.3 "));
    for (const char *name : {"SoundFlatSpeedButton", "AtomFlatSpeedButton", "SaveFlatSpeedButton"}) {
        QVERIFY2(button(&form, name), name);
        QVERIFY(button(&form, name)->isCheckable());
        QVERIFY(!button(&form, name)->isChecked());
    }
    QVERIFY(programState().versionText.isEmpty());
    QVERIFY(!button(&form, "BeginFlatSpeedButton")->isHidden());
    QCOMPARE(button(&form, "BeginFlatSpeedButton")->text(), QStringLiteral("Гадание по Книге Перемен"));
    QVERIFY(!QFile::exists(env.file(QStringLiteral("iching.ini"))));
    // The first run of a session leaves the logon marker behind.
    QVERIFY(QFile::exists(env.runtimeDir.path() + QStringLiteral("/THIS_IS_SOME_OBSCUREE_TEXT")));
}

void TestMainForm::togglesAndPositionSurviveARestart()
{
    TestEnv env;
    {
        TMainForm form(env.ctx);
        button(&form, "SoundFlatSpeedButton")->click();
        button(&form, "SaveFlatSpeedButton")->click();
        form.move(100, 120);
        form.close();
    }
    const IniFile ini = env.ctx.settings();
    QCOMPARE(ini.readString(QStringLiteral("Main"), QStringLiteral("Version")), QStringLiteral("2.3 31.01.2009"));
    QCOMPARE(ini.readString(QStringLiteral("Main"), QStringLiteral("SoundEnable")), QStringLiteral("1"));
    QCOMPARE(ini.readString(QStringLiteral("Main"), QStringLiteral("ResultEnable")), QStringLiteral("1"));
    QCOMPARE(ini.readString(QStringLiteral("Main"), QStringLiteral("AtomEnable")), QStringLiteral("0"));
    QCOMPARE(ini.readInteger(QStringLiteral("Main"), QStringLiteral("Left"), 0), 100);
    QCOMPARE(ini.readInteger(QStringLiteral("Main"), QStringLiteral("Top"), 0), 120);

    TMainForm again(env.ctx);
    QVERIFY(again.soundEnabled());
    QVERIFY(again.autoSaveEnabled());
    QVERIFY(!again.atomEnabled());
    QCOMPARE(again.pos(), QPoint(100, 120));
    QCOMPARE(programState().versionText, QStringLiteral("2.3 31.01.2009"));
}

void TestMainForm::oncePerLogon_data()
{
    QTest::addColumn<bool>("markerExists");
    QTest::addColumn<bool>("modeOn");
    QTest::addColumn<bool>("divinationOffered");
    QTest::addColumn<bool>("toggleEnabled");
    QTest::newRow("first run, mode on") << false << true << true << true;
    QTest::newRow("later run, mode on") << true << true << false << false;
    QTest::newRow("first run, mode off") << false << false << true << true;
    QTest::newRow("later run, mode off") << true << false << true << true;
}

void TestMainForm::oncePerLogon()
{
    QFETCH(bool, markerExists);
    QFETCH(bool, modeOn);
    QFETCH(bool, divinationOffered);
    QFETCH(bool, toggleEnabled);
    TestEnv env;
    env.writeCp1251(QStringLiteral("iching.ini"),
                    {QStringLiteral("[Main]"), QStringLiteral("AtomEnable=") + QString::number(modeOn ? 1 : 0)});
    const QString marker = env.runtimeDir.path() + QStringLiteral("/THIS_IS_SOME_OBSCUREE_TEXT");
    if (markerExists) {
        QFile f(marker);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    TMainForm form(env.ctx);
    QCOMPARE(!button(&form, "BeginFlatSpeedButton")->isHidden(), divinationOffered);
    QCOMPARE(button(&form, "AtomFlatSpeedButton")->isEnabled(), toggleEnabled);
    QCOMPARE(form.atomEnabled(), modeOn);
    QVERIFY(QFile::exists(marker));
    QVERIFY(env.platform.messages.isEmpty());
}

void TestMainForm::confirmationAnsweredNo()
{
    TestEnv env;
    {
        TMainForm form(env.ctx);
        env.platform.answers.enqueue(MsgButton::No);
        button(&form, "AtomFlatSpeedButton")->click();
        QCOMPARE(env.platform.messages.size(), 1);
        const auto &shown = env.platform.messages.first();
        QCOMPARE(shown.icon, MsgIcon::Information);
        QCOMPARE(shown.caption, QStringLiteral("Включение разрешения"));
        QCOMPARE(
            shown.text,
            QStringLiteral(
                "Внимание!\r\n\r\nВы действительно хотите включить разрешение\r\nна гадание один раз в сеансе\r\n"));
        QCOMPARE(shown.buttons, MsgButton::Yes | MsgButton::No);
        QCOMPARE(shown.defaultButton, int(MsgButton::No));
        QVERIFY(!form.atomEnabled());
        form.close();
    }
    QCOMPARE(env.ctx.settings().readString(QStringLiteral("Main"), QStringLiteral("AtomEnable")), QStringLiteral("0"));

    TMainForm form(env.ctx);
    env.platform.answers.enqueue(MsgButton::Yes);
    button(&form, "AtomFlatSpeedButton")->click();
    QVERIFY(form.atomEnabled());
}

void TestMainForm::switchingOffNeedsNoConfirmation()
{
    TestEnv env;
    env.writeCp1251(QStringLiteral("iching.ini"), {QStringLiteral("[Main]"), QStringLiteral("AtomEnable=1")});
    TMainForm form(env.ctx);
    button(&form, "AtomFlatSpeedButton")->click();
    QVERIFY(!form.atomEnabled());
    QVERIFY(env.platform.messages.isEmpty());
}

void TestMainForm::secondCopyIsRefused()
{
    TestEnv env;
    TMainForm first(env.ctx);
    QVERIFY(first.instanceAllowed());
    QVERIFY(env.platform.messages.isEmpty());

    TMainForm second(env.ctx);
    QVERIFY(!second.instanceAllowed());
    QCOMPARE(env.platform.messages.size(), 1);
    const auto &shown = env.platform.messages.first();
    QCOMPARE(shown.icon, MsgIcon::Error);
    QCOMPARE(shown.caption, QStringLiteral("Повторный запуск программы ") + QStringLiteral("tst_mainform"));
    QCOMPARE(shown.text,
             QStringLiteral("Копия данной программы уже запущена. Повторный запуск программы не разрешен."));
}

void TestMainForm::menusAndHelp()
{
    TestEnv env;
    TMainForm form(env.ctx);
    const QStringList database = {
        QStringLiteral("Экспорт базы в Excel..."), QString(), QStringLiteral("Очистка базы данных"),
        QStringLiteral("Сжатие базы данных"),      QString(), QStringLiteral("Настройки базы данных...")};
    QStringList captions;
    for (QAction *a : form.ResultPopupMenu->actions()) {
        captions.append(a->isSeparator() ? QString() : a->text());
        if (!a->isSeparator())
            QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
    }
    QCOMPARE(captions, database);
    form.setDataBaseItemsEnabled(false);
    QVERIFY(!form.ResPopup2->isEnabled());
    QVERIFY(!form.ResPopup6->isEnabled());
    QVERIFY(form.ResPopup1->isEnabled());
    form.setDataBaseItemsEnabled(true);
    QVERIFY(form.ResPopup2->isEnabled());

    form.Help1P->trigger();
    QCOMPARE(env.platform.helpTopics, QList<int>({5}));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
