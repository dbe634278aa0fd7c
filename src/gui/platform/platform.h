#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

namespace yw {

enum class MsgIcon { None, Information, Warning, Error, Question };

// Buttons of a message box; combine with |. The answer of a box is one of them.
enum MsgButton : int { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

// Everything that leaves the program or waits for a person goes through here, so that tests
// can answer dialogs in advance and see what would have been shown or played.
class Platform {
public:
    virtual ~Platform() = default;

    virtual int message(QWidget *parent, MsgIcon icon, const QString &caption, const QString &text,
                        int buttons = MsgButton::Ok, int defaultButton = MsgButton::Ok) = 0;
    // Empty text when the user cancels.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString folder(QWidget *parent, const QString &caption, const QString &dir) = 0;
    virtual std::optional<QFont> font(QWidget *parent, const QFont &initial) = 0;
    // Plays a wave file without waiting; a later sound cuts an earlier one.
    virtual void playSound(const QString &path) = 0;
    virtual bool openUrl(const QUrl &url) = 0;
    virtual void showHelp(int topic) = 0;
    // The local date and time; UTC follows from it.
    virtual QDateTime now() const = 0;
};

} // namespace yw
