#include "cli/cli.h"
#include "cli/divination_json.h"

#include "app/error.h"

namespace yw::cli {
namespace {

int run(const QStringList &args)
{
    const Options o(args);
    if (const QStringList bad = o.unknown({QStringLiteral("question"), QStringLiteral("period"), QStringLiteral("day"),
                                           QStringLiteral("month"), QStringLiteral("year"), QStringLiteral("variant")});
        !bad.isEmpty())
        return fail(QStringLiteral("unknown option %1").arg(bad.join(QStringLiteral(", "))));
    const QString question = o.value(QStringLiteral("question"));
    if (question.trimmed().isEmpty())
        return fail(QStringLiteral("the numerological method needs --question TEXT"));
    const int period = o.value(QStringLiteral("period")).toInt();
    const int day = o.value(QStringLiteral("day")).toInt();
    const int month = o.value(QStringLiteral("month")).toInt();
    const int year = o.value(QStringLiteral("year")).toInt();
    if (period < 1 || period > 12)
        return fail(QStringLiteral("--period is 1 (23.00 - 01.00) .. 12 (21.00 - 23.00)"));
    if (day < 1 || day > 31)
        return fail(QStringLiteral("--day is 1..31"));
    if (month < 1 || month > 12)
        return fail(QStringLiteral("--month is the calendar month 1..12 (January is 1)"));
    if (year < numero::kFirstYear || year > numero::kLastYear)
        return fail(QStringLiteral("--year is %1..%2").arg(numero::kFirstYear).arg(numero::kLastYear));
    const std::optional<CastVariant> variant =
        parseVariant(o.value(QStringLiteral("variant"), QStringLiteral("weighted")));
    if (!variant)
        return fail(QStringLiteral("--variant is weighted or majority"));

    numero::Input in;
    in.method = cast::Method::Numerology;
    in.variant = *variant;
    in.periodIndex = period - 1;
    in.dayIndex = day - 1;
    in.monthIndex = numero::monthIndexFor(month);
    in.year = year;
    in.question = question;
    QJsonObject out = numeroJson(numero::calculate(in), *variant);
    out[QStringLiteral("digits")] = numero::digitString(question);
    out[QStringLiteral("question")] =
        numero::questionWithDate(question, numero::periodTexts()[in.periodIndex], numero::dayTexts()[in.dayIndex],
                                 numero::monthTexts()[in.monthIndex], QString::number(year));
    printJson(out);
    return 0;
}

const Registration
    reg({QStringLiteral("numerology"),
         QStringLiteral("numerology --question TEXT --period 1..12 --day D --month 1..12 --year Y "
                        "--variant weighted|majority\n"
                        "                     the numerological method (the formula counts February as month 1)"),
         run});

} // namespace
} // namespace yw::cli
