#include "registry_fixture.h"

namespace record_key {

namespace {

constexpr const char* kParentPath = ".Default\\Software\\QUIRN";

HKEY Open() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, kPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

HKEY OpenOrCreate() {
    HKEY key = nullptr;
    char keyClass[] = "KVE";
    RegCreateKeyExA(HKEY_USERS, kPath, 0, keyClass, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

}  // namespace

void Remove() { RegDeleteKeyA(HKEY_USERS, kPath); }

bool Exists() {
    HKEY key = Open();
    if (key != nullptr) RegCloseKey(key);
    return key != nullptr;
}

std::string ClassName() {
    HKEY key = Open();
    if (key == nullptr) return "";
    char name[64] = "";
    DWORD length = sizeof name;
    RegQueryInfoKeyA(key, name, &length, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return name;
}

void SetValue(const char* name, DWORD type, const void* data, DWORD length) {
    HKEY key = OpenOrCreate();
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), length);
    RegCloseKey(key);
}

void SetString(const char* name, const std::string& text) {
    SetValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool GetValue(const char* name, DWORD* type, std::string* data) {
    HKEY key = Open();
    if (key == nullptr) return false;
    char buffer[4096];
    DWORD length = sizeof buffer;
    const bool found = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &length) ==
                       ERROR_SUCCESS;
    if (found) data->assign(buffer, length);
    RegCloseKey(key);
    return found;
}

DWORD ValueCount() {
    HKEY key = Open();
    if (key == nullptr) return 0;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return count;
}

RefusedKey::RefusedKey() {
    Remove();
    RegDeleteKeyA(HKEY_USERS, kParentPath);
    HKEY parent = nullptr;
    RegCreateKeyExA(HKEY_USERS, kParentPath, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &parent,
                    nullptr);
    RegCloseKey(parent);
}

RefusedKey::~RefusedKey() {
    Remove();
    RegDeleteKeyA(HKEY_USERS, kParentPath);
}

}  // namespace record_key
