#include "gui/app/launchers.h"

namespace yw::launch {

void createJournalWindows(AppContext &) {}
void destroyJournalWindows(AppContext &) {}
bool journalAvailable(const AppContext &) { return false; }
void showDataBase(AppContext &) {}
void showOptions(AppContext &) {}
void clearJournal(AppContext &, QWidget *) {}
void compactJournal(AppContext &) {}

} // namespace yw::launch
