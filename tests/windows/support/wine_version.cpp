#include "wine_version.h"

#include <windows.h>

#include <cstring>

WineVersionFor::WineVersionFor(const std::string& program, const char* version)
    : path_("Software\\Wine\\AppDefaults\\" + program) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(std::strlen(version) + 1));
    RegCloseKey(key);
}

WineVersionFor::~WineVersionFor() { RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }
