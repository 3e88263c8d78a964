// Windows' own box for a drive without a medium ("no disk": Cancel, Try
// Again, Continue), kept away while the launcher asks a drive that the player
// typed or the record names: the call fails instead, and the launcher shows
// its own message, or none, as for any other failure.
#pragma once

#include <windows.h>

// For its lifetime, critical errors fail the calls; then the mode the
// launcher was given is back. Play's start stays outside, so that the engine
// inherits that mode.
class NoCriticalErrorBox {
public:
    NoCriticalErrorBox() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {
        SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
    }
    ~NoCriticalErrorBox() { SetErrorMode(previous_); }
    NoCriticalErrorBox(const NoCriticalErrorBox&) = delete;
    NoCriticalErrorBox& operator=(const NoCriticalErrorBox&) = delete;

private:
    UINT previous_;
};
