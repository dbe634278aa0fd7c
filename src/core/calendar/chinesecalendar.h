#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace yw::cal {

// The twelve animals in cycle order, "Крыса" first.
const QStringList &AnimalNames();
// By heavenly stem 0..9; two consecutive stems share an element.
const QStringList &StemTexts();
const QStringList &StemElements();
const QStringList &StemColors();

// The solar years the program knows: each starts on the day the Sun reaches 315 degrees.
constexpr int kFirstSolarYear = 1900;
constexpr int kLastSolarYear = 2100;

// First and last day of the solar year that starts in the given Gregorian year; an invalid date
// outside kFirstSolarYear..kLastSolarYear.
QDate yearStart(int year);
QDate yearEnd(int year);
// The same as "dd.mm.yyyy" texts, index = year - kFirstSolarYear.
const QStringList &YearStartDates();
const QStringList &YearEndDates();

// The day (in Beijing time) on which the Sun crosses ecliptic longitude 315 degrees in the given
// year, from the built-in analytic ephemeris. The table above keeps its own values up to 2023.
QDate computedSolarYearStart(int year);

// A day in the Chinese lunisolar calendar.
struct ChineseDate {
    int cycleYear = 0; // position of the lunar year in the 60-year cycle, 1 (1984) .. 60
    int animal = 0;    // earthly branch, 0 = "Крыса"
    int stem = 0;      // heavenly stem 0..9
    int month = 0;     // lunar month 1..12; a leap month carries the number of the month before it
    bool leapMonth = false;
    int day = 0; // day of the lunar month 1..30
};
// Throws yw::Error when the date is invalid or the calendar cannot be built.
ChineseDate chineseDate(const QDate &date);

QString dateText(const QDate &date); // "dd.mm.yyyy"

} // namespace yw::cal
