// The end-to-end scenarios: run under Wine beside the real launcher.
// Usage: e2e_scenarios --demo=<demo folder> --screenshots=<folder> [gtest flags]
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher_scenario.h"

namespace {

std::string OptionValue(int argc, char** argv, const char* name) {
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0) return argv[i] + length;
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ConfigureRig(OptionValue(argc, argv, "--demo="), OptionValue(argc, argv, "--screenshots="));
    return RUN_ALL_TESTS();
}
