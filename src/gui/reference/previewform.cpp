#include "gui/reference/previewform.h"

#include "divination/hexagram.h"
#include "divination/texts.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/launchers.h"
#include "gui/divination/memo.h"
#include "gui/platform/platform.h"
#include "gui/app/formkit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>

namespace yw {
namespace {

const QString kSection = QStringLiteral("Preview");
constexpr int kDesignWidth = 495;
constexpr int kDesignHeight = 300;
constexpr int kDesignLeft = 378;
constexpr int kDesignTop = 509;
constexpr int kLeftWidth = 97;
constexpr int kToolHeight = 25;
// Heights of the line pictures from line 1 (bottom) up; the wider gap parts the trigrams.
constexpr int kLineTops[6] = {88, 72, 56, 36, 20, 4};

} // namespace

PreviewSpinBox::PreviewSpinBox(QWidget *parent) : QSpinBox(parent)
{
    // Room to type a number beyond the limit; the window brings it back.
    setRange(0, 9999);
}

void PreviewSpinBox::stepBy(int steps)
{
    setValue(qBound(minimum(), value() + steps, kUpperLimit));
}

QAbstractSpinBox::StepEnabled PreviewSpinBox::stepEnabled() const
{
    StepEnabled e = StepNone;
    if (value() < kUpperLimit)
        e |= StepUpEnabled;
    if (value() > minimum())
        e |= StepDownEnabled;
    return e;
}

TrigramHotspot::TrigramHotspot(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TrigramHotspot::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TPreviewForm::TPreviewForm(AppContext &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_ctx(ctx)
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Просмотр гексаграмм"));
    setFont(designFont());
    setAttribute(Qt::WA_QuitOnClose, false);
    setMinimumSize(360, 250);
    resize(kDesignWidth, kDesignHeight);
    move(kDesignLeft, kDesignTop);

    ToolPanel = new QWidget(this);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    IntPreviewFlatComboBox = new QComboBox(ToolPanel);
    IntPreviewFlatComboBox->setObjectName(QStringLiteral("IntPreviewFlatComboBox"));
    IntPreviewFlatComboBox->setGeometry(2, 2, 290, 21);
    IntPreviewFlatComboBox->addItems(interpretationNames());
    ShowFlatSpinEditInteger = new PreviewSpinBox(ToolPanel);
    ShowFlatSpinEditInteger->setObjectName(QStringLiteral("ShowFlatSpinEditInteger"));
    ShowFlatSpinEditInteger->setGeometry(296, 2, 50, 21);
    ShowFlatSpinEditInteger->setValue(0);
    ToolSeparator = new QFrame(ToolPanel);
    ToolSeparator->setObjectName(QStringLiteral("ToolSeparator"));
    ToolSeparator->setFrameShape(QFrame::VLine);
    ToolSeparator->setFrameShadow(QFrame::Sunken);
    ToolSeparator->setGeometry(350, 3, 4, 19);
    Diag1FlatSpeedButton = flatButton(ToolPanel, "Diag1FlatSpeedButton", QRect(356, 1, 23, 23), Glyph::WenWang,
                                      QStringLiteral("Таблица  Вэнь-вана..."));
    Diag2FlatSpeedButton = flatButton(ToolPanel, "Diag2FlatSpeedButton", QRect(380, 1, 23, 23), Glyph::GuaSigns,
                                      QStringLiteral("Знаки Гуа..."));
    HelpFlatSpeedButton =
        flatButton(ToolPanel, "HelpFlatSpeedButton", QRect(0, 1, 23, 23), Glyph::Help, QStringLiteral("Справка"));
    CloseFlatSpeedButton = flatButton(ToolPanel, "CloseFlatSpeedButton", QRect(0, 1, 23, 23), Glyph::Close,
                                      QStringLiteral("Закрыть окно просмотра"));

    LeftPanel = new QWidget(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->setAutoFillBackground(true);
    {
        QPalette pal = LeftPanel->palette();
        pal.setColor(QPalette::Window, Qt::white);
        LeftPanel->setPalette(pal);
    }
    for (int k = 0; k < 6; ++k) {
        auto *img = new QLabel(LeftPanel);
        img->setObjectName(QStringLiteral("PSym%1Image").arg(k + 1));
        img->setGeometry(9, kLineTops[k], 79, 12);
        PSymImage[size_t(k)] = img;
    }
    TriTopImage = new TrigramHotspot(LeftPanel);
    TriTopImage->setObjectName(QStringLiteral("TriTopImage"));
    TriTopImage->setGeometry(6, 2, 86, 48);
    TriBotImage = new TrigramHotspot(LeftPanel);
    TriBotImage->setObjectName(QStringLiteral("TriBotImage"));
    TriBotImage->setGeometry(6, 54, 86, 48);
    for (TrigramHotspot *h : {TriTopImage, TriBotImage}) {
        h->setEnabled(false); // no trigram until the first refresh
        h->raise();
        connect(h, &TrigramHotspot::clicked, this, [this, h] { TrigramImageClick(h); });
    }
    CardPanel = new QFrame(LeftPanel);
    CardPanel->setObjectName(QStringLiteral("CardPanel"));
    CardPanel->setGeometry(15, 106, 70, 113);
    CardPanel->setFrameShape(QFrame::Panel);
    CardPanel->setFrameShadow(QFrame::Sunken);
    CardImage = new QLabel(CardPanel);
    CardImage->setObjectName(QStringLiteral("CardImage"));
    CardImage->setGeometry(3, 2, 64, 109);
    CardImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    PreviewFlatMemo = new QPlainTextEdit(this);
    PreviewFlatMemo->setObjectName(QStringLiteral("PreviewFlatMemo"));
    PreviewFlatMemo->setReadOnly(true);
    GeksaUnVisible = new QLineEdit(this);
    GeksaUnVisible->setObjectName(QStringLiteral("GeksaUnVisible"));
    GeksaUnVisible->hide();

    const TextMenu menu =
        makeTextMenu(ctx, this, PreviewFlatMemo, kSection, "PreviewMemoPopupMenu", "PPCopy", "PPSelectAll", "PPFont");
    PreviewMemoPopupMenu = menu.menu;
    PPCopy = menu.copy;
    PPSelectAll = menu.selectAll;
    PPFont = menu.font;

    connect(ShowFlatSpinEditInteger, &QSpinBox::valueChanged, this, &TPreviewForm::ShowFlatSpinEditIntegerChange);
    connect(IntPreviewFlatComboBox, &QComboBox::currentIndexChanged, this, &TPreviewForm::IntPreviewFlatComboBoxChange);
    connect(Diag1FlatSpeedButton, &QToolButton::clicked, this, [this] { launch::openWenWang(m_ctx, this); });
    connect(Diag2FlatSpeedButton, &QToolButton::clicked, this, [this] { launch::openGuaSigns(m_ctx, this, 0); });
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { m_ctx.platform->showHelp(11); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &QWidget::close);

    FormCreate();
}

void TPreviewForm::FormCreate()
{
    loadMemoFont(m_ctx, PreviewFlatMemo, kSection);
}

void TPreviewForm::readGeometry()
{
    const IniFile ini = m_ctx.settings();
    const int h = ini.readInteger(kSection, QStringLiteral("Height"), height());
    const int w = ini.readInteger(kSection, QStringLiteral("Width"), width());
    const int top = ini.readInteger(kSection, QStringLiteral("Top"), y());
    const int left = ini.readInteger(kSection, QStringLiteral("Left"), x());
    resize(w, h);
    move(left, top);
}

void TPreviewForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept(); // hidden, not destroyed: the viewer lives until the program ends
}

void TPreviewForm::FormClose()
{
    guarded(m_ctx, [this] {
        IniFile ini = m_ctx.settings();
        ini.writeInteger(kSection, QStringLiteral("Height"), height());
        ini.writeInteger(kSection, QStringLiteral("Width"), width());
        ini.writeInteger(kSection, QStringLiteral("Top"), y());
        ini.writeInteger(kSection, QStringLiteral("Left"), x());
    });
}

void TPreviewForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ToolPanel->setGeometry(0, 0, width(), kToolHeight);
    HelpFlatSpeedButton->move(width() - 50, 1);
    CloseFlatSpeedButton->move(width() - 26, 1);
    LeftPanel->setGeometry(0, kToolHeight, kLeftWidth, height() - kToolHeight);
    PreviewFlatMemo->setGeometry(kLeftWidth, kToolHeight, width() - kLeftWidth, height() - kToolHeight);
}

QString TPreviewForm::state() const
{
    return GeksaUnVisible->text();
}
void TPreviewForm::setState(const QString &state)
{
    GeksaUnVisible->setText(state);
}

void TPreviewForm::setNumber(int number)
{
    if (ShowFlatSpinEditInteger->value() == number)
        ShowFlatSpinEditIntegerChange();
    else
        ShowFlatSpinEditInteger->setValue(number);
}

void TPreviewForm::selectInterpretation(const QString &name)
{
    IntPreviewFlatComboBox->setCurrentIndex(IntPreviewFlatComboBox->findText(name, Qt::MatchExactly));
}

QString TPreviewForm::selectedFile() const
{
    return IntNameFile(IntPreviewFlatComboBox->currentText());
}

void TPreviewForm::ShowFlatSpinEditIntegerChange()
{
    const int n = ShowFlatSpinEditInteger->value();
    if (n > PreviewSpinBox::kUpperLimit) {
        // 99 becomes 64; a longer number keeps its first two digits (650 -> 65 -> 64).
        const QString text = QString::number(n);
        ShowFlatSpinEditInteger->setValue(text.size() == 2 ? PreviewSpinBox::kUpperLimit : text.left(2).toInt());
        return;
    }
    const QString number = n < 10 ? QLatin1Char('0') + QString::number(n) : QString::number(n);
    guarded(m_ctx, [&] {
        ImageCard(n);
        setState(number + QLatin1Char('_') + m_lineCode + QLatin1Char('_') + selectedFile());
        ShowTextGeksa();
    });
}

void TPreviewForm::IntPreviewFlatComboBoxChange()
{
    guarded(m_ctx, [&] {
        setState(state().left(10) + selectedFile());
        ShowTextGeksa();
    });
}

void TPreviewForm::ImageCard(int number)
{
    if (number < 1 || number > 64)
        return;
    m_lineCode = hex::lineCode(number);
    const QString path = m_ctx.programFile(QStringLiteral("card/s") + hex::twoDigits(number) + QStringLiteral(".jpg"));
    QPixmap card;
    if (!card.load(path))
        throw Error(QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
    CardImage->setPixmap(card);
}

void TPreviewForm::ShowTextGeksa()
{
    PreviewFlatMemo->clear();
    const QString s = state();
    const QString file = s.mid(10, 25).trimmed();
    // A record whose interpretation names no variant, before any variant was chosen in this
    // run, has no file at all: show no text rather than an error about a missing file.
    if (!file.isEmpty()) {
        const QStringList lines =
            InterKey(QStringLiteral("[%") + s.left(2) + QLatin1Char(']'), file, textDirOf(m_ctx.programDir));
        setMemoLines(PreviewFlatMemo, lines);
    } else {
        applyMemoScrollBarRule(PreviewFlatMemo);
    }
    GraphGeksa();
    TrigramSelect(s.mid(3, 3), QStringLiteral("TriTopImage"));
    TrigramSelect(s.mid(6, 3), QStringLiteral("TriBotImage"));
}

void TPreviewForm::GraphGeksa()
{
    const QString s = state();
    for (QLabel *img : PSymImage)
        img->clear();
    for (int k = 1; k <= 6; ++k) {
        const QChar ch = s.size() > 9 - k ? s.at(9 - k) : QChar();
        const bool yin = ch == u'6' || ch == u'8';
        PSymImage[size_t(k - 1)]->setPixmap(linePicture(yin ? 1 : 3));
    }
}

void TPreviewForm::TrigramSelect(const QString &code, const QString &hotspotName)
{
    auto *hotspot = findChild<TrigramHotspot *>(hotspotName);
    if (!hotspot)
        return;
    QString bits = code;
    bits.replace(u'7', u'1').replace(u'8', u'0');
    if (code.size() == 3 && !code.contains(u'0') && !code.contains(u'1'))
        hotspot->guaIndex = hex::guaSignIndex(bits, hotspot->guaIndex);
    hotspot->setEnabled(true);
}

void TPreviewForm::TrigramImageClick(TrigramHotspot *hotspot)
{
    if (hotspot->guaIndex >= 0)
        launch::openGuaSigns(m_ctx, this, hotspot->guaIndex);
}

} // namespace yw
