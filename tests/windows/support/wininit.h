// WININIT.INI, whose [rename] section the 95 family carries out when it next
// starts, as Wine's wineboot -r does: a line "NUL=<short path>" deletes a file.
#pragma once

#include <string>

std::string WininitPath();  // in the Windows directory
// Deletes it, and the WININIT.BAK that a restart leaves.
void RemoveWininit();
// The 8.3 form of an existing path, the only one WININIT.EXE knows.
std::string ShortPathOf(const std::string& path);
// The line that deletes an existing file.
std::string Deletion(const std::string& file);
