#pragma once

#include <QComboBox>
#include <QDialog>

class QAction;
class QMenu;
class QPainter;
class QPlainTextEdit;
class QToolButton;

namespace yw {

struct AppContext;
class TDiagram2Form;

// The trigram list: each item drawn by the window with its small picture, the closed box too.
class TrigramComboBox : public QComboBox {
    Q_OBJECT
public:
    TrigramComboBox(TDiagram2Form *form, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TDiagram2Form *m_form;
};

// The Gua signs window: the eight trigrams and the description of the chosen one from "Gua.dat".
// The opener sets the Gua sign index (0..7) before showing it; the text follows when shown.
class TDiagram2Form : public QDialog {
    Q_OBJECT
public:
    TDiagram2Form(AppContext &ctx, QWidget *parent = nullptr);

    // Selects a trigram without loading its text (FormShow does that).
    void setGuaIndex(int index);
    int guaIndex() const;

    // Draws one list item: picture at the top-left corner, text 20 pixels in.
    void TrigramFlatComboBoxDrawItem(QPainter *painter, int index, const QRect &rect, bool selected) const;
    static constexpr int kItemHeight = 16;

    QWidget *ToolPanel;
    TrigramComboBox *TrigramFlatComboBox;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatSpeedButton;
    QPlainTextEdit *GuaFlatMemo;
    QMenu *Diag2PopupMenu;
    QAction *D2PCopy;
    QAction *D2PSelectAll;
    QAction *D2PFont;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormResize();
    void TrigramFlatComboBoxChange();

    AppContext &m_ctx;
    QList<QPixmap> m_miniImages; // TrigramMiniImageList, 18 x 12, in Gua sign order
};

} // namespace yw
