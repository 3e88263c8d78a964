// A scratch directory on the Wine drive, removed with all it holds.
#pragma once

#include <string>

class TempDirectory {
public:
    TempDirectory();  // a new, empty directory under the system's temporary folder
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string Join(const std::string& name) const { return path_ + "\\" + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// Makes a directory current for the lifetime of the object.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();

private:
    std::string previous_;
};

std::string ReadWholeFile(const std::string& path);
bool PathExists(const std::string& path);
void RemoveTree(const std::string& path);
// "X:" for a drive letter that names no drive.
std::string UnmappedDrive();
