// The install record in the real registry.
#include <gtest/gtest.h>

#include <cstring>

#include "install_record.h"
#include "registry_fixture.h"
#include "shared_state.h"

namespace {

class InstallRecord : public ::testing::Test {
protected:
    void SetUp() override {
        record_key::Remove();
        IsInstalled = 0;
        InstalledDir[0] = '\0';
    }
    void TearDown() override { record_key::Remove(); }
};

TEST_F(InstallRecord, FirstStartCreatesTheEmptyKeyWithItsClass) {
    ReadInstallRecord();
    EXPECT_TRUE(record_key::Exists());
    EXPECT_EQ(record_key::ClassName(), "KVE");
    EXPECT_EQ(record_key::ValueCount(), 0u);
    EXPECT_EQ(IsInstalled, 0u);
}

TEST_F(InstallRecord, WrittenDirectoryIsReadBackWithItsTerminator) {
    std::strcpy(InstalledDir, "C:\\Games\\Q7R");
    WriteInstallRecord();
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

}  // namespace
