#pragma once

#include <QString>

namespace yw {

enum class CastVariant { Weighted, Majority };

inline const QString kSettingsVersion = QStringLiteral("2.3 31.01.2009");

// The few values the whole program shares. They live here, in one visible place, and are
// reset by each test that relies on them.
struct ProgramState {
    // Version text read from section "Main"; emptied when the journal cannot be opened.
    QString versionText;
    // The interpretation chosen last and the casting variant that goes with it.
    QString interpretationFile;
    CastVariant castVariant = CastVariant::Majority;
};

ProgramState &programState();

} // namespace yw
