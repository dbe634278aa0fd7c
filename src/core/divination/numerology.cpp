#include "divination/numerology.h"

#include "app/error.h"
#include "calendar/chinesecalendar.h"
#include "divination/hexagram.h"

namespace yw::numero {
namespace {

QString trigramName(int number)
{
    return QString::fromUtf16(hex::trigrams()[std::size_t(number - 1)].name);
}

QString sumText(const Result &r, bool withHour)
{
    QString s = QStringLiteral("Год(%1)+Месяц(%2)+День(%3)").arg(r.Y).arg(r.M).arg(r.D);
    if (withHour)
        s += QStringLiteral("+Час(%1)").arg(r.H);
    return s;
}

} // namespace

const QStringList &periodTexts()
{
    static const QStringList texts = [] {
        QStringList out;
        for (int i = 0; i < 12; ++i) {
            const int from = (2 * i + 23) % 24;
            out.append(QStringLiteral("%1.00 - %2.00")
                           .arg(from, 2, 10, QLatin1Char('0'))
                           .arg((from + 2) % 24, 2, 10, QLatin1Char('0')));
        }
        return out;
    }();
    return texts;
}

const QStringList &dayTexts()
{
    static const QStringList texts = [] {
        QStringList out;
        for (int d = 1; d <= 31; ++d)
            out.append(QString::number(d));
        return out;
    }();
    return texts;
}

const QStringList &monthTexts()
{
    static const QStringList texts = {QStringLiteral("Февраль"), QStringLiteral("Март"),     QStringLiteral("Апрель"),
                                      QStringLiteral("Май"),     QStringLiteral("Июнь"),     QStringLiteral("Июль"),
                                      QStringLiteral("Август"),  QStringLiteral("Сентябрь"), QStringLiteral("Октябрь"),
                                      QStringLiteral("Ноябрь"),  QStringLiteral("Декабрь"),  QStringLiteral("Январь")};
    return texts;
}

QStringList yearTexts()
{
    QStringList out;
    for (int y = kFirstYear; y <= kLastYear; ++y)
        out.append(QString::number(y));
    return out;
}

int periodIndexForHour(int hour)
{
    // Odd hours open a period, even ones fall in the period opened the hour before; 23 and 0
    // share "23.00 - 01.00".
    return ((hour + 1) / 2) % 12;
}

int monthIndexFor(int month)
{
    return month == 1 ? 11 : month - 2;
}

int yearIndexFor(int year)
{
    return year >= kFirstYear && year <= kLastYear ? year - kFirstYear : -1;
}

int cycleNumber(int year)
{
    int r = (year - 1996) % 12;
    if (r < 0)
        r += 12;
    return r + 1;
}

int letterValue(QChar ch)
{
    static const QString alphabet = QStringLiteral("123456789абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    const qsizetype j = alphabet.indexOf(ch);
    return j < 0 ? 0 : hex::mod1(int(j) + 1, 9);
}

QString digitString(const QString &question)
{
    QString digits;
    for (const QChar ch : question.toLower()) {
        const int v = letterValue(ch);
        if (v > 0)
            digits += QChar(u'0' + v);
    }
    return digits;
}

QDate chosenDate(const Input &in)
{
    const int month = in.monthIndex == 11 ? 1 : in.monthIndex + 2;
    const int day = in.dayIndex + 1;
    const QDate date(in.year, month, day);
    if (in.year <= 0 || !date.isValid()) {
        const QString text = QStringLiteral("%1.%2.%3")
                                 .arg(day, 2, 10, QLatin1Char('0'))
                                 .arg(month, 2, 10, QLatin1Char('0'))
                                 .arg(in.year > 0 ? QString::number(in.year) : QString());
        throw Error(QStringLiteral("'%1' is not a valid date").arg(text));
    }
    return date;
}

Result calculate(const Input &in)
{
    Result r;
    r.H = in.periodIndex + 1;
    if (in.method == cast::Method::Xiantian) {
        const QDate date = chosenDate(in);
        const QDate start = cal::yearStart(in.year);
        r.Y = cycleNumber(start.isValid() && date < start ? in.year - 1 : in.year);
        const cal::ChineseDate cd = cal::chineseDate(date);
        r.M = cd.month;
        r.D = cd.day;
    } else {
        r.D = in.dayIndex + 1;
        r.M = in.monthIndex + 1;
        r.Y = in.year > 0 ? cycleNumber(in.year) : 0;
    }
    r.T = r.Y + r.M + r.D + r.H;
    r.L = hex::mod1(r.T, 8);
    r.lowerText = sumText(r, true) + QStringLiteral("=%1 [mod 8] = %2 ").arg(r.T).arg(r.L) + trigramName(r.L);
    r.K = hex::mod1(r.T, 6);
    if (in.method == cast::Method::Xiantian) {
        const int s = r.Y + r.M + r.D;
        r.U = hex::mod1(s, 8);
        r.upperText = sumText(r, false) + QStringLiteral("=%1 [mod 8] = %2 ").arg(s).arg(r.U) + trigramName(r.U);
    } else {
        const QString digits = digitString(in.question);
        int sum = 0;
        for (const QChar d : digits)
            sum += d.digitValue();
        r.U = hex::mod1(sum, 8);
        r.upperText = digits + QStringLiteral(" [mod 8 = %1] ").arg(r.U) + trigramName(r.U);
    }

    // Picture codes are stored bottom line first; reversed, upper over lower, they read top first.
    r.pictureCode = hex::reversed(QString::fromLatin1(hex::trigrams()[std::size_t(r.U - 1)].pictureCode)) +
                    hex::reversed(QString::fromLatin1(hex::trigrams()[std::size_t(r.L - 1)].pictureCode));
    for (const QChar c : r.pictureCode) {
        r.bitCode += c == u'3' ? u'1' : u'0';
        r.lineCode += c == u'3' ? u'7' : u'8';
    }
    if (in.variant == CastVariant::Weighted) {
        r.movingText = sumText(r, true) + QStringLiteral("=%1 [mod 6] = %2").arg(r.T).arg(r.K);
        const qsizetype i = 6 - r.K; // line K is character 7 - K
        r.lineCode[i] = r.lineCode[i] == u'8' ? u'6' : u'9';
        r.pictureCode[i] = QChar(r.pictureCode[i].unicode() - 1);
    }
    return r;
}

void apply(const Result &result, CastVariant variant, DivinationState &state)
{
    state.lineCode = result.lineCode;
    state.bitCode = result.bitCode;
    state.oldNumber = state.lookup(result.bitCode, variant);
    if (variant == CastVariant::Weighted)
        state.formYoung();
}

QString questionWithDate(const QString &question, const QString &period, const QString &day, const QString &month,
                         const QString &year)
{
    return question + QStringLiteral(" (") + period + QStringLiteral(", ") + day + QLatin1Char(' ') + month +
           QLatin1Char(' ') + year + QLatin1Char(')');
}

} // namespace yw::numero
