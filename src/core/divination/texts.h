#pragma once

#include "app/programstate.h"

#include <QString>
#include <QStringList>

namespace yw {

// The four interpretation variants, in the order every list offers them.
struct InterpretationVariant {
    QString displayName;
    QString fileName;
    CastVariant castVariant;
};
const QList<InterpretationVariant> &interpretationVariants();
QStringList interpretationNames();

// Maps a display name to its file and casting variant and makes them the program's current
// interpretation; a name outside the table changes nothing. Returns the current file name.
QString IntNameFile(const QString &displayName);

// The lines of the section "key" of a sectioned text file in textDir (the program's "Text"
// folder). Key lines match trimmed; any line whose first two characters are "[%" ends a section;
// a key that occurs several times gives all its sections in file order. Throws yw::Error when the
// file cannot be opened.
QStringList InterKey(const QString &key, const QString &fileName, const QString &textDir);

// A line with leading and trailing blanks and control characters removed, as key lines compare.
QString trimBlanks(const QString &line);

// The same rules on text already in memory (lines as read, without line ends).
QStringList sectionOf(const QStringList &lines, const QString &key);

// "<programDir>/Text"
QString textDirOf(const QString &programDir);

} // namespace yw
