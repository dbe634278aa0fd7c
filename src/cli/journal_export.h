#pragma once

#include <QStringList>

namespace yw::cli {

// "yarrowind-cli journal export ...": the workbook the export window writes.
int runJournalExport(const QStringList &args);

} // namespace yw::cli
