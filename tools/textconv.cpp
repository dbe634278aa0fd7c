// Converts a UTF-8 text source into the code page 1251 file the program reads, with CR LF line
// ends. Any character the code page cannot hold stops the build with the file and line named.
#include "../src/core/app/cp1251.cpp"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: yw-textconv SOURCE.utf8 TARGET.cp1251\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot open\n", argv[1]);
        return 1;
    }
    const QByteArray raw = in.readAll();
    const QString text = QString::fromUtf8(raw);
    if (text.toUtf8() != raw) {
        std::fprintf(stderr, "%s: not valid UTF-8\n", argv[1]);
        return 1;
    }
    const QStringList lines = yw::splitLines(text);
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool ok = true;
        qsizetype bad = 0;
        const QByteArray bytes = yw::toCp1251(lines[i], &ok, &bad);
        if (!ok) {
            std::fprintf(stderr, "%s:%lld:%lld: character U+%04X has no place in code page 1251\n", argv[1],
                         static_cast<long long>(i + 1), static_cast<long long>(bad + 1),
                         static_cast<unsigned>(lines[i].at(bad).unicode()));
            return 1;
        }
        out += bytes;
        out += "\r\n";
    }
    QFile target(QString::fromLocal8Bit(argv[2]));
    const QString dir = QString::fromLocal8Bit(argv[2]).section(QLatin1Char('/'), 0, -2);
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    if (!target.open(QIODevice::WriteOnly) || target.write(out) != out.size()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
