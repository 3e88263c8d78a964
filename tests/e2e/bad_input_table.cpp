#include "bad_input_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "path_parts.h"

namespace {

constexpr size_t kLongestUnshortenedRun = 8;
constexpr const char* kColumnGap = "  ";

std::vector<BadInputRow>& Rows() {
    static std::vector<BadInputRow> rows;
    return rows;
}

bool IsWideCharacter(wchar_t c) {
    return (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF01 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

// Columns a terminal gives a UTF-8 text: two for the Japanese and full-width
// characters the launcher shows, one for anything else.
size_t DisplayWidth(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    size_t width = 0;
    for (wchar_t c : wide) width += IsWideCharacter(c) ? 2 : 1;
    return width;
}

std::string Padded(const std::string& utf8, size_t width) {
    return utf8 + std::string(width - std::min(width, DisplayWidth(utf8)), ' ');
}

using Cell = std::vector<std::string>;

// One row as its cells, each cell a column of lines in UTF-8.
std::vector<Cell> CellsOf(const BadInputRow& row) {
    auto converted = [](const std::vector<std::string>& lines) {
        Cell cell;
        for (const std::string& line : lines) cell.push_back(Utf8Of(line));
        if (cell.empty()) cell.push_back("nothing");
        return cell;
    };
    return {Cell{row.caseName}, Cell{Utf8Of(row.input)}, converted(row.shown), converted(row.left)};
}

std::vector<size_t> ColumnWidths(const std::vector<std::vector<Cell>>& table) {
    std::vector<size_t> widths(table.front().size(), 0);
    for (const std::vector<Cell>& row : table)
        for (size_t column = 0; column < row.size(); ++column)
            for (const std::string& line : row[column]) widths[column] = std::max(widths[column], DisplayWidth(line));
    return widths;
}

void PrintRow(const std::vector<Cell>& row, const std::vector<size_t>& widths) {
    size_t height = 0;
    for (const Cell& cell : row) height = std::max(height, cell.size());
    for (size_t line = 0; line < height; ++line) {
        std::string text;
        for (size_t column = 0; column < row.size(); ++column)
            text += Padded(line < row[column].size() ? row[column][line] : "", widths[column]) + kColumnGap;
        text.erase(text.find_last_not_of(' ') + 1);
        std::printf("%s\n", text.c_str());
    }
}

void PrintTable() {
    std::vector<std::vector<Cell>> table{{Cell{"case"}, Cell{"input"}, Cell{"shown [answer]"}, Cell{"left afterwards"}}};
    for (const BadInputRow& row : Rows()) table.push_back(CellsOf(row));
    const std::vector<size_t> widths = ColumnWidths(table);
    std::printf("\nBad inputs, run through the launcher (%zu).\n", Rows().size());
    std::printf("Left afterwards: what is new since the start (a directory ends in \\), gone or changed in the demo\n"
                "folder, <target> and the entries of <temp> and C:\\, and how the record stands.\n");
    PrintRow(table.front(), widths);
    std::vector<Cell> rule;
    for (size_t width : widths) rule.push_back(Cell{std::string(width, '-')});
    PrintRow(rule, widths);
    for (size_t i = 1; i < table.size(); ++i) PrintRow(table[i], widths);
    std::fflush(stdout);
}

class BadInputTablePrinter : public ::testing::Environment {
public:
    void TearDown() override {
        if (!Rows().empty()) PrintTable();
    }
};

[[maybe_unused]] ::testing::Environment* const kPrinter = ::testing::AddGlobalTestEnvironment(new BadInputTablePrinter);

}  // namespace

void AddBadInputRow(const BadInputRow& row) { Rows().push_back(row); }

std::string Utf8Of(const std::string& shiftJis) {
    const int wideLength = MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::string ShortenRuns(const std::string& shiftJis) {
    std::string shortened;
    for (size_t i = 0; i < shiftJis.size();) {
        if (IsCp932LeadByte(static_cast<unsigned char>(shiftJis[i])) && i + 1 < shiftJis.size()) {
            shortened += shiftJis.substr(i, 2);
            i += 2;
            continue;
        }
        size_t run = 1;
        while (i + run < shiftJis.size() && shiftJis[i + run] == shiftJis[i]) ++run;
        if (run > kLongestUnshortenedRun && std::isalpha(static_cast<unsigned char>(shiftJis[i])))
            shortened += shiftJis[i] + std::string("×") + std::to_string(run);
        else
            shortened += shiftJis.substr(i, run);
        i += run;
    }
    return shortened;
}
