#pragma once

// The seams between the subsystems' windows. Each subsystem implements its own group in its
// folder's launch.cpp; the main window and the other subsystems call only these.

#include <QString>

class QWidget;

namespace yw {

struct AppContext;

namespace launch {

// divination/launch.cpp
bool divinationAvailable();
void openDivination(AppContext &ctx, QWidget *parent);

// journal/launch.cpp: the options window and the results browser live for the whole run.
// createJournalWindows runs the start-up steps "options window created" and "results browser
// opens the journal" (which may show the options window in its first-start mode).
void createJournalWindows(AppContext &ctx);
void destroyJournalWindows(AppContext &ctx);
bool journalAvailable(const AppContext &ctx); // the journal connection is open
void showDataBase(AppContext &ctx);           // the results browser, not modal
void showOptions(AppContext &ctx);            // the options window, modal
void clearJournal(AppContext &ctx, QWidget *parent);
void compactJournal(AppContext &ctx);

// reference/launch.cpp and journal windows built with them
bool exportAvailable(const AppContext &ctx);
void openExport(AppContext &ctx, QWidget *parent);
bool manualEntryAvailable();
void openManualEntry(AppContext &ctx, QWidget *parent);
bool wenWangAvailable();
void openWenWang(AppContext &ctx, QWidget *parent);
bool guaSignsAvailable();
void openGuaSigns(AppContext &ctx, QWidget *parent, int guaIndex);
// The single hexagram viewer of the run, opened from the results browser's grid:
// number is two digits, state is the viewer state string, interpretation the record's text.
bool viewerAvailable();
void showViewer(AppContext &ctx, const QString &number, const QString &state, const QString &interpretation);
void closeViewer(AppContext &ctx);

} // namespace launch
} // namespace yw
