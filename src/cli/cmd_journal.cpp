#include "cli/cli.h"
#include "cli/journal_export.h"

#include "journal/generator.h"
#include "journal/journal.h"

#include <QJsonArray>

namespace yw::cli {
namespace {

const char *const kUsage = "journal create|count|generate|stats|export --db PATH ...\n"
                           "      create                     a new empty journal database file\n"
                           "      count [FILTER]             the number of records\n"
                           "      generate --records N [--seed S] [--batch K]\n"
                           "                                 appends N plausible records (one transaction,\n"
                           "                                 or a commit every K records)\n"
                           "      stats old|young|range [FILTER] [--from dd.mm.yyyy --to dd.mm.yyyy]\n"
                           "                                 the browser's statistics statements\n"
                           "      export ...                 the export window's workbook\n"
                           "      FILTER is --field NAME --value TEXT (NAME a column of RGeksa, e.g. UserName)";

int openJournal(const Options &o, Journal &journal)
{
    if (!o.has(QStringLiteral("db")) || o.value(QStringLiteral("db")).isEmpty())
        return fail(QStringLiteral("journal needs --db PATH"));
    QString error;
    if (!journal.open(o.value(QStringLiteral("db")), nullptr, &error))
        return fail(QStringLiteral("cannot open %1: %2").arg(o.value(QStringLiteral("db")), error));
    return 0;
}

int checkOptions(const Options &o, const QStringList &known)
{
    const QStringList bad = o.unknown(known);
    if (!bad.isEmpty())
        return fail(QStringLiteral("unknown option %1").arg(bad.join(QStringLiteral(", "))));
    return 0;
}

// --field and --value together, or neither.
int readFilter(const Options &o, JournalFilter *filter)
{
    const bool field = o.has(QStringLiteral("field")), value = o.has(QStringLiteral("value"));
    if (field != value)
        return fail(QStringLiteral("--field and --value go together"));
    if (!field)
        return 0;
    filter->field = o.value(QStringLiteral("field"));
    filter->value = o.value(QStringLiteral("value"));
    if (!Journal::isFilterField(filter->field))
        return fail(QStringLiteral("\"%1\" is not a field of RGeksa").arg(filter->field));
    return 0;
}

int create(const Options &o)
{
    if (int rc = checkOptions(o, {QStringLiteral("db")}))
        return rc;
    const QString path = o.value(QStringLiteral("db"));
    if (path.isEmpty())
        return fail(QStringLiteral("journal create needs --db PATH"));
    QString error;
    if (!Journal::create(path, nullptr, &error))
        return fail(QStringLiteral("cannot create %1: %2").arg(path, error));
    QJsonObject out;
    out[QStringLiteral("created")] = path;
    printJson(out);
    return 0;
}

int count(const Options &o)
{
    JournalFilter filter;
    if (int rc = checkOptions(o, {QStringLiteral("db"), QStringLiteral("field"), QStringLiteral("value")}))
        return rc;
    if (int rc = readFilter(o, &filter))
        return rc;
    Journal journal;
    if (int rc = openJournal(o, journal))
        return rc;
    QJsonObject out;
    out[QStringLiteral("count")] = journal.count(filter);
    printJson(out);
    return 0;
}

int generate(const Options &o)
{
    if (int rc = checkOptions(
            o, {QStringLiteral("db"), QStringLiteral("records"), QStringLiteral("seed"), QStringLiteral("batch")}))
        return rc;
    bool ok = false;
    const qint64 n = o.value(QStringLiteral("records")).toLongLong(&ok);
    if (!ok || n < 0)
        return fail(QStringLiteral("journal generate needs --records N (N >= 0)"));
    const quint32 seed = o.value(QStringLiteral("seed"), QStringLiteral("1")).toUInt(&ok);
    if (!ok)
        return fail(QStringLiteral("--seed must be a non-negative integer"));
    const qint64 batch = o.value(QStringLiteral("batch"), QStringLiteral("0")).toLongLong(&ok);
    if (!ok || batch < 0)
        return fail(QStringLiteral("--batch must be a non-negative integer"));
    Journal journal;
    if (int rc = openJournal(o, journal))
        return rc;
    JournalGenerator generator(seed);
    QString error;
    if (!journal.appendEach(
            n, [&](qint64) { return generator.next(); }, batch, &error))
        return fail(QStringLiteral("generate failed: %1").arg(error));
    QJsonObject out;
    out[QStringLiteral("appended")] = n;
    out[QStringLiteral("count")] = journal.count();
    printJson(out);
    return 0;
}

int stats(const Options &o)
{
    if (int rc = checkOptions(o, {QStringLiteral("db"), QStringLiteral("field"), QStringLiteral("value"),
                                  QStringLiteral("from"), QStringLiteral("to")}))
        return rc;
    if (o.positional().size() != 2)
        return fail(QStringLiteral("journal stats takes one of old, young, range"));
    const QString kind = o.positional().at(1);
    JournalStatistics which;
    if (kind == QLatin1String("old"))
        which = JournalStatistics::OldCounts;
    else if (kind == QLatin1String("young"))
        which = JournalStatistics::YoungCounts;
    else if (kind == QLatin1String("range"))
        which = JournalStatistics::DateRange;
    else
        return fail(QStringLiteral("unknown statistics \"%1\": old, young or range").arg(kind));
    JournalFilter filter;
    if (int rc = readFilter(o, &filter))
        return rc;
    const QString from = o.value(QStringLiteral("from")), to = o.value(QStringLiteral("to"));
    if (which == JournalStatistics::DateRange) {
        for (const QString &d : {from, to})
            if (Journal::storedDate(d).isEmpty())
                return fail(QStringLiteral("range needs --from and --to as dd.mm.yyyy"));
    }
    Journal journal;
    if (int rc = openJournal(o, journal))
        return rc;
    QString error;
    const auto table = journal.statistics(which, filter, from, to, &error);
    if (!table)
        return fail(QStringLiteral("the statement failed: %1").arg(error));
    QJsonObject out;
    out[QStringLiteral("columns")] = QJsonArray::fromStringList(table->columns);
    QJsonArray rows;
    for (qsizetype r = 0; r < table->rowCount(); ++r)
        rows.append(QJsonArray::fromStringList(table->row(r)));
    out[QStringLiteral("rows")] = rows;
    printJson(out);
    return 0;
}

int run(const QStringList &args)
{
    if (args.isEmpty())
        return fail(QStringLiteral("journal needs a subcommand: create, count, generate, stats or export"));
    const QString sub = args.first();
    if (sub == QLatin1String("export"))
        return runJournalExport(args.mid(1));
    const Options o(args);
    if (sub == QLatin1String("create"))
        return create(o);
    if (sub == QLatin1String("count"))
        return count(o);
    if (sub == QLatin1String("generate"))
        return generate(o);
    if (sub == QLatin1String("stats"))
        return stats(o);
    return fail(QStringLiteral("unknown journal subcommand \"%1\"").arg(sub));
}

const Registration reg({QStringLiteral("journal"), QString::fromUtf8(kUsage), run});

} // namespace
} // namespace yw::cli
