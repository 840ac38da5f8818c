// Feeds arbitrary bytes to the settings-file parser. Whatever it recovers
// must survive a write and a read back unchanged, or a save would lose it;
// so must the same values written as a store writes them, part laid over
// the rest.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/settings/settings_file.h"

namespace {

void expectReadBack(const std::string& text, const platform::SettingValues& values) {
    platform::SettingValues again;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (platform::parseSettingsBytes(bytes, text.size(), again) != platform::SettingsParse::complete) std::abort();
    if (again != values) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::SettingValues values;
    const platform::SettingsParse result = platform::parseSettingsBytes(data, size, values);
    if (result == platform::SettingsParse::unreadable && !values.empty()) std::abort();
    expectReadBack(platform::formatSettingsText(values), values);

    // A third of the values below, a third laid over, a third laid over a changed copy of themselves.
    platform::SettingValues below;
    platform::SettingValues over;
    size_t index = 0;
    for (const auto& [name, value] : values) {
        const size_t third = index++ % 3;
        if (third == 0) {
            below.emplace(name, value);
            continue;
        }
        over.emplace(name, value);
        if (third == 2) {
            platform::SettingValue changed = value;
            changed.data.push_back(0x5A);
            below.emplace(name, std::move(changed));
        }
    }
    expectReadBack(platform::formatSettingsText(below, over), values);
    return 0;
}
