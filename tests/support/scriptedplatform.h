#pragma once

#include "gui/platform/platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>

namespace yw {

// A platform for tests: records what would have been shown or played and answers every
// question from queues filled in advance. An unexpected question gets the box's default answer.
class ScriptedPlatform : public Platform {
public:
    struct Shown {
        MsgIcon icon;
        QString caption;
        QString text;
        int buttons;
        int defaultButton;
    };

    int message(QWidget *parent, MsgIcon icon, const QString &caption, const QString &text, int buttons,
                int defaultButton) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString folder(QWidget *parent, const QString &caption, const QString &dir) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override;
    void playSound(const QString &path) override;
    bool openUrl(const QUrl &url) override;
    void showHelp(int topic) override;
    QDateTime now() const override { return m_now; }

    // Answers, consumed in order.
    QQueue<int> answers;
    QQueue<QString> fileNames;
    QQueue<QString> folders;
    QQueue<std::optional<QFont>> fonts;
    // Runs while a message box would be open (for example to check a window's state then).
    std::function<void(const Shown &)> onMessage;

    // What happened.
    QList<Shown> messages;
    QStringList sounds; // file names without folder
    QList<QUrl> openedUrls;
    QList<int> helpTopics;
    int fileDialogs = 0;
    int folderDialogs = 0;

    void setNow(const QDateTime &now) { m_now = now; }
    void clear();
    QStringList messageTexts() const;

private:
    QDateTime m_now = QDateTime(QDate(2026, 12, 11), QTime(10, 15, 30, 250));
};

} // namespace yw
