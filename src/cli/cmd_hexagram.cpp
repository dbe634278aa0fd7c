#include "cli/cli.h"

#include "divination/hexagram.h"

#include <QRegularExpression>

namespace yw::cli {
namespace {

QJsonObject describe(const QString &bits)
{
    const QString number = hex::kingWenNumber(bits);
    const int n = number.toInt();
    const hex::Trigram *upper = hex::trigramByBits(bits.left(3));
    const hex::Trigram *lower = hex::trigramByBits(bits.mid(3));
    QJsonObject o;
    o[QStringLiteral("number")] = number;
    o[QStringLiteral("line_code")] = hex::lineCode(n);
    o[QStringLiteral("bit_code")] = bits;
    o[QStringLiteral("upper")] = QString::fromUtf16(upper->name);
    o[QStringLiteral("lower")] = QString::fromUtf16(lower->name);
    o[QStringLiteral("upper_gua_index")] = upper->guaIndex;
    o[QStringLiteral("lower_gua_index")] = lower->guaIndex;
    o[QStringLiteral("symmetric")] = hex::isSymmetric(n);
    o[QStringLiteral("warning")] = hex::isWarning(n);
    return o;
}

int run(const QStringList &args)
{
    if (args.size() != 1)
        return fail(QStringLiteral("hexagram takes one argument: a number 1..64, a bit code or a line code"));
    const QString x = args.first().trimmed();
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,2}$"));
    static const QRegularExpression bits(QStringLiteral("^[01]{6}$"));
    static const QRegularExpression lines(QStringLiteral("^[6-9]{6}$"));
    if (number.match(x).hasMatch()) {
        const int n = x.toInt();
        if (n < 1 || n > 64)
            return fail(QStringLiteral("hexagram number %1 is outside 1..64").arg(x));
        printJson(describe(hex::bitCodeOf(hex::lineCode(n))));
        return 0;
    }
    if (bits.match(x).hasMatch()) {
        printJson(describe(x));
        return 0;
    }
    if (lines.match(x).hasMatch()) {
        QJsonObject o = describe(hex::bitCodeOf(x));
        o[QStringLiteral("line_code")] = x;
        const QString young = hex::youngLineCode(x);
        o[QStringLiteral("young_line_code")] = young;
        o[QStringLiteral("young_number")] = hex::kingWenNumber(hex::bitCodeOf(young));
        printJson(o);
        return 0;
    }
    return fail(QStringLiteral("\"%1\" is neither a number 1..64, a six-character bit code of 0 and 1, "
                               "nor a six-character line code of 6, 7, 8 and 9")
                    .arg(x));
}

const Registration
    reg({QStringLiteral("hexagram"),
         QStringLiteral("hexagram X          one hexagram by number (1..64), bit code (010001) or line code (878887)"),
         run});

} // namespace
} // namespace yw::cli
