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

// While one lives, the record's key can't be opened or created, as for an
// account that may not write HKEY_USERS\.Default: its parent "QUIRN" is
// made anew as a volatile key, and Windows and Wine alike refuse a lasting
// key below a volatile one. Afterwards the parent is removed again, so that
// the next opening creates both keys as they last.
class RefusedKey {
public:
    RefusedKey();
    ~RefusedKey();
    RefusedKey(const RefusedKey&) = delete;
    RefusedKey& operator=(const RefusedKey&) = delete;
};

}  // namespace record_key
