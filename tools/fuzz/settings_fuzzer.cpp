// Feeds arbitrary bytes to the settings-file parser. Whatever it recovers
// must survive a write and a read back unchanged, or a save would lose it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::SettingValues values;
    const platform::SettingsParse result = platform::parseSettingsBytes(data, size, values);
    if (result == platform::SettingsParse::unreadable && !values.empty()) std::abort();

    const std::string text = platform::formatSettingsText(values);
    platform::SettingValues again;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (platform::parseSettingsBytes(bytes, text.size(), again) != platform::SettingsParse::complete) std::abort();
    if (again != values) std::abort();
    return 0;
}
