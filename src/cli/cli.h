#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace yw::cli {

// A command of yarrowind-cli. Each command file registers itself with a static Registration.
struct Command {
    QString name;
    QString usage; // shown by --help
    std::function<int(const QStringList &args)> run;
};

struct Registration {
    explicit Registration(Command command);
};

const QList<Command> &commands();

// Exit status 2 with the message on standard error.
int fail(const QString &message);
void printJson(const QJsonObject &object);
void printJson(const QJsonArray &array);
void printLine(const QString &line);

// "--name value" options; flags are "--name" alone.
class Options {
public:
    explicit Options(const QStringList &args);
    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name, const QString &def = {}) const { return m_values.value(name, def); }
    const QStringList &positional() const { return m_positional; }
    // Unknown options, for a clear error.
    QStringList unknown(const QStringList &known) const;

private:
    QHash<QString, QString> m_values;
    QStringList m_positional;
};

} // namespace yw::cli
