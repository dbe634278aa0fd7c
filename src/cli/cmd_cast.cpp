#include "cli/cli.h"
#include "cli/divination_json.h"

#include "divination/casting.h"

#include <QDateTime>
#include <QJsonArray>

namespace yw::cli {
namespace {

int run(const QStringList &args)
{
    const Options o(args);
    if (const QStringList bad =
            o.unknown({QStringLiteral("method"), QStringLiteral("variant"), QStringLiteral("seeds")});
        !bad.isEmpty())
        return fail(QStringLiteral("unknown option %1").arg(bad.join(QStringLiteral(", "))));
    const QString methodText = o.value(QStringLiteral("method"), QStringLiteral("coins"));
    if (methodText != QLatin1String("coins") && methodText != QLatin1String("dice"))
        return fail(QStringLiteral("--method is coins or dice, not \"%1\"").arg(methodText));
    const cast::Method method = methodText == QLatin1String("coins") ? cast::Method::Coins : cast::Method::Dice;
    const std::optional<CastVariant> variant =
        parseVariant(o.value(QStringLiteral("variant"), QStringLiteral("weighted")));
    if (!variant)
        return fail(QStringLiteral("--variant is weighted or majority"));

    QList<quint32> seeds;
    if (o.has(QStringLiteral("seeds"))) {
        const QStringList parts = o.value(QStringLiteral("seeds")).split(QLatin1Char(','));
        for (const QString &p : parts) {
            bool ok = false;
            const qulonglong v = p.trimmed().toULongLong(&ok);
            if (!ok || v > 0xFFFFFFFFull)
                return fail(QStringLiteral("seed \"%1\" is not a whole number 0..4294967295").arg(p));
            seeds.append(quint32(v));
        }
        if (seeds.size() != 6)
            return fail(QStringLiteral("--seeds needs six numbers, one per press, got %1").arg(seeds.size()));
    }

    DivinationState state;
    cast::RandomSource random;
    QJsonArray lines;
    for (int press = 0; press < 6; ++press) {
        // Without seeds, each press takes the clock as the window does.
        const quint32 seed = seeds.isEmpty() ? cast::seedAt(QDateTime::currentDateTimeUtc()) : seeds[press];
        random.setSeed(seed);
        const cast::Throw t =
            method == cast::Method::Coins ? cast::throwCoins(random, *variant) : cast::throwDice(random, *variant);
        state.addLine(t.value);
        QJsonObject line;
        line[QStringLiteral("line")] = press + 1;
        line[QStringLiteral("seed")] = qint64(seed);
        QJsonArray throws;
        QJsonArray texts;
        for (std::size_t i = 0; i < 3; ++i) {
            throws.append(t.elements[i]);
            texts.append(t.columns[i]);
        }
        line[QStringLiteral("throws")] = throws;
        line[QStringLiteral("throw_texts")] = texts;
        line[QStringLiteral("value")] = QString(t.value);
        line[QStringLiteral("result")] = t.result;
        lines.append(line);
    }
    state.finish(*variant);

    QJsonObject out;
    out[QStringLiteral("method")] = methodText;
    out[QStringLiteral("variant")] = o.value(QStringLiteral("variant"), QStringLiteral("weighted"));
    out[QStringLiteral("lines")] = lines;
    out[QStringLiteral("line_code")] = state.lineCode;
    out[QStringLiteral("bit_code")] = state.bitCode;
    out[QStringLiteral("old")] = state.oldNumber;
    out[QStringLiteral("young")] = state.youngNumber;
    out[QStringLiteral("attention")] = state.attention;
    out[QStringLiteral("caption")] = cast::endedTableCaption(state.oldNumber, method, *variant);
    printJson(out);
    return 0;
}

const Registration
    reg({QStringLiteral("cast"),
         QStringLiteral("cast --method coins|dice --variant weighted|majority [--seeds S1,S2,S3,S4,S5,S6]\n"
                        "                     six lines, one press per seed (milliseconds since UTC midnight)"),
         run});

} // namespace
} // namespace yw::cli
