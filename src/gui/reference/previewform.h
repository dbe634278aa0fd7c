#pragma once

#include <QSpinBox>
#include <QWidget>

#include <array>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace yw {

struct AppContext;

// The number field: its arrows stay within 0 (or 1) .. 64, but a larger number can be typed and
// the window then brings it back (99 gives 64, 123 gives 12).
class PreviewSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit PreviewSpinBox(QWidget *parent);
    static constexpr int kUpperLimit = 64;
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
};

// A transparent area over a trigram's three lines; a click opens the Gua signs window.
class TrigramHotspot : public QWidget {
    Q_OBJECT
public:
    explicit TrigramHotspot(QWidget *parent);
    int guaIndex = -1;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The hexagram viewer: card, lines, trigram hotspots and interpretation of one hexagram. One
// viewer per run, not modal; closing hides it.
class TPreviewForm : public QWidget {
    Q_OBJECT
public:
    TPreviewForm(AppContext &ctx, QWidget *parent = nullptr);

    // The viewer state string: "03_878887_CCanon.dat".
    QString state() const;
    void setState(const QString &state);
    // Sets the number field and runs the number change even when the number is already shown.
    void setNumber(int number);
    // Selects the item equal to an interpretation name, or none.
    void selectInterpretation(const QString &name);
    QString currentLineCode() const { return m_lineCode; }

    // Geometry of section "Preview": read by the opener right after creation, written on closing.
    void readGeometry();

    QWidget *ToolPanel;
    QComboBox *IntPreviewFlatComboBox;
    PreviewSpinBox *ShowFlatSpinEditInteger;
    QFrame *ToolSeparator;
    QToolButton *Diag1FlatSpeedButton;
    QToolButton *Diag2FlatSpeedButton;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QWidget *LeftPanel;
    std::array<QLabel *, 6> PSymImage{}; // PSym1Image (bottom) .. PSym6Image (top)
    TrigramHotspot *TriTopImage;
    TrigramHotspot *TriBotImage;
    QFrame *CardPanel;
    QLabel *CardImage;
    QPlainTextEdit *PreviewFlatMemo;
    QLineEdit *GeksaUnVisible;
    QMenu *PreviewMemoPopupMenu;
    QAction *PPCopy;
    QAction *PPSelectAll;
    QAction *PPFont;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void ShowFlatSpinEditIntegerChange();
    void IntPreviewFlatComboBoxChange();
    void TrigramImageClick(TrigramHotspot *hotspot);
    void ImageCard(int number);
    void ShowTextGeksa();
    void GraphGeksa();
    void TrigramSelect(const QString &code, const QString &hotspotName);
    QString selectedFile() const;

    AppContext &m_ctx;
    QString m_lineCode; // the code of the hexagram whose card was last requested
};

} // namespace yw
