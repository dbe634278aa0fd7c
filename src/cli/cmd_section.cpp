#include "cli/cli.h"

#include "app/error.h"
#include "divination/texts.h"

#include <QCoreApplication>

namespace yw::cli {
namespace {

int run(const QStringList &args)
{
    const Options o(args);
    if (const QStringList bad = o.unknown({QStringLiteral("file"), QStringLiteral("key"), QStringLiteral("text-dir")});
        !bad.isEmpty())
        return fail(QStringLiteral("unknown option %1").arg(bad.join(QStringLiteral(", "))));
    const QString file = o.value(QStringLiteral("file"));
    const QString key = o.value(QStringLiteral("key"));
    if (file.isEmpty() || key.isEmpty())
        return fail(
            QStringLiteral("section needs --file NAME and --key KEY, for example --file CCanon.dat --key [%03]"));
    const QString dir = o.value(QStringLiteral("text-dir"), textDirOf(QCoreApplication::applicationDirPath()));
    try {
        for (const QString &line : InterKey(key, file, dir))
            printLine(line);
    } catch (const Error &e) {
        return fail(e.text());
    }
    return 0;
}

const Registration
    reg({QStringLiteral("section"),
         QStringLiteral("section --file NAME --key KEY [--text-dir DIR]\n"
                        "                     the lines of one section of a text file (Text folder by default)"),
         run});

} // namespace
} // namespace yw::cli
