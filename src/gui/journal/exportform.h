#pragma once

#include "journal/journal.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace yw {

struct AppContext;

// Export of the journal, as the results browser filters it, to an .xlsx workbook.
class TExportForm : public QDialog {
    Q_OBJECT
public:
    // filter and filterFieldName come from the results browser: the records it shows and the
    // field last chosen in its filter title list (part of the file name).
    TExportForm(AppContext &ctx, const JournalFilter &filter, const QString &filterFieldName,
                QWidget *parent = nullptr);

    // The file the next export writes.
    QString exportFileName() const;
    QString lastFile() const { return m_lastFile; }
    qint64 handedOver() const { return m_handed; }

    QWidget *ExportPanel;
    QCheckBox *ExcelVisibleFlatCheckBox;
    QCheckBox *AutoFitFlatCheckBox;
    QCheckBox *TranslitFlatCheckBox;
    QLabel *SaveToFileLabel;
    QLineEdit *SaveToFileFlatEdit;
    QToolButton *SaveToFileFlatSpeedButton;
    QLabel *HeaderLabel;
    QLineEdit *HeaderFlatEdit;
    QLabel *FooterLabel;
    QLineEdit *FooterFlatEdit;
    QProgressBar *ExportFlatGauge;
    QPushButton *ExportFlatButton;
    QPushButton *CancelFlatButton;

    void done(int result) override;

private:
    void FormCreate();
    void FormClose();
    void SaveToFileFlatSpeedButtonClick();
    QString BrowseDialog(const QString &title);
    void ExportFlatButtonClick();
    void glExportExcelExportRecord();
    void RegistryExportLoad();
    void RegistryExportSave();
    void setControlsEnabled(bool enabled);

    AppContext &m_ctx;
    JournalFilter m_filter;
    QString m_filterFieldName;
    // The component's heading and signature lines: one empty heading line until a heading is given.
    QStringList m_heading{QString()};
    QStringList m_signature;
    qint64 m_handed = 0;
    qint64 m_total = 0;
    QElapsedTimer m_repaint;
    QString m_lastFile;
    bool m_closed = false;
};

} // namespace yw
