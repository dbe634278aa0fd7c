// Checks the installed interpretation and trigram texts with the program's own reader.
#include "app/cp1251.h"
#include "divination/hexagram.h"
#include "divination/texts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace yw;

namespace {

QString installedTextDir()
{
    return QStringLiteral(YW_PROGRAM_DIR) + QStringLiteral("/Text");
}

QStringList installedLines(const QString &file)
{
    QFile f(installedTextDir() + QLatin1Char('/') + file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return splitLines(fromCp1251(f.readAll()));
}

int wordCount(const QStringList &lines)
{
    static const QRegularExpression word(QStringLiteral("[А-Яа-яЁёA-Za-z]+"));
    int n = 0;
    for (const QString &line : lines)
        n += int(line.count(word));
    return n;
}

const QStringList kInterpretationFiles = {QStringLiteral("IKolde.dat"), QStringLiteral("CCanon.dat"),
                                          QStringLiteral("CVernov.dat"), QStringLiteral("PRonin.dat")};

// "03. Чжунь — Начальная трудность" -> number, Chinese name, Russian name.
const QRegularExpression kHeading(QStringLiteral("^(\\d\\d)\\. (.+?) — (.+)$"));

} // namespace

class TestTextFiles : public QObject {
    Q_OBJECT

private slots:
    void interpretationFile_data();
    void interpretationFile();
    void chineseNamesAgree();
    void canonicalSectionsCarryEveryPart();
    void guaFile();
    void sourcesRoundTripThroughCp1251_data();
    void sourcesRoundTripThroughCp1251();
};

void TestTextFiles::interpretationFile_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : kInterpretationFiles)
        QTest::newRow(qPrintable(f)) << f;
}

void TestTextFiles::interpretationFile()
{
    QFETCH(QString, file);
    const QString dir = installedTextDir();
    QVERIFY2(!InterKey(QStringLiteral("[%Desc]"), file, dir).join(QString()).trimmed().isEmpty(), "empty [%Desc]");
    for (int n = 1; n <= 64; ++n) {
        const QString number = hex::twoDigits(n);
        const QStringList section = InterKey(QStringLiteral("[%") + number + QLatin1Char(']'), file, dir);
        QVERIFY2(!section.isEmpty(), qPrintable(number));
        const auto m = kHeading.match(section.first());
        QVERIFY2(m.hasMatch(), qPrintable(number + QStringLiteral(": ") + section.first()));
        QCOMPARE(m.captured(1), number);
        QVERIFY2(wordCount(section) >= 120,
                 qPrintable(QStringLiteral("%1: %2 words").arg(number).arg(wordCount(section))));
    }
    // Keys only in the first column, each once; no body line looks like a marker.
    int markers = 0;
    for (const QString &line : installedLines(file))
        if (line.startsWith(QLatin1String("[%")))
            ++markers;
    QCOMPARE(markers, 65);
}

void TestTextFiles::chineseNamesAgree()
{
    for (int n = 1; n <= 64; ++n) {
        const QString key = QStringLiteral("[%") + hex::twoDigits(n) + QLatin1Char(']');
        QStringList names;
        for (const QString &file : kInterpretationFiles)
            names.append(kHeading.match(InterKey(key, file, installedTextDir()).value(0)).captured(2));
        names.removeDuplicates();
        QVERIFY2(names.size() == 1, qPrintable(key + QStringLiteral(": ") + names.join(QStringLiteral(" / "))));
    }
}

void TestTextFiles::canonicalSectionsCarryEveryPart()
{
    const QStringList positions = {QStringLiteral("Вначале"),   QStringLiteral("вторая"), QStringLiteral("третья"),
                                   QStringLiteral("четвертая"), QStringLiteral("пятая"),  QStringLiteral("Наверху")};
    for (int n = 1; n <= 64; ++n) {
        const QString key = QStringLiteral("[%") + hex::twoDigits(n) + QLatin1Char(']');
        const QString text = InterKey(key, QStringLiteral("CCanon.dat"), installedTextDir()).join(QLatin1Char('\n'));
        QVERIFY2(text.contains(QStringLiteral("Суждение:")), qPrintable(key));
        QVERIFY2(text.contains(QStringLiteral("Образ:")), qPrintable(key));
        const QString code = hex::lineCode(n);
        for (int line = 1; line <= 6; ++line) {
            // Yang lines are nines, yin lines sixes; the code lists line 6 first.
            const bool yang = code.at(6 - line) == u'7';
            const QString value = yang ? QStringLiteral("евятка") : QStringLiteral("естерка");
            const QString pos = positions[line - 1];
            const QRegularExpression re(line == 1 || line == 6 ? QStringLiteral("^%1 [дш]%2:").arg(pos, value)
                                                               : QStringLiteral("^[ДШ]%1 %2:").arg(value, pos),
                                        QRegularExpression::MultilineOption);
            QVERIFY2(text.contains(re), qPrintable(QStringLiteral("%1 line %2").arg(key).arg(line)));
        }
    }
    QVERIFY(InterKey(QStringLiteral("[%01]"), QStringLiteral("CCanon.dat"), installedTextDir())
                .join(QString())
                .contains(QStringLiteral("Все девятки:")));
    QVERIFY(InterKey(QStringLiteral("[%02]"), QStringLiteral("CCanon.dat"), installedTextDir())
                .join(QString())
                .contains(QStringLiteral("Все шестерки:")));
}

void TestTextFiles::guaFile()
{
    const QStringList order = {QStringLiteral("Цянь"),  QStringLiteral("Кань"), QStringLiteral("Гэнь"),
                               QStringLiteral("Чжень"), QStringLiteral("Сюнь"), QStringLiteral("Ли"),
                               QStringLiteral("Кунь"),  QStringLiteral("Дуй")};
    for (int i = 1; i <= 8; ++i) {
        const QStringList section =
            InterKey(QStringLiteral("[%%1]").arg(i), QStringLiteral("Gua.dat"), installedTextDir());
        QVERIFY2(!section.isEmpty(), qPrintable(QString::number(i)));
        QVERIFY2(section.first().startsWith(order[i - 1] + QStringLiteral(" — ")), qPrintable(section.first()));
        const QString text = section.join(QLatin1Char('\n'));
        for (const char *label : {"Образ:", "Качество:", "Член семьи:", "Стихия:", "Животное:", "Цвет:"})
            QVERIFY2(text.contains(QString::fromUtf8(label)),
                     qPrintable(order[i - 1] + QLatin1Char(' ') + QString::fromUtf8(label)));
    }
}

void TestTextFiles::sourcesRoundTripThroughCp1251_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : kInterpretationFiles + QStringList{QStringLiteral("Gua.dat")})
        QTest::newRow(qPrintable(f)) << f;
}

void TestTextFiles::sourcesRoundTripThroughCp1251()
{
    QFETCH(QString, file);
    QFile source(QStringLiteral(YW_SOURCE_DIR) + QStringLiteral("/data/Text/") + file);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QStringList sourceLines = splitLines(QString::fromUtf8(source.readAll()));
    QFile installed(installedTextDir() + QLatin1Char('/') + file);
    QVERIFY(installed.open(QIODevice::ReadOnly));
    const QByteArray bytes = installed.readAll();
    QCOMPARE(bytes, joinCrLf(sourceLines));
    QCOMPARE(splitLines(fromCp1251(bytes)), sourceLines);
}

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_textfiles.moc"
