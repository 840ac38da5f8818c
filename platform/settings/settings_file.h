// The settings file's text format, the one of a registry export: parsing
// from bytes and formatting to text, with no file I/O of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

// Value types, numbered as the registry numbers them.
constexpr uint32_t SETTING_STRING = 1;
constexpr uint32_t SETTING_BINARY = 3;
constexpr uint32_t SETTING_DWORD = 4;

// The key every value of the file lives under.
extern const char* const SETTINGS_KEY_PATH;

struct SettingValue {
    uint32_t type = SETTING_BINARY;
    // The raw bytes; a string keeps its terminating zero, a dword is little-endian.
    std::vector<uint8_t> data;
    bool operator==(const SettingValue&) const = default;
};

// Value names compare without regard to case, as registry names do.
struct SettingNameLess {
    bool operator()(const std::string& left, const std::string& right) const;
};

using SettingValues = std::map<std::string, SettingValue, SettingNameLess>;

enum class SettingsParse {
    // Every line was understood: writing the values back loses nothing.
    complete,
    // Values were recovered, but some lines (comments, other keys, damaged
    // lines) will not survive a write-back.
    partial,
    // Not a settings file at all: no values.
    unreadable,
};

// Parses the bytes of a settings file into values. Never fails on any
// input; the result says how much of it was understood.
SettingsParse parseSettingsBytes(const uint8_t* const& bytes, const size_t& size, SettingValues& values);

// The text of a settings file holding these values, with those of laidOver
// in place of any of the same name; parsing it gives them back.
std::string formatSettingsText(const SettingValues& values, const SettingValues& laidOver = {});

}  // namespace platform
