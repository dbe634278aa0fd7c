#pragma once

#include "app/programstate.h"

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

namespace yw::cast {

// The four ways of getting a hexagram, in the order of the method list (its index).
enum class Method { Coins = 0, Dice = 1, Xiantian = 2, Numerology = 3 };
const QStringList &methodNames();

// The generator every cast depends on. Seeding and drawing follow one fixed recurrence, so the
// same seeds give the same lines in any implementation of it.
class RandomSource {
public:
    void setSeed(quint32 seed) { m_seed = seed; }
    quint32 seed() const { return m_seed; }
    // A whole number 0..n-1: the upper half of the 64-bit product of the advanced seed and n.
    quint32 below(quint32 n)
    {
        m_seed = m_seed * 134775813u + 1u;
        return quint32((quint64(m_seed) * n) >> 32);
    }

private:
    quint32 m_seed = 0;
};

// Milliseconds since midnight UTC of the given moment: the seed of one press.
quint32 seedAt(const QDateTime &moment);

// One throw of three coins (1 yang side, 0 yin side) or three dice (1..6) and the line it gives.
struct Throw {
    Method method = Method::Coins;
    CastVariant variant = CastVariant::Weighted;
    std::array<int, 3> elements{};
    QChar value;
    std::array<QString, 3> columns; // the texts under the three pictures: "Ян"/"Инь" or the die value
    QString result;                 // the results list's last column
};

QChar coinLineValue(int yangSides, CastVariant variant);
QChar diceLineValue(int sum, CastVariant variant);

Throw throwCoins(RandomSource &random, CastVariant variant);
Throw throwDice(RandomSource &random, CastVariant variant);
// The texts and value of a throw whose elements are already known.
Throw describe(Method method, CastVariant variant, const std::array<int, 3> &elements);

// Picture of one coin side or die face in the throw picture list: 0 yang side, 1 yin side,
// 2..7 the die faces 1..6.
int throwPictureIndex(Method method, int element);
// What a results-list row shows back to elements: a coin column reading "Ян" is a yang side and
// anything else a yin side; a die column is its number.
std::array<int, 3> elementsFromColumns(Method method, const std::array<QString, 3> &columns);

// " (Вариант весовых коэффициентов)" or " (Вариант большинства)" after a coin divination; empty for dice.
QString variantSuffix(Method method, CastVariant variant);

inline const QString kTableCaption = QStringLiteral("Графический стол гадания - получение гексаграммы");
QString endedTableCaption(const QString &number, Method method, CastVariant variant);

} // namespace yw::cast
