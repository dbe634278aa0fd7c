#include "gui/app/launchers.h"

#include "app/error.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/mainform.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/optionform.h"
#include "gui/platform/platform.h"
#include "journal/journal.h"

#include <QFileInfo>

#include <memory>

namespace yw::launch {

void createJournalWindows(AppContext &ctx)
{
    // Both windows belong to the main window when there is one, so they go with it; they
    // are destroyed explicitly below in the start-up order's reverse.
    ctx.optionForm = new TOptionForm(ctx, ctx.mainForm);
    auto *browser = new TDataBaseForm(ctx, ctx.mainForm);
    ctx.dataBaseForm = browser;
    ctx.journal = browser->journal();
    // Opening may show the options window, which connects through ctx.dataBaseForm.
    browser->FormCreate();
}

void destroyJournalWindows(AppContext &ctx)
{
    std::unique_ptr<TDataBaseForm> browser(ctx.dataBaseForm);
    std::unique_ptr<TOptionForm> options(ctx.optionForm);
    ctx.journal = nullptr;
    ctx.dataBaseForm = nullptr;
    ctx.optionForm = nullptr;
}

bool journalAvailable(const AppContext &ctx)
{
    return ctx.journal && ctx.journal->isOpen();
}

void showDataBase(AppContext &ctx)
{
    if (!ctx.dataBaseForm)
        return;
    ctx.dataBaseForm->show();
    ctx.dataBaseForm->raise();
    ctx.dataBaseForm->activateWindow();
}

void showOptions(AppContext &ctx)
{
    if (ctx.optionForm)
        ctx.optionForm->exec();
}

void clearJournal(AppContext &ctx, QWidget *parent)
{
    const int answer = ctx.platform->message(parent, MsgIcon::Information, QStringLiteral("Очистка базы"),
                                             QStringLiteral("Внимание!\r\n\r\nВы действительно хотите очистить "
                                                            "базу данных!\r\n"),
                                             MsgButton::Ok | MsgButton::Cancel, MsgButton::Cancel);
    if (answer != MsgButton::Ok)
        return;
    try {
        if (!journalAvailable(ctx))
            throw Error(QStringLiteral("База данных не подключена."));
        ctx.journal->clear();
    } catch (const Error &e) {
        Application::reportError(ctx.platform, e.text());
    }
}

void compactJournal(AppContext &ctx)
{
    if (!ctx.journal || !ctx.optionForm)
        return;
    // The file is compacted and the journal reopened on the path field's file, as a fresh
    // connection would be.
    try {
        const QString path = ctx.optionForm->path();
        if (!ctx.journal->isOpen() || ctx.journal->path() != QFileInfo(path).absoluteFilePath()) {
            QString error;
            if (!ctx.journal->open(path, nullptr, &error))
                throw Error(error + QStringLiteral("\r\n") + path);
        }
        ctx.journal->compact();
    } catch (const Error &e) {
        Application::reportError(ctx.platform, e.text());
    }
}

} // namespace yw::launch
