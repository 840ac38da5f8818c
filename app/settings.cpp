// Placeholder settings store until it lands: every call fails and defaults stay.
#include "app/application.h"

long Application::openSettings() { return 1; }
long Application::closeSettings() { return 0; }
long Application::readStringSetting(const char* const&, char* const&, const uint32_t&) { return 1; }
long Application::readDwordSetting(const char* const&, void* const&, const uint32_t&) { return 1; }
long Application::readBinarySetting(const char* const&, void* const&, const uint32_t&) { return 1; }
long Application::writeStringSetting(const char* const&, const char* const&) { return 1; }
long Application::writeDwordSetting(const char* const&, const void* const&, const uint32_t&) { return 1; }
long Application::writeBinarySetting(const char* const&, const void* const&, const uint32_t&) { return 1; }
