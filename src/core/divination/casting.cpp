#include "divination/casting.h"

#include "divination/hexagram.h"

namespace yw::cast {

const QStringList &methodNames()
{
    static const QStringList names = {QStringLiteral("Метод 3 монет"), QStringLiteral("Метод 3 игральных костей"),
                                      QStringLiteral("Метод Сяньтянь"), QStringLiteral("Нумерологический метод")};
    return names;
}

quint32 seedAt(const QDateTime &moment)
{
    const QTime t = moment.toUTC().time();
    return quint32(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

QChar coinLineValue(int yangSides, CastVariant variant)
{
    if (variant == CastVariant::Majority)
        return yangSides >= 2 ? u'7' : u'8';
    static constexpr char16_t weighted[] = {u'6', u'7', u'8', u'9'};
    return QChar(weighted[qBound(0, yangSides, 3)]);
}

QChar diceLineValue(int sum, CastVariant variant)
{
    const bool odd = sum % 2 != 0;
    if (variant == CastVariant::Majority)
        return odd ? u'7' : u'8';
    if (sum == 3 || sum == 7 || sum == 9)
        return u'9';
    if (sum == 4 || sum == 6)
        return u'6';
    return odd ? u'7' : u'8';
}

Throw describe(Method method, CastVariant variant, const std::array<int, 3> &elements)
{
    Throw t;
    t.method = method;
    t.variant = variant;
    t.elements = elements;
    const QString plus = QStringLiteral(" + ");
    const QString equals = QStringLiteral(" = ");
    if (method == Method::Coins) {
        const int yang = elements[0] + elements[1] + elements[2];
        t.value = coinLineValue(yang, variant);
        for (std::size_t i = 0; i < 3; ++i)
            t.columns[i] = elements[i] ? QStringLiteral("Ян") : QStringLiteral("Инь");
        // A yang side counts 3 and a yin side 2.
        t.result = QString::number(elements[0] + 2) + plus + QString::number(elements[1] + 2) + plus +
                   QString::number(elements[2] + 2) + equals + t.value + hex::lineText(t.value);
    } else {
        const int sum = elements[0] + elements[1] + elements[2];
        t.value = diceLineValue(sum, variant);
        for (std::size_t i = 0; i < 3; ++i)
            t.columns[i] = QString::number(elements[i]);
        t.result = QString::number(elements[0]) + plus + QString::number(elements[1]) + plus +
                   QString::number(elements[2]) + equals + QString::number(sum) + equals + t.value +
                   hex::lineText(t.value);
    }
    if (variant == CastVariant::Majority)
        t.result = hex::lineText(t.value).mid(1);
    return t;
}

Throw throwCoins(RandomSource &random, CastVariant variant)
{
    std::array<int, 3> coins{};
    for (int &c : coins)
        c = int(random.below(10) % 2);
    return describe(Method::Coins, variant, coins);
}

Throw throwDice(RandomSource &random, CastVariant variant)
{
    std::array<int, 3> dice{};
    for (int &d : dice)
        d = int(random.below(6)) + 1;
    return describe(Method::Dice, variant, dice);
}

int throwPictureIndex(Method method, int element)
{
    if (method == Method::Coins)
        return element ? 0 : 1;
    return element + 1;
}

std::array<int, 3> elementsFromColumns(Method method, const std::array<QString, 3> &columns)
{
    std::array<int, 3> out{};
    for (std::size_t i = 0; i < 3; ++i)
        out[i] = method == Method::Coins ? (columns[i] == QStringLiteral("Ян") ? 1 : 0) : columns[i].toInt();
    return out;
}

QString variantSuffix(Method method, CastVariant variant)
{
    if (method != Method::Coins)
        return {};
    return variant == CastVariant::Weighted ? QStringLiteral(" (Вариант весовых коэффициентов)")
                                            : QStringLiteral(" (Вариант большинства)");
}

QString endedTableCaption(const QString &number, Method method, CastVariant variant)
{
    return QStringLiteral("Графический стол гадания - гексаграмма ") + number + variantSuffix(method, variant);
}

} // namespace yw::cast
