// The high-score list in the settings store: read-or-create with defaults,
// the strict qualification test, insertion below equal scores, and reset.
#include "screens/high_score_table.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

struct Entry {
    std::string name;
    uint32_t score;
    // Tried once and refused: other copies may have entered scores since.
    bool waited = false;
};

// Entered scores the store could not take yet, oldest first. Each is entered
// again into the list as stored when it is next tried, never written as
// the rows it would have made then: another copy of the game may have
// entered its own scores meanwhile.
std::vector<Entry>& waitingScores() {
    static std::vector<Entry> waiting;
    return waiting;
}

// The insertion rule, on rows read and written through the two functions:
// from row 8 upwards each row with a smaller score moves down by one, the
// last row dropping out, and the new score lands directly below the lowest
// row whose score is greater or equal.
template <typename ReadRow, typename WriteRow>
void enterByRule(const char* const& name, const uint32_t& score, const ReadRow& readAt, const WriteRow& writeAt) {
    int row = HighScoreTable::ROW_COUNT - 2;
    for (; row >= 0; --row) {
        char rowName[HighScoreTable::NAME_CAPACITY];
        uint32_t rowScore = 0;
        readAt(row, rowName, rowScore);
        if (score <= rowScore) break;
        writeAt(row + 1, rowName, rowScore);
    }
    writeAt(row + 1, name, score);
}

void readStoredRow(const int& row, char* const& name, uint32_t& score) {
    copyName(name, defaultName(HighScoreDefaults::Named, row));
    score = DEFAULT_SCORES[row];
    readRow(row, name, score);
}

// Enters one score into the stored list as it is now; false when it must
// wait (the lock stays held, the folder cannot be written, other copies
// keep changing the list).
bool enterStored(Entry& entry) {
    const char* const name = entry.name.c_str();
    const uint32_t score = entry.score;
    // Another copy of the game may enter its own score between our reading
    // and our writing; the store then refuses, and the rows are read again.
    constexpr int ATTEMPTS = 5;
    long status = platform::SETTINGS_CHANGED_ELSEWHERE;
    for (int attempt = 0; attempt < ATTEMPTS && status == platform::SETTINGS_CHANGED_ELSEWHERE; ++attempt) {
        theApplication->openSettings();
        // A score entered at once follows the insertion rule alone, as its
        // caller has just seen it qualify; one that waited may have been
        // pushed out by scores other copies entered meanwhile.
        bool stillQualifies = true;
        if (entry.waited) {
            char lastName[HighScoreTable::NAME_CAPACITY];
            uint32_t lastScore = 0;
            readStoredRow(HighScoreTable::ROW_COUNT - 1, lastName, lastScore);
            stillQualifies = score > lastScore;
        }
        if (stillQualifies) enterByRule(name, score, readStoredRow, writeRow);
        status = theApplication->closeSettingsDroppingUnstored();
    }
    // Without a store at all there is nothing to wait for.
    const bool entered = status == platform::SETTINGS_OK || status == platform::SETTINGS_NOT_OPEN;
    if (!entered) entry.waited = true;
    return entered;
}

// Enters a score into rows in memory by the same rule as the stored list.
void enterInRows(char (&names)[HighScoreTable::ROW_COUNT][HighScoreTable::NAME_CAPACITY],
                 uint32_t (&scores)[HighScoreTable::ROW_COUNT], const Entry& entry) {
    if (entry.score <= scores[HighScoreTable::ROW_COUNT - 1]) return;
    const auto readAt = [&](const int& row, char* const& name, uint32_t& score) {
        copyName(name, names[row]);
        score = scores[row];
    };
    const auto writeAt = [&](const int& row, const char* const& name, const uint32_t& score) {
        copyName(names[row], name);
        scores[row] = score;
    };
    enterByRule(entry.name.c_str(), entry.score, readAt, writeAt);
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
    storeWaitingScores();
    fillDefaults(defaults);
    theApplication->openSettings();
    for (int row = 0; row < ROW_COUNT; ++row) readRow(row, names[row], scores[row]);
    theApplication->closeSettings();
    // The player sees what this copy entered, stored or not.
    for (const Entry& entry : waitingScores()) enterInRows(names, scores, entry);
}

bool HighScoreTable::qualifies(const uint32_t& score) {
    load(HighScoreDefaults::Named);
    return scores[ROW_COUNT - 1] < score;
}

void HighScoreTable::insert(const char* const& name, const uint32_t& score) {
    char newName[NAME_CAPACITY];
    copyName(newName, name);
    waitingScores().push_back(Entry{newName, score});
    storeWaitingScores();
}

bool HighScoreTable::storeWaitingScores() {
    std::vector<Entry>& waiting = waitingScores();
    while (!waiting.empty() && enterStored(waiting.front()))
        waiting.erase(waiting.begin());
    return waiting.empty();
}

bool HighScoreTable::reportWaitingScoresLost() {
    const size_t count = waitingScores().size();
    if (count == 0) return false;
    std::fprintf(stderr, "quadrimo: %s could not be stored in %s and %s lost\n",
                 count == 1 ? "the new high score" : "the new high scores",
                 platform::SettingsStore::defaultPath().c_str(), count == 1 ? "is" : "are");
    return true;
}

void HighScoreTable::reset() {
    // The list the player saw, waiting scores included, is what is reset.
    waitingScores().clear();
    fillDefaults(HighScoreDefaults::Anonymous);
    theApplication->openSettings();
    for (int row = 0; row < ROW_COUNT; ++row) writeRow(row, names[row], scores[row]);
    theApplication->closeSettings();
}

const char* HighScoreTable::getName(const int& row) const { return row >= 0 && row < ROW_COUNT ? names[row] : ""; }

uint32_t HighScoreTable::getScore(const int& row) const { return row >= 0 && row < ROW_COUNT ? scores[row] : 0; }
