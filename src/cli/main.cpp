#include "cli/cli.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace yw::cli {
namespace {

QList<Command> &registry()
{
    static QList<Command> list;
    return list;
}

void printHelp()
{
    QString text = QStringLiteral("yarrowind-cli: the computations of Yarrowind from a terminal; results are JSON.\n\n"
                                  "Commands:\n");
    for (const Command &c : registry())
        text += QStringLiteral("  ") + c.usage + QLatin1Char('\n');
    text += QStringLiteral("\nBad input prints a message on standard error and exits with status 2.\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

} // namespace

Registration::Registration(Command command)
{
    registry().append(std::move(command));
}
const QList<Command> &commands()
{
    return registry();
}

int fail(const QString &message)
{
    std::fprintf(stderr, "yarrowind-cli: %s\n", message.toUtf8().constData());
    return 2;
}

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void printJson(const QJsonObject &object)
{
    printLine(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed());
}
void printJson(const QJsonArray &array)
{
    printLine(QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)).trimmed());
}

Options::Options(const QStringList &args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a.startsWith(QLatin1String("--"))) {
            const QString name = a.mid(2);
            if (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--")))
                m_values.insert(name, args[++i]);
            else
                m_values.insert(name, QString());
        } else {
            m_positional.append(a);
        }
    }
}

QStringList Options::unknown(const QStringList &known) const
{
    QStringList out;
    for (auto it = m_values.begin(); it != m_values.end(); ++it)
        if (!known.contains(it.key()))
            out.append(QStringLiteral("--") + it.key());
    return out;
}

} // namespace yw::cli

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h") ||
        args.first() == QLatin1String("help")) {
        yw::cli::printHelp();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const yw::cli::Command &c : yw::cli::commands())
        if (c.name == name)
            return c.run(args);
    return yw::cli::fail(QStringLiteral("unknown command \"%1\"; see yarrowind-cli --help").arg(name));
}
