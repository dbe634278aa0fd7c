#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <array>

namespace yw {

inline const QString kPrincipleProgram = QStringLiteral("Программный расчет");
inline const QString kPrincipleManual = QStringLiteral("Ручной ввод");

// One row of table RGeksa, in the table's field order (Id is assigned by the table).
struct JournalRecord {
    qint64 id = 0;
    QDate date;
    QTime time;
    QString userName;
    QString question;
    int geksagrammaOld = 0;
    int geksagrammaYou = 0;
    std::array<QString, 6> go; // line values of lines 1..6, one character each
    QString interpretation;
    QString attention;
    QString method;
    QString principle;
};

} // namespace yw
