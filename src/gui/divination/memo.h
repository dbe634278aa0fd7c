#pragma once

#include <QString>
#include <QStringList>

class QPlainTextEdit;
class QTextEdit;

namespace yw {

// The rule of every read-only text area: the vertical scroll bar is on only when the whole
// text, word-wrapped in the area's font, is taller than the area.
void applyMemoScrollBarRule(QPlainTextEdit *memo);
void applyMemoScrollBarRule(QTextEdit *memo);

// Shows the section "[%" + number + "]" of an interpretation file in a text area and applies the
// scroll-bar rule. An empty number leaves the area as it is. Throws yw::Error, before touching
// the area, when the file cannot be read (textDir is the program's "Text" folder).
void LoadInterp(const QString &number, const QString &file, QPlainTextEdit *memo, const QString &textDir);
void LoadInterp(const QString &number, const QString &file, QTextEdit *memo, const QString &textDir);

// Replaces a text area's content by lines, then applies the scroll-bar rule.
void setMemoLines(QPlainTextEdit *memo, const QStringList &lines);
void setMemoLines(QTextEdit *memo, const QStringList &lines);

} // namespace yw
