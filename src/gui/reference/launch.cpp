#include "gui/app/launchers.h"

namespace yw::launch {

bool exportAvailable(const AppContext &) { return false; }
void openExport(AppContext &, QWidget *) {}
bool manualEntryAvailable() { return false; }
void openManualEntry(AppContext &, QWidget *) {}
bool wenWangAvailable() { return false; }
void openWenWang(AppContext &, QWidget *) {}
bool guaSignsAvailable() { return false; }
void openGuaSigns(AppContext &, QWidget *, int) {}
bool viewerAvailable() { return false; }
void showViewer(AppContext &, const QString &, const QString &, const QString &) {}
void closeViewer(AppContext &) {}

} // namespace yw::launch
