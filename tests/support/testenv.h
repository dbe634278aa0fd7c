#pragma once

#include "gui/app/appcontext.h"
#include "support/scriptedplatform.h"

#include <QTemporaryDir>

#include <memory>

namespace yw {

// A throwaway program folder and runtime folder with a scripted platform, for one test.
// The program folder gets the build's Text folder and other data copied in on request.
struct TestEnv {
    TestEnv();
    ~TestEnv();

    QTemporaryDir programDir;
    QTemporaryDir runtimeDir;
    ScriptedPlatform platform;
    AppContext ctx;

    QString file(const QString &name) const { return programDir.path() + QLatin1Char('/') + name; }
    // Writes a file in code page 1251 with CR LF line ends.
    void writeCp1251(const QString &name, const QStringList &lines) const;
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &name) const;
    // Copies an entry (file or folder) of the build's program folder into this one.
    void copyFromBuild(const QString &name) const;
};

QString fixture(const QString &relative);

} // namespace yw
