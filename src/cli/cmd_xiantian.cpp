#include "cli/cli.h"
#include "cli/divination_json.h"

#include "app/error.h"

#include <QDate>

namespace yw::cli {
namespace {

int run(const QStringList &args)
{
    const Options o(args);
    if (const QStringList bad =
            o.unknown({QStringLiteral("date"), QStringLiteral("period"), QStringLiteral("variant")});
        !bad.isEmpty())
        return fail(QStringLiteral("unknown option %1").arg(bad.join(QStringLiteral(", "))));
    const QDate date = QDate::fromString(o.value(QStringLiteral("date")), QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid())
        return fail(QStringLiteral("--date needs a date dd.mm.yyyy"));
    if (date.year() < numero::kFirstYear || date.year() > numero::kLastYear)
        return fail(QStringLiteral("--date must lie in %1..%2").arg(numero::kFirstYear).arg(numero::kLastYear));
    const int period = o.value(QStringLiteral("period")).toInt();
    if (period < 1 || period > 12)
        return fail(QStringLiteral("--period is 1 (23.00 - 01.00) .. 12 (21.00 - 23.00)"));
    const std::optional<CastVariant> variant =
        parseVariant(o.value(QStringLiteral("variant"), QStringLiteral("weighted")));
    if (!variant)
        return fail(QStringLiteral("--variant is weighted or majority"));

    numero::Input in;
    in.method = cast::Method::Xiantian;
    in.variant = *variant;
    in.periodIndex = period - 1;
    in.dayIndex = date.day() - 1;
    in.monthIndex = numero::monthIndexFor(date.month());
    in.year = date.year();
    try {
        QJsonObject out = numeroJson(numero::calculate(in), *variant);
        out[QStringLiteral("period")] = numero::periodTexts()[in.periodIndex];
        printJson(out);
    } catch (const Error &e) {
        return fail(e.text());
    }
    return 0;
}

const Registration reg({QStringLiteral("xiantian"),
                        QStringLiteral("xiantian --date dd.mm.yyyy --period 1..12 --variant weighted|majority\n"
                                       "                     the Xiantian method's numbers, formulas and hexagrams"),
                        run});

} // namespace
} // namespace yw::cli
