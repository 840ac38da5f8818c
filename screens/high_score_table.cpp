// The high-score list in the settings store: read-or-create with defaults,
// the strict qualification test, insertion below equal scores, and reset.
#include "screens/high_score_table.h"

#include <cstdio>
#include <cstring>

#include "app/application.h"
#include "platform/settings/settings_store.h"

namespace {

constexpr uint32_t DEFAULT_SCORES[HighScoreTable::ROW_COUNT] = {1000000, 800000, 600000, 100000, 80000,
                                                                  60000,   10000,  8000,   6000,   4000};
constexpr const char* NAMED_DEFAULTS[HighScoreTable::ROW_COUNT] = {
    "Quimbo", "Quimbo", "Quimbo", "Roven", "Roven", "Roven", "Pimla", "Pimla", "Pimla", "Pimla"};
constexpr const char* ANONYMOUS_NAME = "Anonymous";

const char* defaultName(const HighScoreDefaults& defaults, const int& row) {
    return defaults == HighScoreDefaults::Named ? NAMED_DEFAULTS[row] : ANONYMOUS_NAME;
}

// Copies at most capacity - 1 characters and always terminates.
void copyName(char* const& destination, const char* const& source) {
    std::snprintf(destination, HighScoreTable::NAME_CAPACITY, "%s", source != nullptr ? source : "");
}

struct ValueNames {
    char name[16];
    char score[16];
};

ValueNames valueNamesOf(const int& row) {
    ValueNames names;
    std::snprintf(names.name, sizeof names.name, "name%d", row);
    std::snprintf(names.score, sizeof names.score, "score%d", row);
    return names;
}

// Reads one row with the settings key open. The buffers hold the row's
// defaults on entry, so a missing value is stored with them. A stored value
// the store cannot hand over whole (too long for the buffer, or unreadable)
// leaves the default in place; whatever is read is cut to a terminated name.
void readRow(const int& row, char* const& name, uint32_t& score) {
    const ValueNames valueNames = valueNamesOf(row);
    char fallbackName[HighScoreTable::NAME_CAPACITY];
    copyName(fallbackName, name);
    if (theApplication->readStringSetting(valueNames.name, name, HighScoreTable::NAME_CAPACITY) != 0)
        copyName(name, fallbackName);
    name[HighScoreTable::NAME_CAPACITY - 1] = 0;

    uint32_t stored = score;
    if (theApplication->readDwordSetting(valueNames.score, &stored, sizeof stored) == 0) score = stored;
}

void writeRow(const int& row, const char* const& name, const uint32_t& score) {
    const ValueNames valueNames = valueNamesOf(row);
    theApplication->writeStringSetting(valueNames.name, name);
    theApplication->writeDwordSetting(valueNames.score, &score, sizeof score);
}

}  // namespace

HighScoreTable::HighScoreTable() { fillDefaults(HighScoreDefaults::Anonymous); }

void HighScoreTable::fillDefaults(const HighScoreDefaults& defaults) {
    for (int row = 0; row < ROW_COUNT; ++row) {
        copyName(names[row], defaultName(defaults, row));
        scores[row] = DEFAULT_SCORES[row];
    }
}

void HighScoreTable::load(const HighScoreDefaults& defaults) {
    fillDefaults(defaults);
    theApplication->openSettings();
    for (int row = 0; row < ROW_COUNT; ++row) readRow(row, names[row], scores[row]);
    theApplication->closeSettings();
}

bool HighScoreTable::qualifies(const uint32_t& score) {
    load(HighScoreDefaults::Named);
    return scores[ROW_COUNT - 1] < score;
}

void HighScoreTable::insert(const char* const& name, const uint32_t& score) {
    char newName[NAME_CAPACITY];
    copyName(newName, name);
    // Another copy of the game may enter its own score between our reading
    // and our writing; the store then refuses, and the rows are read again.
    constexpr int ATTEMPTS = 5;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        theApplication->openSettings();
        int row = ROW_COUNT - 2;
        for (; row >= 0; --row) {
            char rowName[NAME_CAPACITY];
            copyName(rowName, defaultName(HighScoreDefaults::Named, row));
            uint32_t rowScore = DEFAULT_SCORES[row];
            readRow(row, rowName, rowScore);
            if (score <= rowScore) break;
            writeRow(row + 1, rowName, rowScore);
        }
        writeRow(row + 1, newName, score);
        if (theApplication->closeSettings() != platform::SETTINGS_CHANGED_ELSEWHERE) return;
    }
}

void HighScoreTable::reset() {
    fillDefaults(HighScoreDefaults::Anonymous);
    theApplication->openSettings();
    for (int row = 0; row < ROW_COUNT; ++row) writeRow(row, names[row], scores[row]);
    theApplication->closeSettings();
}

const char* HighScoreTable::getName(const int& row) const { return row >= 0 && row < ROW_COUNT ? names[row] : ""; }

uint32_t HighScoreTable::getScore(const int& row) const { return row >= 0 && row < ROW_COUNT ? scores[row] : 0; }
