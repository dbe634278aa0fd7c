#include "cli/journal_export.h"

#include "cli/cli.h"

#include "app/error.h"
#include "export/workbook.h"
#include "journal/journal.h"

#include <QDate>
#include <QFileInfo>
#include <QJsonObject>

namespace yw::cli {

int runJournalExport(const QStringList &args)
{
    const Options o(args);
    const QStringList bad = o.unknown({QStringLiteral("db"), QStringLiteral("out"), QStringLiteral("field"),
                                       QStringLiteral("value"), QStringLiteral("translit"), QStringLiteral("header"),
                                       QStringLiteral("footer"), QStringLiteral("no-autofit")});
    if (!bad.isEmpty())
        return fail(QStringLiteral("unknown option %1").arg(bad.join(QStringLiteral(", "))));
    if (!o.positional().isEmpty())
        return fail(QStringLiteral("unexpected argument %1").arg(o.positional().first()));
    const QString db = o.value(QStringLiteral("db"));
    if (db.isEmpty())
        return fail(QStringLiteral("journal export needs --db PATH"));
    QString out = o.value(QStringLiteral("out"));
    if (out.isEmpty())
        return fail(QStringLiteral("journal export needs --out FILE (or an existing folder)"));

    JournalFilter filter;
    const bool field = o.has(QStringLiteral("field")), value = o.has(QStringLiteral("value"));
    if (field != value)
        return fail(QStringLiteral("--field and --value go together"));
    if (field) {
        filter.field = o.value(QStringLiteral("field"));
        filter.value = o.value(QStringLiteral("value"));
        if (!Journal::isFilterField(filter.field))
            return fail(QStringLiteral("\"%1\" is not a field of RGeksa").arg(filter.field));
    }
    // A folder gets the window's own file name.
    if (QFileInfo(out).isDir())
        out = xlsx::exportFileName(QFileInfo(out).absoluteFilePath() + QLatin1Char('/'), filter.field,
                                   QDate::currentDate());

    Journal journal;
    QString error;
    if (!journal.open(db, nullptr, &error))
        return fail(QStringLiteral("cannot open %1: %2").arg(db, error));

    xlsx::WorkbookOptions options;
    options.fileName = out;
    options.translit = o.has(QStringLiteral("translit"));
    options.autoFit = !o.has(QStringLiteral("no-autofit"));
    // Blank texts leave the window's defaults: one empty heading line, no signature.
    const QString header = o.value(QStringLiteral("header"));
    const QString footer = o.value(QStringLiteral("footer"));
    if (!header.trimmed().isEmpty())
        options.headingLines = {header};
    if (!footer.trimmed().isEmpty())
        options.signatureLines = {footer};
    try {
        const qint64 written = xlsx::writeWorkbook(options, journal, filter);
        QJsonObject result;
        result[QStringLiteral("file")] = QFileInfo(out).absoluteFilePath();
        result[QStringLiteral("records")] = written;
        printJson(result);
        return 0;
    } catch (const Error &e) {
        return fail(e.text());
    }
}

} // namespace yw::cli
