// The settings store, the stand-in for the per-user registry key: one text
// file per user, locked while open, written back whole and atomically when
// something changed, so two copies of the game never lose each other's work.
#pragma once

#include <cstdint>
#include <string>

#include "platform/settings_file.h"

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

class SettingsStore {
public:
    // The user's settings file: $XDG_DATA_HOME/Zentrio/Quadrimo/settings.reg,
    // with ~/.local/share when XDG_DATA_HOME is unset, empty or relative.
    // Empty when no home folder is known.
    static std::string defaultPath();

    // Creates the file's folder, takes the exclusive lock and reads the
    // file. Returns nullptr (and why in status) when the store cannot be used.
    static SettingsStore* open(const std::string& path, long& status);

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    // Unlocks without writing; close() first to keep changes.
    ~SettingsStore();

    bool contains(const std::string& name) const;
    // Copies the value into buffer. A value of another type, or longer than
    // capacity, is not read and the buffer keeps what it held. A string
    // always arrives with its terminating zero.
    long read(const std::string& name, const uint32_t& type, void* const& buffer, const uint32_t& capacity) const;
    long write(const std::string& name, const uint32_t& type, const void* const& data, const uint32_t& size);

    // Writes the file back if a value changed (a file that was not fully
    // understood is first kept as settings.reg.bad), then unlocks.
    long close();

private:
    SettingsStore(const std::string& path, const int& lockFd);
    long keepBadCopy() const;
    long writeBack() const;
    void unlock();

    std::string path_;
    int lockFd_;
    SettingValues values_;
    SettingsParse parse_ = SettingsParse::complete;
    bool fileExisted_ = false;
    bool changed_ = false;
};

}  // namespace platform
