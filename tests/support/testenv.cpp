#include "support/testenv.h"

#include "app/cp1251.h"
#include "app/programstate.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace yw {

TestEnv::TestEnv()
{
    ctx.platform = &platform;
    ctx.programDir = programDir.path();
    ctx.runtimeDir = runtimeDir.path();
    programState() = ProgramState{};
}

TestEnv::~TestEnv()
{
    programState() = ProgramState{};
}

void TestEnv::writeCp1251(const QString &name, const QStringList &lines) const
{
    writeBytes(name, joinCrLf(lines));
}

void TestEnv::writeBytes(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TestEnv::readBytes(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestEnv::copyFromBuild(const QString &name) const
{
    const QString src = QStringLiteral(YW_PROGRAM_DIR) + QLatin1Char('/') + name;
    const QFileInfo info(src);
    if (info.isDir()) {
        QDirIterator it(src, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString rel = QDir(QStringLiteral(YW_PROGRAM_DIR)).relativeFilePath(path);
            QDir().mkpath(QFileInfo(file(rel)).absolutePath());
            QFile::copy(path, file(rel));
        }
    } else {
        QDir().mkpath(QFileInfo(file(name)).absolutePath());
        QFile::copy(src, file(name));
    }
}

QString fixture(const QString &relative)
{
    return QStringLiteral(YW_FIXTURES_DIR) + QLatin1Char('/') + relative;
}

} // namespace yw
