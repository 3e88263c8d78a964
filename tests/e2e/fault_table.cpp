#include "fault_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "bad_input_table.h"

namespace {

std::vector<FaultRow>& Rows() {
    static std::vector<FaultRow> rows;
    return rows;
}

class FaultTablePrinter : public ::testing::Environment {
public:
    void TearDown() override {
        if (Rows().empty()) return;
        std::printf("\nFaults during the work:\n| fault | shown | left afterwards |\n|---|---|---|\n");
        for (const FaultRow& row : Rows())
            std::printf("| %s | %s | %s |\n", row.fault.c_str(), Utf8Of(row.shown).c_str(), row.left.c_str());
        std::fflush(stdout);
    }
};

[[maybe_unused]] ::testing::Environment* const kPrinter = ::testing::AddGlobalTestEnvironment(new FaultTablePrinter);

}  // namespace

void AddFaultRow(const FaultRow& row) { Rows().push_back(row); }
