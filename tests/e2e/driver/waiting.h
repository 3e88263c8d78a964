// How the rig waits for the launcher: polling with a generous limit, so that a
// fault shows as a failure and never as a hang.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

// Long enough for a first start of Wine on a slow machine.
constexpr DWORD kPatienceMilliseconds = 20000;

// Thrown when the launcher does not do what a scenario waits for; the test
// framework reports it as the scenario's failure.
class RigFailure : public std::runtime_error {
public:
    explicit RigFailure(const std::string& what) : std::runtime_error(what) {}
};

// True as soon as `condition` holds, false when it still fails after `timeout`.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout = kPatienceMilliseconds);
