#pragma once

#include "app/inifile.h"

#include <QPointer>
#include <QString>

class QDialog;

namespace yw {

class Platform;
class Journal;
class TMainForm;
class TOptionForm;
class TDataBaseForm;
class TPreviewForm;

// What the windows of one run share: the platform layer, the program and runtime folders (both
// injectable, so tests never touch the real ones) and the windows that live for the whole run.
struct AppContext {
    Platform *platform = nullptr;
    QString programDir; // the executable's folder; files named bare live here
    QString runtimeDir; // the user's runtime folder, emptied by the system at logout

    TMainForm *mainForm = nullptr;
    TOptionForm *optionForm = nullptr;
    TDataBaseForm *dataBaseForm = nullptr;
    // The journal connection, owned by the results browser.
    Journal *journal = nullptr;
    // The single hexagram viewer of the run, once the browser has opened it; a window of the
    // main window's, so it ends with the program.
    QPointer<TPreviewForm> previewForm;

    QString programFile(const QString &name) const { return programDir + QLatin1Char('/') + name; }
    IniFile settings() const { return IniFile(programFile(QStringLiteral("iching.ini"))); }
};

} // namespace yw
