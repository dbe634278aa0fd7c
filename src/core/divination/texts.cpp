#include "divination/texts.h"

#include "app/cp1251.h"
#include "app/error.h"

#include <QDir>
#include <QFile>

namespace yw {

const QList<InterpretationVariant> &interpretationVariants()
{
    static const QList<InterpretationVariant> list = {
        {QStringLiteral("Западный вариант Ирмы Кольден"), QStringLiteral("IKolde.dat"), CastVariant::Majority},
        {QStringLiteral("Канонический текст"), QStringLiteral("CCanon.dat"), CastVariant::Weighted},
        {QStringLiteral("Адаптированный китайский вариант (Л.М. Вернов)"), QStringLiteral("CVernov.dat"),
         CastVariant::Weighted},
        {QStringLiteral("Павел Ронин \"Книга сказочных перемен\""), QStringLiteral("PRonin.dat"),
         CastVariant::Majority},
    };
    return list;
}

QStringList interpretationNames()
{
    QStringList names;
    for (const InterpretationVariant &v : interpretationVariants())
        names.append(v.displayName);
    return names;
}

QString IntNameFile(const QString &displayName)
{
    for (const InterpretationVariant &v : interpretationVariants()) {
        if (v.displayName == displayName) {
            programState().interpretationFile = v.fileName;
            programState().castVariant = v.castVariant;
            break;
        }
    }
    return programState().interpretationFile;
}

// Blanks and control characters come off both ends; other characters, such as the no-break
// space of code page 1251, belong to the text.
QString trimBlanks(const QString &line)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && line.at(from).unicode() <= 0x20)
        ++from;
    while (to > from && line.at(to - 1).unicode() <= 0x20)
        --to;
    return line.mid(from, to - from);
}

QStringList sectionOf(const QStringList &lines, const QString &key)
{
    QStringList out;
    qsizetype i = 0;
    while (i < lines.size()) {
        if (trimBlanks(lines[i]) != key) {
            ++i;
            continue;
        }
        // Body runs to the next marker line; the marker itself is not compared with the key.
        ++i;
        while (i < lines.size() && !lines[i].startsWith(QLatin1String("[%")))
            out.append(lines[i++]);
        if (i < lines.size())
            ++i;
    }
    return out;
}

QStringList InterKey(const QString &key, const QString &fileName, const QString &textDir)
{
    const QString path = textDir + QLatin1Char('/') + fileName;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.exists() ? file.errorString() : QStringLiteral("File not found");
        throw Error(QStringLiteral("%1: %2").arg(reason, QDir::toNativeSeparators(path)));
    }
    return sectionOf(splitLines(fromCp1251(file.readAll())), key);
}

QString textDirOf(const QString &programDir)
{
    return programDir + QStringLiteral("/Text");
}

} // namespace yw
