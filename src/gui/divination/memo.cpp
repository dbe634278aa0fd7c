#include "gui/divination/memo.h"

#include "divination/texts.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

#include <climits>

namespace yw {
namespace {

template <typename Memo> void applyRule(Memo *memo)
{
    // Measure in the area as it is without a scroll bar: its frame's inside less the text margins.
    const int frame = memo->frameWidth();
    const int margin = qCeil(memo->document()->documentMargin());
    const int width = memo->width() - 2 * frame - 2 * margin;
    const int height = memo->height() - 2 * frame - 2 * margin;
    const QFontMetrics fm(memo->font());
    const QRect needed = fm.boundingRect(QRect(0, 0, qMax(1, width), INT_MAX / 2),
                                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, memo->toPlainText());
    memo->setVerticalScrollBarPolicy(needed.height() > height ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

template <typename Memo> void setLines(Memo *memo, const QStringList &lines)
{
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    applyRule(memo);
}

template <typename Memo> void load(const QString &number, const QString &file, Memo *memo, const QString &textDir)
{
    const QString n = number.trimmed();
    if (n.isEmpty())
        return;
    // Read first: a failed read leaves the area showing what it showed.
    const QStringList lines = InterKey(QStringLiteral("[%") + n + QLatin1Char(']'), file, textDir);
    setLines(memo, lines);
}

} // namespace

void applyMemoScrollBarRule(QPlainTextEdit *memo)
{
    applyRule(memo);
}
void applyMemoScrollBarRule(QTextEdit *memo)
{
    applyRule(memo);
}

void LoadInterp(const QString &number, const QString &file, QPlainTextEdit *memo, const QString &textDir)
{
    load(number, file, memo, textDir);
}

void LoadInterp(const QString &number, const QString &file, QTextEdit *memo, const QString &textDir)
{
    load(number, file, memo, textDir);
}

void setMemoLines(QPlainTextEdit *memo, const QStringList &lines)
{
    setLines(memo, lines);
}
void setMemoLines(QTextEdit *memo, const QStringList &lines)
{
    setLines(memo, lines);
}

} // namespace yw
