#include "export/workbook.h"

#include "app/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace yw::xlsx {
namespace {

// Id and the two hexagram numbers are written as numbers, so that a spreadsheet sorts and sums
// them as such; everything else as text.
constexpr int kColumns = 17;
// What one cell of the format can hold.
constexpr qsizetype kMaxCellText = 32767;
constexpr double kMaxColumnWidth = 255;

int digits(qint64 v)
{
    return static_cast<int>(QString::number(v).size());
}

// The same texts as fieldTexts, without parsing a format for every cell of a large export.
QString dateText(const QDate &d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1.%2.%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

QString timeText(const QTime &t)
{
    if (!t.isValid())
        return {};
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString fail(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Unable to write to %1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

// Keeps the workbook and its temporary file together so every way out frees both.
class Book {
public:
    explicit Book(const QString &path)
    {
        // Rows go to disk as they are written: a large journal needs neither much memory nor a
        // table of shared strings, and the export runs faster.
        lxw_workbook_options o = {};
        o.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &o);
    }
    ~Book()
    {
        if (m_book)
            lxw_workbook_free(m_book); // only on an error path: drop what was built, write nothing
    }
    lxw_workbook *get() const { return m_book; }
    lxw_error close()
    {
        lxw_workbook *b = m_book;
        m_book = nullptr;
        return workbook_close(b);
    }

private:
    lxw_workbook *m_book = nullptr;
};

class Sheet {
public:
    Sheet(lxw_worksheet *sheet, const QString &fileName) : m_sheet(sheet), m_fileName(fileName) {}

    void text(int row, int column, const QString &value, lxw_format *format = nullptr)
    {
        if (value.isEmpty() && !format)
            return;
        const QString cut = value.left(kMaxCellText);
        note(column, cut.size());
        check(worksheet_write_string(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                     cut.toUtf8().constData(), format));
    }
    void number(int row, int column, qint64 value, int shownLength)
    {
        note(column, shownLength);
        check(worksheet_write_number(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                     static_cast<double>(value), nullptr));
    }
    void fitColumns()
    {
        for (int c = 0; c < kColumns; ++c) {
            // A little room beyond the longest text, as a spreadsheet's own fitting leaves.
            const double width = qMin(kMaxColumnWidth, m_longest[c] * 1.1 + 2);
            check(worksheet_set_column(m_sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr));
        }
    }

private:
    void note(int column, qsizetype length)
    {
        if (column < kColumns && length > m_longest[column])
            m_longest[column] = length;
    }
    void check(lxw_error error) const
    {
        if (error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE)
            throw Error(fail(m_fileName, QStringLiteral("more rows than a worksheet can hold")));
        if (error != LXW_NO_ERROR)
            throw Error(fail(m_fileName, QString::fromUtf8(lxw_strerror(error))));
    }

    lxw_worksheet *m_sheet;
    QString m_fileName;
    qsizetype m_longest[kColumns] = {};
};

const QHash<QChar, QString> &latinOf()
{
    // Lower-case letters only; capitals follow from them.
    static const QHash<QChar, QString> map = [] {
        const struct {
            char16_t cyr;
            const char *lat;
        } table[] = {
            {u'а', "a"},
            {u'б', "b"},
            {u'в', "v"},
            {u'г', "g"},
            {u'д', "d"},
            {u'е', "e"},
            {u'ё', "e"},
            {u'ж', "zh"},
            {u'з', "z"},
            {u'и', "i"},
            {u'й', "i"},
            {u'к', "k"},
            {u'л', "l"},
            {u'м', "m"},
            {u'н', "n"},
            {u'о', "o"},
            {u'п', "p"},
            {u'р', "r"},
            {u'с', "s"},
            {u'т', "t"},
            {u'у', "u"},
            {u'ф', "f"},
            {u'х', "kh"},
            {u'ц', "ts"},
            {u'ч', "ch"},
            {u'ш', "sh"},
            {u'щ', "shch"},
            {u'ъ', "ie"},
            {u'ы', "y"},
            {u'ь', ""},
            {u'э', "e"},
            {u'ю', "iu"},
            {u'я', "ia"},
            // The other Cyrillic letters of code page 1251 (Ukrainian, Belarusian, Serbian, Macedonian).
            {u'і', "i"},
            {u'ї', "i"},
            {u'є', "ie"},
            {u'ґ', "g"},
            {u'ў', "u"},
            {u'ђ', "dj"},
            {u'ј', "j"},
            {u'љ', "lj"},
            {u'њ', "nj"},
            {u'ћ', "c"},
            {u'џ', "dz"},
            {u'ѓ', "gj"},
            {u'ќ', "kj"},
            {u'ѕ', "dz"},
        };
        QHash<QChar, QString> m;
        for (const auto &row : table)
            m.insert(QChar(row.cyr), QString::fromLatin1(row.lat));
        return m;
    }();
    return map;
}

} // namespace

const QStringList &fieldNames()
{
    static const QStringList names = {
        QStringLiteral("Id"),
        QStringLiteral("DateVar"),
        QStringLiteral("TimeVar"),
        QStringLiteral("UserName"),
        QStringLiteral("Question"),
        QStringLiteral("GeksagrammaOld"),
        QStringLiteral("GeksagrammaYou"),
        QStringLiteral("GO1"),
        QStringLiteral("GO2"),
        QStringLiteral("GO3"),
        QStringLiteral("GO4"),
        QStringLiteral("GO5"),
        QStringLiteral("GO6"),
        QStringLiteral("Interpretation"),
        QStringLiteral("Attention"),
        QStringLiteral("Method"),
        QStringLiteral("Principle"),
    };
    return names;
}

QStringList fieldTexts(const JournalRecord &r)
{
    QStringList t;
    t.reserve(kColumns);
    t << QString::number(r.id) << r.date.toString(QStringLiteral("dd.MM.yyyy"))
      << r.time.toString(QStringLiteral("hh:mm:ss")) << r.userName << r.question << QString::number(r.geksagrammaOld)
      << QString::number(r.geksagrammaYou);
    for (const QString &v : r.go)
        t << v;
    t << r.interpretation << r.attention << r.method << r.principle;
    return t;
}

QString transliterate(const QString &text)
{
    const QHash<QChar, QString> &map = latinOf();
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.unicode() < 0x80) {
            out.append(ch);
            continue;
        }
        const bool upper = ch.isUpper();
        const auto it = map.constFind(upper ? ch.toLower() : ch);
        if (it == map.constEnd()) {
            out.append(ch);
            continue;
        }
        if (!upper || it->isEmpty()) {
            out.append(*it);
            continue;
        }
        // "Щука" gives "Shchuka", but "ЩУКА" gives "SHCHUKA": a capital inside a capitalised word
        // stays all capitals.
        const bool nextUpper = i + 1 < text.size() && text.at(i + 1).isUpper();
        const bool prevUpper = i > 0 && text.at(i - 1).isUpper();
        out.append(nextUpper || (prevUpper && !(i + 1 < text.size() && text.at(i + 1).isLower()))
                       ? it->toUpper()
                       : it->left(1).toUpper() + it->mid(1));
    }
    return out;
}

QString exportFileName(const QString &folder, const QString &filterFieldName, const QDate &today)
{
    QString name = folder + QStringLiteral("ExportBase_");
    if (!filterFieldName.isEmpty())
        name += filterFieldName + QLatin1Char('_');
    return name + today.toString(QStringLiteral("dd_MM_yyyy")) + QStringLiteral(".xlsx");
}

qint64 writeWorkbook(const WorkbookOptions &options, const RecordSource &source, const Progress &progress)
{
    const QString target = QFileInfo(options.fileName).absoluteFilePath();
    // Write beside the target and move it into place at the end, so a failed export never
    // leaves half a workbook where a good one was.
    QTemporaryFile partial(target + QStringLiteral(".XXXXXX"));
    if (!partial.open())
        throw Error(fail(target, partial.errorString()));
    partial.close();

    Book book(partial.fileName());
    if (!book.get())
        throw Error(fail(target, QStringLiteral("out of memory")));
    lxw_worksheet *ws = workbook_add_worksheet(book.get(), "Report");
    if (!ws)
        throw Error(fail(target, QStringLiteral("cannot add the worksheet")));

    lxw_format *heading = workbook_add_format(book.get());
    format_set_bold(heading);
    format_set_font_name(heading, "MS Sans Serif");
    format_set_font_size(heading, 12); // 16 pixels at 96 dots per inch
    lxw_format *caption = workbook_add_format(book.get());
    format_set_bold(caption);
    format_set_font_size(caption, 10);

    auto conv = [&](const QString &s) { return options.translit ? transliterate(s) : s; };
    Sheet sheet(ws, target);
    int row = 0;
    for (const QString &line : options.headingLines) {
        if (!line.isEmpty()) {
            // A heading runs across the columns; it must not widen the first one.
            worksheet_write_string(ws, static_cast<lxw_row_t>(row), 0,
                                   conv(line).left(kMaxCellText).toUtf8().constData(), heading);
        }
        ++row;
    }
    for (int c = 0; c < kColumns; ++c)
        sheet.text(row, c, fieldNames().at(c), caption);
    ++row;

    qint64 written = 0;
    source([&](const JournalRecord &r) {
        sheet.number(row, 0, r.id, digits(r.id));
        sheet.text(row, 1, dateText(r.date));
        sheet.text(row, 2, timeText(r.time));
        sheet.text(row, 3, conv(r.userName));
        sheet.text(row, 4, conv(r.question));
        sheet.number(row, 5, r.geksagrammaOld, digits(r.geksagrammaOld));
        sheet.number(row, 6, r.geksagrammaYou, digits(r.geksagrammaYou));
        for (int i = 0; i < 6; ++i)
            sheet.text(row, 7 + i, r.go[static_cast<size_t>(i)]);
        sheet.text(row, 13, conv(r.interpretation));
        sheet.text(row, 14, conv(r.attention));
        sheet.text(row, 15, conv(r.method));
        sheet.text(row, 16, conv(r.principle));
        ++row;
        ++written;
        if (progress)
            progress(written);
        return true;
    });

    ++row; // one empty row before the signature
    for (const QString &line : options.signatureLines) {
        if (!line.isEmpty())
            worksheet_write_string(ws, static_cast<lxw_row_t>(row), 0,
                                   conv(line).left(kMaxCellText).toUtf8().constData(), nullptr);
        ++row;
    }
    if (options.autoFit)
        sheet.fitColumns();

    const lxw_error closed = book.close();
    if (closed != LXW_NO_ERROR)
        throw Error(fail(target, QString::fromUtf8(lxw_strerror(closed))));
    // rename() replaces an existing workbook in one step.
    if (std::rename(QFile::encodeName(partial.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        throw Error(fail(target, QString::fromLocal8Bit(std::strerror(errno))));
    partial.setAutoRemove(false);
    // QTemporaryFile creates its file readable by the owner only; a workbook is an ordinary document.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return written;
}

} // namespace yw::xlsx
