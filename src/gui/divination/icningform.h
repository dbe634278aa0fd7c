#pragma once

#include "app/programstate.h"
#include "divination/casting.h"
#include "divination/divination.h"

#include <QColor>
#include <QDialog>
#include <QLabel>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace yw {

struct AppContext;

namespace icning {

// A transparent area over three lines of a hexagram that opens the Gua signs window on its trigram.
class TrigramHotspot : public QLabel {
public:
    explicit TrigramHotspot(QWidget *parent);
    int guaIndex() const { return m_guaIndex; }
    void point(int guaIndex);
    std::function<void(int)> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_guaIndex = 0;
};

} // namespace icning

// The divination window: one question, one cast by one of four methods, its interpretation, and
// at most one journal record.
class TICningForm : public QDialog {
    Q_OBJECT
public:
    explicit TICningForm(AppContext &ctx, QWidget *parent = nullptr);
    ~TICningForm() override;

    const DivinationState &state() const { return m_state; }

    // Top bar
    QWidget *ActionFlatPanel;
    QToolButton *ForceSaveGlatSpeedButton;
    QComboBox *TypeMethodFlatComboBox;
    QComboBox *UserFlatComboBox;
    QComboBox *IntFlatComboBox;
    QLineEdit *QuestFlatEdit;
    QToolButton *DescFlatSpeedButton;
    QToolButton *PositionFlatSpeedButton;
    QToolButton *HelpFlatSpeedButton;
    QToolButton *CloseFlatButton;

    // Hexagram boxes; arrays hold lines 1..6 at indexes 0..5.
    struct HexagramBox {
        QGroupBox *box;
        QLabel *number;
        QLabel *title;
        std::array<QLabel *, 6> lineNumbers;
        std::array<QLabel *, 6> lines;
        std::array<QLineEdit *, 6> values;
        icning::TrigramHotspot *top;
        icning::TrigramHotspot *bottom;
        QCheckBox *check;
    };
    HexagramBox Old;
    HexagramBox You;
    QGroupBox *OldFlatGroupBox;
    QGroupBox *YouFlatGroupBox;
    QLabel *NumOLabel;
    QLabel *NumYLabel;
    QCheckBox *OldFlatCheckBox;
    QCheckBox *YouFlatCheckBox;

    QPlainTextEdit *IntrpretFlatMemo;
    QMenu *IChingMemoPopupMenu;
    QAction *ICPCopy;
    QAction *ICPSelectAll;
    QAction *ICPBrowser;
    QAction *ICPFont;

    // Graphical table
    QGroupBox *GraphFlatGroupBox;
    std::array<QLabel *, 3> ElementImages;
    std::array<QLineEdit *, 3> ElementEdits;
    QTableWidget *GraphResultColumnListBox;

    // Numerological panel
    QGroupBox *NumeroFlatGroupBox;
    QComboBox *HourNumeroFlatComboBox;
    QComboBox *DayNumeroFlatComboBox;
    QComboBox *MonthNumeroFlatComboBox;
    QComboBox *YearNumeroFlatComboBox;
    QPushButton *StartNumeroFlatSpeedButton;
    QLineEdit *TextNumeroFlatEdit;
    QLabel *HtTextLabel;
    QLabel *HtValtLabel;
    QLabel *LtTextLabelLabel;
    QLabel *LtValLabel;
    QLabel *iXTextLabel;
    QLabel *iXValLabel;

    QPushButton *StartFlatButton;

    static inline const QColor kBoxBorder = QColor(160, 150, 131);
    static inline const QColor kMovingLine = QColor(255, 212, 96);
    static inline const QColor kGreyText = QColor(96, 96, 96);

    // Handlers, public so that tests and the popup menu reach them as a user would.
    void StartFlatButtonClick();
    void StartNumeroFlatSpeedButtonClick();
    void ForceSaveGlatSpeedButtonClick();
    void IntFlatComboBoxChange();
    void OldFlatCheckBoxClick();
    void YouFlatCheckBoxClick();
    void PositionFlatSpeedButtonClick();
    void DescFlatSpeedButtonClick();
    void HelpFlatSpeedButtonClick();
    void IChingMemoPopupMenuPopup();
    void ICPCopyClick();
    void ICPSelectAllClick();
    void ICPBrowserClick();
    void ICPFontClick();
    void ResultListBoxClick(int row);

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildTopBar();
    HexagramBox buildHexagramBox(QWidget *parent, const char *boxName, const char *prefixLabel, const char *prefixImage,
                                 const char *prefixValue, const char *triPrefix, const char *numberName,
                                 const char *checkName, int y);
    void buildGraphTable(QWidget *parent);
    void buildNumeroPanel(QWidget *parent);
    void buildMemoMenu();

    void FormCreate();
    void FormClose();
    void RegistryChingLoad();
    void RegistryChingSave();

    void showThrow(const cast::Throw &t, int line);
    void drawThrow(cast::Method method, const std::array<int, 3> &elements);
    void endCast(CastVariant variant);
    void showOldBox();
    void pointHotspots(HexagramBox &box, const QString &bits);
    void GeksagrammYoung(bool withNumbers);
    void OnNumPosition(bool show);
    void GraphNumero();
    void numeroDone();
    void tickOldWhenNoYoung();
    void showTickedInterpretation();
    void showInterpretation(const QString &number);
    bool SaveResultChing();
    void questionClicked(QLineEdit *edit);
    void playSound(const QString &name) const;
    bool autoSave() const;
    QString textDir() const;
    void setBoxBorder(QGroupBox *box, const QColor &color);
    void reportError(const QString &text);

    AppContext &m_ctx;
    DivinationState m_state;
    cast::RandomSource m_random;
    cast::Method m_lastThrowMethod = cast::Method::Coins;
    CastVariant m_lastThrowVariant = CastVariant::Weighted;
    cast::Method m_reshowMethod = cast::Method::Coins;
    QColor m_fontColor;
    bool m_saved = false;
    bool m_closed = false;
};

} // namespace yw
