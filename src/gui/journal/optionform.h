#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace yw {

struct AppContext;

// Chooses the journal's database file: opens an existing one or creates "ibase.db" from the
// template. Lives for the whole run; its path field is where every part finds the database.
class TOptionForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionForm(AppContext &ctx, QWidget *parent = nullptr);
    ~TOptionForm() override;

    // The text of the path field.
    QString path() const;
    // The first-start mode: the program may go on only after a database has been chosen.
    bool firstStartMode() const { return m_firstStart; }
    // "Отклонить" was pressed: the program is ending and nothing was written.
    bool declined() const { return m_declined; }

    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QPlainTextEdit *OptionFlatMemo;
    QLabel *OptionLabel;
    QLineEdit *PathBaseFlatEdit;
    QPushButton *FlatButton1;
    QPushButton *OpenBaseFlatSpeedButton;
    QPushButton *ApplyOptionButton;
    QPushButton *CancelOptionButton;

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void OpenBaseFlatSpeedButtonClick();
    void FlatButton1Click();
    void ApplyOptionButtonClick();
    void CancelOptionButtonClick();
    void CloseFlatSpeedButtonClick();
    bool connectBase(const QString &path);

    AppContext &m_ctx;
    bool m_firstStart = false;
    bool m_declined = false;
};

} // namespace yw
