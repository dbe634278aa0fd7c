#include "gui/journal/journalmodel.h"

#include <QColor>
#include <QFont>

#include <algorithm>

namespace yw {

JournalGridModel::JournalGridModel(const Journal *journal, QObject *parent)
    : QAbstractTableModel(parent), m_journal(journal)
{
    reload();
}

void JournalGridModel::setFilter(const JournalFilter &filter)
{
    m_filter = filter;
    reload();
}

void JournalGridModel::reload()
{
    beginResetModel();
    m_pages.clear();
    m_ids.clear();
    m_count = 0;
    m_firstId = 0;
    m_contiguous = true;
    if (m_journal && m_journal->isOpen()) {
        if (!m_filter.active()) {
            const Journal::IdRange range = m_journal->idRange();
            m_count = range.count;
            m_firstId = range.first;
            m_contiguous = range.contiguous();
        } else {
            m_contiguous = false;
        }
        if (!m_contiguous) {
            m_ids = m_journal->ids(m_filter);
            m_count = m_ids.size();
        }
    }
    endResetModel();
}

int JournalGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(std::min<qint64>(m_count, std::numeric_limits<int>::max()));
}

int JournalGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

qint64 JournalGridModel::idAt(int row) const
{
    if (row < 0 || row >= m_count)
        return -1;
    return m_contiguous ? m_firstId + row : m_ids[row];
}

int JournalGridModel::rowOfId(qint64 id) const
{
    if (m_contiguous)
        return id >= m_firstId && id < m_firstId + m_count ? int(id - m_firstId) : -1;
    const auto it = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    return it != m_ids.end() && *it == id ? int(it - m_ids.begin()) : -1;
}

const QList<JournalRecord> *JournalGridModel::page(int row) const
{
    const int p = row / kPageSize;
    if (QList<JournalRecord> *cached = m_pages.object(p))
        return cached;
    const int first = p * kPageSize;
    const int last = int(std::min<qint64>(m_count, qint64(first) + kPageSize)) - 1;
    auto *records = new QList<JournalRecord>(m_journal->recordsBetween(idAt(first), idAt(last), m_filter));
    m_pages.insert(p, records);
    return records;
}

std::optional<JournalRecord> JournalGridModel::recordAt(int row) const
{
    if (row < 0 || row >= m_count || !m_journal || !m_journal->isOpen())
        return std::nullopt;
    const QList<JournalRecord> *records = page(row);
    const int offset = row % kPageSize;
    if (offset >= records->size() || records->at(offset).id != idAt(row))
        return std::nullopt;
    return records->at(offset);
}

QVariant JournalGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: {
        const auto record = recordAt(index.row());
        return record ? displayText(*record, column) : QString();
    }
    case Qt::ForegroundRole:
        switch (column) {
        case ColUserName: return QColor(Qt::blue);
        case ColGeksagrammaOld:
        case ColGeksagrammaYou: return QColor(Qt::red);
        case ColAttention: return QColor(Qt::magenta);
        case ColMethod: return QColor(0x80, 0, 0); // maroon
        case ColPrinciple: return QColor(0, 0x80, 0);
        default: return QColor(Qt::black);
        }
    case Qt::FontRole:
        if (column == ColAttention) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column == ColAttention)
            return int(Qt::AlignCenter);
        return {};
    default: return {};
    }
}

QVariant JournalGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return title(section);
}

QString JournalGridModel::fieldName(int column)
{
    static const char *const names[ColumnCount] = {"Id",
                                                   "UserName",
                                                   "Question",
                                                   "DateVar",
                                                   "TimeVar",
                                                   "GeksagrammaOld",
                                                   "GeksagrammaYou",
                                                   "Interpretation",
                                                   "Attention",
                                                   "GO1",
                                                   "GO2",
                                                   "GO3",
                                                   "GO4",
                                                   "GO5",
                                                   "GO6",
                                                   "Method",
                                                   "Principle"};
    return column >= 0 && column < ColumnCount ? QLatin1String(names[column]) : QString();
}

QString JournalGridModel::title(int column)
{
    switch (column) {
    case ColId: return QStringLiteral("Id");
    case ColUserName: return QStringLiteral("Пользователь");
    case ColQuestion: return QStringLiteral("Вопрос");
    case ColDateVar: return QStringLiteral("Дата");
    case ColTimeVar: return QStringLiteral("Время");
    case ColGeksagrammaOld: return QStringLiteral("Старая Гексаграмма");
    case ColGeksagrammaYou: return QStringLiteral("Молодая Гексаграмма");
    case ColInterpretation: return QStringLiteral("Интерпретация");
    case ColAttention: return QStringLiteral(" ");
    case ColMethod: return QStringLiteral("Метод");
    case ColPrinciple: return QStringLiteral("Вид гадания");
    default:
        if (column >= ColGO1 && column <= ColGO6)
            return QString::number(column - ColGO1 + 1);
        return {};
    }
}

QString JournalGridModel::displayText(const JournalRecord &r, int column)
{
    switch (column) {
    case ColId: return QString::number(r.id);
    case ColUserName: return r.userName;
    case ColQuestion: return r.question;
    case ColDateVar: return r.date.isValid() ? r.date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    case ColTimeVar: return r.time.isValid() ? r.time.toString(QStringLiteral("hh:mm:ss")) : QString();
    case ColGeksagrammaOld: return QString::number(r.geksagrammaOld);
    case ColGeksagrammaYou: return QString::number(r.geksagrammaYou);
    case ColInterpretation: return r.interpretation;
    case ColAttention: return r.attention;
    case ColMethod: return r.method;
    case ColPrinciple: return r.principle;
    default:
        if (column >= ColGO1 && column <= ColGO6)
            return r.go[size_t(column - ColGO1)];
        return {};
    }
}

void JournalTableModel::setTable(JournalTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int JournalTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.rowCount());
}

int JournalTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.columns.size());
}

QVariant JournalTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_table.cell(index.row(), index.column());
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_table.columns.size())
        return m_table.columns[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace yw
