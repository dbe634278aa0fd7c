#pragma once

#include <QChar>
#include <QString>

#include <array>

namespace yw::hex {

// Line values are the characters '6' (moving yin), '7' (yang), '8' (yin) and '9' (moving yang).
// Line codes and bit codes are six characters, the top line (line 6) first.

struct Trigram {
    int number; // 1..8, the order of the Xiantian and numerological methods
    const char16_t *name;
    const char *pictureCode; // line picture indexes, bottom line first ("3" yang, "1" yin)
    const char *lineCode;    // line values, top first
    const char *bitCode;     // bits, top first
    int guaIndex;            // position in the Gua signs list, 0..7
};

const std::array<Trigram, 8> &trigrams(); // by trigram number - 1
const Trigram *trigramByBits(const QString &bits);
const Trigram *trigramByGuaIndex(int guaIndex);

// Two-digit King Wen number of a bit code, or an empty text for anything that is not one.
QString kingWenNumber(const QString &bitCode);
// Line code of 7s and 8s of a hexagram number 1..64; empty outside that range.
QString lineCode(int number);
QString bitCodeOf(const QString &lineCode);

QChar youngValue(QChar value);
QChar bit(QChar value);
bool isMoving(QChar value);
bool isLineValue(QChar value);
int linePictureIndex(QChar value); // 0 moving yin, 1 yin, 2 moving yang, 3 yang; -1 otherwise
// " Черта Инь (ст)" and the like, with the leading blank.
QString lineText(QChar value);
// The young line code of an old one: 6 -> 7, 9 -> 8.
QString youngLineCode(const QString &lineCode);

// Index 0..7 of a three-character bit trigram code; leaves `index` unchanged when unknown.
int guaSignIndex(const QString &bitTrigram, int index);

bool isSymmetric(int number);
bool isWarning(int number);
QString symmetryText(int number); // "Симметричная" / "Несимметричная"

// 1-based modulo: a result in 1..b for positive a.
int mod1(int a, int b);
QString reversed(const QString &text);
// The system's temporary folder with a trailing separator.
QString tempFolder();

QString twoDigits(int number);

} // namespace yw::hex
