#pragma once

#include "journal/journalrecord.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QToolButton;

namespace yw {

struct AppContext;

// Manual entry of a result cast by hand: six line values, the old and young hexagram with the
// old one's interpretation, and the record appended to the journal as "Ручной ввод".
class TManualForm : public QDialog {
    Q_OBJECT
public:
    TManualForm(AppContext &ctx, QWidget *parent = nullptr);

    static inline const QString kQuestionPrompt = QStringLiteral("<Введите свой вопрос...>");
    static const QStringList &methodNames();

    // The record the save button would append now, or nothing with the reason the journal could
    // not take it (a time that is not a time, a date that is not a date).
    std::optional<JournalRecord> recordToSave(QString *why = nullptr) const;
    QString lineCode() const;
    QString youngNumberText() const { return m_youngNumber; }
    QString interpretationFile() const { return m_file; }

    QToolButton *SaveManualFlatSpeedButton;
    QToolButton *Diag1FlatSpeedButton;
    QToolButton *Diag2FlatSpeedButton;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QCheckBox *ModeLineFlatCheckBox;
    std::array<QSpinBox *, 6> ManualFlatSpinEdit{}; // lines 1 (bottom) .. 6
    std::array<QLabel *, 6> MunImage{};             // Mun1Image .. Mun6Image
    QLabel *OldGeksaLabel;
    QLineEdit *ManualOldGeksaFlatEdit;
    QLabel *YouGeksaLabel;
    QLineEdit *ManualYouGeksaFlatEdit;
    QLineEdit *ManualQuestFlatEdit;
    QDateEdit *ManualDateEdit;
    QLineEdit *TimeManualFlatMaskEdit;
    QComboBox *UserManualFlatComboBox;
    QComboBox *ManualIntFlatComboBox;
    QPlainTextEdit *ManualFlatMemo;
    QComboBox *ManualMethodFlatComboBox;
    QCheckBox *ManualAttentionFlatCheckBox;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void ManualFlatSpinEditChange(int line);
    void RefreshSymGeksa();
    void ManualOldGeksaFlatEditChange();
    void ManualIntFlatComboBoxChange();
    void ModeLineFlatCheckBoxClick();
    void ManualQuestFlatEditClick();
    void InitIScrollBar();
    void SaveManualFlatSpeedButtonClick();
    void RegistryManualLoad();
    void RegistryManualSave();
    int interpretationIndex() const;
    int methodIndex() const;

    AppContext &m_ctx;
    QString m_youngNumber;
    QString m_file;
    bool m_closed = false;
};

} // namespace yw
