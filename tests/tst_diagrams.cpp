#include "divination/hexagram.h"
#include "gui/app/application.h"
#include "gui/app/pictures.h"
#include "gui/reference/diagram1form.h"
#include "gui/reference/diagram2form.h"
#include "refhelpers.h"

#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

using namespace yw;

namespace {

const QStringList kTableRows = {
    // lower \ upper: Кунь Гэнь Кань Сюнь Чжень Ли Дуй Цянь
    QStringLiteral("02 23 08 20 16 35 45 12"), QStringLiteral("15 52 39 53 62 56 31 33"),
    QStringLiteral("07 04 29 59 40 64 47 06"), QStringLiteral("46 18 48 57 32 50 28 44"),
    QStringLiteral("24 27 03 42 51 21 17 25"), QStringLiteral("36 22 63 37 55 30 49 13"),
    QStringLiteral("19 41 60 61 54 38 58 10"), QStringLiteral("11 26 05 09 34 14 43 01"),
};

void prepare(TestEnv &env)
{
    test::writeInterpretation(env, QStringLiteral("IKolde.dat"), QStringLiteral("Кольден"), {2, 11, 23, 39});
    test::writeInterpretation(env, QStringLiteral("CCanon.dat"), QStringLiteral("Канон"), {2, 11, 23, 39});
    test::writeInterpretation(env, QStringLiteral("CVernov.dat"), QStringLiteral("Вернов"), {2, 11});
    test::installFixture(env, QStringLiteral("reference/Gua.dat"), QStringLiteral("Text/Gua.dat"));
}

// The label of the table cell showing `number`.
NumLabel *cell(TDiagram1Form &f, const QString &number)
{
    for (NumLabel *l : f.glNum)
        if (l->text() == number)
            return l;
    return nullptr;
}

} // namespace

class TstDiagrams : public QObject {
    Q_OBJECT
private slots:
    void init() { installFontSubstitutes(); }

    void table_data();
    void table();
    void chooseNumber_data();
    void chooseNumber();
    void trigramPicturesOpenGuaSigns();
    void headerPicturesOpenGuaSigns();
    void chosenColour();
    void interpretationChange();
    void missingInterpretationFile();
    void wenWangFontAndHelp();

    void guaSignsShowsOpenerIndex_data();
    void guaSignsShowsOpenerIndex();
    void guaSignsChangeAndMissingFile();
    void guaSignsDrawItem();
    void guaSignsPopupAndFont();
};

void TstDiagrams::table_data()
{
    QTest::addColumn<int>("row");
    for (int r = 0; r < 8; ++r)
        QTest::addRow("row %d", r) << r;
}

void TstDiagrams::table()
{
    QFETCH(int, row);
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    const QStringList expected = kTableRows.at(row).split(QLatin1Char(' '));
    for (int col = 0; col < 8; ++col) {
        const int n = 8 * row + col + 1;
        auto *label = f.findChild<NumLabel *>(QStringLiteral("glNum%1Label").arg(n));
        QVERIFY(label);
        QCOMPARE(label->text(), expected.at(col));
        QCOMPARE(label->cellCode(), QString::number(col) + QString::number(row));
        QCOMPARE(label->geometry().topLeft(), QPoint(74 + 48 * col, 40 + 32 * row));
    }
    // Header pictures: column i and row i show table trigram i and carry its Gua sign index.
    const int guaOf[8] = {6, 2, 1, 4, 3, 5, 7, 0};
    QCOMPARE(f.findChild<TrigramImage *>(QStringLiteral("TrH%1Image").arg(row + 1))->guaIndex, guaOf[row]);
    QCOMPARE(f.findChild<TrigramImage *>(QStringLiteral("TrV%1Image").arg(row + 1))->guaIndex, guaOf[row]);
}

void TstDiagrams::chooseNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("bottom");
    QTest::addColumn<int>("topGua");
    QTest::addColumn<int>("bottomGua");
    QTest::newRow("top-left 02") << QStringLiteral("02") << QStringLiteral("Кунь") << QStringLiteral("Кунь") << 6 << 6;
    QTest::newRow("23") << QStringLiteral("23") << QStringLiteral("Гэнь") << QStringLiteral("Кунь") << 2 << 6;
    QTest::newRow("11") << QStringLiteral("11") << QStringLiteral("Кунь") << QStringLiteral("Цянь") << 6 << 0;
    QTest::newRow("39") << QStringLiteral("39") << QStringLiteral("Кань") << QStringLiteral("Гэнь") << 1 << 2;
}

void TstDiagrams::chooseNumber()
{
    QFETCH(QString, number);
    QFETCH(QString, top);
    QFETCH(QString, bottom);
    QFETCH(int, topGua);
    QFETCH(int, bottomGua);
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    f.show();
    // Nothing is chosen at first.
    QCOMPARE(f.chosenNumber(), QStringLiteral("00"));
    QVERIFY(f.NameTopLabel->text().isEmpty());
    QVERIFY(f.GTopImage->pixmap().isNull());
    QVERIFY(f.Diag1FlatMemo->toPlainText().isEmpty());

    QTest::mouseClick(cell(f, number), Qt::LeftButton);
    QCOMPARE(f.chosenNumber(), number);
    QCOMPARE(f.NameTopLabel->text(), top);
    QCOMPARE(f.NameBotLabel->text(), bottom);
    QCOMPARE(f.GTopImage->guaIndex, topGua);
    QCOMPARE(f.GBotImage->guaIndex, bottomGua);
    QCOMPARE(f.Diag1FlatMemo->toPlainText(), QStringLiteral("Кольден ") + number);
    // The pictures are those of the named trigrams.
    const QString topBits = QLatin1String(hex::trigramByGuaIndex(topGua)->bitCode);
    QVERIFY(test::samePicture(f.GTopImage->pixmap(), trigramPicture(topBits, QSize(38, 23))));
    QVERIFY(env.platform.messages.isEmpty());
}

void TstDiagrams::trigramPicturesOpenGuaSigns()
{
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    f.show();
    // Before a choice the two pictures are empty and a click does nothing.
    QVERIFY(!test::withModal([&] { QTest::mouseClick(f.GTopImage, Qt::LeftButton); }, [](QWidget *) {}));

    QTest::mouseClick(cell(f, QStringLiteral("11")), Qt::LeftButton);
    int shown = -1;
    QString text;
    auto inspect = [&](QWidget *w) {
        auto *gua = qobject_cast<TDiagram2Form *>(w);
        QVERIFY(gua);
        shown = gua->guaIndex();
        text = gua->GuaFlatMemo->toPlainText();
    };
    QVERIFY(test::withModal([&] { QTest::mouseClick(f.GTopImage, Qt::LeftButton); }, inspect));
    QCOMPARE(shown, 6); // Кунь
    QCOMPARE(text, QStringLiteral("Знак 7: Кунь\n  вторая строка знака Кунь"));
    QVERIFY(test::withModal([&] { QTest::mouseClick(f.GBotImage, Qt::LeftButton); }, inspect));
    QCOMPARE(shown, 0); // Цянь
}

void TstDiagrams::headerPicturesOpenGuaSigns()
{
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    f.show();
    int shown = -1;
    QVERIFY(test::withModal([&] { QTest::mouseClick(f.TrH[2], Qt::LeftButton); },
                            [&](QWidget *w) { shown = qobject_cast<TDiagram2Form *>(w)->guaIndex(); }));
    QCOMPARE(shown, 1); // column 3 is Кань
    QVERIFY(test::withModal([&] { QTest::mouseClick(f.TrV[6], Qt::LeftButton); },
                            [&](QWidget *w) { shown = qobject_cast<TDiagram2Form *>(w)->guaIndex(); }));
    QCOMPARE(shown, 7); // row 7 is Дуй
}

void TstDiagrams::chosenColour()
{
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    f.show();
    NumLabel *first = cell(f, QStringLiteral("02"));
    NumLabel *second = cell(f, QStringLiteral("23"));
    QCOMPARE(first->palette().color(QPalette::WindowText), NumLabel::kNormal);
    QTest::mouseClick(first, Qt::LeftButton);
    QTest::mouseMove(f.CornerLabel); // the mouse leaves the label
    QCOMPARE(first->palette().color(QPalette::WindowText), NumLabel::kChosen);
    QTest::mouseClick(second, Qt::LeftButton);
    QTest::mouseMove(f.CornerLabel);
    QCOMPARE(first->palette().color(QPalette::WindowText), NumLabel::kNormal);
    QCOMPARE(second->palette().color(QPalette::WindowText), NumLabel::kChosen);
    int chosen = 0;
    for (NumLabel *l : f.glNum)
        chosen += l->chosen();
    QCOMPARE(chosen, 1);
}

void TstDiagrams::interpretationChange()
{
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    f.show();
    QCOMPARE(f.IntDiag1FlatComboBox->count(), 3);
    QCOMPARE(f.interpretationFile(), QStringLiteral("IKolde.dat"));
    // Before any choice a change shows nothing.
    f.IntDiag1FlatComboBox->setCurrentIndex(1);
    QCOMPARE(f.interpretationFile(), QStringLiteral("CCanon.dat"));
    QVERIFY(f.Diag1FlatMemo->toPlainText().isEmpty());

    QTest::mouseClick(cell(f, QStringLiteral("23")), Qt::LeftButton);
    QCOMPARE(f.Diag1FlatMemo->toPlainText(), QStringLiteral("Канон 23"));
    f.IntDiag1FlatComboBox->setCurrentIndex(0);
    QCOMPARE(f.Diag1FlatMemo->toPlainText(), QStringLiteral("Кольден 23"));
    QCOMPARE(f.NameTopLabel->text(), QStringLiteral("Гэнь"));
    QCOMPARE(cell(f, QStringLiteral("23"))->chosen(), true);
    // A hexagram without a section in the chosen file shows an empty text, no message.
    f.IntDiag1FlatComboBox->setCurrentIndex(2);
    QVERIFY(f.Diag1FlatMemo->toPlainText().isEmpty());
    QVERIFY(env.platform.messages.isEmpty());
}

void TstDiagrams::missingInterpretationFile()
{
    TestEnv env;
    prepare(env);
    TDiagram1Form f(env.ctx);
    f.show();
    QTest::mouseClick(cell(f, QStringLiteral("02")), Qt::LeftButton);
    QFile::remove(env.file(QStringLiteral("Text/CCanon.dat")));
    f.IntDiag1FlatComboBox->setCurrentIndex(1);
    QCOMPARE(env.platform.messages.size(), 1);
    QVERIFY(env.platform.messages.first().text.startsWith(QStringLiteral("File not found")));
    QVERIFY(f.Diag1FlatMemo->toPlainText().isEmpty());
    // A later click on another number keeps the previous pictures while the read fails.
    QTest::mouseClick(cell(f, QStringLiteral("23")), Qt::LeftButton);
    QCOMPARE(f.NameTopLabel->text(), QStringLiteral("Кунь"));
}

void TstDiagrams::wenWangFontAndHelp()
{
    TestEnv env;
    prepare(env);
    {
        IniFile ini = env.ctx.settings();
        ini.writeString(QStringLiteral("Diagram1"), QStringLiteral("PreviewFontName"),
                        QStringLiteral("Liberation Serif"));
        ini.writeInteger(QStringLiteral("Diagram1"), QStringLiteral("PreviewFontSize"), 12);
        ini.writeInteger(QStringLiteral("Diagram1"), QStringLiteral("PreviewFontStyle"), 1);
    }
    TDiagram1Form f(env.ctx);
    QCOMPARE(f.Diag1FlatMemo->font().family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(f.Diag1FlatMemo->font().pointSize(), 12);
    QVERIFY(f.Diag1FlatMemo->font().bold());

    QFont chosen(QStringLiteral("Liberation Mono"));
    chosen.setPointSize(14);
    chosen.setItalic(true);
    env.platform.fonts.enqueue(chosen);
    f.D1PFont->trigger();
    QCOMPARE(f.Diag1FlatMemo->font().family(), QStringLiteral("Liberation Mono"));
    const IniFile ini = env.ctx.settings();
    QCOMPARE(ini.readString(QStringLiteral("Diagram1"), QStringLiteral("PreviewFontName")),
             QStringLiteral("Liberation Mono"));
    QCOMPARE(ini.readInteger(QStringLiteral("Diagram1"), QStringLiteral("PreviewFontSize"), 0), 14);
    QCOMPARE(ini.readInteger(QStringLiteral("Diagram1"), QStringLiteral("PreviewFontStyle"), 0), 2);
    // A cancelled dialog changes nothing.
    env.platform.fonts.enqueue(std::nullopt);
    f.D1PFont->trigger();
    QCOMPARE(f.Diag1FlatMemo->font().family(), QStringLiteral("Liberation Mono"));

    QTest::mouseClick(f.HelpFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(env.platform.helpTopics, QList<int>{13});
    QCOMPARE(f.CloseFlatSpeedButton->toolTip(), QStringLiteral("Закрыть окно диаграммы"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Yarrowind v2.3 - Таблица Вэнь-вана"));
    QCOMPARE(f.size(), QSize(447, 520));
}

void TstDiagrams::guaSignsShowsOpenerIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("first");
    QTest::newRow("0 Цянь") << 0 << QStringLiteral("Знак 1: Цянь");
    QTest::newRow("1 Кань") << 1 << QStringLiteral("Знак 2: Кань");
    QTest::newRow("6 Кунь") << 6 << QStringLiteral("Знак 7: Кунь");
    QTest::newRow("7 Дуй") << 7 << QStringLiteral("Знак 8: Дуй");
}

void TstDiagrams::guaSignsShowsOpenerIndex()
{
    QFETCH(int, index);
    QFETCH(QString, first);
    TestEnv env;
    prepare(env);
    TDiagram2Form f(env.ctx);
    f.setGuaIndex(index);
    // Setting the index loads nothing; showing the window does.
    QVERIFY(f.GuaFlatMemo->toPlainText().isEmpty());
    f.show();
    QCOMPARE(f.TrigramFlatComboBox->currentText(), QString::fromUtf16(hex::trigramByGuaIndex(index)->name));
    QCOMPARE(f.GuaFlatMemo->toPlainText().split(QLatin1Char('\n')).first(), first);
    QCOMPARE(f.GuaFlatMemo->toPlainText().split(QLatin1Char('\n')).size(), 2);
}

void TstDiagrams::guaSignsChangeAndMissingFile()
{
    TestEnv env;
    prepare(env);
    TDiagram2Form f(env.ctx);
    f.show();
    QCOMPARE(f.TrigramFlatComboBox->count(), 8);
    QCOMPARE(f.TrigramFlatComboBox->itemText(3), QStringLiteral("Чжень"));
    f.TrigramFlatComboBox->setCurrentIndex(4);
    QVERIFY(f.GuaFlatMemo->toPlainText().startsWith(QStringLiteral("Знак 5: Сюнь")));

    QFile::remove(env.file(QStringLiteral("Text/Gua.dat")));
    f.TrigramFlatComboBox->setCurrentIndex(5);
    QCOMPARE(env.platform.messages.size(), 1);
    QVERIFY(env.platform.messages.first().text.startsWith(QStringLiteral("File not found")));
    QVERIFY(f.GuaFlatMemo->toPlainText().isEmpty());

    QTest::mouseClick(f.HelpFlatSpeedButton, Qt::LeftButton);
    QCOMPARE(env.platform.helpTopics, QList<int>{14});
    QCOMPARE(f.windowTitle(), QStringLiteral("Yarrowind v2.3 - Знаки Гуа"));
}

void TstDiagrams::guaSignsDrawItem()
{
    TestEnv env;
    prepare(env);
    TDiagram2Form f(env.ctx);
    for (bool selected : {true, false}) {
        QImage img(80, 16, QImage::Format_ARGB32);
        img.fill(Qt::red);
        {
            QPainter p(&img);
            f.TrigramFlatComboBoxDrawItem(&p, 1, img.rect(), selected);
        }
        // Background beyond the text, and the picture in the first pixels.
        QCOMPARE(QColor(img.pixel(78, 1)), selected ? QColor(255, 210, 83) : QColor(Qt::white));
        bool ink = false;
        for (int x = 0; x < 18; ++x)
            for (int y = 0; y < 16; ++y)
                ink = ink || QColor(img.pixel(x, y)).lightness() < 120;
        QVERIFY(ink);
    }
}

void TstDiagrams::guaSignsPopupAndFont()
{
    TestEnv env;
    prepare(env);
    TDiagram2Form f(env.ctx);
    f.show();
    QCOMPARE(f.Diag2PopupMenu->actions().size(), 4);
    QVERIFY(f.Diag2PopupMenu->actions().at(2)->isSeparator());
    emit f.Diag2PopupMenu->aboutToShow();
    QVERIFY(!f.D2PCopy->isEnabled());
    f.D2PSelectAll->trigger();
    emit f.Diag2PopupMenu->aboutToShow();
    QVERIFY(f.D2PCopy->isEnabled());

    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSize(11);
    env.platform.fonts.enqueue(chosen);
    f.D2PFont->trigger();
    QCOMPARE(env.ctx.settings().readString(QStringLiteral("Diagram2"), QStringLiteral("PreviewFontName")),
             QStringLiteral("Liberation Serif"));
    TDiagram2Form again(env.ctx);
    QCOMPARE(again.GuaFlatMemo->font().family(), QStringLiteral("Liberation Serif"));
}

QTEST_MAIN(TstDiagrams)
#include "tst_diagrams.moc"
