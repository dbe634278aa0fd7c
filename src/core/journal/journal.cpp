#include "journal/journal.h"

#include "app/cp1251.h"
#include "app/error.h"
#include "journal/schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sqlcipher/sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <unordered_map>

namespace yw {
namespace {

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3 *db, const QString &sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (db)
            sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool ok() const { return m_stmt != nullptr; }
    sqlite3_stmt *get() const { return m_stmt; }
    int step() { return sqlite3_step(m_stmt); }
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    void bind(int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bind(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }
    void bindNull(int index) { sqlite3_bind_null(m_stmt, index); }
    int parameter(const char *name) const { return sqlite3_bind_parameter_index(m_stmt, name); }

    QString text(int column) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column)) : QString();
    }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

const char *const kRecordColumns = "Id, DateVar, TimeVar, UserName, Question, GeksagrammaOld, GeksagrammaYou, "
                                   "GO1, GO2, GO3, GO4, GO5, GO6, Interpretation, Attention, Method, Principle";

JournalRecord readRecord(const Statement &s)
{
    JournalRecord r;
    r.id = s.integer(0);
    r.date = QDate::fromString(s.text(1), QStringLiteral("yyyy-MM-dd"));
    r.time = QTime::fromString(s.text(2), QStringLiteral("hh:mm:ss"));
    r.userName = s.text(3);
    r.question = s.text(4);
    r.geksagrammaOld = int(s.integer(5));
    r.geksagrammaYou = int(s.integer(6));
    for (int i = 0; i < 6; ++i)
        r.go[size_t(i)] = s.text(7 + i);
    r.interpretation = s.text(13);
    r.attention = s.text(14);
    r.method = s.text(15);
    r.principle = s.text(16);
    return r;
}

bool isIntegerField(const QString &field)
{
    return field == QLatin1String("Id") || field == QLatin1String("GeksagrammaOld") ||
           field == QLatin1String("GeksagrammaYou");
}

// The right-hand side of "field = ..." for a filter value: dates arrive as the user sees
// them and go through TODATE like the statistics statements' period.
QString filterOperand(const QString &field, const char *name)
{
    if (field == QLatin1String("DateVar"))
        return QStringLiteral("TODATE(%1, 'DD.MM.YYYY')").arg(QLatin1String(name));
    return QLatin1String(name);
}

void bindFilterValue(Statement &s, int index, const JournalFilter &filter)
{
    if (index <= 0)
        return;
    if (isIntegerField(filter.field)) {
        bool ok = false;
        const qint64 n = filter.value.trimmed().toLongLong(&ok);
        if (ok) {
            s.bind(index, n);
            return;
        }
    }
    s.bind(index, filter.value);
}

QString whereClause(const JournalFilter &filter)
{
    if (!filter.active() || !Journal::isFilterField(filter.field))
        return {};
    return QStringLiteral(" WHERE %1 = %2").arg(filter.field, filterOperand(filter.field, ":value"));
}

// TODATE(text, format): the date written in text as format says, as the stored ISO text;
// NULL when the text is not such a date. Formats use DD, MM and YYYY.
void toDateFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *t = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const auto *f = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    QString format = QString::fromUtf8(f ? f : "DD.MM.YYYY").toUpper();
    format.replace(QLatin1String("DD"), QLatin1String("dd")).replace(QLatin1String("YYYY"), QLatin1String("yyyy"));
    const QDate d = QDate::fromString(QString::fromUtf8(t).trimmed(), format);
    if (!d.isValid()) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray iso = d.toString(Qt::ISODate).toLatin1();
    sqlite3_result_text(context, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

// Every connection of the program: the key, the cipher settings the files were made with,
// and the TODATE function the statements use.
bool prepareConnection(sqlite3 *db)
{
    const QByteArray key = Journal::textBase(Journal::storedPassword());
    if (sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK)
        return false;
    for (const char *pragma : journal_schema::kConnectionPragmas) {
        if (sqlite3_exec(db, pragma, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return sqlite3_create_function(db, "TODATE", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, toDateFunction,
                                   nullptr, nullptr) == SQLITE_OK;
}

// A file or folder with no write permission bit at all is treated as read-only even for the
// superuser, who could write it anyway: whoever took the bits away meant it.
bool writable(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::access(name.constData(), W_OK) == 0;
}

bool folderWritable(const QString &path)
{
    return writable(QFileInfo(path).absolutePath());
}

} // namespace

Journal::Journal(QObject *parent) : QObject(parent) {}

Journal::~Journal()
{
    sqlite3_close_v2(m_db);
}

bool Journal::isOpen() const
{
    return m_db != nullptr;
}

QString Journal::path() const
{
    return m_path;
}

QByteArray Journal::textBase(const QString &text)
{
    // Characters outside the alphabet are skipped; a trailing group of fewer than four
    // values gives nothing.
    QByteArray out;
    int values[4];
    int n = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        int v;
        if (c >= u'A' && c <= u'Z')
            v = c - u'A';
        else if (c >= u'a' && c <= u'z')
            v = c - u'a' + 26;
        else if (c >= u'0' && c <= u'9')
            v = c - u'0' + 52;
        else if (c == u'+')
            v = 62;
        else if (c == u'/')
            v = 63;
        else if (c == u'=')
            v = -1; // end
        else
            continue;
        values[n++] = v;
        if (n < 4)
            continue;
        n = 0;
        // An "end" in the first two places is not a valid group; its bits count as zero.
        const int a = std::max(values[0], 0), b = std::max(values[1], 0);
        out.append(char((a << 2) | (b >> 4)));
        if (values[2] < 0)
            break;
        out.append(char(((b & 0x0F) << 4) | (values[2] >> 2)));
        if (values[3] < 0)
            break;
        out.append(char(((values[2] & 0x03) << 6) | values[3]));
    }
    return out;
}

QString Journal::failureText(JournalFailure why)
{
    switch (why) {
    case JournalFailure::None: return {};
    case JournalFailure::Missing: return QStringLiteral("Файл базы данных не найден.");
    case JournalFailure::EmptyFile: return QStringLiteral("Файл базы данных пуст.");
    case JournalFailure::NotDatabase:
        return QStringLiteral("Файл не является базой данных программы, поврежден или защищен другим паролем.");
    case JournalFailure::WrongSchema: return QStringLiteral("В базе данных нет таблиц журнала и пользователей.");
    case JournalFailure::ReadOnlyFile: return QStringLiteral("Файл базы данных доступен только для чтения.");
    case JournalFailure::ReadOnlyFolder:
        return QStringLiteral("Нет права записи в каталог базы данных (он нужен для ее журнала изменений).");
    case JournalFailure::Exists: return QStringLiteral("Файл уже существует.");
    case JournalFailure::Engine: return QStringLiteral("Ошибка ядра базы данных.");
    }
    return {};
}

bool Journal::open(const QString &path, JournalFailure *why, QString *error)
{
    close();
    auto fail = [&](JournalFailure reason, const QString &detail) {
        if (m_db) {
            sqlite3_close_v2(m_db);
            m_db = nullptr;
        }
        if (why)
            *why = reason;
        if (error)
            *error = detail.isEmpty() ? failureText(reason) : detail;
        return false;
    };

    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.exists() || info.isDir())
        return fail(JournalFailure::Missing, {});
    if (info.size() == 0)
        return fail(JournalFailure::EmptyFile, {});

    // Never SQLITE_OPEN_CREATE: a mistyped path must not turn into a new empty file.
    const QByteArray name = QFile::encodeName(info.absoluteFilePath());
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return fail(JournalFailure::NotDatabase, {});
    // The cipher settings read the file's first page: a foreign file fails here already.
    if (!prepareConnection(m_db))
        return fail(JournalFailure::NotDatabase, {});

    // The first read decides whether the key fits; a wrong key looks like a foreign file.
    {
        Statement s(m_db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        if (!s.ok())
            return fail(JournalFailure::NotDatabase, {});
        QStringList tables;
        int rc;
        while ((rc = s.step()) == SQLITE_ROW)
            tables << s.text(0);
        if (rc != SQLITE_DONE)
            return fail(JournalFailure::NotDatabase, {});
        if (!tables.contains(QStringLiteral("RGeksa")) || !tables.contains(QStringLiteral("RUser")))
            return fail(JournalFailure::WrongSchema, {});
    }
    if (sqlite3_db_readonly(m_db, "main") == 1 || !writable(info.absoluteFilePath()))
        return fail(JournalFailure::ReadOnlyFile, {});
    if (!folderWritable(path))
        return fail(JournalFailure::ReadOnlyFolder, {});

    m_path = info.absoluteFilePath();
    if (why)
        *why = JournalFailure::None;
    emit changed();
    return true;
}

void Journal::close()
{
    if (!m_db)
        return;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
    emit changed();
}

bool Journal::create(const QString &path, JournalFailure *why, QString *error)
{
    auto fail = [&](JournalFailure reason, const QString &detail) {
        if (why)
            *why = reason;
        if (error)
            *error = detail.isEmpty() ? failureText(reason) : detail;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists())
        return fail(JournalFailure::Exists, {});
    if (!folderWritable(path))
        return fail(JournalFailure::ReadOnlyFolder, {});

    sqlite3 *db = nullptr;
    const QByteArray name = QFile::encodeName(info.absoluteFilePath());
    int rc = sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString detail;
    bool ok = rc == SQLITE_OK && prepareConnection(db);
    if (ok) {
        QByteArray script = "BEGIN;";
        for (const char *sql : journal_schema::kSchema)
            script += sql + QByteArray(";");
        script += "COMMIT;";
        char *message = nullptr;
        ok = sqlite3_exec(db, script.constData(), nullptr, nullptr, &message) == SQLITE_OK;
        if (message) {
            detail = QString::fromUtf8(message);
            sqlite3_free(message);
        }
    } else if (db) {
        detail = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_close_v2(db);
    if (!ok) {
        QFile::remove(path);
        return fail(JournalFailure::Engine, detail);
    }
    if (why)
        *why = JournalFailure::None;
    return true;
}

bool Journal::copyTemplate(const QString &templatePath, const QString &target, QString *error)
{
    QFile source(templatePath);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Не удается прочитать шаблон базы данных %1: %2")
                         .arg(QDir::toNativeSeparators(templatePath), source.errorString());
        return false;
    }
    const QByteArray bytes = source.readAll();
    const QDateTime modified = QFileInfo(source).lastModified();
    source.close();

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (error)
            *error = QStringLiteral("Не удается записать файл %1: %2")
                         .arg(QDir::toNativeSeparators(target), out.errorString());
        return false;
    }
    QFile written(target);
    if (written.open(QIODevice::ReadWrite))
        written.setFileTime(modified, QFileDevice::FileModificationTime);
    return true;
}

QStringList Journal::userNames() const
{
    QStringList names;
    Statement s(m_db, QStringLiteral("SELECT DisplayName FROM RUser ORDER BY rowid"));
    if (!s.ok())
        return names;
    while (s.step() == SQLITE_ROW)
        names << s.text(0);
    return names;
}

bool Journal::writeUserList(const QString &fileName, const QStringList &names, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(joinCrLf(names));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<QStringList> Journal::readUserList(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList names;
    for (const QString &line : splitLines(fromCp1251(file.readAll())))
        if (!line.isEmpty())
            names.append(line);
    return names;
}

bool Journal::exec(const char *sql, QString *error) const
{
    if (!m_db) {
        if (error)
            *error = QStringLiteral("The journal is not open");
        return false;
    }
    char *message = nullptr;
    const bool ok = sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok && error)
        *error = message ? QString::fromUtf8(message) : lastError();
    sqlite3_free(message);
    return ok;
}

QString Journal::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("The journal is not open");
}

namespace {

const char *const kInsert = "INSERT INTO RGeksa VALUES (NULL, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

void bindRecord(Statement &s, const JournalRecord &r)
{
    if (r.date.isValid())
        s.bind(1, r.date.toString(Qt::ISODate));
    else
        s.bindNull(1);
    if (r.time.isValid())
        s.bind(2, r.time.toString(QStringLiteral("hh:mm:ss")));
    else
        s.bindNull(2);
    s.bind(3, r.userName);
    s.bind(4, r.question);
    s.bind(5, qint64(r.geksagrammaOld));
    s.bind(6, qint64(r.geksagrammaYou));
    for (int i = 0; i < 6; ++i)
        s.bind(7 + i, r.go[size_t(i)]);
    s.bind(13, r.interpretation);
    s.bind(14, r.attention);
    s.bind(15, r.method);
    s.bind(16, r.principle);
}

} // namespace

bool Journal::append(const JournalRecord &record, QString *error)
{
    return appendAll({record}, error);
}

bool Journal::appendAll(const QList<JournalRecord> &records, QString *error)
{
    return appendEach(
        records.size(), [&](qint64 i) { return records[qsizetype(i)]; }, 0, error);
}

bool Journal::appendEach(qint64 count, const std::function<JournalRecord(qint64)> &make, qint64 batch, QString *error)
{
    if (!exec("BEGIN IMMEDIATE", error))
        return false;
    Statement s(m_db, QString::fromLatin1(kInsert));
    bool ok = s.ok();
    bool stored = false;
    for (qint64 i = 0; ok && i < count; ++i) {
        bindRecord(s, make(i));
        ok = s.step() == SQLITE_DONE;
        s.reset();
        if (ok && batch > 0 && (i + 1) % batch == 0 && i + 1 < count) {
            ok = exec("COMMIT", error) && exec("BEGIN IMMEDIATE", error);
            stored = stored || ok;
        }
    }
    if (ok)
        ok = exec("COMMIT", error);
    else if (error && error->isEmpty())
        *error = lastError();
    if (!ok)
        exec("ROLLBACK", nullptr);
    if (ok || stored)
        emit changed();
    return ok;
}

qint64 Journal::count(const JournalFilter &filter) const
{
    Statement s(m_db, QStringLiteral("SELECT count(*) FROM RGeksa") + whereClause(filter));
    if (!s.ok())
        return 0;
    bindFilterValue(s, s.parameter(":value"), filter);
    return s.step() == SQLITE_ROW ? s.integer(0) : 0;
}

void Journal::forEach(const JournalFilter &filter, const std::function<bool(const JournalRecord &)> &visit) const
{
    Statement s(
        m_db,
        QStringLiteral("SELECT %1 FROM RGeksa%2 ORDER BY Id").arg(QLatin1String(kRecordColumns), whereClause(filter)));
    if (!s.ok())
        return;
    bindFilterValue(s, s.parameter(":value"), filter);
    while (s.step() == SQLITE_ROW) {
        if (!visit(readRecord(s)))
            break;
    }
}

std::optional<JournalRecord> Journal::record(qint64 id) const
{
    const QList<JournalRecord> found = records({id});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<JournalRecord> Journal::records(const QVector<qint64> &ids) const
{
    QList<JournalRecord> out;
    Statement s(m_db, QStringLiteral("SELECT %1 FROM RGeksa WHERE Id = ?").arg(QLatin1String(kRecordColumns)));
    if (!s.ok())
        return out;
    out.reserve(ids.size());
    for (const qint64 id : ids) {
        s.bind(1, id);
        if (s.step() == SQLITE_ROW)
            out << readRecord(s);
        s.reset();
    }
    return out;
}

QList<JournalRecord> Journal::recordsBetween(qint64 firstId, qint64 lastId, const JournalFilter &filter) const
{
    QList<JournalRecord> out;
    QString where = whereClause(filter);
    where += where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
    Statement s(m_db, QStringLiteral("SELECT %1 FROM RGeksa%2Id BETWEEN :first AND :last ORDER BY Id")
                          .arg(QLatin1String(kRecordColumns), where));
    if (!s.ok())
        return out;
    bindFilterValue(s, s.parameter(":value"), filter);
    s.bind(s.parameter(":first"), firstId);
    s.bind(s.parameter(":last"), lastId);
    while (s.step() == SQLITE_ROW)
        out << readRecord(s);
    return out;
}

QVector<qint64> Journal::ids(const JournalFilter &filter) const
{
    QVector<qint64> out;
    const QString where = whereClause(filter);
    if (where.isEmpty()) {
        // Every Id: read them from the smallest index (a few bytes an entry) rather than from
        // the table's full rows, and sort here.
        Statement s(m_db, QStringLiteral("SELECT Id FROM RGeksa INDEXED BY RGeksa_Attention"));
        if (s.ok()) {
            while (s.step() == SQLITE_ROW)
                out << s.integer(0);
            std::sort(out.begin(), out.end());
            return out;
        }
    }
    Statement s(m_db, QStringLiteral("SELECT Id FROM RGeksa%1 ORDER BY Id").arg(where));
    if (!s.ok())
        return out;
    bindFilterValue(s, s.parameter(":value"), filter);
    while (s.step() == SQLITE_ROW)
        out << s.integer(0);
    return out;
}

Journal::IdRange Journal::idRange() const
{
    IdRange range;
    Statement s(m_db, QStringLiteral("SELECT (SELECT min(Id) FROM RGeksa), (SELECT max(Id) FROM RGeksa), "
                                     "(SELECT count(*) FROM RGeksa)"));
    if (!s.ok() || s.step() != SQLITE_ROW || s.isNull(0))
        return range;
    range.first = s.integer(0);
    range.last = s.integer(1);
    range.count = s.integer(2);
    return range;
}

bool Journal::remove(qint64 id, QString *error)
{
    Statement s(m_db, QStringLiteral("DELETE FROM RGeksa WHERE Id = ?"));
    if (!s.ok()) {
        if (error)
            *error = lastError();
        return false;
    }
    s.bind(1, id);
    if (s.step() != SQLITE_DONE) {
        if (error)
            *error = lastError();
        return false;
    }
    emit changed();
    return true;
}

void Journal::clear()
{
    QString error;
    // Numbering starts again at 1 in an emptied journal.
    if (!exec("BEGIN IMMEDIATE; DELETE FROM RGeksa; DELETE FROM sqlite_sequence WHERE name = 'RGeksa'; COMMIT;",
              &error)) {
        exec("ROLLBACK", nullptr);
        throw Error(error);
    }
    emit changed();
}

void Journal::compact()
{
    QString error;
    // The copy VACUUM builds goes to a temporary file, not to memory: journals can be large.
    // That copy takes SQLCipher's default page size, not this file's; with the two sizes
    // different the engine copies pages past the end of its buffers, so make them the same.
    if (!exec("PRAGMA temp_store = FILE", &error) || !exec("PRAGMA cipher_default_page_size = 4096", &error) ||
        !exec("VACUUM", &error))
        throw Error(error);
    emit changed();
}

bool Journal::isFilterField(const QString &field)
{
    static const QStringList fields = {
        QStringLiteral("DateVar"),
        QStringLiteral("UserName"),
        QStringLiteral("GeksagrammaOld"),
        QStringLiteral("GeksagrammaYou"),
        QStringLiteral("Interpretation"),
        QStringLiteral("Attention"),
        QStringLiteral("Method"),
        QStringLiteral("Principle"),
        QStringLiteral("Id"),
        QStringLiteral("TimeVar"),
        QStringLiteral("Question"),
        QStringLiteral("GO1"),
        QStringLiteral("GO2"),
        QStringLiteral("GO3"),
        QStringLiteral("GO4"),
        QStringLiteral("GO5"),
        QStringLiteral("GO6"),
    };
    return fields.contains(field);
}

QStringList Journal::distinctValues(const QString &field) const
{
    QStringList out;
    if (!isFilterField(field))
        return out;
    // Walks the field's index from one value to the next instead of reading every entry, so
    // the list comes at once even from a million records. Ascending, as DISTINCT over the
    // index gives them.
    Statement s(m_db, QStringLiteral("WITH RECURSIVE d(v) AS (SELECT min(%1) FROM RGeksa UNION ALL "
                                     "SELECT (SELECT min(%1) FROM RGeksa WHERE %1 > d.v) FROM d WHERE d.v IS NOT NULL) "
                                     "SELECT v FROM d WHERE v IS NOT NULL")
                          .arg(field));
    if (!s.ok())
        return out;
    const bool date = field == QLatin1String("DateVar");
    while (s.step() == SQLITE_ROW)
        out << (date ? displayDate(s.text(0)) : s.text(0));
    return out;
}

QString Journal::statisticsSql(JournalStatistics which, const JournalFilter &filter)
{
    const bool filtered = filter.active() && isFilterField(filter.field);
    const QString condition =
        filtered ? QStringLiteral("%1 = %2").arg(filter.field, filterOperand(filter.field, ":value")) : QString();
    switch (which) {
    case JournalStatistics::OldCounts:
        return filtered ? QStringLiteral("SELECT UserName  AS Пользователь, GeksagrammaOld AS \"Старая Гексаграмма\", "
                                         "count(GeksagrammaOld) as Attention FROM RGeksa where %1 "
                                         "Group by  UserName, GeksagrammaOld")
                              .arg(condition)
                        : QStringLiteral("SELECT UserName AS Пользователь, GeksagrammaOld AS \"Старая Гексаграмма\", "
                                         "count(GeksagrammaOld) as Attention FROM RGeksa "
                                         "Group by  UserName, GeksagrammaOld");
    case JournalStatistics::YoungCounts:
        return filtered ? QStringLiteral("SELECT UserName  AS Пользователь, GeksagrammaYou AS \"Молодая Гексаграмма\", "
                                         "count(GeksagrammaYou) as Attention FROM RGeksa where %1 "
                                         "Group by  UserName, GeksagrammaYou")
                              .arg(condition)
                        : QStringLiteral("SELECT UserName AS Пользователь, GeksagrammaYou AS \"Молодая Гексаграмма\", "
                                         "count(GeksagrammaYou) as Attention FROM RGeksa "
                                         "Group by  UserName, GeksagrammaYou");
    case JournalStatistics::DateRange: {
        const QString period = QStringLiteral("DateVar >= TODATE(:from, 'DD.MM.YYYY') and "
                                              "DateVar <= TODATE(:to, 'DD.MM.YYYY')");
        const QString head = QStringLiteral("SELECT UserName AS Пользователь, DateVar AS Дата, GeksagrammaOld AS "
                                            "\"Старая Гексаграмма\", GeksagrammaYou AS \"Молодая Гексаграмма\" "
                                            "FROM RGeksa WHERE ");
        return filtered ? head + condition + QStringLiteral(" and (") + period + QLatin1Char(')') : head + period;
    }
    }
    return {};
}

std::optional<JournalTable> Journal::statistics(JournalStatistics which, const JournalFilter &filter,
                                                const QString &from, const QString &to, QString *error) const
{
    Statement s(m_db, statisticsSql(which, filter));
    if (!s.ok()) {
        if (error)
            *error = lastError();
        return std::nullopt;
    }
    bindFilterValue(s, s.parameter(":value"), filter);
    if (const int i = s.parameter(":from"); i > 0)
        s.bind(i, from);
    if (const int i = s.parameter(":to"); i > 0)
        s.bind(i, to);

    JournalTable table;
    const int n = sqlite3_column_count(s.get());
    QVector<bool> dateColumn(n);
    for (int c = 0; c < n; ++c) {
        table.columns << QString::fromUtf8(sqlite3_column_name(s.get(), c));
        const char *type = sqlite3_column_decltype(s.get(), c);
        dateColumn[c] = type && qstricmp(type, "DATE") == 0;
    }
    // Cells are matched by their raw bytes, so each text is decoded once, when first seen. Date
    // cells are keyed apart (a leading 0x01) because they are shown converted.
    std::unordered_map<std::string, quint32> index;
    std::string key;
    int rc;
    while ((rc = s.step()) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(s.get(), c));
            const int size = sqlite3_column_bytes(s.get(), c);
            key.clear();
            if (dateColumn[c])
                key.push_back('\x01');
            key.append(p ? p : "", size_t(size));
            auto it = index.find(key);
            if (it == index.end()) {
                const QString text = QString::fromUtf8(p, size);
                it = index.emplace(key, quint32(table.texts.size())).first;
                table.texts << (dateColumn[c] ? displayDate(text) : text);
            }
            table.cells.push_back(it->second);
        }
    }
    if (rc != SQLITE_DONE) {
        if (error)
            *error = lastError();
        return std::nullopt;
    }
    return table;
}

QStringList JournalTable::row(qsizetype r) const
{
    QStringList out;
    for (qsizetype c = 0; c < columns.size(); ++c)
        out << cell(r, c);
    return out;
}

QString Journal::displayDate(const QString &stored)
{
    const QDate d = QDate::fromString(stored, Qt::ISODate);
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : stored;
}

QString Journal::storedDate(const QString &display)
{
    const QDate d = QDate::fromString(display.trimmed(), QStringLiteral("dd.MM.yyyy"));
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

} // namespace yw
