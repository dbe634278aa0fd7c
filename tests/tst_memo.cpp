// The memo scroll-bar rule and LoadInterp on real text areas.
#include "app/error.h"
#include "divination/texts.h"
#include "gui/app/application.h"
#include "gui/divination/memo.h"
#include "support/testenv.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

using namespace yw;

class TstMemo : public QObject {
    Q_OBJECT
private slots:
    void scrollBarFollowsTextHeight_data();
    void scrollBarFollowsTextHeight();
    void loadInterpFillsAndMeasures();
    void emptyNumberLeavesArea();
    void missingFileLeavesArea();
};

void TstMemo::scrollBarFollowsTextHeight_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("on");
    QTest::newRow("one line") << 1 << false;
    QTest::newRow("a few") << 4 << false;
    QTest::newRow("many") << 40 << true;
}

void TstMemo::scrollBarFollowsTextHeight()
{
    QFETCH(int, lines);
    QFETCH(bool, on);
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text.append(QStringLiteral("Строка %1").arg(i));
    QPlainTextEdit plain;
    plain.setFont(designFont());
    plain.setGeometry(0, 0, 300, 120);
    setMemoLines(&plain, text);
    QCOMPARE(plain.verticalScrollBarPolicy(), on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QTextEdit rich;
    rich.setFont(designFont());
    rich.setGeometry(0, 0, 300, 120);
    setMemoLines(&rich, text);
    QCOMPARE(rich.verticalScrollBarPolicy(), on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TstMemo::loadInterpFillsAndMeasures()
{
    TestEnv env;
    QStringList file{QStringLiteral("[%07]")};
    // One long paragraph only word wrapping makes tall.
    file.append(QString(QStringLiteral("слово ")).repeated(400));
    file.append(QStringLiteral("[%08]"));
    file.append(QStringLiteral("коротко"));
    env.writeCp1251(QStringLiteral("Text/CCanon.dat"), file);
    QPlainTextEdit memo;
    memo.setGeometry(0, 0, 492, 193);
    LoadInterp(QStringLiteral("07"), QStringLiteral("CCanon.dat"), &memo, textDirOf(env.ctx.programDir));
    QVERIFY(memo.toPlainText().startsWith(QStringLiteral("слово слово")));
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    LoadInterp(QStringLiteral("08"), QStringLiteral("CCanon.dat"), &memo, textDirOf(env.ctx.programDir));
    QCOMPARE(memo.toPlainText(), QStringLiteral("коротко"));
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TstMemo::emptyNumberLeavesArea()
{
    QPlainTextEdit memo;
    memo.setPlainText(QStringLiteral("как было"));
    LoadInterp(QStringLiteral("  "), QStringLiteral("Nope.dat"), &memo, QStringLiteral("/nonexistent"));
    QCOMPARE(memo.toPlainText(), QStringLiteral("как было"));
}

void TstMemo::missingFileLeavesArea()
{
    QPlainTextEdit memo;
    memo.setPlainText(QStringLiteral("как было"));
    QVERIFY_THROWS_EXCEPTION(
        Error, LoadInterp(QStringLiteral("01"), QStringLiteral("Nope.dat"), &memo, QStringLiteral("/nonexistent")));
    QCOMPARE(memo.toPlainText(), QStringLiteral("как было"));
}

QTEST_MAIN(TstMemo)
#include "tst_memo.moc"
