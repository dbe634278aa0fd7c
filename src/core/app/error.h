#pragma once

#include <QString>

#include <exception>

namespace yw {

// An engine or platform failure that no window handles itself: it travels up to the
// application's general handler, which shows the text and lets the program go on.
class Error : public std::exception {
public:
    explicit Error(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

} // namespace yw
