// The scene that the install dialogs expect: the launcher's state as start-up
// leaves it, source files of given sizes and attributes, and what a directory
// holds afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "message_boxes.h"
#include "temp_directory.h"

// AppInstance (this program, which carries the launcher's resources), the
// display of texts for the system's code page, AppCaption, DefaultInstallDir
// and ScreenRect, as start-up sets them.
void LoadLauncherState();

// A file of `size` bytes that costs no disk: its end is moved, nothing written.
void WriteSizedFile(const std::string& path, std::uint64_t size);
void WriteFileWithAttributes(const std::string& path, const std::string& bytes, DWORD attributes);
// Bytes that differ from one 64 KiB block to the next, so a misplaced block shows.
std::string PatternBytes(std::size_t count);

std::uint64_t FileSize(const std::string& path);
// The names that a search for "*" yields, "." and ".." left out, sorted.
std::vector<std::string> EntryNames(const std::string& directory);
// True when the file can be opened exclusively: no handle to it is left open.
bool NobodyHoldsFile(const std::string& path);

// Makes a new folder inside `scratch` current, then moves it away with its
// parent, as another machine may on a share: listing it then finds no path.
// The caller's CurrentDirectory puts the previous one back.
void MoveCurrentFolderAway(const TempDirectory& scratch);

// A report: captioned AppCaption, one OK button, the information icon.
::testing::AssertionResult IsReport(const SeenMessageBox& box);
// A question: captioned AppCaption, Yes and No, the question icon and the
// given default button.
::testing::AssertionResult IsQuestion(const SeenMessageBox& box, int defaultButton);
