#pragma once

#include "journal/journalrecord.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>
#include <vector>

struct sqlite3;

namespace yw {

// Which records the results browser shows: the field chosen in its filter title list and the
// value chosen in its value list ("Все" or an empty field means every record). An empty value
// is a real one: records without the warning mark have an empty Attention.
struct JournalFilter {
    QString field; // a column of RGeksa, e.g. "UserName"
    QString value;
    bool active() const { return !field.isEmpty() && value != QStringLiteral("Все"); }
};

// Why a journal file could not be opened; each has its own explanation for the user.
enum class JournalFailure {
    None,
    Missing,        // no such file
    EmptyFile,      // zero bytes: never a database
    NotDatabase,    // not a database, damaged, or protected by another key
    WrongSchema,    // a database, but without the journal's tables
    ReadOnlyFile,   // the file cannot be written
    ReadOnlyFolder, // its folder cannot be written (the engine needs it for its rollback journal)
    Exists,         // create: the file is already there
    Engine,         // any other engine error
};

// The result of a statistics statement: column titles and rows of display texts. A period of
// years can give a million rows of a few repeated values, so each distinct text is kept once
// and the cells hold its index.
struct JournalTable {
    QStringList columns;
    QStringList texts;          // each distinct cell text once
    std::vector<quint32> cells; // row by row, indexes into texts

    qsizetype rowCount() const { return columns.isEmpty() ? 0 : qsizetype(cells.size()) / columns.size(); }
    const QString &cell(qsizetype row, qsizetype column) const
    {
        return texts[cells[size_t(row * columns.size() + column)]];
    }
    QStringList row(qsizetype r) const;
};

// The three statistics statements of the results browser.
enum class JournalStatistics { OldCounts, YoungCounts, DateRange };

// The journal connection: one SQLCipher database file holding tables RGeksa and RUser.
//
// Dates are kept in DateVar as ISO text "yyyy-mm-dd" and times in TimeVar as "hh:mm:ss", so the
// engine compares and sorts them correctly as text; everything the user sees or types (grid,
// filter list, statistics, TODATE arguments) uses "dd.mm.yyyy", converted at this boundary.
class Journal : public QObject {
    Q_OBJECT
public:
    explicit Journal(QObject *parent = nullptr);
    ~Journal() override;

    bool isOpen() const;
    QString path() const;

    // Appends one record to RGeksa (Id assigned by the table). False, with the reason in
    // *error, when nothing was stored.
    bool append(const JournalRecord &record, QString *error = nullptr);

    qint64 count(const JournalFilter &filter = {}) const;
    // Calls visit for every record that passes the filter, in Id order; visit returns false to stop.
    void forEach(const JournalFilter &filter, const std::function<bool(const JournalRecord &)> &visit) const;

    // --- Opening and files -------------------------------------------------------------------

    // The stored password text and its Base64 decoding.
    static QString storedPassword() { return QStringLiteral("Qk5hUtL0rWx2"); }
    static QByteArray textBase(const QString &text);

    // Opens an existing journal file (never creates one). On failure the connection is closed,
    // the file is untouched and *why / *error tell the reason.
    bool open(const QString &path, JournalFailure *why = nullptr, QString *error = nullptr);
    void close();
    // A new empty journal file with both tables and their indexes; refuses an existing file.
    static bool create(const QString &path, JournalFailure *why = nullptr, QString *error = nullptr);
    // Copies the empty template to target (created or replaced) and gives it the template's
    // modification time. The target is replaced only once the whole copy is written, so a
    // failed copy leaves whatever was there. False with the reason in *error.
    static bool copyTemplate(const QString &templatePath, const QString &target, QString *error = nullptr);
    // A user-facing explanation of a failure (Russian).
    static QString failureText(JournalFailure why);

    // DisplayName of every RUser record in table order.
    QStringList userNames() const;
    // The users list file: one display name a line, code page 1251, CR LF. False when it
    // cannot be written (the previous file is then unchanged).
    static bool writeUserList(const QString &fileName, const QStringList &names, QString *error = nullptr);
    // The names of that file, blank lines left out; nothing when it cannot be read.
    static std::optional<QStringList> readUserList(const QString &fileName);

    // --- Records -------------------------------------------------------------------------------

    // Appends many records in one transaction (the command line's generator).
    bool appendAll(const QList<JournalRecord> &records, QString *error = nullptr);
    // Appends count records made one by one by make(i), committing every batch records
    // (0: all in one transaction); changed() is emitted once at the end.
    bool appendEach(qint64 count, const std::function<JournalRecord(qint64)> &make, qint64 batch = 0,
                    QString *error = nullptr);
    std::optional<JournalRecord> record(qint64 id) const;
    // Records with the given Ids, in the order given (missing Ids are left out).
    QList<JournalRecord> records(const QVector<qint64> &ids) const;
    // The records that pass the filter with Ids from firstId to lastId, in Id order.
    QList<JournalRecord> recordsBetween(qint64 firstId, qint64 lastId, const JournalFilter &filter = {}) const;
    // The Ids of the records that pass the filter, ascending.
    QVector<qint64> ids(const JournalFilter &filter = {}) const;
    // The smallest and largest Id and the number of records. When last - first + 1 == count
    // the Ids have no gaps, and a view can address a large journal without listing them.
    struct IdRange {
        qint64 first = 0, last = -1, count = 0;
        bool contiguous() const { return last - first + 1 == count; }
    };
    IdRange idRange() const;
    bool remove(qint64 id, QString *error = nullptr);
    // Removes every journal record; RUser is untouched. Throws yw::Error on an engine error.
    void clear();
    // Rewrites the file without its free space and reopens it. Throws yw::Error.
    void compact();

    // --- Browser queries ---------------------------------------------------------------------

    // The fields the filter may use (a whitelist: field names reach SQL as identifiers).
    static bool isFilterField(const QString &field);
    // Distinct values of a filter field as display texts, in the engine's order.
    QStringList distinctValues(const QString &field) const;
    // Runs one statistics statement; from/to matter only for DateRange (both included).
    // Returns nothing when the engine rejects it.
    std::optional<JournalTable> statistics(JournalStatistics which, const JournalFilter &filter, const QString &from,
                                           const QString &to, QString *error = nullptr) const;
    // The statement text of a statistics query with its parameters as '?' (for the command line
    // and the benchmarks).
    static QString statisticsSql(JournalStatistics which, const JournalFilter &filter);

    // Display form of stored values, and back.
    static QString displayDate(const QString &stored);
    static QString storedDate(const QString &display);

    // The open connection, for a window that reads or writes RUser through the same file.
    sqlite3 *handle() const { return m_db; }

signals:
    // Records were appended, deleted or cleared, or another file was opened.
    void changed();

private:
    bool exec(const char *sql, QString *error) const;
    QString lastError() const;

    sqlite3 *m_db = nullptr;
    QString m_path;
};

} // namespace yw
