// The plain files of the current directory copied into a directory without
// any window, as the fastest ways a program under Wine can copy them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Calls `visit` with each entry of the current directory that the launcher
// copies: no bits but read-only, archive and normal.
void ForEachPlainFile(const std::function<void(const WIN32_FIND_DATAA&)>& visit);

void CopyWithCopyFileA(const std::string& target);
// 64 KiB _lread/_lwrite blocks, as the launcher moves them, in one loop.
void CopyInBlocks(const std::string& target);
