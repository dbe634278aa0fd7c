#include "gui/journal/exportform.h"

#include "export/workbook.h"
#include "gui/app/appcontext.h"
#include "gui/app/application.h"
#include "gui/platform/platform.h"
#include "gui/app/formkit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

namespace yw {
namespace {

const QString kSection = QStringLiteral("Export");

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TExportForm::TExportForm(AppContext &ctx, const JournalFilter &filter, const QString &filterFieldName, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ctx(ctx), m_filter(filter), m_filterFieldName(filterFieldName)
{
    setObjectName(QStringLiteral("ExportForm"));
    setWindowTitle(QStringLiteral("Yarrowind v2.3 - Экспорт данных"));
    setFont(designFont());
    setFixedSize(203, 211);

    ExportPanel = new QWidget(this);
    ExportPanel->setObjectName(QStringLiteral("ExportPanel"));
    ExportPanel->setGeometry(0, 0, 203, 174);
    ExcelVisibleFlatCheckBox = new QCheckBox(QStringLiteral("Открыть Excel после экспорта"), ExportPanel);
    ExcelVisibleFlatCheckBox->setObjectName(QStringLiteral("ExcelVisibleFlatCheckBox"));
    ExcelVisibleFlatCheckBox->setGeometry(8, 5, 190, 17);
    AutoFitFlatCheckBox = new QCheckBox(QStringLiteral("Выравнивание столбцов"), ExportPanel);
    AutoFitFlatCheckBox->setObjectName(QStringLiteral("AutoFitFlatCheckBox"));
    AutoFitFlatCheckBox->setGeometry(8, 22, 190, 17);
    AutoFitFlatCheckBox->setChecked(true);
    TranslitFlatCheckBox = new QCheckBox(QStringLiteral("Выгружать в Translite"), ExportPanel);
    TranslitFlatCheckBox->setObjectName(QStringLiteral("TranslitFlatCheckBox"));
    TranslitFlatCheckBox->setGeometry(8, 39, 190, 17);

    SaveToFileLabel = new QLabel(QStringLiteral("Путь для экспорта:"), ExportPanel);
    SaveToFileLabel->setObjectName(QStringLiteral("SaveToFileLabel"));
    SaveToFileLabel->setGeometry(8, 59, 190, 14);
    SaveToFileFlatEdit = new QLineEdit(ExportPanel);
    SaveToFileFlatEdit->setObjectName(QStringLiteral("SaveToFileFlatEdit"));
    SaveToFileFlatEdit->setGeometry(8, 73, 166, 21);
    SaveToFileFlatEdit->setReadOnly(true);
    SaveToFileFlatSpeedButton =
        flatButton(ExportPanel, "SaveToFileFlatSpeedButton", QRect(176, 73, 21, 21), Glyph::Folder, QString());

    HeaderLabel = new QLabel(QStringLiteral("Заголовок:"), ExportPanel);
    HeaderLabel->setObjectName(QStringLiteral("HeaderLabel"));
    HeaderLabel->setGeometry(8, 97, 190, 14);
    HeaderFlatEdit = new QLineEdit(ExportPanel);
    HeaderFlatEdit->setObjectName(QStringLiteral("HeaderFlatEdit"));
    HeaderFlatEdit->setGeometry(8, 111, 189, 21);
    FooterLabel = new QLabel(QStringLiteral("Подпись"), ExportPanel);
    FooterLabel->setObjectName(QStringLiteral("FooterLabel"));
    FooterLabel->setGeometry(8, 135, 190, 14);
    FooterFlatEdit = new QLineEdit(ExportPanel);
    FooterFlatEdit->setObjectName(QStringLiteral("FooterFlatEdit"));
    FooterFlatEdit->setGeometry(8, 149, 189, 21);

    ExportFlatGauge = new QProgressBar(this);
    ExportFlatGauge->setObjectName(QStringLiteral("ExportFlatGauge"));
    ExportFlatGauge->setGeometry(8, 176, 189, 9);
    ExportFlatGauge->setTextVisible(false);
    ExportFlatGauge->setRange(0, 1);
    ExportFlatGauge->setValue(0);

    ExportFlatButton = new QPushButton(QStringLiteral("Экспорт"), this);
    ExportFlatButton->setObjectName(QStringLiteral("ExportFlatButton"));
    ExportFlatButton->setGeometry(8, 188, 92, 20);
    ExportFlatButton->setToolTip(QStringLiteral("Экспортировать данные"));
    ExportFlatButton->setAutoDefault(false);
    CancelFlatButton = new QPushButton(QStringLiteral("Закрыть"), this);
    CancelFlatButton->setObjectName(QStringLiteral("CancelFlatButton"));
    CancelFlatButton->setGeometry(105, 188, 92, 20);
    CancelFlatButton->setToolTip(QStringLiteral("Отменить экспорт"));
    CancelFlatButton->setAutoDefault(false);

    connect(SaveToFileFlatSpeedButton, &QToolButton::clicked, this, &TExportForm::SaveToFileFlatSpeedButtonClick);
    connect(ExportFlatButton, &QPushButton::clicked, this, &TExportForm::ExportFlatButtonClick);
    connect(CancelFlatButton, &QPushButton::clicked, this, &QDialog::close);

    FormCreate();
    centreOnScreen(this);
}

void TExportForm::FormCreate()
{
    const bool records = m_ctx.journal && m_ctx.journal->isOpen() && m_ctx.journal->count(m_filter) > 0;
    ExportFlatButton->setEnabled(records);
    RegistryExportLoad();
}

void TExportForm::RegistryExportLoad()
{
    const IniFile ini = m_ctx.settings();
    ExcelVisibleFlatCheckBox->setChecked(
        ini.readBool(kSection, QStringLiteral("Visible"), ExcelVisibleFlatCheckBox->isChecked()));
    AutoFitFlatCheckBox->setChecked(
        ini.readBool(kSection, QStringLiteral("AutoFit"), AutoFitFlatCheckBox->isChecked()));
    TranslitFlatCheckBox->setChecked(
        ini.readBool(kSection, QStringLiteral("Translit"), TranslitFlatCheckBox->isChecked()));
    const QString path = ini.readString(kSection, QStringLiteral("Path"), withSeparator(m_ctx.programDir));
    SaveToFileFlatEdit->setText(path.trimmed().isEmpty() ? withSeparator(m_ctx.programDir) : path);
    HeaderFlatEdit->setText(ini.readString(kSection, QStringLiteral("Header"), HeaderFlatEdit->text()));
    FooterFlatEdit->setText(ini.readString(kSection, QStringLiteral("Footer"), FooterFlatEdit->text()));
}

void TExportForm::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QDialog::done(result);
}

void TExportForm::FormClose()
{
    RegistryExportSave();
}

void TExportForm::RegistryExportSave()
{
    try {
        IniFile ini = m_ctx.settings();
        ini.writeBool(kSection, QStringLiteral("Visible"), ExcelVisibleFlatCheckBox->isChecked());
        ini.writeBool(kSection, QStringLiteral("AutoFit"), AutoFitFlatCheckBox->isChecked());
        ini.writeBool(kSection, QStringLiteral("Translit"), TranslitFlatCheckBox->isChecked());
        ini.writeString(kSection, QStringLiteral("Path"), SaveToFileFlatEdit->text());
        ini.writeString(kSection, QStringLiteral("Header"), HeaderFlatEdit->text());
        ini.writeString(kSection, QStringLiteral("Footer"), FooterFlatEdit->text());
    } catch (const Error &) {
        // Losing the window's choices is no reason to keep the user from closing it.
    }
}

QString TExportForm::BrowseDialog(const QString &title)
{
    const QString folder = m_ctx.platform->folder(this, title, SaveToFileFlatEdit->text());
    return folder.isEmpty() ? QString() : withSeparator(folder);
}

void TExportForm::SaveToFileFlatSpeedButtonClick()
{
    const QString folder = BrowseDialog(QStringLiteral("Каталог для экспорта"));
    if (!folder.trimmed().isEmpty())
        SaveToFileFlatEdit->setText(folder);
}

QString TExportForm::exportFileName() const
{
    return xlsx::exportFileName(SaveToFileFlatEdit->text(), m_filterFieldName, m_ctx.platform->now().date());
}

void TExportForm::setControlsEnabled(bool enabled)
{
    ExportPanel->setEnabled(enabled);
    ExportFlatButton->setEnabled(enabled);
    CancelFlatButton->setEnabled(enabled);
    SaveToFileFlatSpeedButton->setEnabled(enabled);
}

void TExportForm::ExportFlatButtonClick()
{
    if (!m_ctx.journal || !m_ctx.journal->isOpen())
        return;
    setControlsEnabled(false);
    m_handed = 0;
    m_total = m_ctx.journal->count(m_filter);
    ExportFlatGauge->setRange(0, static_cast<int>(qMax<qint64>(1, m_total)));
    ExportFlatGauge->setValue(0);
    m_repaint.start();

    xlsx::WorkbookOptions options;
    options.fileName = exportFileName();
    options.autoFit = AutoFitFlatCheckBox->isChecked();
    options.translit = TranslitFlatCheckBox->isChecked();
    if (!HeaderFlatEdit->text().trimmed().isEmpty())
        m_heading = {HeaderFlatEdit->text()};
    if (!FooterFlatEdit->text().trimmed().isEmpty())
        m_signature = {FooterFlatEdit->text()};
    options.headingLines = m_heading;
    options.signatureLines = m_signature;

    bool written = false;
    try {
        xlsx::writeWorkbook(options, *m_ctx.journal, m_filter, [this](qint64) { glExportExcelExportRecord(); });
        written = true;
        m_lastFile = options.fileName;
    } catch (const Error &e) {
        Application::reportError(m_ctx.platform, e.text());
    }
    // Whatever happened, the window is the user's again: a failed export must not leave it with
    // every control disabled, nor one whose record count changed on the way.
    setControlsEnabled(true);
    if (written && ExcelVisibleFlatCheckBox->isChecked())
        m_ctx.platform->openUrl(QUrl::fromLocalFile(options.fileName));
}

void TExportForm::glExportExcelExportRecord()
{
    ++m_handed;
    ExportFlatGauge->setValue(static_cast<int>(qMin(m_handed, m_total)));
    // The export runs on the user-interface thread: paint the bar now and then so it moves.
    if (m_repaint.elapsed() > 50) {
        ExportFlatGauge->repaint();
        m_repaint.restart();
    }
    if (m_handed == m_total)
        setControlsEnabled(true);
}

} // namespace yw
