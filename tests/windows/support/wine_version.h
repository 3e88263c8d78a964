// The Windows version that Wine reports to one program of the prefix (by its
// file name), for the object's lifetime.
#pragma once

#include <string>

class WineVersionFor {
public:
    // `version` as Wine names it: "win95", "nt351", "win31", ...
    WineVersionFor(const std::string& program, const char* version);
    ~WineVersionFor();
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;

private:
    std::string path_;
};
