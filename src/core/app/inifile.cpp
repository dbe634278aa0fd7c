#include "app/inifile.h"

#include "app/cp1251.h"
#include "app/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace yw {
namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return splitLines(fromCp1251(file.readAll()));
}

// "[name]" with blanks allowed around it; returns the trimmed name.
std::optional<QString> sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char(';'));
}

// Splits "key=value" and reports the trimmed key; lines without '=' carry no key.
std::optional<QString> keyOf(const QString &line, QString *value = nullptr)
{
    if (isComment(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return line.left(eq).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QString> IniFile::rawValue(const QString &section, const QString &key) const
{
    const QStringList lines = readLines(m_path);
    bool inSection = false;
    for (const QString &line : lines) {
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        QString value;
        const auto k = keyOf(line, &value);
        if (k && sameName(*k, key))
            return value.left(kMaxValueLength);
    }
    return std::nullopt;
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return rawValue(section, key).has_value();
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    return rawValue(section, key).value_or(def);
}

std::optional<int> IniFile::parseInteger(const QString &text)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty())
        return std::nullopt;
    for (QChar c : t) {
        const bool digit = c.isDigit() && c.unicode() < 128;
        const bool hex = base == 16 && QStringLiteral("abcdefABCDEF").contains(c);
        if (!digit && !hex)
            return std::nullopt;
    }
    bool ok = false;
    // Hexadecimal values are 32-bit patterns: 80000008 is the window-text colour, a negative int.
    if (base == 16) {
        const qulonglong v = t.toULongLong(&ok, 16);
        if (!ok || v > 0xFFFFFFFFull)
            return std::nullopt;
        const auto bits = static_cast<quint32>(v);
        const int value = static_cast<int>(bits);
        return negative ? -value : value;
    }
    const qlonglong v = t.toLongLong(&ok, 10);
    const qlonglong signedValue = negative ? -v : v;
    if (!ok || signedValue < INT_MIN || signedValue > INT_MAX)
        return std::nullopt;
    return static_cast<int>(signedValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const auto raw = rawValue(section, key);
    if (!raw)
        return def;
    return parseInteger(*raw).value_or(def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QStringList lines = readLines(m_path);
    const QString newLine = key + QLatin1Char('=') + value;

    qsizetype sectionStart = -1;  // line index of the section header
    qsizetype lastInSection = -1; // last non-empty line belonging to the section
    bool inSection = false;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection)
                break;
            inSection = sameName(*name, section);
            if (inSection) {
                sectionStart = i;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            lastInSection = i;
        const auto k = keyOf(lines[i]);
        if (k && sameName(*k, key)) {
            lines[i] = *k + QLatin1Char('=') + value;
            done = true;
        }
    }
    if (!done) {
        if (sectionStart < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(newLine);
        } else {
            lines.insert(lastInSection + 1, newLine);
        }
    }

    QSaveFile file(m_path);
    const QByteArray bytes = joinCrLf(lines);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Unable to write to %1")
                        .arg(QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath())));
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace yw
