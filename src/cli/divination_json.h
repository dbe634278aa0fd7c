#pragma once

#include "app/programstate.h"
#include "divination/divination.h"
#include "divination/hexagram.h"
#include "divination/numerology.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace yw::cli {

inline std::optional<CastVariant> parseVariant(const QString &text)
{
    if (text == QLatin1String("weighted"))
        return CastVariant::Weighted;
    if (text == QLatin1String("majority"))
        return CastVariant::Majority;
    return std::nullopt;
}

// What the numerological panel shows, and the hexagrams it leads to.
inline QJsonObject numeroJson(const numero::Result &r, CastVariant variant)
{
    DivinationState state;
    numero::apply(r, variant, state);
    QJsonObject o;
    o[QStringLiteral("H")] = r.H;
    o[QStringLiteral("D")] = r.D;
    o[QStringLiteral("M")] = r.M;
    o[QStringLiteral("Y")] = r.Y;
    o[QStringLiteral("T")] = r.T;
    o[QStringLiteral("U")] = r.U;
    o[QStringLiteral("L")] = r.L;
    o[QStringLiteral("K")] = r.K;
    o[QStringLiteral("upper_text")] = r.upperText;
    o[QStringLiteral("lower_text")] = r.lowerText;
    o[QStringLiteral("moving_text")] = r.movingText;
    o[QStringLiteral("line_code")] = r.lineCode;
    o[QStringLiteral("bit_code")] = r.bitCode;
    o[QStringLiteral("young_line_code")] =
        variant == CastVariant::Weighted ? hex::youngLineCode(r.lineCode) : QString();
    o[QStringLiteral("old")] = state.oldNumber;
    o[QStringLiteral("young")] = state.youngNumber;
    o[QStringLiteral("attention")] = state.attention;
    return o;
}

} // namespace yw::cli
