#include "divination/hexagram.h"

#include <QDir>

namespace yw::hex {
namespace {

// King Wen order, line codes read from line 6 down to line 1.
constexpr std::array<const char *, 64> kLineCodes = {
    "777777", "888888", "878887", "788878", "878777", "777878", "888878", "878888", "778777", "777877", "888777",
    "777888", "777787", "787777", "888788", "887888", "877887", "788778", "888877", "778888", "787887", "788787",
    "788888", "888887", "777887", "788777", "788887", "877778", "878878", "787787", "877788", "887778", "777788",
    "887777", "787888", "888787", "778787", "787877", "878788", "887878", "788877", "778887", "877777", "777778",
    "877888", "888778", "877878", "878778", "877787", "787778", "887887", "788788", "778788", "887877", "887787",
    "787788", "778778", "877877", "778878", "878877", "778877", "887788", "878787", "787878"};

const std::array<Trigram, 8> kTrigrams = {{
    {1, u"Цянь", "333", "777", "111", 0},
    {2, u"Дуй", "331", "877", "011", 7},
    {3, u"Ли", "313", "787", "101", 5},
    {4, u"Чжень", "311", "887", "001", 3},
    {5, u"Сюнь", "133", "778", "110", 4},
    {6, u"Кань", "131", "878", "010", 1},
    {7, u"Гэнь", "113", "788", "100", 2},
    {8, u"Кунь", "111", "888", "000", 6},
}};

} // namespace

const std::array<Trigram, 8> &trigrams()
{
    return kTrigrams;
}

const Trigram *trigramByBits(const QString &bits)
{
    for (const Trigram &t : kTrigrams)
        if (bits == QLatin1String(t.bitCode))
            return &t;
    return nullptr;
}

const Trigram *trigramByGuaIndex(int guaIndex)
{
    for (const Trigram &t : kTrigrams)
        if (t.guaIndex == guaIndex)
            return &t;
    return nullptr;
}

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString bitCodeOf(const QString &lineCode)
{
    QString bits;
    bits.reserve(lineCode.size());
    for (QChar c : lineCode)
        bits.append(bit(c));
    return bits;
}

QString kingWenNumber(const QString &bitCode)
{
    if (bitCode.size() != 6)
        return {};
    for (int i = 0; i < 64; ++i)
        if (bitCodeOf(QLatin1String(kLineCodes[i])) == bitCode)
            return twoDigits(i + 1);
    return {};
}

QString lineCode(int number)
{
    if (number < 1 || number > 64)
        return {};
    return QLatin1String(kLineCodes[number - 1]);
}

bool isLineValue(QChar v)
{
    return v == u'6' || v == u'7' || v == u'8' || v == u'9';
}
bool isMoving(QChar v)
{
    return v == u'6' || v == u'9';
}

QChar youngValue(QChar v)
{
    if (v == u'6')
        return u'7';
    if (v == u'9')
        return u'8';
    return v;
}

QChar bit(QChar v)
{
    return (v == u'7' || v == u'9') ? u'1' : u'0';
}

int linePictureIndex(QChar v)
{
    switch (v.unicode()) {
    case u'6': return 0;
    case u'8': return 1;
    case u'9': return 2;
    case u'7': return 3;
    default: return -1;
    }
}

QString lineText(QChar v)
{
    switch (v.unicode()) {
    case u'6': return QStringLiteral(" Черта Инь (ст)");
    case u'7': return QStringLiteral(" Черта Ян");
    case u'8': return QStringLiteral(" Черта Инь");
    case u'9': return QStringLiteral(" Черта Ян (ст)");
    default: return {};
    }
}

QString youngLineCode(const QString &lineCode)
{
    QString out;
    for (QChar c : lineCode)
        out.append(youngValue(c));
    return out;
}

int guaSignIndex(const QString &bitTrigram, int index)
{
    const Trigram *t = trigramByBits(bitTrigram);
    return t ? t->guaIndex : index;
}

bool isSymmetric(int number)
{
    const QString code = lineCode(number);
    return !code.isEmpty() && reversed(code) == code;
}

bool isWarning(int number)
{
    return number == 3 || number == 29 || number == 39 || number == 47;
}

QString symmetryText(int number)
{
    return isSymmetric(number) ? QStringLiteral("Симметричная") : QStringLiteral("Несимметричная");
}

int mod1(int a, int b)
{
    const int r = a > b ? a % b : a;
    return r == 0 ? b : r;
}

QString reversed(const QString &text)
{
    QString out;
    for (QChar c : text)
        out.prepend(c);
    return out;
}

QString tempFolder()
{
    QString path = QDir::toNativeSeparators(QDir::tempPath());
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

} // namespace yw::hex
