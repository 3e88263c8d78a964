#include "install_record.h"

#include <cstring>

#include "shared_state.h"

namespace {

const char kRecordKeyPath[] = ".Default\\Software\\QUIRN\\Q7R_DEMO";
const char kRecordValueName[] = "InstallDir";
constexpr DWORD kValueNameCapacity = 32;

// Every operation opens the key this way, so each creates it when missing.
LONG CreateRecordKey(HKEY* key, DWORD* disposition) {
    char keyClass[] = "KVE";
    return RegCreateKeyExA(HKEY_USERS, kRecordKeyPath, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key, disposition);
}

bool OpenRecordKey(HKEY* key, DWORD* disposition) { return CreateRecordKey(key, disposition) == ERROR_SUCCESS; }

// Without the right to write there, as with the player's own rights on
// Windows Vista and later or a limited account on NT, the key is read alone.
bool OpenRecordKeyToRead(HKEY* key, DWORD* disposition) {
    const LONG created = CreateRecordKey(key, disposition);
    if (created != ERROR_ACCESS_DENIED) return created == ERROR_SUCCESS;
    return RegOpenKeyExA(HKEY_USERS, kRecordKeyPath, 0, KEY_QUERY_VALUE, key) == ERROR_SUCCESS;
}

// The data is read into a buffer of zeros, so data shorter than the buffer
// is a terminated string even when it was stored without its terminator. It
// is a directory when that string is not empty; data that fills the whole
// buffer without a zero is not one.
bool IsDirectoryData(const char* data) {
    return data[0] != '\0' && std::memchr(data, '\0', kPathCapacity) != nullptr;
}

}  // namespace

// Walks the values by index, comparing names case-sensitively: a value whose
// name differs only in letter case is not the record. A name or data that did
// not fit its buffer is not the record either. Any other failure ends the
// walk as if no more values were there: one that lasts, such as the key
// deleted by another program, would fail at every index.
void ReadInstallRecordFrom(HKEY key) {
    for (DWORD index = 0;; ++index) {
        char name[kValueNameCapacity];
        char data[kPathCapacity] = {};
        DWORD nameLength = kValueNameCapacity;
        DWORD dataLength = kPathCapacity;
        DWORD type = 0;
        const LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataLength);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return;
        if (std::strcmp(name, kRecordValueName) != 0) continue;
        if (IsDirectoryData(data)) {
            std::memcpy(InstalledDir, data, std::strlen(data) + 1);
            IsInstalled = 1;
        }
        return;
    }
}

void ReadInstallRecord() {
    HKEY key;
    DWORD disposition = 0;
    if (!OpenRecordKeyToRead(&key, &disposition)) return;
    if (disposition != REG_CREATED_NEW_KEY) ReadInstallRecordFrom(key);
    RegCloseKey(key);
}

bool WriteInstallRecord() {
    HKEY key;
    DWORD disposition = 0;
    if (!OpenRecordKey(&key, &disposition)) return false;
    const LONG stored = RegSetValueExA(key, kRecordValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(InstalledDir),
                                       static_cast<DWORD>(std::strlen(InstalledDir) + 1));
    RegCloseKey(key);
    return stored == ERROR_SUCCESS;
}

bool DeleteInstallRecord() {
    HKEY key;
    DWORD disposition = 0;
    if (!OpenRecordKey(&key, &disposition)) return false;
    const LONG deleted = RegDeleteValueA(key, kRecordValueName);
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}
