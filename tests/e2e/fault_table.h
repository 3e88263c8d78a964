// The faults met during the installer's work, as a table: the fault, what the
// launcher showed, what was left. Each scenario adds its row; the rows are
// printed as a Markdown table when the program ends.
#pragma once

#include <string>

struct FaultRow {
    std::string fault;
    std::string shown;  // Shift-JIS, as the launcher shows it
    std::string left;
};

void AddFaultRow(const FaultRow& row);
