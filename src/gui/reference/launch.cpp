#include "gui/app/launchers.h"

#include "gui/app/appcontext.h"
#include "gui/app/mainform.h"
#include "gui/journal/databaseform.h"
#include "gui/journal/exportform.h"
#include "gui/journal/manualform.h"
#include "gui/reference/diagram1form.h"
#include "gui/reference/diagram2form.h"
#include "gui/reference/previewform.h"

namespace yw::launch {

bool exportAvailable(const AppContext &ctx)
{
    return journalAvailable(ctx);
}

void openExport(AppContext &ctx, QWidget *parent)
{
    // The export follows the browser: the records it shows, the field its filter was last set to.
    const JournalFilter filter = ctx.dataBaseForm ? ctx.dataBaseForm->currentFilter() : JournalFilter{};
    const QString field = ctx.dataBaseForm ? ctx.dataBaseForm->filterFieldName() : QString();
    TExportForm form(ctx, filter, field, parent);
    form.exec();
}

bool manualEntryAvailable()
{
    return true;
}

void openManualEntry(AppContext &ctx, QWidget *parent)
{
    TManualForm form(ctx, parent);
    form.exec();
}

bool wenWangAvailable()
{
    return true;
}

void openWenWang(AppContext &ctx, QWidget *parent)
{
    TDiagram1Form form(ctx, parent);
    form.exec();
}

bool guaSignsAvailable()
{
    return true;
}

void openGuaSigns(AppContext &ctx, QWidget *parent, int guaIndex)
{
    TDiagram2Form form(ctx, parent);
    form.setGuaIndex(guaIndex);
    form.exec();
}

bool viewerAvailable()
{
    return true;
}

void showViewer(AppContext &ctx, const QString &number, const QString &state, const QString &interpretation)
{
    TPreviewForm *viewer = ctx.previewForm;
    if (!viewer) {
        viewer = new TPreviewForm(ctx, ctx.mainForm);
        ctx.previewForm = viewer;
        viewer->readGeometry();
    }
    viewer->show();
    viewer->raise();
    viewer->setState(QString());
    viewer->setState(state);
    viewer->selectInterpretation(interpretation);
    viewer->setNumber(number.toInt());
    viewer->ShowFlatSpinEditInteger->setMinimum(1);
}

void closeViewer(AppContext &ctx)
{
    if (TPreviewForm *viewer = ctx.previewForm; viewer && viewer->isVisible())
        viewer->close();
}

} // namespace yw::launch
