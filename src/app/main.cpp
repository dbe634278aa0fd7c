#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/mainform.h"
#include "gui/app/startup.h"
#include "gui/platform/qtplatform.h"

#include <QDir>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    yw::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Yarrowind"));
    QApplication::setQuitOnLastWindowClosed(false);
    yw::installFontSubstitutes();
    QApplication::setFont(yw::designFont());

    yw::AppContext ctx;
    ctx.programDir = QCoreApplication::applicationDirPath();
    ctx.runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (ctx.runtimeDir.isEmpty())
        ctx.runtimeDir = QDir::tempPath();
    yw::QtPlatform platform(ctx.programDir);
    ctx.platform = &platform;
    app.setPlatform(&platform);

    yw::ProgramWindows windows(ctx);
    if (!windows.start())
        return 1;
    windows.mainForm()->show();
    return QApplication::exec();
}
