#include "gui/journal/manualform.h"

#include "divination/hexagram.h"
#include "divination/texts.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/app/formkit.h"
#include "gui/app/launchers.h"
#include "gui/divination/memo.h"
#include "gui/platform/platform.h"
#include "journal/journal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>

namespace yw {
namespace {

const QString kSection = QStringLiteral("Manual");
const QString kCaption = QStringLiteral("Сохранение");
// Tops of the line rows from line 1 (bottom) up; the wider gap parts the trigrams.
constexpr int kLineTops[6] = {150, 128, 106, 78, 56, 34};

struct ManualVariant {
    const char *file;
    bool warningEnabled;
};
const ManualVariant kVariants[4] = {
    {"IKolde.dat", true}, {"CCanon.dat", false}, {"CVernov.dat", false}, {"PRonin.dat", true}};

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    return l;
}

} // namespace

const QStringList &TManualForm::methodNames()
{
    static const QStringList names = {
        QStringLiteral("Метод 3 монет"),
        QStringLiteral("Метод 3 игральных костей"),
        QStringLiteral("Метод 50 стеблей тысячелистника"),
        QStringLiteral("Метод Сяньтань"),
        QStringLiteral("Нумерологический метод"),
        QStringLiteral("Метод расчета по григорианскому календарю"),
        QStringLiteral("Метод расчета по китайскому лунному календарю"),
    };
    return names;
}

TManualForm::TManualForm(AppContext &ctx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ctx(ctx)
{
    setObjectName(QStringLiteral("ManualForm"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Пользовательское добавление гадания"));
    setFont(designFont());
    setFixedSize(670, 255);

    auto *tool = new QWidget(this);
    tool->setObjectName(QStringLiteral("ToolPanel"));
    tool->setGeometry(0, 0, 670, 25);
    SaveManualFlatSpeedButton = flatButton(tool, "SaveManualFlatSpeedButton", QRect(2, 1, 23, 23), Glyph::Save,
                                           QStringLiteral("Сохранить в базе данных"));
    Diag1FlatSpeedButton = flatButton(tool, "Diag1FlatSpeedButton", QRect(30, 1, 23, 23), Glyph::WenWang,
                                      QStringLiteral("Диаграмма  Вэнь-вана..."));
    Diag2FlatSpeedButton =
        flatButton(tool, "Diag2FlatSpeedButton", QRect(54, 1, 23, 23), Glyph::GuaSigns, QStringLiteral("Знаки Гуа..."));
    HelpFlatSpeedButton =
        flatButton(tool, "HelpFlatSpeedButton", QRect(670 - 50, 1, 23, 23), Glyph::Help, QStringLiteral("Справка"));
    CloseFlatSpeedButton = flatButton(tool, "CloseFlatSpeedButton", QRect(670 - 26, 1, 23, 23), Glyph::Close,
                                      QStringLiteral("Закрыть окно просмотра"));

    for (int i = 0; i < 6; ++i) {
        auto *spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("ManualFlatSpinEdit%1").arg(i + 1));
        spin->setGeometry(8, kLineTops[i], 44, 20);
        spin->setRange(6, 9);
        spin->setValue(7);
        spin->setToolTip(QStringLiteral("Черта %1").arg(i + 1));
        ManualFlatSpinEdit[size_t(i)] = spin;
        auto *img = new QLabel(this);
        img->setObjectName(QStringLiteral("Mun%1Image").arg(i + 1));
        img->setGeometry(60, kLineTops[i] + 4, 79, 12);
        MunImage[size_t(i)] = img;
    }
    ModeLineFlatCheckBox = new QCheckBox(QStringLiteral("С учетом старших черт"), this);
    ModeLineFlatCheckBox->setObjectName(QStringLiteral("ModeLineFlatCheckBox"));
    ModeLineFlatCheckBox->setGeometry(8, 178, 150, 18);
    ModeLineFlatCheckBox->setChecked(true);

    QFont bold = designFont();
    bold.setBold(true);
    OldGeksaLabel = label(this, QStringLiteral("Старая гекса"), QRect(8, 204, 80, 14), "OldGeksaLabel");
    ManualOldGeksaFlatEdit = new QLineEdit(QStringLiteral("01"), this);
    ManualOldGeksaFlatEdit->setObjectName(QStringLiteral("ManualOldGeksaFlatEdit"));
    ManualOldGeksaFlatEdit->setGeometry(96, 201, 40, 20);
    YouGeksaLabel = label(this, QStringLiteral("Молодая гекса"), QRect(8, 229, 85, 14), "YouGeksaLabel");
    ManualYouGeksaFlatEdit = new QLineEdit(QStringLiteral("01"), this);
    ManualYouGeksaFlatEdit->setObjectName(QStringLiteral("ManualYouGeksaFlatEdit"));
    ManualYouGeksaFlatEdit->setGeometry(96, 226, 40, 20);
    for (QLineEdit *e : {ManualOldGeksaFlatEdit, ManualYouGeksaFlatEdit}) {
        e->setReadOnly(true);
        e->setFont(bold);
        e->setAlignment(Qt::AlignCenter);
        e->setFocusPolicy(Qt::NoFocus);
    }

    ManualQuestFlatEdit = new QLineEdit(kQuestionPrompt, this);
    ManualQuestFlatEdit->setObjectName(QStringLiteral("ManualQuestFlatEdit"));
    ManualQuestFlatEdit->setGeometry(160, 34, 502, 21);
    ManualQuestFlatEdit->installEventFilter(this);

    ManualDateEdit = new QDateEdit(this);
    ManualDateEdit->setObjectName(QStringLiteral("ManualDateEdit"));
    ManualDateEdit->setGeometry(160, 60, 100, 21);
    ManualDateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    ManualDateEdit->setCalendarPopup(true);
    ManualDateEdit->setToolTip(QStringLiteral("Дата гадания"));
    TimeManualFlatMaskEdit = new QLineEdit(this);
    TimeManualFlatMaskEdit->setObjectName(QStringLiteral("TimeManualFlatMaskEdit"));
    TimeManualFlatMaskEdit->setGeometry(266, 60, 64, 21);
    TimeManualFlatMaskEdit->setInputMask(QStringLiteral("09:99:99; "));
    TimeManualFlatMaskEdit->setMaxLength(8);
    UserManualFlatComboBox = new QComboBox(this);
    UserManualFlatComboBox->setObjectName(QStringLiteral("UserManualFlatComboBox"));
    UserManualFlatComboBox->setGeometry(336, 60, 326, 21);
    UserManualFlatComboBox->setEditable(true);
    UserManualFlatComboBox->setInsertPolicy(QComboBox::NoInsert);

    ManualIntFlatComboBox = new QComboBox(this);
    ManualIntFlatComboBox->setObjectName(QStringLiteral("ManualIntFlatComboBox"));
    ManualIntFlatComboBox->setGeometry(160, 86, 300, 21);
    ManualIntFlatComboBox->setEditable(true);
    ManualIntFlatComboBox->setInsertPolicy(QComboBox::NoInsert);
    ManualIntFlatComboBox->addItems(interpretationNames());
    ManualIntFlatComboBox->setCurrentIndex(0);
    ManualMethodFlatComboBox = new QComboBox(this);
    ManualMethodFlatComboBox->setObjectName(QStringLiteral("ManualMethodFlatComboBox"));
    ManualMethodFlatComboBox->setGeometry(466, 86, 196, 21);
    ManualMethodFlatComboBox->setEditable(true);
    ManualMethodFlatComboBox->setInsertPolicy(QComboBox::NoInsert);
    ManualMethodFlatComboBox->addItems(methodNames());
    ManualMethodFlatComboBox->setCurrentIndex(-1);
    ManualMethodFlatComboBox->setEditText(methodNames().first());

    ManualFlatMemo = new QPlainTextEdit(this);
    ManualFlatMemo->setObjectName(QStringLiteral("ManualFlatMemo"));
    ManualFlatMemo->setGeometry(160, 112, 502, 116);
    ManualFlatMemo->setReadOnly(true);

    ManualAttentionFlatCheckBox = new QCheckBox(QStringLiteral("Внимание, неблагоприятная ситуация!"), this);
    ManualAttentionFlatCheckBox->setObjectName(QStringLiteral("ManualAttentionFlatCheckBox"));
    ManualAttentionFlatCheckBox->setGeometry(160, 232, 300, 18);

    for (int i = 0; i < 6; ++i)
        connect(ManualFlatSpinEdit[size_t(i)], &QSpinBox::valueChanged, this,
                [this, i] { ManualFlatSpinEditChange(i + 1); });
    connect(ManualOldGeksaFlatEdit, &QLineEdit::textChanged, this, &TManualForm::ManualOldGeksaFlatEditChange);
    connect(ManualYouGeksaFlatEdit, &QLineEdit::textChanged, this, &TManualForm::ManualOldGeksaFlatEditChange);
    connect(ManualIntFlatComboBox, &QComboBox::currentTextChanged, this, &TManualForm::ManualIntFlatComboBoxChange);
    connect(ModeLineFlatCheckBox, &QCheckBox::clicked, this, &TManualForm::ModeLineFlatCheckBoxClick);
    connect(SaveManualFlatSpeedButton, &QToolButton::clicked, this, &TManualForm::SaveManualFlatSpeedButtonClick);
    connect(Diag1FlatSpeedButton, &QToolButton::clicked, this, [this] { launch::openWenWang(m_ctx, this); });
    connect(Diag2FlatSpeedButton, &QToolButton::clicked, this, [this] { launch::openGuaSigns(m_ctx, this, 0); });
    connect(HelpFlatSpeedButton, &QToolButton::clicked, this, [this] { m_ctx.platform->showHelp(9); });
    connect(CloseFlatSpeedButton, &QToolButton::clicked, this, &QDialog::close);

    FormCreate();
    centreOnScreen(this);
}

void TManualForm::FormCreate()
{
    const QDateTime now = m_ctx.platform->now();
    ManualDateEdit->setDate(now.date());
    TimeManualFlatMaskEdit->setText(now.time().toString(QStringLiteral("hh:mm:ss")));
    m_youngNumber.clear();
    for (int i = 0; i < 6; ++i)
        MunImage[size_t(i)]->setPixmap(linePicture(3));

    if (const auto names = Journal::readUserList(m_ctx.programFile(QStringLiteral("userch.dat")))) {
        UserManualFlatComboBox->addItems(*names);
        UserManualFlatComboBox->setCurrentIndex(names->isEmpty() ? -1 : 0);
        RegistryManualLoad();
    }

    ModeLineFlatCheckBoxClick();
    ManualIntFlatComboBoxChange();
    ManualOldGeksaFlatEditChange();
}

void TManualForm::RegistryManualLoad()
{
    const IniFile ini = m_ctx.settings();
    ModeLineFlatCheckBox->setChecked(
        ini.readBool(kSection, QStringLiteral("ModeLine"), ModeLineFlatCheckBox->isChecked()));
    const int interp = ini.readInteger(kSection, QStringLiteral("IntIndex"), ManualIntFlatComboBox->currentIndex());
    ManualIntFlatComboBox->setCurrentIndex(interp >= -1 && interp < ManualIntFlatComboBox->count() ? interp : 0);
    const int method = ini.readInteger(kSection, QStringLiteral("TypeMethod"), -1);
    if (method >= 0 && method < ManualMethodFlatComboBox->count())
        ManualMethodFlatComboBox->setCurrentIndex(method);
}

void TManualForm::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QDialog::done(result);
}

void TManualForm::FormClose()
{
    RegistryManualSave();
}

void TManualForm::RegistryManualSave()
{
    try {
        IniFile ini = m_ctx.settings();
        ini.writeBool(kSection, QStringLiteral("ModeLine"), ModeLineFlatCheckBox->isChecked());
        ini.writeInteger(kSection, QStringLiteral("IntIndex"), interpretationIndex());
        ini.writeInteger(kSection, QStringLiteral("TypeMethod"), methodIndex());
    } catch (const Error &) {
        // The window's choices are a convenience; a settings file that cannot be written loses them.
    }
}

int TManualForm::interpretationIndex() const
{
    return ManualIntFlatComboBox->findText(ManualIntFlatComboBox->currentText(), Qt::MatchExactly);
}

int TManualForm::methodIndex() const
{
    const int i = ManualMethodFlatComboBox->currentIndex();
    return i >= 0 && ManualMethodFlatComboBox->itemText(i) == ManualMethodFlatComboBox->currentText() ? i : -1;
}

void TManualForm::ManualFlatSpinEditChange(int line)
{
    QLabel *img = MunImage[size_t(line - 1)];
    img->clear();
    const int picture = hex::linePictureIndex(QChar(u'0' + ManualFlatSpinEdit[size_t(line - 1)]->value()));
    if (picture >= 0)
        img->setPixmap(linePicture(picture));
    RefreshSymGeksa();
}

QString TManualForm::lineCode() const
{
    QString code;
    for (int i = 5; i >= 0; --i)
        code += QString::number(ManualFlatSpinEdit[size_t(i)]->value());
    return code;
}

void TManualForm::RefreshSymGeksa()
{
    const QString code = lineCode();
    ManualOldGeksaFlatEdit->setText(hex::kingWenNumber(hex::bitCodeOf(code)));
    m_youngNumber = hex::kingWenNumber(hex::bitCodeOf(hex::youngLineCode(code)));
    ManualYouGeksaFlatEdit->setText(m_youngNumber);
}

void TManualForm::ManualOldGeksaFlatEditChange()
{
    const QString number = ManualOldGeksaFlatEdit->text();
    ManualAttentionFlatCheckBox->setChecked(hex::isWarning(number.toInt()) && m_file == QLatin1String("IKolde.dat"));
    ManualFlatMemo->clear();
    if (m_file.isEmpty()) {
        setMemoLines(ManualFlatMemo, {QStringLiteral("Интерпретация не найдена")});
        return;
    }
    guarded(m_ctx, [&] {
        setMemoLines(ManualFlatMemo,
                     InterKey(QStringLiteral("[%") + number + QLatin1Char(']'), m_file, textDirOf(m_ctx.programDir)));
    });
    InitIScrollBar();
}

void TManualForm::ManualIntFlatComboBoxChange()
{
    const int i = interpretationIndex();
    if (i >= 0 && i < 4) {
        m_file = QLatin1String(kVariants[i].file);
        ManualAttentionFlatCheckBox->setEnabled(kVariants[i].warningEnabled);
    } else {
        m_file.clear();
    }
    ManualOldGeksaFlatEditChange();
    InitIScrollBar();
}

void TManualForm::ModeLineFlatCheckBoxClick()
{
    const bool old = ModeLineFlatCheckBox->isChecked();
    for (QSpinBox *spin : ManualFlatSpinEdit) {
        if (old) {
            spin->setRange(6, 9);
            continue;
        }
        // Without old lines a moving line becomes the still line of the same kind.
        if (spin->value() == 6)
            spin->setValue(8);
        else if (spin->value() == 9)
            spin->setValue(7);
        spin->setRange(7, 8);
    }
}

void TManualForm::ManualQuestFlatEditClick()
{
    if (ManualQuestFlatEdit->text() == kQuestionPrompt)
        ManualQuestFlatEdit->clear();
}

bool TManualForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ManualQuestFlatEdit && event->type() == QEvent::MouseButtonPress)
        ManualQuestFlatEditClick();
    return QDialog::eventFilter(watched, event);
}

void TManualForm::InitIScrollBar()
{
    applyMemoScrollBarRule(ManualFlatMemo);
}

std::optional<JournalRecord> TManualForm::recordToSave(QString *why) const
{
    JournalRecord r;
    r.date = ManualDateEdit->date();
    // The masked field may hold blanks where digits were not typed: such a time is not a time.
    const QString timeText = TimeManualFlatMaskEdit->displayText().trimmed();
    r.time = QTime::fromString(timeText, QStringLiteral("h:mm:ss"));
    if (!r.date.isValid()) {
        if (why)
            *why = QStringLiteral("Дата гадания указана неверно.");
        return std::nullopt;
    }
    if (!r.time.isValid() || timeText.contains(QLatin1Char(' '))) {
        if (why)
            *why = QStringLiteral("Время гадания \"%1\" указано неверно.").arg(TimeManualFlatMaskEdit->displayText());
        return std::nullopt;
    }
    const QString question = ManualQuestFlatEdit->text();
    r.question =
        question != kQuestionPrompt && !question.trimmed().isEmpty() ? question : QStringLiteral("Вопрос на задавался");
    r.attention = ManualAttentionFlatCheckBox->isChecked() ? QStringLiteral("!") : QString();
    const QString user = UserManualFlatComboBox->currentText();
    r.userName = user.trimmed().isEmpty() ? QStringLiteral("Имя не задано") : user;
    const QString interp = ManualIntFlatComboBox->currentText();
    r.interpretation = interp.trimmed().isEmpty() ? QStringLiteral("Интерпретация не задана") : interp;
    const QString method = ManualMethodFlatComboBox->currentText();
    r.method = method.trimmed().isEmpty() ? QStringLiteral("Метод не задан") : method;
    r.geksagrammaOld = ManualOldGeksaFlatEdit->text().toInt();
    r.geksagrammaYou = ManualYouGeksaFlatEdit->text().toInt();
    for (int i = 0; i < 6; ++i)
        r.go[size_t(i)] = QString::number(ManualFlatSpinEdit[size_t(i)]->value());
    r.principle = kPrincipleManual;
    return r;
}

void TManualForm::SaveManualFlatSpeedButtonClick()
{
    if (m_youngNumber.trimmed().isEmpty()) {
        m_ctx.platform->message(this, MsgIcon::Information, kCaption,
                                QStringLiteral("Не было изменено ни одной черты\r\nСохранение прервано!"));
        return;
    }
    // A result that did not reach the journal is said so: the user would otherwise believe it
    // stored.
    QString why;
    const std::optional<JournalRecord> record = recordToSave(&why);
    if (record && !(m_ctx.journal && m_ctx.journal->isOpen()))
        why = QStringLiteral("База данных не подключена.");
    else if (record && m_ctx.journal->append(*record, &why))
        return;
    m_ctx.platform->message(this, MsgIcon::Warning, kCaption,
                            QStringLiteral("Результат не сохранен в базе данных!\r\n") + why);
}

} // namespace yw
