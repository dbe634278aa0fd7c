#include "support/scriptedplatform.h"

#include <QFileInfo>

namespace yw {

int ScriptedPlatform::message(QWidget *, MsgIcon icon, const QString &caption, const QString &text, int buttons,
                              int defaultButton)
{
    const Shown shown{icon, caption, text, buttons, defaultButton};
    messages.append(shown);
    if (onMessage)
        onMessage(shown);
    if (!answers.isEmpty())
        return answers.dequeue();
    return defaultButton;
}

QString ScriptedPlatform::openFileName(QWidget *, const QString &, const QString &, const QString &)
{
    ++fileDialogs;
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedPlatform::folder(QWidget *, const QString &, const QString &)
{
    ++folderDialogs;
    return folders.isEmpty() ? QString() : folders.dequeue();
}

std::optional<QFont> ScriptedPlatform::font(QWidget *, const QFont &)
{
    return fonts.isEmpty() ? std::nullopt : fonts.dequeue();
}

void ScriptedPlatform::playSound(const QString &path)
{
    sounds.append(QFileInfo(path).fileName());
}

bool ScriptedPlatform::openUrl(const QUrl &url)
{
    openedUrls.append(url);
    return true;
}

void ScriptedPlatform::showHelp(int topic)
{
    helpTopics.append(topic);
}

void ScriptedPlatform::clear()
{
    messages.clear();
    sounds.clear();
    openedUrls.clear();
    helpTopics.clear();
    fileDialogs = folderDialogs = 0;
}

QStringList ScriptedPlatform::messageTexts() const
{
    QStringList out;
    for (const Shown &s : messages)
        out.append(s.text);
    return out;
}

} // namespace yw
