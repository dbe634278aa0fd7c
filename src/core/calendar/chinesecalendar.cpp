#include "calendar/chinesecalendar.h"

#include "app/error.h"

#include <swephexp.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <QDateTime>

#include <array>
#include <cmath>
#include <memory>

namespace yw::cal {
namespace {

// Day of February on which each solar year 1900..2023 starts, as the program has always had it.
constexpr std::array<int, 124> kFebruaryStarts = {
    4, 4, 4, 5, 5, 4, 5, 5, 5, 4, // 1900
    5, 5, 5, 4, 5, 5, 5, 4, 4, 5, // 1910
    5, 4, 4, 5, 5, 4, 4, 5, 5, 4, // 1920
    4, 5, 5, 4, 4, 5, 4, 4, 4, 5, // 1930
    5, 4, 4, 5, 5, 4, 4, 5, 5, 4, // 1940
    4, 4, 5, 4, 4, 4, 5, 4, 4, 4, // 1950
    5, 4, 4, 4, 5, 4, 4, 4, 5, 4, // 1960
    4, 4, 5, 4, 4, 4, 5, 4, 4, 4, // 1970
    5, 4, 4, 4, 4, 4, 4, 4, 4, 4, // 1980
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, // 1990
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, // 2000
    4, 4, 4, 4, 4, 4, 4, 3, 4, 4, // 2010
    4, 3, 4, 4,                   // 2020
};
constexpr int kLastTabledYear = kFirstSolarYear + int(kFebruaryStarts.size()) - 1;

// Beijing civil time, in which the solar terms are dated.
constexpr double kBeijingOffsetDays = 8.0 / 24.0;

struct SolarYears {
    QList<QDate> starts; // kFirstSolarYear .. kLastSolarYear + 1 (the last one bounds the last year)
    QStringList startTexts;
    QStringList endTexts;
};

const SolarYears &solarYears()
{
    static const SolarYears years = [] {
        SolarYears y;
        for (int year = kFirstSolarYear; year <= kLastSolarYear + 1; ++year) {
            if (year <= kLastTabledYear)
                y.starts.append(QDate(year, 2, kFebruaryStarts[std::size_t(year - kFirstSolarYear)]));
            else
                y.starts.append(computedSolarYearStart(year));
        }
        for (int i = 0; i + 1 < y.starts.size(); ++i) {
            y.startTexts.append(dateText(y.starts[i]));
            y.endTexts.append(dateText(y.starts[i + 1].addDays(-1)));
        }
        return y;
    }();
    return years;
}

QStringList list(std::initializer_list<const char16_t *> items)
{
    QStringList out;
    for (const char16_t *s : items)
        out.append(QString::fromUtf16(s));
    return out;
}

} // namespace

const QStringList &AnimalNames()
{
    static const QStringList names = list({u"Крыса", u"Бык", u"Тигр", u"Кролик", u"Дракон", u"Змея", u"Лошадь", u"Овца",
                                           u"Обезьяна", u"Петух", u"Собака", u"Свинья"});
    return names;
}

const QStringList &StemTexts()
{
    static const QStringList texts = list({
        u"цвет: Синий, стихия: Дерево",
        u"цвет: Голубой, стихия: Дерево",
        u"цвет: Красный, стихия: Огонь",
        u"цвет: Розовый, стихия: Огонь",
        u"цвет: Желтый, стихия: Земля",
        u"цвет: светло Желтый, стихия: Земля",
        u"цвет: Белый, стихия: Металл",
        u"цвет: Матовый, стихия: Металл",
        u"цвет: Черный, стихия: Вода",
        u"цвет: Серый, стихия: Вода",
    });
    return texts;
}

const QStringList &StemElements()
{
    static const QStringList elements =
        list({u"Дерево", u"Дерево", u"Огонь", u"Огонь", u"Земля", u"Земля", u"Металл", u"Металл", u"Вода", u"Вода"});
    return elements;
}

const QStringList &StemColors()
{
    static const QStringList colors = list({u"Синий", u"Голубой", u"Красный", u"Розовый", u"Желтый", u"светло Желтый",
                                            u"Белый", u"Матовый", u"Черный", u"Серый"});
    return colors;
}

QDate computedSolarYearStart(int year)
{
    // Start the search early in January, well before the crossing in early February.
    const double from = swe_julday(year, 1, 1, 0.0, SE_GREG_CAL);
    char serr[256] = {0};
    const double crossing = swe_solcross_ut(315.0, from, SEFLG_MOSEPH, serr);
    if (crossing < from)
        throw Error(QStringLiteral("Solar term of %1 not found: %2").arg(year).arg(QString::fromLatin1(serr)));
    int y = 0, m = 0, d = 0;
    double hour = 0;
    swe_revjul(crossing + kBeijingOffsetDays, SE_GREG_CAL, &y, &m, &d, &hour);
    return QDate(y, m, d);
}

QDate yearStart(int year)
{
    if (year < kFirstSolarYear || year > kLastSolarYear)
        return {};
    return solarYears().starts[year - kFirstSolarYear];
}

QDate yearEnd(int year)
{
    if (year < kFirstSolarYear || year > kLastSolarYear)
        return {};
    return solarYears().starts[year - kFirstSolarYear + 1].addDays(-1);
}

const QStringList &YearStartDates()
{
    return solarYears().startTexts;
}
const QStringList &YearEndDates()
{
    return solarYears().endTexts;
}

ChineseDate chineseDate(const QDate &date)
{
    if (!date.isValid())
        throw Error(QStringLiteral("Invalid date"));
    UErrorCode status = U_ZERO_ERROR;
    // The calendar works on whole days; noon UTC of the civil day keeps it clear of any boundary.
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), icu::Locale("zh_CN@calendar=chinese"), status));
    if (U_FAILURE(status) || !calendar)
        throw Error(QStringLiteral("Chinese calendar unavailable: %1").arg(QString::fromLatin1(u_errorName(status))));
    const QDateTime noon(date, QTime(12, 0), Qt::UTC);
    calendar->setTime(UDate(noon.toMSecsSinceEpoch()), status);
    ChineseDate out;
    out.cycleYear = calendar->get(UCAL_YEAR, status);
    out.month = calendar->get(UCAL_MONTH, status) + 1;
    out.leapMonth = calendar->get(UCAL_IS_LEAP_MONTH, status) != 0;
    out.day = calendar->get(UCAL_DATE, status);
    if (U_FAILURE(status))
        throw Error(QStringLiteral("Chinese calendar failed: %1").arg(QString::fromLatin1(u_errorName(status))));
    out.animal = (out.cycleYear - 1) % 12;
    out.stem = (out.cycleYear - 1) % 10;
    return out;
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace yw::cal
