#pragma once

#include <QByteArray>
#include <QString>

namespace yw {

// Every file the program keeps outside the journal is in the Windows Cyrillic code page.
QString fromCp1251(const QByteArray &bytes);
// Returns false in *ok (when given) if some character has no place in the code page;
// such characters become '?'. *badIndex receives the first offending position.
QByteArray toCp1251(const QString &text, bool *ok = nullptr, qsizetype *badIndex = nullptr);
bool fitsCp1251(QChar ch);

// Lines joined with CR LF, each line ended by it, as the Windows tools wrote them.
QByteArray joinCrLf(const QStringList &lines);
// Splits on LF, dropping a CR before it; a last line without an ending still counts.
QStringList splitLines(const QString &text);

} // namespace yw
