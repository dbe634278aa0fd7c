#pragma once

#include "journal/journal.h"
#include "journal/journalrecord.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

namespace yw::xlsx {

// What the export window hands to the workbook writer.
struct WorkbookOptions {
    QString fileName;                    // full path of the .xlsx file; an existing file is replaced
    bool autoFit = true;                 // fit column widths to their contents
    bool translit = false;               // write Cyrillic in Latin letters
    QStringList headingLines{QString()}; // rows above the field names (one empty row by default)
    QStringList signatureLines;          // rows after the data and one empty row
};

// The 17 field names of table RGeksa, in table order: the captions of the sheet's columns.
const QStringList &fieldNames();

// The text of every field of a record, in table order, as the sheet shows it.
QStringList fieldTexts(const JournalRecord &record);

// Russian (and the other Cyrillic letters of code page 1251) in Latin letters, by the
// transliteration of machine-readable travel documents (ICAO 9303, as in Russian passports).
QString transliterate(const QString &text);

// "<folder>ExportBase_[<field>_]dd_mm_yyyy.xlsx"; folder keeps its trailing separator.
QString exportFileName(const QString &folder, const QString &filterFieldName, const QDate &today);

// Hands every record to `visit` in order; `visit` returns false to stop early.
using RecordSource = std::function<void(const std::function<bool(const JournalRecord &)> &visit)>;
// Called after each record has been written, with the count written so far.
using Progress = std::function<void(qint64 written)>;

// Writes sheet "Report": heading lines, a bold row of field names, one row per record, an
// empty row and the signature lines. Returns the number of records written. Throws yw::Error
// with the reason when the file cannot be written; a file that was there stays untouched then.
qint64 writeWorkbook(const WorkbookOptions &options, const RecordSource &source, const Progress &progress = {});

// The journal as the results browser filters it.
inline qint64 writeWorkbook(const WorkbookOptions &options, const Journal &journal, const JournalFilter &filter,
                            const Progress &progress = {})
{
    return writeWorkbook(
        options, [&](const std::function<bool(const JournalRecord &)> &visit) { journal.forEach(filter, visit); },
        progress);
}

} // namespace yw::xlsx
