#include "waiting.h"

namespace {

constexpr DWORD kPollMilliseconds = 20;

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(kPollMilliseconds);
    }
}
