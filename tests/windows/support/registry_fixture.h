// The install record's key in the real (Wine) registry, for tests.
#pragma once

#include <windows.h>

#include <string>

namespace record_key {

constexpr const char* kPath = ".Default\\Software\\QUIRN\\Q7R_DEMO";

void Remove();  // the key and all its values
bool Exists();
std::string ClassName();
void SetValue(const char* name, DWORD type, const void* data, DWORD length);
void SetString(const char* name, const std::string& text);  // REG_SZ with its terminator
// Reads a value by name; false when there is none.
bool GetValue(const char* name, DWORD* type, std::string* data);
DWORD ValueCount();

}  // namespace record_key
