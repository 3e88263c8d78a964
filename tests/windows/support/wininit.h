// WININIT.INI in the Windows directory, whose [rename] section the 95 family
// carries out when it next starts (and so does Wine's wineboot -r): lines
// "NUL=<short path>" delete a file.
#pragma once

#include <string>
#include <vector>

std::string WininitPath();
// WININIT.INI and the WININIT.BAK that a restart leaves are deleted.
void RemoveWininit();
// The 8.3 form of an existing path; WININIT.EXE knows no other.
std::string ShortPathOf(const std::string& path);
// The line that deletes an existing file.
std::string Deletion(const std::string& file);
// The lines of [rename], in order.
std::vector<std::string> PendingInWininit();
