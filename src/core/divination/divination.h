#pragma once

#include "app/programstate.h"
#include "journal/journalrecord.h"

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace yw {

inline const QString kQuestionPlaceholder = QStringLiteral("<Введите свой вопрос...>");
inline const QString kNoQuestion = QStringLiteral("Вопрос на задавался");
inline const QString kNoUserName = QStringLiteral("Имя не задано");
inline const QString kCastOverHint = QStringLiteral("Гадание закончено!");

// Hint of the casting button before press n (1..6).
QString castHint(int press);

// One divination: what has been cast so far and what it came to. A window holds one of these
// for its whole life; nothing is cast again once the old number is set.
struct DivinationState {
    QString lineCode;     // values cast so far, top line first
    QString bitCode;      // their bits, top line first
    QString youngBitCode; // bits of the young hexagram, top line first
    QString oldNumber;    // set when the divination ends
    QString youngNumber;  // set when a young hexagram is formed
    QString attention;    // "!" or empty; never cleared

    int linesCast() const { return int(bitCode.size()); }
    bool complete() const { return bitCode.size() == 6; }
    bool ended() const { return !oldNumber.isEmpty(); }

    // Puts a new line in front of the line code and its bit in front of the bit code.
    void addLine(QChar value);
    // Value of line k (1 = bottom), '\0' when not cast.
    QChar lineValue(int k) const;

    // King Wen number of a bit code; under the majority variant the warning hexagrams set the
    // attention mark.
    QString lookup(const QString &bits, CastVariant variant);

    // The end of a six-line cast: old number, and under the weighted variant the young hexagram.
    void finish(CastVariant variant);
    // The young hexagram from the old line code: moving lines change, the others stay.
    void formYoung();

    // The sound that closes the divination.
    QString endSound() const
    {
        return attention == QStringLiteral("!") ? QStringLiteral("gong.wav") : QStringLiteral("galaxy.wav");
    }
};

// What the journal stores of a question and a user name.
QString savedQuestion(const QString &question);
QString savedUserName(const QString &userName);

// The journal record of an ended divination; nothing before the end.
std::optional<JournalRecord> resultRecord(const DivinationState &state, const QString &question,
                                          const QString &userName, const QString &interpretation, const QString &method,
                                          const QDateTime &now);

} // namespace yw
