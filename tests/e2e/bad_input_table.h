// The table of bad inputs as the scenarios met them: what was given, what the
// launcher showed and what it left. Each scenario adds its row; the table is
// printed when the program ends, so a run of the whole group shows all rows.
#pragma once

#include <string>
#include <vector>

// Texts are Shift-JIS, as the launcher shows them; paths of the scenario are
// already replaced by their places ("<target>", "<demo>", ...).
struct BadInputRow {
    std::string caseName;
    std::string input;
    std::vector<std::string> shown;
    std::vector<std::string> left;
};

void AddBadInputRow(const BadInputRow& row);

// A text of the code page 932 as UTF-8, for a reader's terminal.
std::string Utf8Of(const std::string& shiftJis);
// Runs of more than eight equal letters shortened to "D×198".
std::string ShortenRuns(const std::string& shiftJis);
