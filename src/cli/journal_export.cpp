#include "cli/journal_export.h"

#include "cli/cli.h"

namespace yw::cli {

int runJournalExport(const QStringList &) { return fail(QStringLiteral("journal export is not available yet")); }

} // namespace yw::cli
