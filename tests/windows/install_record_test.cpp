// The install record in the real registry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "import_slots.h"
#include "install_record.h"
#include "registry_fixture.h"
#include "shared_state.h"

namespace {

const char kRecord[] = "InstallDir";

// The key's value names in the order the registry enumerates them.
std::vector<std::string> ValueNamesInOrder() {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, record_key::kPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    DWORD length = sizeof name;
    for (DWORD index = 0; RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                          ERROR_SUCCESS;
         ++index, length = sizeof name)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

std::string StoredRecord() {
    DWORD type = 0;
    std::string data;
    return record_key::GetValue(kRecord, &type, &data) ? data : "(none)";
}

// A string as RegSetValueExA stores it for a REG_SZ: with its terminator.
std::string WithTerminator(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

class InstallRecord : public ::testing::Test {
protected:
    void SetUp() override {
        record_key::Remove();
        IsInstalled = 0;
        InstalledDir[0] = '\0';
    }
    void TearDown() override { record_key::Remove(); }

    // Reads the record the way a start-up does, from a clean install state.
    void ReadAsAtStartUp() {
        IsInstalled = 0;
        InstalledDir[0] = '\0';
        ReadInstallRecord();
    }

    void ExpectNotInstalled() {
        EXPECT_EQ(IsInstalled, 0u);
        EXPECT_STREQ(InstalledDir, "");
    }

    void ExpectInstalledIn(const char* directory) {
        EXPECT_EQ(IsInstalled, 1u);
        EXPECT_STREQ(InstalledDir, directory);
    }
};

TEST_F(InstallRecord, FirstStartCreatesTheEmptyKeyWithItsClass) {
    ReadInstallRecord();
    EXPECT_TRUE(record_key::Exists());
    EXPECT_EQ(record_key::ClassName(), "KVE");
    EXPECT_EQ(record_key::ValueCount(), 0u);
    EXPECT_EQ(IsInstalled, 0u);
}

TEST_F(InstallRecord, InstallDirIsFoundWhereverItStandsAmongOtherValues) {
    const std::vector<std::vector<std::string>> layouts = {
        {kRecord, "Omega", "Zeta"}, {"Alpha", kRecord, "Omega"}, {"Alpha", "Beta", kRecord}};
    for (size_t position = 0; position < layouts.size(); ++position) {
        SCOPED_TRACE("InstallDir at position " + std::to_string(position));
        record_key::Remove();
        for (const std::string& name : layouts[position])
            record_key::SetString(name.c_str(), name == kRecord ? "C:\\Games\\Q7R" : "C:\\" + name);
        ASSERT_EQ(ValueNamesInOrder(), layouts[position]);

        ReadAsAtStartUp();
        ExpectInstalledIn("C:\\Games\\Q7R");
    }
}

TEST_F(InstallRecord, ValuesOfOtherNamesOrOtherLetterCaseAreNotTheRecord) {
    for (const char* name : {"installdir", "INSTALLDIR", "InstallDirectory", "Install"}) {
        SCOPED_TRACE(name);
        record_key::Remove();
        record_key::SetString("Version", "1.0");
        record_key::SetString(name, "C:\\Games\\Q7R");

        ReadAsAtStartUp();
        ExpectNotInstalled();
    }
}

// Data shorter than the 260-byte buffer needs no terminator of its own.
TEST_F(InstallRecord, AValueOfAnotherTypeOrWithoutTerminatorCountsWithItsBytesAsTheDirectory) {
    struct Case {
        DWORD type;
        std::string bytes;
        std::string directory;
    };
    const std::string longest = "C:\\" + std::string(256, 'd');
    const Case cases[] = {{REG_DWORD, std::string("Q:\\", 4), "Q:\\"},
                          {REG_BINARY, std::string("D:\\Demo\0", 8), "D:\\Demo"},
                          {REG_EXPAND_SZ, WithTerminator("%SystemDrive%\\Q7R"), "%SystemDrive%\\Q7R"},
                          {REG_BINARY, "C:\\GAMES", "C:\\GAMES"},
                          {REG_SZ, longest, longest}};
    for (const Case& value : cases) {
        SCOPED_TRACE(value.directory);
        record_key::Remove();
        record_key::SetValue(kRecord, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));

        ReadAsAtStartUp();
        ExpectInstalledIn(value.directory.c_str());
    }
}

TEST_F(InstallRecord, ADirectoryOfTheFull259BytesIsTheRecord) {
    const std::string longest = "C:\\" + std::string(256, 'd');
    record_key::SetString(kRecord, longest);

    ReadAsAtStartUp();
    ExpectInstalledIn(longest.c_str());
}

TEST_F(InstallRecord, DataThatIsNotATerminatedDirectoryWithin260BytesIsNotTheRecord) {
    struct Case {
        const char* what;
        DWORD type;
        std::string bytes;
    };
    const Case cases[] = {
        {"261 bytes with the terminator", REG_SZ, WithTerminator("C:\\" + std::string(257, 'd'))},
        {"a long text", REG_SZ, WithTerminator("C:\\" + std::string(600, 'd'))},
        {"260 bytes without a terminator", REG_BINARY, std::string(260, 'd')},
        {"an empty string", REG_SZ, std::string(1, '\0')},
        {"no bytes at all", REG_BINARY, ""},
    };
    for (const Case& value : cases) {
        SCOPED_TRACE(value.what);
        record_key::Remove();
        // Enumerated first, this one's data is what a careless reader would still hold.
        record_key::SetString("Alpha", "C:\\Alpha");
        record_key::SetValue(kRecord, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
        ASSERT_EQ(ValueNamesInOrder().front(), "Alpha");

        ReadAsAtStartUp();
        ExpectNotInstalled();
    }
}

DWORD WINAPI ReadRecordFromKey(void* key) {
    ReadInstallRecordFrom(static_cast<HKEY>(key));
    return 0;
}

// Reads the record from `key` on a thread of its own and closes the key.
// False when the reading has not ended within ten seconds: it takes
// microseconds when it ends at all.
bool ReadingFromKeyEnds(HKEY key) {
    HANDLE reader = CreateThread(nullptr, 0, ReadRecordFromKey, key, 0, nullptr);
    const bool ended = WaitForSingleObject(reader, 10000) == WAIT_OBJECT_0;
    if (!ended) TerminateThread(reader, 1);
    CloseHandle(reader);
    RegCloseKey(key);
    return ended;
}

HKEY OpenRecordKeyFor(REGSAM access) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_USERS, record_key::kPath, 0, access, &key);
    return key;
}

// An error that every index gives again ends the walk, as no more values do.
TEST_F(InstallRecord, AKeyThatFailsEveryEnumerationHoldsNoRecord) {
    record_key::SetString(kRecord, "C:\\Games\\Q7R");
    HKEY withoutQueryAccess = OpenRecordKeyFor(KEY_SET_VALUE);
    ASSERT_NE(withoutQueryAccess, nullptr);
    EXPECT_TRUE(ReadingFromKeyEnds(withoutQueryAccess)) << "a key without query access";
    ExpectNotInstalled();

    HKEY deletedAfterOpening = OpenRecordKeyFor(KEY_ALL_ACCESS);
    ASSERT_NE(deletedAfterOpening, nullptr);
    record_key::Remove();
    EXPECT_TRUE(ReadingFromKeyEnds(deletedAfterOpening)) << "a key deleted after it was opened";
    ExpectNotInstalled();
}

TEST_F(InstallRecord, ANameTooLongForThe32CharacterBufferIsSkipped) {
    const char overlongName[] = "InstallDirectoryOfAnEarlierReleaseOfTheDemo";
    record_key::SetString(overlongName, "C:\\Old");
    ReadAsAtStartUp();
    ExpectNotInstalled();

    record_key::SetString("AnOverlongNameThatComesBeforeTheRecord", "C:\\Old");
    record_key::SetString(kRecord, "C:\\Games\\Q7R");
    ASSERT_EQ(ValueNamesInOrder().front(), "AnOverlongNameThatComesBeforeTheRecord");
    ReadAsAtStartUp();
    ExpectInstalledIn("C:\\Games\\Q7R");
}

TEST_F(InstallRecord, WrittenDirectoryIsReadBackWithItsTerminator) {
    std::strcpy(InstalledDir, "C:\\Games\\Q7R");
    EXPECT_TRUE(WriteInstallRecord());
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(record_key::GetValue("InstallDir", &type, &data));
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(data, std::string("C:\\Games\\Q7R", 13));

    InstalledDir[0] = '\0';
    ReadInstallRecord();
    EXPECT_EQ(IsInstalled, 1u);
    EXPECT_STREQ(InstalledDir, "C:\\Games\\Q7R");
}

TEST_F(InstallRecord, AShiftJisDirectoryIsStoredAsItsBytesPlusTheTerminator) {
    const char directory[] = "C:\\ゲーム\\ＺＥＲＶＡ体験版";
    std::strcpy(InstalledDir, directory);
    WriteInstallRecord();
    EXPECT_EQ(StoredRecord(), std::string(directory, sizeof directory));

    ReadAsAtStartUp();
    ExpectInstalledIn(directory);
}

TEST_F(InstallRecord, WritingReplacesAnOlderRecordWhole) {
    record_key::SetString(kRecord, "C:\\A\\Much\\Longer\\Older\\Directory");
    std::strcpy(InstalledDir, "D:\\Q7R");
    WriteInstallRecord();
    EXPECT_EQ(StoredRecord(), WithTerminator("D:\\Q7R"));
    EXPECT_EQ(record_key::ValueCount(), 1u);
}

TEST_F(InstallRecord, WritingWithoutTheKeyCreatesItWithItsClass) {
    std::strcpy(InstalledDir, "C:\\Games\\Q7R");
    EXPECT_TRUE(WriteInstallRecord());
    EXPECT_EQ(record_key::ClassName(), "KVE");
    EXPECT_EQ(StoredRecord(), WithTerminator("C:\\Games\\Q7R"));
}

LONG WINAPI RefuseTheValue(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }

// A registry that refuses the key, or the value in a key that opens (a full
// registry on NT 3.51 to 2000, rights to open but not to write: Wine checks
// no rights, so this program's import of RegSetValueExA refuses instead): the
// write says so, and nothing is stored.
TEST_F(InstallRecord, AWriteThatTheRegistryRefusesSaysSo) {
    std::strcpy(InstalledDir, "C:\\Games\\Q7R");
    {
        const record_key::RefusedKey refused;
        EXPECT_FALSE(WriteInstallRecord());
        EXPECT_FALSE(record_key::Exists());
    }
    {
        const StandIn refusal("ADVAPI32.dll", "RegSetValueExA", reinterpret_cast<void*>(RefuseTheValue));
        EXPECT_FALSE(WriteInstallRecord());
    }
    EXPECT_TRUE(record_key::Exists()) << "the key opened";
    ReadAsAtStartUp();
    ExpectNotInstalled();
}

LONG CreateKeyError;
LONG WINAPI CreateKeyThatFails(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, const SECURITY_ATTRIBUTES*, PHKEY,
                               LPDWORD) {
    return CreateKeyError;
}

// With the player's own rights on Vista and later the key may be read, not
// written; any other failure to open it reads as no record.
TEST_F(InstallRecord, AKeyThatMayNotBeWrittenIsStillRead) {
    record_key::SetString(kRecord, "C:\\Games\\Q7R");
    for (LONG error : {ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT}) {
        CreateKeyError = error;
        const StandIn refusal("ADVAPI32.dll", "RegCreateKeyExA", reinterpret_cast<void*>(CreateKeyThatFails));
        ReadAsAtStartUp();
        EXPECT_EQ(IsInstalled, error == ERROR_ACCESS_DENIED ? 1u : 0u) << "error " << error;
    }
}

TEST_F(InstallRecord, DeletingKeepsTheKeyAndLeavesOtherValuesAlone) {
    record_key::SetString(kRecord, "C:\\Games\\Q7R");
    record_key::SetString("Other", "kept");
    DeleteInstallRecord();

    EXPECT_TRUE(record_key::Exists());
    EXPECT_EQ(StoredRecord(), "(none)");
    DWORD type = 0;
    std::string other;
    ASSERT_TRUE(record_key::GetValue("Other", &type, &other));
    EXPECT_EQ(other, WithTerminator("kept"));
    EXPECT_EQ(record_key::ValueCount(), 1u);
}

TEST_F(InstallRecord, DeletingAnAbsentRecordLeavesAnEmptyKey) {
    EXPECT_TRUE(DeleteInstallRecord());  // not even the key is there
    EXPECT_EQ(record_key::ClassName(), "KVE");
    EXPECT_EQ(record_key::ValueCount(), 0u);

    EXPECT_TRUE(DeleteInstallRecord());  // the key, but no value
    EXPECT_TRUE(record_key::Exists());
    EXPECT_EQ(record_key::ValueCount(), 0u);
}

TEST_F(InstallRecord, AfterAnUninstallTheNextStartIsNotInstalledAndAddsNothing) {
    std::strcpy(InstalledDir, "C:\\Games\\Q7R");
    WriteInstallRecord();
    DeleteInstallRecord();

    ReadAsAtStartUp();
    ExpectNotInstalled();
    EXPECT_EQ(record_key::ValueCount(), 0u);
    EXPECT_EQ(record_key::ClassName(), "KVE");
}

TEST_F(InstallRecord, AnInstallAfterAnUninstallStoresTheRecordAgain) {
    std::strcpy(InstalledDir, "C:\\First");
    WriteInstallRecord();
    DeleteInstallRecord();
    std::strcpy(InstalledDir, "C:\\Second");
    WriteInstallRecord();

    EXPECT_EQ(StoredRecord(), WithTerminator("C:\\Second"));
    ReadAsAtStartUp();
    ExpectInstalledIn("C:\\Second");
}

}  // namespace
