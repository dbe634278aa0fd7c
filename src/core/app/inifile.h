#pragma once

#include <QString>

#include <optional>

namespace yw {

// The settings file, read and written one key at a time with the rules of the Windows profile
// functions: names match without regard to case, values are trimmed and at most 2047 characters
// long, and numbers that do not parse give the caller's default. Nothing is held open between
// calls; each write replaces the whole file atomically and keeps every other line as it was.
class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &def = {}) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;
    bool hasKey(const QString &section, const QString &key) const;

    // Throw yw::Error("Unable to write to <full path>") when the file cannot be replaced.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // The integer rules on their own: decimal with an optional sign, or hexadecimal after
    // "0x" or "$"; anything else is not a number.
    static std::optional<int> parseInteger(const QString &text);

    static constexpr int kMaxValueLength = 2047;

private:
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    QString m_path;
};

} // namespace yw
