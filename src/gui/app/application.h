#pragma once

#include <QApplication>

namespace yw {

class Platform;

// Catches what an event handler throws and shows it in a message box; the program goes on.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    void setPlatform(Platform *platform) { m_platform = platform; }
    bool notify(QObject *receiver, QEvent *event) override;

    // The general error report, also used where an error is caught outside an event.
    static void reportError(Platform *platform, const QString &text);

private:
    Platform *m_platform = nullptr;
};

// Maps the designed "MS Sans Serif" 8 pt to a metric-compatible font that Linux has.
void installFontSubstitutes();
QFont designFont();

} // namespace yw
