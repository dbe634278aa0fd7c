#pragma once

#include "journal/journal.h"

#include <QAbstractTableModel>
#include <QCache>

namespace yw {

// The journal grid's rows, fetched a page at a time as the view asks for them: only the Ids
// of the shown records (or, for an unfiltered journal without gaps, just its Id range) are
// kept, so a million records cost a few megabytes.
class JournalGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ColId,
        ColUserName,
        ColQuestion,
        ColDateVar,
        ColTimeVar,
        ColGeksagrammaOld,
        ColGeksagrammaYou,
        ColInterpretation,
        ColAttention,
        ColGO1,
        ColGO6 = ColGO1 + 5,
        ColMethod,
        ColPrinciple,
        ColumnCount
    };
    static constexpr int kPageSize = 200;

    explicit JournalGridModel(const Journal *journal, QObject *parent = nullptr);

    void setFilter(const JournalFilter &filter);
    const JournalFilter &filter() const { return m_filter; }
    // Reads the Ids again (after the journal changed).
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    qint64 idAt(int row) const;
    // -1 when the record is not shown.
    int rowOfId(qint64 id) const;
    std::optional<JournalRecord> recordAt(int row) const;

    static QString fieldName(int column);
    static QString title(int column);
    static QString displayText(const JournalRecord &record, int column);

private:
    const QList<JournalRecord> *page(int row) const;

    const Journal *m_journal;
    JournalFilter m_filter;
    qint64 m_count = 0;
    qint64 m_firstId = 0;  // when the Ids are contiguous
    QVector<qint64> m_ids; // otherwise
    bool m_contiguous = true;
    mutable QCache<int, QList<JournalRecord>> m_pages{64};
};

// A statistics result (or the filter's list of values) for the query grid.
class JournalTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(JournalTable table);
    void clear() { setTable({}); }
    const JournalTable &table() const { return m_table; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    JournalTable m_table;
};

} // namespace yw
