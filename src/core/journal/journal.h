#pragma once

#include "journal/journalrecord.h"

#include <QObject>
#include <QString>

#include <functional>

namespace yw {

// Which records the results browser shows: the field chosen in its filter title list and the
// value chosen in its value list ("Все" or an empty field means every record).
struct JournalFilter {
    QString field; // a column of RGeksa, e.g. "UserName"
    QString value;
    bool active() const { return !field.isEmpty() && !value.isEmpty() && value != QStringLiteral("Все"); }
};

// The journal connection: one SQLCipher database file holding tables RGeksa and RUser.
// (Interface shared by the windows; the journal subsystem implements and extends it.)
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

signals:
    // Records were appended, deleted or cleared, or another file was opened.
    void changed();
};

} // namespace yw
