// The export of a large journal to a workbook: 100,000 records must take at most 3 seconds.

#include "export/workbook.h"
#include "journal/journal.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace yw;

namespace {

JournalRecord sample(qint64 id)
{
    static const QStringList users = {QStringLiteral("Анна Сергеевна"), QStringLiteral("Борис"),
                                      QStringLiteral("Имя не задано"), QStringLiteral("Екатерина Владимировна")};
    JournalRecord r;
    r.id = id;
    r.date = QDate(2009, 1, 1).addDays(id % 3000);
    r.time = QTime(0, 0).addSecs(static_cast<int>(id * 37 % 86400));
    r.userName = users.at(static_cast<int>(id % users.size()));
    r.question = QStringLiteral("Стоит ли мне начинать новое дело в этом месяце? Вопрос номер %1").arg(id);
    r.geksagrammaOld = static_cast<int>(id % 64) + 1;
    r.geksagrammaYou = static_cast<int>((id * 7) % 64) + 1;
    for (size_t i = 0; i < 6; ++i)
        r.go[i] = QString::number(6 + (id + static_cast<qint64>(i)) % 4);
    r.interpretation = QStringLiteral("Адаптированный китайский вариант (Л.М. Вернов)");
    r.attention = id % 5 ? QString() : QStringLiteral("!");
    r.method = QStringLiteral("Метод 3 монет");
    r.principle = id % 3 ? kPrincipleProgram : kPrincipleManual;
    return r;
}

void exportRecords(benchmark::State &state, bool translit, bool autoFit)
{
    const qint64 n = state.range(0);
    QList<JournalRecord> records;
    records.reserve(n);
    for (qint64 i = 1; i <= n; ++i)
        records << sample(i);
    QTemporaryDir dir;
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("bench.xlsx"));
    o.translit = translit;
    o.autoFit = autoFit;
    o.headingLines = {QStringLiteral("Журнал")};
    o.signatureLines = {QStringLiteral("Подпись")};
    for (auto _ : state) {
        const qint64 written = xlsx::writeWorkbook(o, [&](const std::function<bool(const JournalRecord &)> &visit) {
            for (const JournalRecord &r : records)
                if (!visit(r))
                    return;
        });
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The whole way the export window goes: records read from the journal file and written out.
void BM_ExportJournal(benchmark::State &state)
{
    const qint64 n = state.range(0);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("ibase.db"));
    Journal journal;
    if (!Journal::create(db) || !journal.open(db) || !journal.appendEach(n, [](qint64 i) { return sample(i + 1); })) {
        state.SkipWithError("cannot prepare the journal");
        return;
    }
    xlsx::WorkbookOptions o;
    o.fileName = dir.filePath(QStringLiteral("bench.xlsx"));
    for (auto _ : state)
        benchmark::DoNotOptimize(xlsx::writeWorkbook(o, journal, JournalFilter{}));
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_Export(benchmark::State &state)
{
    exportRecords(state, false, true);
}
void BM_ExportTranslit(benchmark::State &state)
{
    exportRecords(state, true, true);
}

} // namespace

BENCHMARK(BM_Export)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportJournal)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportTranslit)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
