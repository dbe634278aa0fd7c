#pragma once

#include "app/programstate.h"
#include "divination/casting.h"
#include "divination/divination.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace yw::numero {

// The panel's lists.
const QStringList &periodTexts(); // "23.00 - 01.00" .. "21.00 - 23.00"
const QStringList &dayTexts();    // "1" .. "31"
const QStringList &monthTexts();  // "Февраль" .. "Январь"
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;
QStringList yearTexts();

// What the panel preselects for a moment of local time.
int periodIndexForHour(int hour);
int monthIndexFor(int month); // calendar month 1..12 -> list index
int yearIndexFor(int year);   // -1 when the list does not have it

// Cycle number of a year, 1..12: 1996 and 2008 give 1, 1995 and 2007 give 12.
int cycleNumber(int year);

// Value 1..9 of a character of the numerological alphabet; 0 for a character outside it.
int letterValue(QChar ch);
// The digits of the question's letters, lower-cased first.
QString digitString(const QString &question);

struct Input {
    cast::Method method = cast::Method::Xiantian;
    CastVariant variant = CastVariant::Weighted;
    int periodIndex = 0; // 0..11
    int dayIndex = 0;    // 0..30
    int monthIndex = 0;  // 0..11, February first
    int year = 0;        // the selected year; 0 when none is selected
    QString question;    // numerological method only
};

struct Result {
    int H = 0, D = 0, M = 0, Y = 0, T = 0, U = 0, L = 0, K = 0;
    QString upperText;   // shown beside "Внешняя (верхняя) триграмма:"
    QString lowerText;   // beside "Внутренняя (нижняя) триграмма:"
    QString movingText;  // beside "Яо (подвижная черта):", weighted variant only
    QString pictureCode; // line picture indexes, top line first, the moving line already lowered
    QString bitCode;
    QString lineCode; // with the moving line under the weighted variant
};

// The Gregorian date the Xiantian method reads; throws yw::Error when the lists give no date.
QDate chosenDate(const Input &in);

// The whole computation. Throws yw::Error when the Xiantian date cannot be formed.
Result calculate(const Input &in);

// The old hexagram, its attention mark and, under the weighted variant, the young hexagram.
void apply(const Result &result, CastVariant variant, DivinationState &state);

// The question as the journal keeps it for the numerological method.
QString questionWithDate(const QString &question, const QString &period, const QString &day, const QString &month,
                         const QString &year);

} // namespace yw::numero
