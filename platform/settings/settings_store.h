// The settings store, the stand-in for the per-user registry key: one text
// file per user, read without any lock (it is only ever replaced whole, by
// rename), and written back under a lock only when something changed, so two
// copies of the game never lose each other's work and a reader never waits.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "platform/settings/settings_file.h"
#include "platform/settings/settings_snapshot.h"

namespace platform {

// Status codes of the store's calls, numbered as the registry numbers them.
constexpr long SETTINGS_OK = 0;
constexpr long SETTINGS_NOT_FOUND = 2;
constexpr long SETTINGS_ACCESS_DENIED = 5;
constexpr long SETTINGS_NOT_OPEN = 6;
constexpr long SETTINGS_WRONG_TYPE = 13;
constexpr long SETTINGS_WRITE_FAULT = 29;
constexpr long SETTINGS_LOCK_TIMEOUT = 33;
constexpr long SETTINGS_BAD_ARGUMENT = 87;
constexpr long SETTINGS_MORE_DATA = 234;
// Another program changed a value this store had read: nothing was written,
// and the caller may read again and redo its change.
constexpr long SETTINGS_CHANGED_ELSEWHERE = 1018;

class SettingsStore {
public:
    // The user's settings file: $XDG_DATA_HOME/Zentrio/Quadrimo/settings.reg,
    // with ~/.local/share when XDG_DATA_HOME is unset, empty or relative.
    // Empty when no home folder is known.
    static std::string defaultPath();

    // Reads the file, creating nothing and taking no lock; anything but a
    // regular file counts as missing. A file unchanged since it was last
    // read is not read again. Changes this run could not store yet are laid
    // over what the file holds, unless another program has since changed
    // what they were made from. nullptr only without a path.
    static SettingsStore* open(const std::string& path, long& status);

    // Removes the temporary files a save killed half-way left beside path,
    // unless another copy of the game is saving right now.
    static void removeStaleTemporaries(const std::string& path);

    // When values of this run could not be stored in path, says so on
    // standard error and returns true.
    static bool reportUnsaved(const std::string& path);

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    // Drops changes not stored by close().
    ~SettingsStore() = default;

    bool contains(const std::string& name) const;
    // Copies the value into buffer. A value of another type, or longer than
    // capacity, is not read and the buffer keeps what it held. A string
    // always arrives with its terminating zero.
    long read(const std::string& name, const uint32_t& type, void* const& buffer, const uint32_t& capacity) const;
    long write(const std::string& name, const uint32_t& type, const void* const& data, const uint32_t& size);

    // A writer waits this long for another copy of the game to finish saving.
    static constexpr int LOCK_WAIT_MILLISECONDS = 250;

    // What close() does with changes it cannot store.
    enum class Unstored {
        // Kept, to be stored by a later close of this run, unless another
        // program changes what they were made from before.
        keep,
        // Dropped, for a caller that keeps its own record of what it meant
        // to do and does it again on the values stored by then.
        drop,
    };

    // Stores the changes, if any: takes the lock (waiting lockWait at most),
    // refuses when another writer changed a value read here, lays over the
    // file the changes kept from earlier closes that still hold, moves a
    // file that was not fully understood aside, and replaces the file with
    // one write. The first failure is told on standard error.
    long close(const int& lockWait = LOCK_WAIT_MILLISECONDS, const Unstored& unstored = Unstored::keep);

private:
    explicit SettingsStore(const std::string& path);
    const SettingValue* find(const std::string& name) const;
    // The value this store saw before its own writes.
    const SettingValue* seen(const std::string& name) const;
    long store(const Unstored& unstored);
    void failed(const long& status, const std::string& reason, const Unstored& unstored);

    std::string path_;
    // What the file held when it was read.
    SettingsSnapshot file_;
    // The kept changes of earlier closes laid over the file.
    SettingValues kept_;
    SettingValues written_;
    mutable std::set<std::string, SettingNameLess> readNames_;
};

}  // namespace platform
