#include "divination/htmlexport.h"

#include "app/cp1251.h"
#include "app/error.h"
#include "app/programstate.h"
#include "divination/texts.h"

#include <QDir>
#include <QSaveFile>

namespace yw {

QString TextToHtml(const QString &number, const QString &fileName, const QString &textDir)
{
    if (number.isEmpty())
        return {};
    QString out;
    for (const QString &line : InterKey(QStringLiteral("[%") + number + QLatin1Char(']'), fileName, textDir))
        out += line + QStringLiteral("<p>");
    return out;
}

QString htmlPageName(const QString &number, int methodIndex, int variantIndex)
{
    return QStringLiteral("cp-%1_%2_%3.html").arg(number).arg(methodIndex).arg(variantIndex);
}

QStringList htmlPageLines(const QString &number, const QDateTime &now, const QString &methodText,
                          const QString &interpretationText, const QString &body)
{
    // The page is in code page 1251; without saying so, today's browsers show it as garbage.
    return {
        QStringLiteral("<html><head><meta charset=\"windows-1251\"><title>Интерпретация гексаграммы ") + number +
            QStringLiteral("</title></head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<font size=\"-1\">Гадание <b>") + now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) +
            QStringLiteral("</b> <a href=\"") + kProductSite + QStringLiteral("\">Yarrowind ") + kSettingsVersion +
            QStringLiteral("</a></font><br>"),
        QStringLiteral("<p>"),
        QStringLiteral("Метод гадания: <b>") + methodText + QStringLiteral("</b><br>"),
        QStringLiteral("Интерпретация: <b>") + interpretationText + QStringLiteral("</b><br>"),
        QStringLiteral("<p>"),
        QStringLiteral("Гексаграмма: <b>") + number + QStringLiteral("</b>"),
        QStringLiteral("<p>"),
        body,
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
}

QString writeHtmlPage(const QString &folder, const QString &name, const QStringList &lines)
{
    const QString path = QDir(folder).filePath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(joinCrLf(lines)) < 0 || !file.commit())
        throw Error(
            QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return path;
}

} // namespace yw
