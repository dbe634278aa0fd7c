#include "app/inifile.h"
#include "app/programstate.h"
#include "gui/app/launchers.h"
#include "gui/app/mainform.h"
#include "gui/app/startup.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/optionform.h"
#include "journal/journal.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace yw;

namespace {

const QString kConnectCaption = QStringLiteral("Ошибка подключения базы");
const QString kConnectText = QStringLiteral("Неправильный формат базы данных или база данных не существует!");

// Runs steps while the options window is open modally, then lets the test go on.
void whileModal(const std::function<void(TOptionForm *)> &steps)
{
    QTimer::singleShot(0, [steps] {
        auto *form = qobject_cast<TOptionForm *>(QApplication::activeModalWidget());
        QVERIFY2(form, "the options window is shown modally");
        steps(form);
        // Whatever the steps left open is closed, so no test hangs.
        if (form->isVisible() && QApplication::activeModalWidget() == form)
            form->done(QDialog::Rejected);
    });
}

QString makeJournal(const QString &path)
{
    QFile::remove(path);
    Journal::create(path);
    return path;
}

} // namespace

class TestOptionForm : public QObject {
    Q_OBJECT

private slots:
    void designedLayoutAndTexts();
    void modes_data();
    void modes();
    void openSwitchesTheJournal();
    void openFailureKeepsThePath();
    void openCancelledChangesNothing();
    void createInAnEmptyFolder();
    void createOverAnExistingJournalAsks_data();
    void createOverAnExistingJournalAsks();
    void createWithoutTemplateReports();
    void createIntoAReadOnlyFolderReports();
    void closingWritesThePath_data();
    void closingWritesThePath();
    void escapeCannotSkipTheFirstStart();
    void helpTopic();
    void firstStartCreateAcceptThenNextStartOpens();
    // Ends the test's event loops: keep it last.
    void declineEndsWithoutWriting();
};

void TestOptionForm::designedLayoutAndTexts()
{
    TestEnv env;
    TOptionForm form(env.ctx);
    QCOMPARE(form.windowTitle(), QStringLiteral("Yarrowind v2.3 - Настройки"));
    QCOMPARE(form.size(), QSize(320, 203));
    QCOMPARE(form.FlatButton1->text(), QStringLiteral("Создать"));
    QCOMPARE(form.OpenBaseFlatSpeedButton->text(), QStringLiteral("Открыть"));
    QCOMPARE(form.OpenBaseFlatSpeedButton->toolTip(), QStringLiteral("Выбрать путь к базе"));
    QCOMPARE(form.ApplyOptionButton->text(), QStringLiteral("Принять"));
    QCOMPARE(form.CancelOptionButton->text(), QStringLiteral("Отклонить"));
    QCOMPARE(form.CloseFlatSpeedButton->toolTip(), QStringLiteral("Закрыть окно диаграммы"));
    QVERIFY(form.PathBaseFlatEdit->isReadOnly());
    const QStringList paragraphs = form.OptionFlatMemo->toPlainText().split(u'\n');
    QCOMPARE(paragraphs.size(), 3);
    QCOMPARE(paragraphs[0], QStringLiteral("Если Вы  раньше пользовались программой Yarrowind нажмите \"Открыть\", "
                                           "выберите существующую базу данных и нажмите кнопку \"Применить\" ."));
    QCOMPARE(paragraphs[1], QString());
    QCOMPARE(paragraphs[2], QStringLiteral("Если Вы используете программу впервые или по каким-то причинам база "
                                           "данных не сохранилась (запорчена) нажмите  \"Создать\", выберите "
                                           "каталог где будет находиться база программы и нажмите кнопку "
                                           "\"Применить\"."));
    // Every caption fits its button.
    for (QPushButton *b :
         {form.FlatButton1, form.OpenBaseFlatSpeedButton, form.ApplyOptionButton, form.CancelOptionButton})
        QVERIFY2(b->sizeHint().width() <= b->width() + 4, qPrintable(b->text()));
}

void TestOptionForm::modes_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("firstStart");
    QTest::newRow("no settings yet") << QString() << true;
    QTest::newRow("current version") << QStringLiteral("2.3 31.01.2009") << false;
    QTest::newRow("older version") << QStringLiteral("2.2") << false;
}

void TestOptionForm::modes()
{
    QFETCH(QString, version);
    QFETCH(bool, firstStart);
    TestEnv env;
    programState().versionText = version;
    TOptionForm form(env.ctx);
    form.show();
    QCOMPARE(form.firstStartMode(), firstStart);
    QVERIFY(!form.ApplyOptionButton->isEnabled());
    QCOMPARE(form.CancelOptionButton->isEnabled(), firstStart);
    QCOMPARE(form.CloseFlatSpeedButton->isEnabled(), !firstStart);
    QVERIFY(form.FlatButton1->isEnabled());
    QVERIFY(form.OpenBaseFlatSpeedButton->isEnabled());
    QVERIFY(form.HelpFlatSpeedButton->isEnabled());
    form.hide();
}

void TestOptionForm::openSwitchesTheJournal()
{
    TestEnv env;
    programState().versionText = kSettingsVersion;
    const QString first = makeJournal(env.file(QStringLiteral("first.db")));
    const QString second = makeJournal(env.file(QStringLiteral("second.db")));
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), first);
    launch::createJournalWindows(env.ctx);
    QVERIFY(launch::journalAvailable(env.ctx));
    QCOMPARE(env.ctx.journal->path(), first);
    QCOMPARE(env.ctx.optionForm->PathBaseFlatEdit->text(), first);

    env.platform.fileNames.enqueue(second);
    whileModal([&](TOptionForm *form) {
        form->OpenBaseFlatSpeedButton->click();
        QCOMPARE(form->PathBaseFlatEdit->text(), second);
        QVERIFY(form->ApplyOptionButton->isEnabled());
        form->CloseFlatSpeedButton->click();
    });
    launch::showOptions(env.ctx);
    QCOMPARE(env.platform.fileDialogs, 1);
    QVERIFY(env.platform.messages.isEmpty());
    QCOMPARE(env.ctx.journal->path(), second);
    // Closed in the normal mode with the close button: the choice holds and is written.
    QCOMPARE(env.ctx.settings().readString(QStringLiteral("Option"), QStringLiteral("PathBase")), second);
    QCOMPARE(programState().versionText, kSettingsVersion);
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::openFailureKeepsThePath()
{
    TestEnv env;
    programState().versionText = kSettingsVersion;
    const QString good = makeJournal(env.file(QStringLiteral("good.db")));
    env.writeBytes(QStringLiteral("bad.db"), QByteArray("not a database at all").repeated(100));
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), good);
    launch::createJournalWindows(env.ctx);

    env.platform.fileNames.enqueue(env.file(QStringLiteral("bad.db")));
    whileModal([&](TOptionForm *form) {
        form->OpenBaseFlatSpeedButton->click();
        QCOMPARE(form->PathBaseFlatEdit->text(), good);
        QVERIFY(!form->ApplyOptionButton->isEnabled());
    });
    launch::showOptions(env.ctx);
    QCOMPARE(env.platform.messages.size(), 1);
    QCOMPARE(env.platform.messages[0].caption, kConnectCaption);
    QCOMPARE(env.platform.messages[0].icon, MsgIcon::Error);
    QVERIFY(env.platform.messages[0].text.startsWith(kConnectText));
    QVERIFY(env.platform.messages[0].text.contains(env.file(QStringLiteral("bad.db"))));
    // The connection stays closed; the next start opens the previous path again.
    QVERIFY(!launch::journalAvailable(env.ctx));
    QCOMPARE(env.ctx.settings().readString(QStringLiteral("Option"), QStringLiteral("PathBase")), good);
    launch::destroyJournalWindows(env.ctx);
    env.platform.clear();
    launch::createJournalWindows(env.ctx);
    QVERIFY(env.platform.messages.isEmpty());
    QCOMPARE(env.ctx.journal->path(), good);
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::openCancelledChangesNothing()
{
    TestEnv env;
    programState().versionText = kSettingsVersion;
    const QString good = makeJournal(env.file(QStringLiteral("good.db")));
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), good);
    launch::createJournalWindows(env.ctx);
    whileModal([&](TOptionForm *form) {
        form->OpenBaseFlatSpeedButton->click(); // no file queued: cancelled
        QVERIFY(!form->ApplyOptionButton->isEnabled());
    });
    launch::showOptions(env.ctx);
    QVERIFY(env.platform.messages.isEmpty());
    QVERIFY(launch::journalAvailable(env.ctx));
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::createInAnEmptyFolder()
{
    TestEnv env;
    env.copyFromBuild(QStringLiteral("ibase.thb"));
    programState().versionText = kSettingsVersion;
    const QString old = makeJournal(env.file(QStringLiteral("old.db")));
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), old);
    launch::createJournalWindows(env.ctx);
    QTemporaryDir folder;
    env.platform.folders.enqueue(folder.path() + QLatin1Char('/'));
    whileModal([&](TOptionForm *form) {
        form->FlatButton1->click();
        QVERIFY(form->ApplyOptionButton->isEnabled());
        form->ApplyOptionButton->click();
    });
    launch::showOptions(env.ctx);
    const QString created = folder.filePath(QStringLiteral("ibase.db"));
    QVERIFY(env.platform.messages.isEmpty());
    QCOMPARE(env.ctx.journal->path(), created);
    QCOMPARE(env.ctx.settings().readString(QStringLiteral("Option"), QStringLiteral("PathBase")), created);
    QCOMPARE(QFileInfo(created).lastModified(), QFileInfo(env.file(QStringLiteral("ibase.thb"))).lastModified());
    QCOMPARE(env.ctx.journal->count(), 0);
    // The users list file was rewritten from the new, empty users table.
    QVERIFY(QFileInfo::exists(env.file(QStringLiteral("userch.dat"))));
    QCOMPARE(QFileInfo(env.file(QStringLiteral("userch.dat"))).size(), 0);
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::createOverAnExistingJournalAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("No keeps the journal") << int(MsgButton::No);
    QTest::newRow("Yes replaces it") << int(MsgButton::Yes);
}

void TestOptionForm::createOverAnExistingJournalAsks()
{
    QFETCH(int, answer);
    TestEnv env;
    env.copyFromBuild(QStringLiteral("ibase.thb"));
    programState().versionText = kSettingsVersion;
    QTemporaryDir folder;
    const QString existing = makeJournal(folder.filePath(QStringLiteral("ibase.db")));
    {
        Journal j;
        QVERIFY(j.open(existing));
        JournalRecord r;
        r.userName = QStringLiteral("Анна");
        QVERIFY(j.append(r));
    }
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), existing);
    launch::createJournalWindows(env.ctx);
    env.platform.folders.enqueue(folder.path() + QLatin1Char('/'));
    env.platform.answers.enqueue(answer);
    bool applyEnabled = false;
    whileModal([&](TOptionForm *form) {
        form->FlatButton1->click();
        applyEnabled = form->ApplyOptionButton->isEnabled();
    });
    launch::showOptions(env.ctx);
    QCOMPARE(env.platform.messages.size(), 1);
    const auto &asked = env.platform.messages[0];
    QCOMPARE(asked.icon, MsgIcon::Information);
    QCOMPARE(asked.buttons, int(MsgButton::Yes | MsgButton::No));
    QCOMPARE(asked.defaultButton, int(MsgButton::No));
    QVERIFY(asked.text.contains(existing));
    QCOMPARE(applyEnabled, answer == MsgButton::Yes);
    Journal check;
    QVERIFY(check.open(existing));
    QCOMPARE(check.count(), answer == MsgButton::Yes ? 0 : 1);
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::createWithoutTemplateReports()
{
    TestEnv env; // no template in this program folder
    programState().versionText = kSettingsVersion;
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"),
                                   makeJournal(env.file(QStringLiteral("current.db"))));
    launch::createJournalWindows(env.ctx);
    env.platform.clear();
    QTemporaryDir folder;
    env.platform.folders.enqueue(folder.path() + QLatin1Char('/'));
    whileModal([&](TOptionForm *form) {
        form->FlatButton1->click();
        QVERIFY(!form->ApplyOptionButton->isEnabled());
    });
    launch::showOptions(env.ctx);
    QCOMPARE(env.platform.messages.size(), 1);
    QCOMPARE(env.platform.messages[0].icon, MsgIcon::Error);
    QVERIFY(env.platform.messages[0].text.contains(QStringLiteral("ibase.thb")));
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("ibase.db"))));
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::createIntoAReadOnlyFolderReports()
{
    TestEnv env;
    env.copyFromBuild(QStringLiteral("ibase.thb"));
    programState().versionText = kSettingsVersion;
    env.ctx.settings().writeString(QStringLiteral("Option"), QStringLiteral("PathBase"),
                                   makeJournal(env.file(QStringLiteral("current.db"))));
    launch::createJournalWindows(env.ctx);
    env.platform.clear();
    QTemporaryDir folder;
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    env.platform.folders.enqueue(folder.path() + QLatin1Char('/'));
    whileModal([&](TOptionForm *form) { form->FlatButton1->click(); });
    launch::showOptions(env.ctx);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(env.platform.messages.size(), 1);
    // Root can write anyway; then the journal is simply created and opened.
    if (QFileInfo::exists(folder.filePath(QStringLiteral("ibase.db")))) {
        QCOMPARE(env.platform.messages[0].caption, kConnectCaption);
        QVERIFY(!launch::journalAvailable(env.ctx));
    } else {
        QCOMPARE(env.platform.messages[0].icon, MsgIcon::Error);
    }
    launch::destroyJournalWindows(env.ctx);
}

void TestOptionForm::closingWritesThePath_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("programFolder");
    QTest::newRow("blank becomes the program folder") << QStringLiteral("   ") << true;
    QTest::newRow("a path stays") << QStringLiteral("/somewhere/ibase.db") << false;
}

void TestOptionForm::closingWritesThePath()
{
    QFETCH(QString, stored);
    QFETCH(bool, programFolder);
    TestEnv env;
    programState().versionText = kSettingsVersion;
    IniFile ini = env.ctx.settings();
    ini.writeString(QStringLiteral("Option"), QStringLiteral("PathBase"), stored);
    TOptionForm form(env.ctx);
    form.show();
    form.CloseFlatSpeedButton->click();
    QVERIFY(!form.isVisible());
    const QString expected = programFolder ? env.file(QStringLiteral("ibase.db")) : stored.trimmed();
    QCOMPARE(form.path(), expected);
    QCOMPARE(ini.readString(QStringLiteral("Option"), QStringLiteral("PathBase")), expected);
}

void TestOptionForm::escapeCannotSkipTheFirstStart()
{
    TestEnv env;
    TOptionForm form(env.ctx);
    form.show();
    QVERIFY(form.firstStartMode());
    QTest::keyClick(&form, Qt::Key_Escape);
    form.close();
    QVERIFY(form.isVisible());
    QVERIFY(!QFileInfo::exists(env.file(QStringLiteral("iching.ini"))));
    // Accepting is the way out once a database is chosen.
    form.ApplyOptionButton->setEnabled(true);
    form.ApplyOptionButton->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(programState().versionText, kSettingsVersion);
}

void TestOptionForm::helpTopic()
{
    TestEnv env;
    TOptionForm form(env.ctx);
    form.HelpFlatSpeedButton->click();
    QCOMPARE(env.platform.helpTopics, QList<int>{21});
}

void TestOptionForm::firstStartCreateAcceptThenNextStartOpens()
{
    TestEnv env;
    env.copyFromBuild(QStringLiteral("ibase.thb"));
    QTemporaryDir folder;
    env.platform.folders.enqueue(folder.path() + QLatin1Char('/'));
    QString mode;
    whileModal([&](TOptionForm *form) {
        mode = form->firstStartMode() ? QStringLiteral("first start") : QStringLiteral("normal");
        QVERIFY(!form->CloseFlatSpeedButton->isEnabled());
        form->FlatButton1->click();
        QVERIFY(form->ApplyOptionButton->isEnabled());
        form->ApplyOptionButton->click();
    });
    const QString created = folder.filePath(QStringLiteral("ibase.db"));
    {
        ProgramWindows windows(env.ctx);
        QVERIFY(windows.start());
        QCOMPARE(mode, QStringLiteral("first start"));
        // No path yet: straight to the options window, without an error message.
        QVERIFY(env.platform.messages.isEmpty());
        QVERIFY(launch::journalAvailable(env.ctx));
        QCOMPARE(env.ctx.journal->path(), created);
        QCOMPARE(programState().versionText, kSettingsVersion);
        // The main window shows without asking a second time, then ends the run.
        windows.mainForm()->show();
        QTest::qWait(20);
        QVERIFY(!QApplication::activeModalWidget());
        windows.mainForm()->close();
    }
    // The database is encrypted: not readable as a plain file.
    QFile f(created);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.readAll().startsWith("SQLite format 3"));

    env.platform.clear();
    programState() = ProgramState{};
    {
        ProgramWindows windows(env.ctx);
        QVERIFY(windows.start());
        QVERIFY(env.platform.messages.isEmpty());
        QCOMPARE(env.platform.folderDialogs, 0);
        QVERIFY(launch::journalAvailable(env.ctx));
        QCOMPARE(env.ctx.journal->path(), created);
        QCOMPARE(programState().versionText, kSettingsVersion);
        windows.mainForm()->show();
        QTest::qWait(20);
        QVERIFY(!QApplication::activeModalWidget());
    }
}

void TestOptionForm::declineEndsWithoutWriting()
{
    TestEnv env;
    bool wasFirstStart = false;
    whileModal([&](TOptionForm *form) {
        wasFirstStart = form->firstStartMode();
        form->CancelOptionButton->click();
    });
    {
        ProgramWindows windows(env.ctx);
        QVERIFY(!windows.start());
        QVERIFY(wasFirstStart);
        QVERIFY(env.ctx.optionForm->declined());
        QVERIFY(!env.ctx.optionForm->isVisible());
    }
    QVERIFY(!QFileInfo::exists(env.file(QStringLiteral("iching.ini"))));
}

QTEST_MAIN(TestOptionForm)
#include "tst_optionform.moc"
