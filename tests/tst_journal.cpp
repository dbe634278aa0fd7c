#include "app/cp1251.h"
#include "journal/generator.h"
#include "journal/journal.h"
#include "journal/schema.h"
#include "support/testenv.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <map>

#include "support/records.h"

using namespace yw;

namespace {

// A raw connection with the program's key, for looking at what the journal wrote.
struct Raw {
    sqlite3 *db = nullptr;
    explicit Raw(const QString &path, bool withKey = true)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        if (withKey) {
            const QByteArray key = Journal::textBase(Journal::storedPassword());
            sqlite3_key(db, key.constData(), int(key.size()));
            for (const char *pragma : journal_schema::kConnectionPragmas)
                sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
        }
    }
    ~Raw() { sqlite3_close(db); }
    QStringList column(const QString &sql, int c = 0) const
    {
        QStringList out;
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK)
            return {QStringLiteral("<error>")};
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, c)));
        sqlite3_finalize(s);
        if (rc != SQLITE_DONE)
            out << QStringLiteral("<error>");
        return out;
    }
    bool exec(const char *sql) const { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
};

struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState &) const = default;
};
FileState stateOf(const QString &path)
{
    FileState s;
    if (path.isEmpty())
        return s;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        s.bytes = f.readAll();
    s.modified = QFileInfo(path).lastModified();
    return s;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT

private slots:
    void textBase_data();
    void textBase();
    void createdFileHasBothTablesInOrderAndIsEncrypted();
    void createRefusesAnExistingFile();
    void appendIsPositionalAndReadsBack();
    void appendFailsQuietlyWhenClosed();
    void openFailures_data();
    void openFailures();
    void filterCountsWithBoundValues_data();
    void filterCountsWithBoundValues();
    void distinctValuesInOrder();
    void statisticsMatchARecount_data();
    void statisticsMatchARecount();
    void dateRangeIncludesBothEnds();
    void badPeriodGivesNoRows();
    void removeAndIdsWithGaps();
    void clearKeepsUsersAndRestartsIds();
    void compactKeepsRecordsAndShrinks();
    void userListFile_data();
    void userListFile();
    void templateCopyReplacesOnlyWhenComplete();
    void templateFromTheBuildOpens();
    void killedWhileAppending_data();
    void killedWhileAppending();
    void cliStatsAndCount();

private:
    QTemporaryDir m_dir;
    QString newJournal(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        if (!Journal::create(path))
            qFatal("cannot create a journal");
        return path;
    }
};

void TestJournal::textBase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("stored password") << Journal::storedPassword() << QByteArray::fromBase64("Qk5hUtL0rWx2");
    QTest::newRow("full group") << QStringLiteral("TWFu") << QByteArray("Man");
    QTest::newRow("one pad") << QStringLiteral("TWE=") << QByteArray("Ma");
    QTest::newRow("two pads") << QStringLiteral("TQ==") << QByteArray("M");
    QTest::newRow("foreign characters skipped") << QStringLiteral("T W\r\nF-u") << QByteArray("Man");
    QTest::newRow("short last group gives nothing") << QStringLiteral("TWFuTW") << QByteArray("Man");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("plus and slash") << QStringLiteral("+/+/") << QByteArray("\xfb\xff\xbf");
}

void TestJournal::textBase()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Journal::textBase(text), bytes);
}

void TestJournal::createdFileHasBothTablesInOrderAndIsEncrypted()
{
    const QString path = newJournal(QStringLiteral("schema.db"));
    Raw raw(path);
    QCOMPARE(raw.column(QStringLiteral("PRAGMA table_info(RGeksa)"), 1).join(u','),
             QStringLiteral("Id,DateVar,TimeVar,UserName,Question,GeksagrammaOld,GeksagrammaYou,GO1,GO2,GO3,GO4,GO5,"
                            "GO6,Interpretation,Attention,Method,Principle"));
    QCOMPARE(raw.column(QStringLiteral("PRAGMA table_info(RUser)"), 1).join(u','),
             QStringLiteral("DisplayName,FName,SName,MName,BornDate,BornTime,BornTown,TownLat,SLat,TownLon,Slon,"
                            "TownGMT,FormatDisplay,SexName"));
    QCOMPARE(raw.column(QStringLiteral("PRAGMA table_info(RGeksa)"), 2).mid(0, 3),
             (QStringList{QStringLiteral("INTEGER"), QStringLiteral("DATE"), QStringLiteral("TIME")}));

    // Without the key nothing is readable, not even the header.
    QVERIFY(!stateOf(path).bytes.startsWith("SQLite format 3"));
    QVERIFY(!stateOf(path).bytes.contains("RGeksa"));
    Raw plain(path, false);
    QCOMPARE(plain.column(QStringLiteral("SELECT count(*) FROM sqlite_master")).last(), QStringLiteral("<error>"));
}

void TestJournal::createRefusesAnExistingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("taken.db"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    JournalFailure why;
    QVERIFY(!Journal::create(path, &why));
    QCOMPARE(why, JournalFailure::Exists);
    QCOMPARE(stateOf(path).bytes, QByteArray("keep me"));
}

void TestJournal::appendIsPositionalAndReadsBack()
{
    const QString path = newJournal(QStringLiteral("append.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    QSignalSpy changed(&journal, &Journal::changed);
    JournalRecord a =
        sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2009, 1, 31), kPrincipleManual, QStringLiteral("!"));
    a.question = QStringLiteral("Что будет?");
    QVERIFY(journal.append(a));
    QVERIFY(journal.append(sampleRecord(QStringLiteral("Анна"), 64, 63, QDate(2010, 2, 1))));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(journal.count(), 2);

    const auto back = journal.record(1);
    QVERIFY(back);
    QCOMPARE(back->id, 1);
    QCOMPARE(back->date, QDate(2009, 1, 31));
    QCOMPARE(back->time, QTime(13, 5, 9));
    QCOMPARE(back->userName, QStringLiteral("O'Brien"));
    QCOMPARE(back->question, QStringLiteral("Что будет?"));
    QCOMPARE(back->geksagrammaOld, 7);
    QCOMPARE(back->geksagrammaYou, 12);
    QCOMPARE(back->go[2], QStringLiteral("9"));
    QCOMPARE(back->interpretation, QStringLiteral("Канонический текст"));
    QCOMPARE(back->attention, QStringLiteral("!"));
    QCOMPARE(back->principle, kPrincipleManual);
    QCOMPARE(journal.record(2)->id, 2);

    // What the engine holds: ISO date text, hh:mm:ss, integers, UTF-8 text.
    journal.close();
    Raw raw(path);
    QCOMPARE(raw.column(QStringLiteral("SELECT DateVar || '|' || TimeVar || '|' || typeof(GeksagrammaOld) || '|' || "
                                       "typeof(GO1) || '|' || Question FROM RGeksa WHERE Id = 1")),
             QStringList{QStringLiteral("2009-01-31|13:05:09|integer|text|Что будет?")});

    QStringList visited;
    Journal again;
    QVERIFY(again.open(path));
    again.forEach({}, [&](const JournalRecord &r) {
        visited << r.userName;
        return true;
    });
    QCOMPARE(visited, (QStringList{QStringLiteral("O'Brien"), QStringLiteral("Анна")}));
}

void TestJournal::appendFailsQuietlyWhenClosed()
{
    Journal journal;
    QSignalSpy changed(&journal, &Journal::changed);
    QString error;
    QVERIFY(!journal.append(sampleRecord(QStringLiteral("x"), 1, 1, QDate(2000, 1, 1)), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(journal.count(), 0);
}

void TestJournal::openFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("why");
    QTest::newRow("missing") << "missing" << int(JournalFailure::Missing);
    QTest::newRow("empty path") << "empty path" << int(JournalFailure::Missing);
    QTest::newRow("empty file") << "empty file" << int(JournalFailure::EmptyFile);
    QTest::newRow("text file") << "text file" << int(JournalFailure::NotDatabase);
    QTest::newRow("plain sqlite") << "plain sqlite" << int(JournalFailure::NotDatabase);
    QTest::newRow("other key") << "other key" << int(JournalFailure::NotDatabase);
    QTest::newRow("no journal tables") << "no tables" << int(JournalFailure::WrongSchema);
    QTest::newRow("folder") << "folder" << int(JournalFailure::Missing);
    QTest::newRow("read-only file") << "read-only file" << int(JournalFailure::ReadOnlyFile);
    QTest::newRow("read-only folder") << "read-only folder" << int(JournalFailure::ReadOnlyFolder);
}

void TestJournal::openFailures()
{
    QFETCH(QString, kind);
    QFETCH(int, why);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ibase.db"));
    auto write = [&](const QByteArray &bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    auto keyed = [&](const QByteArray &key, bool tables) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        if (!key.isEmpty())
            sqlite3_key(db, key.constData(), int(key.size()));
        if (!key.isEmpty())
            for (const char *pragma : journal_schema::kConnectionPragmas)
                sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
        sqlite3_exec(db, tables ? "CREATE TABLE RGeksa(Id); CREATE TABLE RUser(DisplayName)" : "CREATE TABLE x(y)",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };
    if (kind == QLatin1String("empty path"))
        path.clear();
    else if (kind == QLatin1String("empty file"))
        write({});
    else if (kind == QLatin1String("text file"))
        write(QByteArray("Это не база данных\r\n").repeated(300));
    else if (kind == QLatin1String("plain sqlite"))
        keyed({}, true);
    else if (kind == QLatin1String("other key"))
        keyed("another password", true);
    else if (kind == QLatin1String("no tables"))
        keyed(Journal::textBase(Journal::storedPassword()), false);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (kind == QLatin1String("read-only file")) {
        path = newJournal(QStringLiteral("ro.db"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    } else if (kind == QLatin1String("read-only folder")) {
        const QString sub = dir.filePath(QStringLiteral("locked"));
        QDir().mkpath(sub);
        path = sub + QStringLiteral("/ibase.db");
        QVERIFY(Journal::create(path));
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser);
    }
    const FileState before = stateOf(path);

    Journal journal;
    JournalFailure reason = JournalFailure::None;
    QString error;
    QVERIFY(!journal.open(path, &reason, &error));
    QCOMPARE(int(reason), why);
    QCOMPARE(error, Journal::failureText(reason));
    QVERIFY(!error.isEmpty());
    QVERIFY(!journal.isOpen());
    QCOMPARE(journal.count(), 0);
    // The file is exactly as it was, and a missing one was not created.
    QCOMPARE(stateOf(path), before);
    if (kind == QLatin1String("missing"))
        QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-journal")));

    if (kind.startsWith(QLatin1String("read-only"))) {
        QFile::setPermissions(QFileInfo(path).absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(journal.open(path));
    }
}

void TestJournal::filterCountsWithBoundValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("apostrophe") << "UserName"
                                << "O'Brien" << 3;
    QTest::newRow("injection attempt") << "UserName"
                                       << "x' OR '1'='1" << 0;
    QTest::newRow("integer column") << "GeksagrammaOld"
                                    << "7" << 2;
    QTest::newRow("integer with blanks") << "GeksagrammaOld"
                                         << " 7 " << 2;
    QTest::newRow("young") << "GeksagrammaYou"
                           << "12" << 1;
    QTest::newRow("date as shown") << "DateVar"
                                   << "31.01.2009" << 2;
    QTest::newRow("date not a date") << "DateVar"
                                     << "2009-01-31x" << 0;
    QTest::newRow("empty attention") << "Attention"
                                     << "" << 3;
    QTest::newRow("attention mark") << "Attention"
                                    << "!" << 2;
    QTest::newRow("manual") << "Principle"
                            << "Ручной ввод" << 1;
    QTest::newRow("all") << "UserName"
                         << "Все" << 5;
    QTest::newRow("no field") << ""
                              << "O'Brien" << 5;
}

void TestJournal::filterCountsWithBoundValues()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, expected);
    const QString path = newJournal(QStringLiteral("filter.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    QVERIFY(journal.appendAll({
        sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2009, 1, 31), kPrincipleProgram, QStringLiteral("!")),
        sampleRecord(QStringLiteral("O'Brien"), 7, 7, QDate(2009, 1, 31)),
        sampleRecord(QStringLiteral("O'Brien"), 8, 8, QDate(2009, 2, 1), kPrincipleManual),
        sampleRecord(QStringLiteral("Анна"), 17, 17, QDate(2010, 3, 3), kPrincipleProgram, QStringLiteral("!")),
        sampleRecord(QStringLiteral("O'"), 1, 1, QDate(2011, 4, 4)),
    }));
    const JournalFilter filter{field, value};
    QCOMPARE(journal.count(filter), qint64(expected));
    QCOMPARE(journal.ids(filter).size(), qsizetype(expected));
    int visited = 0;
    journal.forEach(filter, [&](const JournalRecord &) { return ++visited < 1000; });
    QCOMPARE(visited, expected);
    // The table survived whatever the value held.
    QCOMPARE(journal.count(), 5);
}

void TestJournal::distinctValuesInOrder()
{
    const QString path = newJournal(QStringLiteral("distinct.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    QVERIFY(journal.appendAll({
        sampleRecord(QStringLiteral("Иван"), 12, 12, QDate(2010, 3, 3)),
        sampleRecord(QStringLiteral("Анна"), 7, 7, QDate(2009, 12, 31), kPrincipleManual, QStringLiteral("!")),
        sampleRecord(QStringLiteral("Иван"), 64, 12, QDate(2009, 1, 2)),
        sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2010, 3, 3)),
    }));
    QCOMPARE(journal.distinctValues(QStringLiteral("UserName")),
             (QStringList{QStringLiteral("O'Brien"), QStringLiteral("Анна"), QStringLiteral("Иван")}));
    // Numbers in numeric order, dates in date order shown as dd.mm.yyyy.
    QCOMPARE(journal.distinctValues(QStringLiteral("GeksagrammaOld")),
             (QStringList{QStringLiteral("7"), QStringLiteral("12"), QStringLiteral("64")}));
    QCOMPARE(journal.distinctValues(QStringLiteral("DateVar")),
             (QStringList{QStringLiteral("02.01.2009"), QStringLiteral("31.12.2009"), QStringLiteral("03.03.2010")}));
    QCOMPARE(journal.distinctValues(QStringLiteral("Attention")), (QStringList{QString(), QStringLiteral("!")}));
    QCOMPARE(journal.distinctValues(QStringLiteral("Principle")), (QStringList{kPrincipleProgram, kPrincipleManual}));
    // Only real field names reach the statement.
    QVERIFY(journal.distinctValues(QStringLiteral("UserName FROM RGeksa; DROP TABLE RUser; --")).isEmpty());
    QCOMPARE(journal.count(), 4);
}

void TestJournal::statisticsMatchARecount_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("old, whole journal") << int(JournalStatistics::OldCounts) << ""
                                        << "";
    QTest::newRow("young, whole journal") << int(JournalStatistics::YoungCounts) << ""
                                          << "";
    QTest::newRow("old, O'Brien") << int(JournalStatistics::OldCounts) << "UserName"
                                  << "O'Brien";
    QTest::newRow("young, manual") << int(JournalStatistics::YoungCounts) << "Principle"
                                   << "Ручной ввод";
    QTest::newRow("old, by date") << int(JournalStatistics::OldCounts) << "DateVar"
                                  << "__first_date__";
    QTest::newRow("young, by old number") << int(JournalStatistics::YoungCounts) << "GeksagrammaOld"
                                          << "2";
}

void TestJournal::statisticsMatchARecount()
{
    QFETCH(int, which);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const QString path = newJournal(QStringLiteral("stats.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    JournalGenerator generator(11);
    QList<JournalRecord> records;
    for (int i = 0; i < 3000; ++i)
        records << generator.next();
    QVERIFY(journal.appendAll(records));
    if (value == QLatin1String("__first_date__"))
        value = records.first().date.toString(QStringLiteral("dd.MM.yyyy"));

    const bool old = which == int(JournalStatistics::OldCounts);
    std::map<std::pair<QString, int>, int> expected;
    for (const JournalRecord &r : records) {
        if (!field.isEmpty()) {
            const QString v = field == QLatin1String("UserName")         ? r.userName
                              : field == QLatin1String("Principle")      ? r.principle
                              : field == QLatin1String("DateVar")        ? r.date.toString(QStringLiteral("dd.MM.yyyy"))
                              : field == QLatin1String("GeksagrammaOld") ? QString::number(r.geksagrammaOld)
                                                                         : QString();
            if (v != value)
                continue;
        }
        ++expected[{r.userName, old ? r.geksagrammaOld : r.geksagrammaYou}];
    }
    QVERIFY(!expected.empty());

    const auto table = journal.statistics(JournalStatistics(which), {field, value}, {}, {});
    QVERIFY(table);
    QCOMPARE(table->columns,
             (QStringList{QStringLiteral("Пользователь"),
                          old ? QStringLiteral("Старая Гексаграмма") : QStringLiteral("Молодая Гексаграмма"),
                          QStringLiteral("Attention")}));
    QCOMPARE(table->rowCount(), qsizetype(expected.size()));
    // Grouped rows come in the engine's order (by user, then number); every count matches.
    auto it = expected.begin();
    for (qsizetype r = 0; r < table->rowCount(); ++r, ++it) {
        QCOMPARE(table->cell(r, 0), it->first.first);
        QCOMPARE(table->cell(r, 1), QString::number(it->first.second));
        QCOMPARE(table->cell(r, 2), QString::number(it->second));
    }
}

void TestJournal::dateRangeIncludesBothEnds()
{
    const QString path = newJournal(QStringLiteral("range.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    QVERIFY(journal.appendAll({
        sampleRecord(QStringLiteral("O'Brien"), 1, 2, QDate(2009, 1, 30)),
        sampleRecord(QStringLiteral("O'Brien"), 3, 4, QDate(2009, 1, 31)),
        sampleRecord(QStringLiteral("Анна"), 5, 6, QDate(2009, 2, 10)),
        sampleRecord(QStringLiteral("O'Brien"), 7, 8, QDate(2009, 2, 28)),
        sampleRecord(QStringLiteral("O'Brien"), 9, 10, QDate(2009, 3, 1)),
    }));
    auto table = journal.statistics(JournalStatistics::DateRange, {}, QStringLiteral("31.01.2009"),
                                    QStringLiteral("28.02.2009"));
    QVERIFY(table);
    QCOMPARE(table->columns,
             (QStringList{QStringLiteral("Пользователь"), QStringLiteral("Дата"), QStringLiteral("Старая Гексаграмма"),
                          QStringLiteral("Молодая Гексаграмма")}));
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->row(0), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("31.01.2009"), QStringLiteral("3"),
                                         QStringLiteral("4")}));
    QCOMPARE(table->row(2).at(1), QStringLiteral("28.02.2009"));

    table = journal.statistics(JournalStatistics::DateRange, {QStringLiteral("UserName"), QStringLiteral("O'Brien")},
                               QStringLiteral("31.01.2009"), QStringLiteral("28.02.2009"));
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->cell(1, 2), QStringLiteral("7"));
}

void TestJournal::badPeriodGivesNoRows()
{
    const QString path = newJournal(QStringLiteral("badperiod.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    QVERIFY(journal.append(sampleRecord(QStringLiteral("x"), 1, 1, QDate(2009, 1, 30))));
    const auto table = journal.statistics(JournalStatistics::DateRange, {}, QStringLiteral("31.02.2009"),
                                          QStringLiteral("01.01.2010"));
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 0);
    // A closed journal rejects the statement.
    journal.close();
    QVERIFY(!journal.statistics(JournalStatistics::OldCounts, {}, {}, {}));
}

void TestJournal::removeAndIdsWithGaps()
{
    const QString path = newJournal(QStringLiteral("remove.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    for (int i = 0; i < 5; ++i)
        QVERIFY(journal.append(sampleRecord(QStringLiteral("u%1").arg(i), i + 1, i + 1, QDate(2009, 1, 1 + i))));
    QVERIFY(journal.idRange().contiguous());
    QVERIFY(journal.remove(3));
    QCOMPARE(journal.count(), 4);
    const Journal::IdRange range = journal.idRange();
    QCOMPARE(range.first, 1);
    QCOMPARE(range.last, 5);
    QVERIFY(!range.contiguous());
    QCOMPARE(journal.ids(), (QVector<qint64>{1, 2, 4, 5}));
    QCOMPARE(journal.recordsBetween(2, 5).size(), 3);
    // A new record never takes a freed number.
    QVERIFY(journal.append(sampleRecord(QStringLiteral("u5"), 1, 1, QDate(2009, 1, 1))));
    QCOMPARE(journal.ids().last(), 6);
}

void TestJournal::clearKeepsUsersAndRestartsIds()
{
    const QString path = newJournal(QStringLiteral("clear.db"));
    {
        Raw raw(path);
        QVERIFY(raw.exec("INSERT INTO RUser (DisplayName) VALUES ('Анна'), ('O''Brien')"));
    }
    Journal journal;
    QVERIFY(journal.open(path));
    QVERIFY(journal.append(sampleRecord(QStringLiteral("x"), 1, 1, QDate(2009, 1, 1))));
    QVERIFY(journal.append(sampleRecord(QStringLiteral("y"), 1, 1, QDate(2009, 1, 1))));
    QSignalSpy changed(&journal, &Journal::changed);
    journal.clear();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(journal.count(), 0);
    QCOMPARE(journal.userNames(), (QStringList{QStringLiteral("Анна"), QStringLiteral("O'Brien")}));
    journal.clear(); // an empty journal clears again without complaint
    QVERIFY(journal.append(sampleRecord(QStringLiteral("z"), 1, 1, QDate(2009, 1, 1))));
    QCOMPARE(journal.ids(), QVector<qint64>{1});
}

void TestJournal::compactKeepsRecordsAndShrinks()
{
    const QString path = newJournal(QStringLiteral("compact.db"));
    Journal journal;
    QVERIFY(journal.open(path));
    JournalGenerator generator(3);
    QVERIFY(journal.appendEach(4000, [&](qint64) { return generator.next(); }));
    const JournalRecord last = *journal.record(4000);
    // Free most of the file's pages (one transaction: one sync).
    const QVector<qint64> ids = journal.ids({QStringLiteral("Principle"), kPrincipleProgram});
    sqlite3_exec(journal.handle(), "BEGIN", nullptr, nullptr, nullptr);
    for (const qint64 id : ids)
        if (id < 3000)
            QVERIFY(journal.remove(id));
    sqlite3_exec(journal.handle(), "COMMIT", nullptr, nullptr, nullptr);
    const qint64 remaining = journal.count();
    const qint64 before = QFileInfo(path).size();
    journal.compact();
    QVERIFY(journal.isOpen());
    QVERIFY(QFileInfo(path).size() < before);
    QCOMPARE(journal.count(), remaining);
    QCOMPARE(journal.record(4000)->question, last.question);
    QVERIFY(journal.append(sampleRecord(QStringLiteral("after"), 1, 1, QDate(2020, 1, 1))));
    Journal again;
    QVERIFY(again.open(path));
    QCOMPARE(again.count(), remaining + 1);
}

void TestJournal::userListFile_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("none") << QStringList{} << QByteArray();
    QTest::newRow("cp1251 and CR LF") << QStringList{QStringLiteral("Анна"), QStringLiteral("O'Brien")}
                                      << QByteArray("\xc0\xed\xed\xe0\r\nO'Brien\r\n");
}

void TestJournal::userListFile()
{
    QFETCH(QStringList, names);
    QFETCH(QByteArray, bytes);
    const QString path = newJournal(QStringLiteral("users.db"));
    {
        Raw raw(path);
        for (const QString &n : names)
            QVERIFY(raw.exec(QStringLiteral("INSERT INTO RUser (DisplayName) VALUES ('%1')")
                                 .arg(QString(n).replace(u'\'', QStringLiteral("''")))
                                 .toUtf8()
                                 .constData()));
    }
    Journal journal;
    QVERIFY(journal.open(path));
    QCOMPARE(journal.userNames(), names);
    const QString list = m_dir.filePath(QStringLiteral("userch.dat"));
    QVERIFY(Journal::writeUserList(list, journal.userNames()));
    QCOMPARE(stateOf(list).bytes, bytes);
    QVERIFY(!Journal::writeUserList(m_dir.filePath(QStringLiteral("no/such/folder/userch.dat")), names));
    // The windows read the same file back; blank lines offer no name.
    QCOMPARE(Journal::readUserList(list), std::optional<QStringList>(names));
    QFile edited(list);
    QVERIFY(edited.open(QIODevice::Append));
    edited.write("\r\n\r\n");
    edited.close();
    QCOMPARE(Journal::readUserList(list), std::optional<QStringList>(names));
    QVERIFY(!Journal::readUserList(m_dir.filePath(QStringLiteral("no-such-userch.dat"))));
}

void TestJournal::templateCopyReplacesOnlyWhenComplete()
{
    const QString source = newJournal(QStringLiteral("template.thb"));
    const QDateTime stamp(QDate(2009, 1, 31), QTime(12, 0, 0));
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    const QString target = m_dir.filePath(QStringLiteral("copy/ibase.db"));
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QVERIFY(Journal::copyTemplate(source, target));
    QCOMPARE(stateOf(target).bytes, stateOf(source).bytes);
    QCOMPARE(QFileInfo(target).lastModified(), stamp);
    Journal journal;
    QVERIFY(journal.open(target));
    QVERIFY(journal.append(sampleRecord(QStringLiteral("x"), 1, 1, QDate(2009, 1, 1))));
    journal.close();

    // A template that cannot be read leaves the existing journal alone.
    const FileState before = stateOf(target);
    QString error;
    QVERIFY(!Journal::copyTemplate(m_dir.filePath(QStringLiteral("missing.thb")), target, &error));
    QVERIFY(error.contains(QStringLiteral("missing.thb")));
    QCOMPARE(stateOf(target), before);
}

void TestJournal::templateFromTheBuildOpens()
{
    const QString thb = QStringLiteral(YW_PROGRAM_DIR "/ibase.thb");
    QVERIFY2(QFileInfo::exists(thb), "the build makes the template");
    const QString copy = m_dir.filePath(QStringLiteral("fromtemplate.db"));
    QFile::remove(copy);
    QVERIFY(QFile::copy(thb, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    Journal journal;
    QVERIFY(journal.open(copy));
    QCOMPARE(journal.count(), 0);
    QVERIFY(journal.userNames().isEmpty());
}

void TestJournal::killedWhileAppending_data()
{
    QTest::addColumn<int>("batch");
    QTest::newRow("one transaction") << 0;
    QTest::newRow("commit every 500") << 500;
}

void TestJournal::killedWhileAppending()
{
    QFETCH(int, batch);
    const QString path = newJournal(QStringLiteral("killed.db"));
    {
        Journal journal;
        QVERIFY(journal.open(path));
        JournalGenerator generator(5);
        QVERIFY(journal.appendEach(250, [&](qint64) { return generator.next(); }));
    }
    QProcess child;
    child.start(QStringLiteral(YW_CLI_PATH),
                {QStringLiteral("journal"), QStringLiteral("generate"), QStringLiteral("--db"), path,
                 QStringLiteral("--records"), QStringLiteral("3000000"), QStringLiteral("--batch"),
                 QString::number(batch)});
    QVERIFY(child.waitForStarted());
    // Wait until the child is well inside its appends: its rollback journal exists and the
    // file has grown.
    const qint64 size0 = QFileInfo(path).size();
    QTRY_VERIFY_WITH_TIMEOUT(
        QFileInfo::exists(path + QStringLiteral("-journal")) && QFileInfo(path).size() > size0 + 200000, 60000);
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFileInfo::exists(path + QStringLiteral("-journal")));

    Journal journal;
    QVERIFY(journal.open(path));
    const qint64 n = journal.count();
    if (batch == 0)
        QCOMPARE(n, 250);
    else {
        QVERIFY(n >= 250);
        QCOMPARE((n - 250) % batch, 0);
    }
    // The 250 earlier records are all there and the file is sound.
    QCOMPARE(journal.record(250)->id, 250);
    Raw raw(path);
    QCOMPARE(raw.column(QStringLiteral("PRAGMA integrity_check")), QStringList{QStringLiteral("ok")});
    QVERIFY(journal.append(sampleRecord(QStringLiteral("after"), 1, 1, QDate(2020, 1, 1))));
}

void TestJournal::cliStatsAndCount()
{
    const QString path = newJournal(QStringLiteral("cli.db"));
    {
        Journal journal;
        QVERIFY(journal.open(path));
        QVERIFY(journal.appendAll({
            sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2009, 1, 31)),
            sampleRecord(QStringLiteral("O'Brien"), 7, 12, QDate(2009, 2, 1)),
            sampleRecord(QStringLiteral("Анна"), 7, 12, QDate(2009, 2, 2)),
        }));
    }
    auto run = [&](const QStringList &args) {
        QProcess p;
        p.start(QStringLiteral(YW_CLI_PATH), QStringList{QStringLiteral("journal")} + args);
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput()).remove(u' ').remove(u'\n');
    };
    QCOMPARE(run({QStringLiteral("count"), QStringLiteral("--db"), path, QStringLiteral("--field"),
                  QStringLiteral("UserName"), QStringLiteral("--value"), QStringLiteral("O'Brien")}),
             QStringLiteral("{\"count\":2}"));
    QCOMPARE(run({QStringLiteral("stats"), QStringLiteral("old"), QStringLiteral("--db"), path}),
             QStringLiteral("{\"columns\":[\"Пользователь\",\"СтараяГексаграмма\",\"Attention\"],"
                            "\"rows\":[[\"O'Brien\",\"7\",\"2\"],[\"Анна\",\"7\",\"1\"]]}"));
    QCOMPARE(
        run({QStringLiteral("stats"), QStringLiteral("range"), QStringLiteral("--db"), path, QStringLiteral("--from"),
             QStringLiteral("01.02.2009"), QStringLiteral("--to"), QStringLiteral("01.02.2009")}),
        QStringLiteral("{\"columns\":[\"Пользователь\",\"Дата\",\"СтараяГексаграмма\",\"МолодаяГексаграмма\"],"
                       "\"rows\":[[\"O'Brien\",\"01.02.2009\",\"7\",\"12\"]]}"));
    QProcess bad;
    bad.start(QStringLiteral(YW_CLI_PATH), {QStringLiteral("journal"), QStringLiteral("count"), QStringLiteral("--db"),
                                            m_dir.filePath(QStringLiteral("none.db"))});
    bad.waitForFinished();
    QCOMPARE(bad.exitCode(), 2);
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("none.db"))));
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
