// The settings file's values as they stand on disk. The last file parsed
// stays in memory and is parsed again only when the file changed, so that
// opening the store costs nothing while nobody touches the file.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/settings/settings_file.h"

namespace platform {

// Ten scores and a switch take a few hundred bytes; a file thousands of
// times larger was not written by us. Up to this size the first reading of
// any file, or a save, stays well within 0.2 s and 100 MiB (the worst are
// hundreds of thousands of tiny values out of order, costing up to ten
// times the file's size in memory); a larger file is kept aside, not read.
constexpr size_t MAX_SETTINGS_FILE_BYTES = size_t{4} << 20;

class SettingsSnapshot {
public:
    // How sure a reading must be that the parse in memory is the file's.
    enum class Check {
        // The same inode, size and times: a glance, enough for reading.
        identity,
        // The same bytes: for a writer under the lock, as times too coarse
        // to tell two quick saves apart would let one overwrite the other.
        content,
    };

    // The file at path as it is now; anything but a regular file is missing.
    static SettingsSnapshot read(const std::string& path, const Check& check);
    // No file.
    SettingsSnapshot();

    // The value of that name, nullptr when the file has none.
    const SettingValue* find(const std::string& name) const;
    // The text of a file holding these values with laidOver laid over them.
    std::string format(const SettingValues& laidOver) const;
    // Records that path now holds text, format(laidOver), just written under
    // the lock, so that the next reading need not parse it.
    void saved(const std::string& path, const SettingValues& laidOver, const std::string& text) const;

    bool exists = false;
    // Present but not readable (no permission, a read error).
    bool unreadable = false;
    // Present but above MAX_SETTINGS_FILE_BYTES: not read, parse unreadable.
    bool tooLarge = false;
    SettingsParse parse = SettingsParse::complete;

private:
    // What was parsed, shared with the copy kept in memory.
    std::shared_ptr<const SettingValues> parsed_;
    // Values this program stored over the parsed ones since.
    SettingValues stored_;
};

}  // namespace platform
