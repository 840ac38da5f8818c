// The ten best scores with their players' names, kept in the settings store
// as name0..name9 and score0..score9, with the rules that test, enter and reset them.
#pragma once

#include <cstdint>

// Which names fill rows that the store does not hold yet.
enum class HighScoreDefaults { Named, Anonymous };

class HighScoreTable {
public:
    static constexpr int ROW_COUNT = 10;
    // Bytes of a name buffer, the terminating zero included.
    static constexpr int NAME_CAPACITY = 256;

    HighScoreTable();

    // Fills every row from the store; a missing value is stored with its
    // default. Scores still waiting to be stored are entered first, or, when
    // they must wait on, shown in the rows all the same.
    void load(const HighScoreDefaults& defaults);
    // Loads the rows with the named defaults; true when the score beats row 9.
    bool qualifies(const uint32_t& score);
    // Enters the score into the stored list, below any equal scores. When the
    // store cannot take it now (another program holds it, or its folder
    // cannot be written) the score waits, to be entered into the list as it
    // is stored then, by the next load, insert or storeWaitingScores.
    void insert(const char* const& name, const uint32_t& score);
    // Replaces the rows and the stored list by the anonymous defaults; scores
    // still waiting go with the list they were shown in.
    void reset();

    // Enters the scores still waiting; true when none is left.
    static bool storeWaitingScores();
    // Says on standard error that the scores still waiting are lost, when
    // there are any, and returns whether there were: for the program's end.
    static bool reportWaitingScoresLost();

    const char* getName(const int& row) const;
    uint32_t getScore(const int& row) const;

private:
    void fillDefaults(const HighScoreDefaults& defaults);

    char names[ROW_COUNT][NAME_CAPACITY];
    uint32_t scores[ROW_COUNT];
};
