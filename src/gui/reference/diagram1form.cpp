#include "gui/reference/diagram1form.h"

#include "divination/hexagram.h"
#include "divination/texts.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/divination/memo.h"
#include "gui/platform/platform.h"
#include "gui/app/formkit.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>

namespace yw {
namespace {

const QString kSection = QStringLiteral("Diagram1");

struct TableTrigram {
    const char16_t *name;
    const char *lines; // top line first
    int guaIndex;
};
// The table's own order of rows and columns.
const TableTrigram kTable[8] = {
    {u"Кунь", "888", 6},  {u"Гэнь", "788", 2}, {u"Кань", "878", 1}, {u"Сюнь", "778", 4},
    {u"Чжень", "887", 3}, {u"Ли", "787", 5},   {u"Дуй", "877", 7},  {u"Цянь", "777", 0},
};

const QStringList kFiles = {QStringLiteral("IKolde.dat"), QStringLiteral("CCanon.dat"), QStringLiteral("CVernov.dat")};

QWidget *whitePanel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
    return w;
}

} // namespace

NumLabel::NumLabel(const QString &number, const QString &cellCode, QWidget *parent)
    : QLabel(number, parent), m_cellCode(cellCode)
{
    QFont f(QStringLiteral("Microsoft Sans Serif"));
    f.setPixelSize(13);
    f.setBold(true);
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    applyColor();
}

void NumLabel::setChosen(bool chosen)
{
    m_chosen = chosen;
    applyColor();
}

QColor NumLabel::textColor() const
{
    return m_hover ? kHover : m_chosen ? kChosen : kNormal;
}

void NumLabel::applyColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, textColor());
    setPalette(pal);
    update();
}

void NumLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    m_hover = true;
    applyColor();
}

void NumLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    m_hover = false;
    applyColor();
}

void NumLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TrigramImage::TrigramImage(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TrigramImage::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

const QString &TDiagram1Form::tableTrigramName(int i)
{
    static const QStringList names = [] {
        QStringList n;
        for (const TableTrigram &t : kTable)
            n << QString::fromUtf16(t.name);
        return n;
    }();
    return names.at(i);
}

QString TDiagram1Form::tableTrigramLines(int i)
{
    return QLatin1String(kTable[i].lines);
}
int TDiagram1Form::tableGuaIndex(int i)
{
    return kTable[i].guaIndex;
}

QString TDiagram1Form::tableNumber(int upper, int lower)
{
    return hex::kingWenNumber(hex::bitCodeOf(tableTrigramLines(upper) + tableTrigramLines(lower)));
}

TDiagram1Form::TDiagram1Form(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ctx(ctx)
{
    setObjectName(QStringLiteral("Diagram1Form"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Таблица Вэнь-вана"));
    setFont(designFont());
    setFixedSize(447, 520);

    for (int i = 0; i < 8; ++i)
        m_trigramImages << trigramPicture(hex::bitCodeOf(tableTrigramLines(i)), QSize(38, 23));

    ToolPanel = new QWidget(this);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    ToolPanel->setGeometry(0, 0, 447, 25);
    IntDiag1FlatComboBox = new QComboBox(ToolPanel);
    IntDiag1FlatComboBox->setObjectName(QStringLiteral("IntDiag1FlatComboBox"));
    IntDiag1FlatComboBox->setGeometry(2, 2, 290, 21);
    IntDiag1FlatComboBox->addItems(interpretationNames().mid(0, 3));
    HelpFlatSpeedButton = flatButton(ToolPanel, "HelpFlatSpeedButton", QRect(447 - 50, 1, 23, 23), Glyph::Help,
                                     QStringLiteral("Справка"));
    CloseFlatSpeedButton = flatButton(ToolPanel, "CloseFlatSpeedButton", QRect(447 - 26, 1, 23, 23), Glyph::Close,
                                      QStringLiteral("Закрыть окно диаграммы"));

    TablePanel = whitePanel(this, "TablePanel", QRect(0, 25, 447, 295));
    CornerLabel = new QLabel(QStringLiteral("       вверх\nниз \\"), TablePanel);
    CornerLabel->setObjectName(QStringLiteral("CornerLabel"));
    CornerLabel->setGeometry(8, 8, 54, 28);
    {
        QPalette pal = CornerLabel->palette();
        pal.setColor(QPalette::WindowText, QColor(192, 192, 192));
        CornerLabel->setPalette(pal);
    }
    for (int i = 0; i < 8; ++i) {
        TrH[size_t(i)] = new TrigramImage(TablePanel);
        TrH[size_t(i)]->setObjectName(QStringLiteral("TrH%1Image").arg(i + 1));
        TrH[size_t(i)]->setGeometry(64 + 48 * i, 8, 38, 23);
        TrV[size_t(i)] = new TrigramImage(TablePanel);
        TrV[size_t(i)]->setObjectName(QStringLiteral("TrV%1Image").arg(i + 1));
        TrV[size_t(i)]->setGeometry(8, 40 + 32 * i, 38, 23);
        for (TrigramImage *img : {TrH[size_t(i)], TrV[size_t(i)]}) {
            img->setPixmap(m_trigramImages.at(i));
            img->guaIndex = tableGuaIndex(i);
            img->setToolTip(tableTrigramName(i));
            connect(img, &TrigramImage::clicked, this, [this, img] { TrImageClick(img); });
        }
    }
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const int n = 8 * row + col + 1;
            auto *label = new NumLabel(tableNumber(col, row), QString::number(col) + QString::number(row), TablePanel);
            label->setObjectName(QStringLiteral("glNum%1Label").arg(n));
            label->setGeometry(74 + 48 * col, 40 + 32 * row, 22, 23);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            glNum[size_t(n - 1)] = label;
            connect(label, &NumLabel::clicked, this, [this, label] { glNumLabelClick(label); });
        }
    }

    TextPanel = whitePanel(this, "TextPanel", QRect(0, 322, 447, 198));
    NameTopLabel = new QLabel(TextPanel);
    NameTopLabel->setObjectName(QStringLiteral("NameTopLabel"));
    NameTopLabel->setGeometry(8, 10, 38, 14);
    GTopImage = new TrigramImage(TextPanel);
    GTopImage->setObjectName(QStringLiteral("GTopImage"));
    GTopImage->setGeometry(8, 24, 38, 23);
    GBotImage = new TrigramImage(TextPanel);
    GBotImage->setObjectName(QStringLiteral("GBotImage"));
    GBotImage->setGeometry(8, 50, 38, 23);
    NameBotLabel = new QLabel(TextPanel);
    NameBotLabel->setObjectName(QStringLiteral("NameBotLabel"));
    NameBotLabel->setGeometry(8, 74, 38, 14);
    for (QLabel *l : {NameTopLabel, NameBotLabel}) {
        l->setAlignment(Qt::AlignCenter);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor(128, 128, 128));
        l->setPalette(pal);
    }
    connect(GTopImage, &TrigramImage::clicked, this, [this] { TrImageClick(GTopImage); });
    connect(GBotImage, &TrigramImage::clicked, this, [this] { TrImageClick(GBotImage); });

    Diag1FlatMemo = new QPlainTextEdit(TextPanel);
    Diag1FlatMemo->setObjectName(QStringLiteral("Diag1FlatMemo"));
    Diag1FlatMemo->setGeometry(56, 2, 389, 194);
    Diag1FlatMemo->setReadOnly(true);
    const TextMenu menu =
        makeTextMenu(ctx, this, Diag1FlatMemo, kSection, "Diag1PopupMenu", "D1PCopy", "D1PSelectAll", "D1PFont");
    Diag1PopupMenu = menu.menu;
    D1PCopy = menu.copy;
    D1PSelectAll = menu.selectAll;
    D1PFont = menu.font;

    connect(IntDiag1FlatComboBox, &QComboBox::currentIndexChanged, this, &TDiagram1Form::IntDiag1FlatComboBoxChange);
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { m_ctx.platform->showHelp(13); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &QDialog::close);

    FormCreate();
    centreOnScreen(this);
}

void TDiagram1Form::FormCreate()
{
    m_number = QStringLiteral("00");
    m_upper = m_lower = -1;
    NameTopLabel->clear();
    NameBotLabel->clear();
    IntDiag1FlatComboBoxChange();
    loadMemoFont(m_ctx, Diag1FlatMemo, kSection);
}

void TDiagram1Form::glNumLabelClick(NumLabel *label)
{
    for (NumLabel *l : glNum)
        l->setChosen(false);
    label->setChosen(true);
    m_number = label->text();
    m_upper = label->cellCode().at(0).digitValue();
    m_lower = label->cellCode().at(1).digitValue();
    Interpret();
}

void TDiagram1Form::IntDiag1FlatComboBoxChange()
{
    const int i = IntDiag1FlatComboBox->currentIndex();
    if (i >= 0 && i < kFiles.size())
        m_file = kFiles.at(i);
    Interpret();
}

void TDiagram1Form::TrImageClick(TrigramImage *image)
{
    if (image->guaIndex < 0)
        return;
    launch::openGuaSigns(m_ctx, this, image->guaIndex);
}

void TDiagram1Form::Interpret()
{
    if (m_number == QLatin1String("00"))
        return;
    Diag1FlatMemo->clear();
    guarded(m_ctx, [&] {
        const QStringList lines =
            InterKey(QStringLiteral("[%") + m_number + QLatin1Char(']'), m_file, textDirOf(m_ctx.programDir));
        setMemoLines(Diag1FlatMemo, lines);
        GTopImage->clear();
        GBotImage->clear();
        GTopImage->setPixmap(m_trigramImages.at(m_upper));
        GBotImage->setPixmap(m_trigramImages.at(m_lower));
        NameTopLabel->setText(tableTrigramName(m_upper));
        NameBotLabel->setText(tableTrigramName(m_lower));
        GTopImage->guaIndex = tableGuaIndex(m_upper);
        GBotImage->guaIndex = tableGuaIndex(m_lower);
    });
}

} // namespace yw
