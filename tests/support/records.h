#pragma once

#include "journal/journalrecord.h"

namespace yw {

// A plausible journal record for tests: lines 7 8 9 6 7 8 from the bottom, coins, canonical text.
inline JournalRecord sampleRecord(const QString &user, int oldNo, int youngNo, const QDate &date,
                                  const QString &principle = kPrincipleProgram, const QString &attention = {})
{
    JournalRecord r;
    r.date = date;
    r.time = QTime(13, 5, 9);
    r.userName = user;
    r.question = QStringLiteral("Вопрос на задавался");
    r.geksagrammaOld = oldNo;
    r.geksagrammaYou = youngNo;
    r.go = {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
            QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};
    r.interpretation = QStringLiteral("Канонический текст");
    r.attention = attention;
    r.method = QStringLiteral("Метод 3 монет");
    r.principle = principle;
    return r;
}

} // namespace yw
