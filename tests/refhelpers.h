#pragma once

// Helpers of the reference and journal window tests: small text files in a test's program
// folder, and a look at the modal window an action opens.

#include "app/cp1251.h"
#include "support/testenv.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace yw::test {

// A UTF-8 fixture copied into the program folder in code page 1251.
inline void installFixture(const TestEnv &env, const QString &fixtureName, const QString &target)
{
    QFile f(fixture(fixtureName));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(fixture(fixtureName)));
    QStringList lines = splitLines(QString::fromUtf8(f.readAll()));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    env.writeCp1251(target, lines);
}

// An interpretation file in Text/ whose section [%NN] holds "<tag> NN" for the numbers given.
inline void writeInterpretation(const TestEnv &env, const QString &file, const QString &tag, const QList<int> &numbers)
{
    QStringList lines{QStringLiteral("[%Desc]"), tag};
    for (int n : numbers) {
        lines << QStringLiteral("[%%1]").arg(n, 2, 10, QLatin1Char('0'));
        lines << QStringLiteral("%1 %2").arg(tag).arg(n, 2, 10, QLatin1Char('0'));
    }
    env.writeCp1251(QStringLiteral("Text/") + file, lines);
}

// Runs `action`, which opens a modal window; `inspect` sees that window, which is then closed.
// Returns false when no modal window appeared.
inline bool withModal(const std::function<void()> &action, const std::function<void(QWidget *)> &inspect)
{
    bool seen = false;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || seen)
            return;
        seen = true;
        inspect(w);
        w->close();
    });
    probe.start();
    action();
    probe.stop();
    return seen;
}

inline bool samePicture(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull() &&
           a.toImage().convertToFormat(QImage::Format_ARGB32) == b.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace yw::test
