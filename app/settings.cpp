// The settings operations of the application: open and close the user's
// settings store, read-or-create and write its named values; the stored
// choice of full screen, read before the application exists, and of smooth
// motion.
#include "app/application.h"

#include <cstring>
#include <string>

#include "platform/settings/settings_store.h"

namespace {

// Reads a value; a missing one is created from the default the caller's
// buffer already holds, which the buffer keeps.
long readOrCreate(platform::SettingsStore* const& store, const char* const& name, const uint32_t& type,
                  void* const& buffer, const uint32_t& capacity, const uint32_t& defaultSize) {
    if (store == nullptr) return platform::SETTINGS_NOT_OPEN;
    if (name == nullptr || buffer == nullptr) return platform::SETTINGS_BAD_ARGUMENT;
    if (store->contains(name)) return store->read(name, type, buffer, capacity);
    return store->write(name, type, buffer, defaultSize);
}

long closeStore(platform::SettingsStore*& store, const platform::SettingsStore::Unstored& unstored) {
    if (store == nullptr) return platform::SETTINGS_NOT_OPEN;
    const long status = store->close(platform::SettingsStore::LOCK_WAIT_MILLISECONDS, unstored);
    delete store;
    store = nullptr;
    return status;
}

long write(platform::SettingsStore* const& store, const char* const& name, const uint32_t& type,
           const void* const& data, const uint32_t& size) {
    if (store == nullptr) return platform::SETTINGS_NOT_OPEN;
    if (name == nullptr) return platform::SETTINGS_BAD_ARGUMENT;
    return store->write(name, type, data, size);
}

}  // namespace

long Application::openSettings() {
    if (settingsKey != nullptr) closeSettings();
    long status = platform::SETTINGS_ACCESS_DENIED;
    const std::string path = platform::SettingsStore::defaultPath();
    // What a save killed half-way left behind goes at the first opening of a run.
    static bool tidied = false;
    if (!tidied) platform::SettingsStore::removeStaleTemporaries(path);
    tidied = true;
    settingsKey = platform::SettingsStore::open(path, status);
    return status;
}

long Application::closeSettings() { return closeStore(settingsKey, platform::SettingsStore::Unstored::keep); }

long Application::closeSettingsDroppingUnstored() {
    return closeStore(settingsKey, platform::SettingsStore::Unstored::drop);
}

long Application::readStringSetting(const char* const& name, char* const& buffer, const uint32_t& capacity) {
    if (buffer == nullptr || capacity == 0) return platform::SETTINGS_BAD_ARGUMENT;
    // The default is written with its terminating zero, never past capacity.
    const uint32_t length = static_cast<uint32_t>(strnlen(buffer, capacity - 1));
    buffer[length] = 0;
    return readOrCreate(settingsKey, name, platform::SETTING_STRING, buffer, capacity, length + 1);
}

long Application::readDwordSetting(const char* const& name, void* const& buffer, const uint32_t& size) {
    return readOrCreate(settingsKey, name, platform::SETTING_DWORD, buffer, size, size);
}

long Application::readBinarySetting(const char* const& name, void* const& buffer, const uint32_t& size) {
    return readOrCreate(settingsKey, name, platform::SETTING_BINARY, buffer, size, size);
}

long Application::writeStringSetting(const char* const& name, const char* const& text) {
    if (text == nullptr) return platform::SETTINGS_BAD_ARGUMENT;
    return write(settingsKey, name, platform::SETTING_STRING, text, static_cast<uint32_t>(std::strlen(text) + 1));
}

long Application::writeDwordSetting(const char* const& name, const void* const& buffer, const uint32_t& size) {
    return write(settingsKey, name, platform::SETTING_DWORD, buffer, size);
}

long Application::writeBinarySetting(const char* const& name, const void* const& buffer, const uint32_t& size) {
    return write(settingsKey, name, platform::SETTING_BINARY, buffer, size);
}

bool readSmoothMotionChoice(Application& application) {
    uint32_t stored = 1;
    application.openSettings();
    application.readDwordSetting("smoothMotion", &stored, sizeof stored);
    application.closeSettings();
    return stored != 0;
}

bool readFullScreenChoice() {
    // Read before the application exists, so from the store directly; a
    // missing, unreadable or mistyped value keeps full screen.
    long status = platform::SETTINGS_ACCESS_DENIED;
    platform::SettingsStore* store = platform::SettingsStore::open(platform::SettingsStore::defaultPath(), status);
    if (store == nullptr) return true;
    uint8_t stored = 1;
    if (store->contains("fullScreen")) store->read("fullScreen", platform::SETTING_BINARY, &stored, sizeof stored);
    store->close();
    delete store;
    return stored != 0;
}
