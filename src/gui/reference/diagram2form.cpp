#include "gui/reference/diagram2form.h"

#include "divination/hexagram.h"
#include "divination/texts.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/divination/memo.h"
#include "gui/platform/platform.h"
#include "gui/app/formkit.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace yw {
namespace {

const QString kSection = QStringLiteral("Diagram2");
const QColor kSelectedFill(255, 210, 83);

class TrigramItemDelegate : public QStyledItemDelegate {
public:
    TrigramItemDelegate(const TDiagram2Form *form, QObject *parent) : QStyledItemDelegate(parent), m_form(form) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        m_form->TrigramFlatComboBoxDrawItem(painter, index.row(), option.rect,
                                            option.state & (QStyle::State_Selected | QStyle::State_MouseOver));
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + 20, TDiagram2Form::kItemHeight};
    }

private:
    const TDiagram2Form *m_form;
};

} // namespace

TrigramComboBox::TrigramComboBox(TDiagram2Form *form, QWidget *parent) : QComboBox(parent), m_form(form) {}

void TrigramComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) {
        const QRect item(field.left(), field.top() + (field.height() - TDiagram2Form::kItemHeight) / 2, field.width(),
                         TDiagram2Form::kItemHeight);
        m_form->TrigramFlatComboBoxDrawItem(&p, currentIndex(), item, false);
    }
}

TDiagram2Form::TDiagram2Form(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_ctx(ctx)
{
    setObjectName(QStringLiteral("Diagram2Form"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Знаки Гуа"));
    setFont(designFont());
    setSizeGripEnabled(false);
    resize(421, 414);
    setMinimumSize(200, 120);

    for (int i = 0; i < 8; ++i)
        m_miniImages << trigramPicture(QLatin1String(hex::trigramByGuaIndex(i)->bitCode), QSize(18, 12));

    ToolPanel = new QWidget(this);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    ToolPanel->setAutoFillBackground(true);

    TrigramFlatComboBox = new TrigramComboBox(this, ToolPanel);
    TrigramFlatComboBox->setObjectName(QStringLiteral("TrigramFlatComboBox"));
    TrigramFlatComboBox->setGeometry(2, 2, 80, 21);
    TrigramFlatComboBox->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    for (int i = 0; i < 8; ++i)
        TrigramFlatComboBox->addItem(QString::fromUtf16(hex::trigramByGuaIndex(i)->name));
    TrigramFlatComboBox->setItemDelegate(new TrigramItemDelegate(this, TrigramFlatComboBox));
    TrigramFlatComboBox->view()->setMinimumWidth(90);

    HelpFlatSpeedButton =
        flatButton(ToolPanel, "HelpFlatSpeedButton", QRect(0, 1, 23, 23), Glyph::Help, QStringLiteral("Справка"));
    CloseFlatSpeedButton = flatButton(ToolPanel, "CloseFlatSpeedButton", QRect(0, 1, 23, 23), Glyph::Close,
                                      QStringLiteral("Закрыть окно диаграммы"));

    GuaFlatMemo = new QPlainTextEdit(this);
    GuaFlatMemo->setObjectName(QStringLiteral("GuaFlatMemo"));
    GuaFlatMemo->setReadOnly(true);
    GuaFlatMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    const TextMenu menu =
        makeTextMenu(ctx, this, GuaFlatMemo, kSection, "Diag2PopupMenu", "D2PCopy", "D2PSelectAll", "D2PFont");
    Diag2PopupMenu = menu.menu;
    D2PCopy = menu.copy;
    D2PSelectAll = menu.selectAll;
    D2PFont = menu.font;

    connect(TrigramFlatComboBox, &QComboBox::currentIndexChanged, this, &TDiagram2Form::TrigramFlatComboBoxChange);
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { m_ctx.platform->showHelp(14); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &QDialog::close);

    FormCreate();
    centreOnScreen(this);
}

void TDiagram2Form::FormCreate()
{
    loadMemoFont(m_ctx, GuaFlatMemo, kSection);
}

void TDiagram2Form::setGuaIndex(int index)
{
    const QSignalBlocker block(TrigramFlatComboBox);
    TrigramFlatComboBox->setCurrentIndex(index >= 0 && index < 8 ? index : 0);
}

int TDiagram2Form::guaIndex() const
{
    return TrigramFlatComboBox->currentIndex();
}

void TDiagram2Form::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TDiagram2Form::FormShow()
{
    TrigramFlatComboBoxChange();
}

void TDiagram2Form::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ToolPanel->setGeometry(0, 0, width(), 25);
    HelpFlatSpeedButton->move(width() - 50, 1);
    CloseFlatSpeedButton->move(width() - 26, 1);
    GuaFlatMemo->setGeometry(0, 25, width(), height() - 25);
    FormResize();
}

void TDiagram2Form::FormResize()
{
    applyMemoScrollBarRule(GuaFlatMemo);
}

void TDiagram2Form::TrigramFlatComboBoxChange()
{
    if (TrigramFlatComboBox->hasFocus())
        focusNextChild();
    GuaFlatMemo->clear();
    const int index = TrigramFlatComboBox->currentIndex();
    if (index < 0)
        return;
    guarded(m_ctx, [&] {
        const QString key = QStringLiteral("[%") + QString::number(index + 1) + QLatin1Char(']');
        setMemoLines(GuaFlatMemo, InterKey(key, QStringLiteral("Gua.dat"), textDirOf(m_ctx.programDir)));
    });
}

void TDiagram2Form::TrigramFlatComboBoxDrawItem(QPainter *painter, int index, const QRect &rect, bool selected) const
{
    painter->save();
    painter->fillRect(rect, selected ? kSelectedFill : QColor(Qt::white));
    if (index >= 0 && index < m_miniImages.size())
        painter->drawPixmap(rect.topLeft() + QPoint(1, (rect.height() - 12) / 2), m_miniImages.at(index));
    painter->setPen(selected ? QColor(Qt::black) : palette().color(QPalette::Text));
    painter->setFont(font());
    const QRect text(rect.left() + 20, rect.top(), rect.width() - 20, rect.height());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, TrigramFlatComboBox->itemText(index));
    painter->restore();
}

} // namespace yw
