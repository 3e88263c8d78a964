// Whether this process's token is elevated, as the stand-in engine records it
// and the e2e rig compares it: "yes", "no", or "unknown" where Windows can't
// tell (before Vista the query fails).
#pragma once

#include <windows.h>

inline const char* TokenElevationOf(HANDLE process) {
    HANDLE token = nullptr;
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    const bool known = OpenProcessToken(process, TOKEN_QUERY, &token) &&
                       GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    if (token != nullptr) CloseHandle(token);
    if (!known) return "unknown";
    return elevation.TokenIsElevated ? "yes" : "no";
}

inline const char* TokenElevationOfThisProcess() { return TokenElevationOf(GetCurrentProcess()); }
