#pragma once

#include <QDialog>
#include <QLabel>

#include <array>

class QAction;
class QComboBox;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace yw {

struct AppContext;

// A clickable number of the table: blue, gold under the mouse, maroon when chosen.
class NumLabel : public QLabel {
    Q_OBJECT
public:
    NumLabel(const QString &number, const QString &cellCode, QWidget *parent);
    QString cellCode() const { return m_cellCode; }
    void setChosen(bool chosen);
    bool chosen() const { return m_chosen; }
    QColor textColor() const;

    static inline const QColor kNormal{0, 104, 216};
    static inline const QColor kHover{255, 210, 83};
    static inline const QColor kChosen{128, 0, 0};

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyColor();
    QString m_cellCode;
    bool m_chosen = false;
    bool m_hover = false;
};

// A trigram picture that opens the Gua signs window on its trigram.
class TrigramImage : public QLabel {
    Q_OBJECT
public:
    explicit TrigramImage(QWidget *parent);
    int guaIndex = -1; // -1: no trigram shown
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The Wen-wang table: the 64 King Wen numbers by upper trigram (columns) and lower trigram (rows).
class TDiagram1Form : public QDialog {
    Q_OBJECT
public:
    TDiagram1Form(AppContext &ctx, QWidget *parent = nullptr);

    // Rows and columns: Кунь, Гэнь, Кань, Сюнь, Чжень, Ли, Дуй, Цянь.
    static const QString &tableTrigramName(int tableIndex);
    static QString tableTrigramLines(int tableIndex); // top line first, 7 and 8
    static int tableGuaIndex(int tableIndex);
    // The number in column `upper` and row `lower`, two digits.
    static QString tableNumber(int upper, int lower);

    QString chosenNumber() const { return m_number; }
    QString interpretationFile() const { return m_file; }

    QWidget *ToolPanel;
    QComboBox *IntDiag1FlatComboBox;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QWidget *TablePanel;
    QLabel *CornerLabel;
    std::array<TrigramImage *, 8> TrH{}; // TrH1Image .. TrH8Image
    std::array<TrigramImage *, 8> TrV{}; // TrV1Image .. TrV8Image
    std::array<NumLabel *, 64> glNum{};  // glNum1Label .. glNum64Label
    QWidget *TextPanel;
    QLabel *NameTopLabel;
    TrigramImage *GTopImage;
    TrigramImage *GBotImage;
    QLabel *NameBotLabel;
    QPlainTextEdit *Diag1FlatMemo;
    QMenu *Diag1PopupMenu;
    QAction *D1PCopy;
    QAction *D1PSelectAll;
    QAction *D1PFont;

private:
    void FormCreate();
    void glNumLabelClick(NumLabel *label);
    void IntDiag1FlatComboBoxChange();
    void TrImageClick(TrigramImage *image);
    void Interpret();

    AppContext &m_ctx;
    QList<QPixmap> m_trigramImages; // TrigramImageList, 38 x 23, in table trigram order
    QString m_number = QStringLiteral("00");
    int m_upper = -1;
    int m_lower = -1;
    QString m_file;
};

} // namespace yw
