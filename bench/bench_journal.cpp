// Speed of the journal on a large file: opening it in the results browser, the filter's value
// list, the three statistics statements (beside the sqlcipher shell running the same
// statements on the same file) and the browser's memory.
//
//   bench_journal [--journal PATH] [--records N] [benchmark options]
//
// The journal (default: $TMPDIR/yarrowind-bench/journal-<N>.db, N = 1000000) is generated on
// the first run and reused afterwards. Run a Release build.

#include "app/programstate.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/journalmodel.h"
#include "gui/platform/platform.h"
#include "journal/generator.h"
#include "journal/journal.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

QString g_journal;
qint64 g_records = 1000000;

// A platform that answers nothing: the benchmark never shows a dialog.
class SilentPlatform : public yw::Platform {
public:
    int message(QWidget *, yw::MsgIcon, const QString &caption, const QString &text, int, int def) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qPrintable(caption), qPrintable(text));
        return def;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString folder(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QFont> font(QWidget *, const QFont &) override { return std::nullopt; }
    void playSound(const QString &) override {}
    bool openUrl(const QUrl &) override { return false; }
    void showHelp(int) override {}
    QDateTime now() const override { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); }
};

void ensureJournal()
{
    if (QFileInfo::exists(g_journal))
        return;
    QDir().mkpath(QFileInfo(g_journal).absolutePath());
    std::fprintf(stderr, "generating %lld records into %s ...\n", g_records, qPrintable(g_journal));
    QElapsedTimer t;
    t.start();
    const QString partial = g_journal + QStringLiteral(".part");
    QFile::remove(partial);
    yw::Journal journal;
    QString error;
    if (!yw::Journal::create(partial, nullptr, &error) || !journal.open(partial, nullptr, &error)) {
        std::fprintf(stderr, "cannot create the journal: %s\n", qPrintable(error));
        std::exit(1);
    }
    yw::JournalGenerator generator(20090131);
    if (!journal.appendEach(
            g_records, [&](qint64) { return generator.next(); }, 0, &error)) {
        std::fprintf(stderr, "cannot fill the journal: %s\n", qPrintable(error));
        std::exit(1);
    }
    journal.close();
    QFile::rename(partial, g_journal);
    std::fprintf(stderr, "generated in %.1f s, %lld MB\n", double(t.elapsed()) / 1000,
                 QFileInfo(g_journal).size() >> 20);
}

// The results browser as the program creates it, on a throwaway program folder.
struct BrowserFixture {
    QTemporaryDir programDir;
    SilentPlatform platform;
    yw::AppContext ctx;
    std::unique_ptr<yw::TDataBaseForm> form;

    BrowserFixture()
    {
        ctx.platform = &platform;
        ctx.programDir = programDir.path();
        ctx.runtimeDir = programDir.path();
        yw::programState().versionText = yw::kSettingsVersion;
    }
    // Opening and the first screen: connection, users list file, Ids, the visible rows drawn.
    void openAndPaint()
    {
        form = std::make_unique<yw::TDataBaseForm>(ctx);
        ctx.dataBaseForm = form.get();
        if (!form->ConnectBase(g_journal))
            std::exit(1);
        form->show();
        const QPixmap shot = form->DBGridEh->viewport()->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
};

void BM_OpenAndFirstScreen(benchmark::State &state)
{
    for (auto _ : state) {
        BrowserFixture fixture;
        fixture.openAndPaint();
        state.PauseTiming();
        fixture.form.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = double(g_records);
}

void BM_ScrollToEnd(benchmark::State &state)
{
    BrowserFixture fixture;
    fixture.openAndPaint();
    QScrollBar *bar = fixture.form->DBGridEh->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        // Jumps far apart, each one a new page fetched and drawn.
        bar->setValue(step++ % 2 ? bar->maximum() : bar->maximum() / 2 + step);
        benchmark::DoNotOptimize(fixture.form->DBGridEh->viewport()->grab().cacheKey());
    }
}

const char *const kFields[] = {"DateVar",        "UserName",  "GeksagrammaOld", "GeksagrammaYou",
                               "Interpretation", "Attention", "Method",         "Principle"};

void BM_DistinctValues(benchmark::State &state)
{
    yw::Journal journal;
    journal.open(g_journal);
    const QString field = QLatin1String(kFields[state.range(0)]);
    qsizetype n = 0;
    for (auto _ : state) {
        const QStringList values = journal.distinctValues(field);
        n = values.size();
        benchmark::DoNotOptimize(values.constData());
    }
    state.SetLabel(field.toStdString());
    state.counters["values"] = double(n);
}

// The statements as the browser runs them, and their literal form for the shell.
struct Statement {
    const char *name;
    yw::JournalStatistics which;
    yw::JournalFilter filter;
    QString from, to;
};

const std::vector<Statement> &statements()
{
    static const std::vector<Statement> list = {
        {"old", yw::JournalStatistics::OldCounts, {}, {}, {}},
        {"young", yw::JournalStatistics::YoungCounts, {}, {}, {}},
        {"range-1-year",
         yw::JournalStatistics::DateRange,
         {},
         QStringLiteral("01.01.2010"),
         QStringLiteral("31.12.2010")},
        {"old-user", yw::JournalStatistics::OldCounts, {QStringLiteral("UserName"), QStringLiteral("O'Brien")}, {}, {}},
        {"young-manual",
         yw::JournalStatistics::YoungCounts,
         {QStringLiteral("Principle"), yw::kPrincipleManual},
         {},
         {}},
        {"range-user-1-year",
         yw::JournalStatistics::DateRange,
         {QStringLiteral("UserName"), QStringLiteral("O'Brien")},
         QStringLiteral("01.01.2010"),
         QStringLiteral("31.12.2010")},
        {"range-all", yw::JournalStatistics::DateRange, {}, QStringLiteral("01.01.2000"), QStringLiteral("31.12.2030")},
    };
    return list;
}

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

QString literalSql(const Statement &s)
{
    QString sql = yw::Journal::statisticsSql(s.which, s.filter);
    sql.replace(QStringLiteral("TODATE(:from, 'DD.MM.YYYY')"), quoted(yw::Journal::storedDate(s.from)));
    sql.replace(QStringLiteral("TODATE(:to, 'DD.MM.YYYY')"), quoted(yw::Journal::storedDate(s.to)));
    sql.replace(QStringLiteral(":value"), quoted(s.filter.value));
    return sql;
}

void BM_Statistics(benchmark::State &state)
{
    const Statement &s = statements()[size_t(state.range(0))];
    yw::Journal journal;
    journal.open(g_journal);
    qsizetype rows = 0;
    for (auto _ : state) {
        const auto table = journal.statistics(s.which, s.filter, s.from, s.to);
        if (!table) {
            state.SkipWithError("statement failed");
            return;
        }
        rows = table->rowCount();
    }
    state.SetLabel(s.name);
    state.counters["rows"] = double(rows);
}

// One run of the sqlcipher shell: key, the program's cipher settings and a first read (where
// the key is derived), then the statement alone under the shell's own timer, its rows printed
// to /dev/null.
double shellSeconds(const QString &sql)
{
    const QByteArray key = yw::Journal::textBase(yw::Journal::storedPassword());
    QByteArray script = "PRAGMA key = '" + key +
                        "';\nPRAGMA cipher_page_size = 4096;\nPRAGMA cache_size = -16384;\n"
                        "SELECT count(*) FROM sqlite_master;\n.output /dev/null\n.timer on\n";
    script += sql.toUtf8() + ";\n";
    QProcess p;
    p.start(QStringLiteral("sqlcipher"), {QStringLiteral("-batch"), g_journal});
    p.write(script);
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitCode() != 0 || !p.readAllStandardError().isEmpty())
        return -1;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 4 && parts[0] == "Run" && parts[2] == "real")
            return parts[3].toDouble();
    }
    return -1;
}

void BM_ShellStatistics(benchmark::State &state)
{
    const Statement &s = statements()[size_t(state.range(0))];
    const QString sql = literalSql(s);
    for (auto _ : state) {
        const double seconds = shellSeconds(sql);
        if (seconds < 0) {
            state.SkipWithError("the shell failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.SetLabel(s.name);
}

// The resident memory of a fresh process holding the browser open on the journal after the
// user has looked around: first screen, the end, the middle, a filter, the statistics panel.
int memoryProbe()
{
    BrowserFixture fixture;
    fixture.openAndPaint();
    yw::TDataBaseForm *f = fixture.form.get();
    QScrollBar *bar = f->DBGridEh->verticalScrollBar();
    for (int v : {bar->maximum(), bar->maximum() / 2, bar->maximum() / 3, 0}) {
        bar->setValue(v);
        f->DBGridEh->viewport()->grab();
    }
    f->FTitleFlatComboBox->setCurrentIndex(2); // Пользователь
    f->FValueFlatComboBox->setCurrentIndex(f->FValueFlatComboBox->findText(QStringLiteral("O'Brien")));
    f->DBGridEh->viewport()->grab();
    f->FTitleFlatComboBox->setCurrentIndex(0);
    f->SQLFlatSpeedButton->click();
    f->TitleSQLFlatComboBox->setCurrentIndex(2);
    f->SQLDateEdit1->setDate(QDate(2000, 1, 1));
    f->SQLDateEdit2->setDate(QDate(2030, 12, 31));
    f->DateExecFlatSpeedButton->click(); // the whole journal in the query grid
    f->grab();
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    for (const QByteArray &line : text.split('\n'))
        if (line.startsWith("VmRSS") || line.startsWith("VmHWM"))
            std::printf("%s\n", line.simplified().constData());
    std::printf("rows in query grid: %d\n", f->sqlModel()->rowCount());
    return 0;
}

void BM_BrowserMemory(benchmark::State &state)
{
    double rss = 0, peak = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-probe"), QStringLiteral("--journal"), g_journal});
        p.waitForFinished(-1);
        for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() >= 2 && parts[0] == "VmRSS:")
                rss = parts[1].toDouble() / 1024;
            if (parts.size() >= 2 && parts[0] == "VmHWM:")
                peak = parts[1].toDouble() / 1024;
        }
    }
    state.counters["rss_MB"] = rss;
    state.counters["peak_MB"] = peak;
}

} // namespace

BENCHMARK(BM_OpenAndFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ScrollToEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistinctValues)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statistics)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ShellStatistics)->DenseRange(0, 6)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_BrowserMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    yw::Application app(argc, argv);
    yw::installFontSubstitutes();
    QApplication::setFont(yw::designFont());

    bool probe = false;
    std::vector<char *> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--journal") == 0 && i + 1 < argc)
            g_journal = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--records") == 0 && i + 1 < argc)
            g_records = std::atoll(argv[++i]);
        else if (std::strcmp(argv[i], "--memory-probe") == 0)
            probe = true;
        else
            rest.push_back(argv[i]);
    }
    if (g_journal.isEmpty())
        g_journal = QDir::tempPath() + QStringLiteral("/yarrowind-bench/journal-%1.db").arg(g_records);
    ensureJournal();
    if (probe)
        return memoryProbe();

    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
