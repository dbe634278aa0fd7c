#pragma once

#include "journal/journalrecord.h"

#include <random>

namespace yw {

// Plausible journal records for tests and benchmarks: both principles, the four interpretation
// names, several users (one with an apostrophe), dates over many years, and line values that
// give the stored hexagram numbers. The same seed gives the same records.
class JournalGenerator {
public:
    explicit JournalGenerator(quint32 seed = 1);
    JournalRecord next();

    static QStringList userNames();

private:
    std::mt19937 m_random;
};

} // namespace yw
