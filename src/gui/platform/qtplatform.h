#pragma once

#include "gui/platform/platform.h"

#include <QPointer>

class QSoundEffect;

namespace yw {

class HelpWindow;

// The platform as a person meets it: real dialogs, sounds, the desktop's browser.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(QString programDir);
    ~QtPlatform() override;

    int message(QWidget *parent, MsgIcon icon, const QString &caption, const QString &text, int buttons,
                int defaultButton) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString folder(QWidget *parent, const QString &caption, const QString &dir) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override;
    void playSound(const QString &path) override;
    bool openUrl(const QUrl &url) override;
    void showHelp(int topic) override;
    QDateTime now() const override;

private:
    QString m_programDir;
    QSoundEffect *m_sound = nullptr;
    QPointer<HelpWindow> m_help;
};

} // namespace yw
