// A directory listing that breaks in the middle, as one over a network share
// that drops, or from a scratched disc, does. Wine reads a directory whole
// when its search starts, so no real file system makes FindNextFileA fail
// after that; the break is made here instead.
#pragma once

#include <windows.h>

#include <vector>

// While one lives, this program's calls of FindNextFileA give at most
// `entriesBeforeTheBreak` more entries, then fail with `error` every time;
// with kAtTheStart, its calls of FindFirstFileA fail so, as over a share that
// has gone or a folder whose rights refuse the listing. Its import of the
// function is pointed at a stand-in, so the launcher's code linked into the
// test meets the break unchanged.
class BrokenListing {
public:
    static constexpr int kAtTheStart = -1;

    BrokenListing(int entriesBeforeTheBreak, DWORD error);
    ~BrokenListing();
    BrokenListing(const BrokenListing&) = delete;
    BrokenListing& operator=(const BrokenListing&) = delete;

    // The calls that met the break.
    int FailedCalls() const;

private:
    std::vector<void**> slots_;
    void* real_ = nullptr;
};
