#include "divination/hexagram.h"

#include <QFile>
#include <QImage>
#include <QTest>

// The card pictures the build draws into the program folder: one per hexagram, the size the
// viewer shows unscaled, and a figure that is the hexagram's own.
class TstCards : public QObject {
    Q_OBJECT
private slots:
    void card_data();
    void card();
};

void TstCards::card_data()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= 64; ++n)
        QTest::addRow("s%02d", n) << n;
}

void TstCards::card()
{
    QFETCH(int, number);
    const QString path = QStringLiteral(YW_PROGRAM_DIR "/card/s%1.jpg").arg(yw::hex::twoDigits(number));
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
    QCOMPARE(f.read(3), QByteArray("\xFF\xD8\xFF", 3)); // a JPEG file
    const QImage img(path);
    QCOMPARE(img.size(), QSize(64, 109));

    // Each line, top first: its left end is ink; its middle is ink only when the line is yang.
    const QString code = yw::hex::lineCode(number);
    for (int i = 0; i < 6; ++i) {
        const int y = int(24 + i * 6.5 + (i >= 3 ? 2 : 0) + 2);
        const bool leftInk = QColor(img.pixel(17, y)).lightness() < 110;
        const bool middleInk = QColor(img.pixel(32, y)).lightness() < 110;
        QVERIFY2(leftInk, qPrintable(QStringLiteral("line %1 missing").arg(6 - i)));
        QCOMPARE(middleInk, code.at(i) == u'7');
    }
}

QTEST_GUILESS_MAIN(TstCards)
#include "tst_cards.moc"
