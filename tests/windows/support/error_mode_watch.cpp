#include "error_mode_watch.h"

#include <algorithm>

#include "import_slots.h"

namespace {

std::vector<ModeAtCall> Seen;

// A wrapper with the watched function's own signature.
template <int Index, typename Result, typename... Arguments>
struct Wrapper {
    static inline const char* name = nullptr;
    static inline Result(WINAPI* original)(Arguments...) = nullptr;
    static Result WINAPI Call(Arguments... arguments) {
        Seen.push_back(ModeAtCall{name, CurrentErrorMode()});
        return original(arguments...);
    }
};

struct Watched {
    const char* name;
    void* wrapper;
    void** original;
};

template <int Index, typename Result, typename... Arguments>
Watched Watch(const char* name, Result(WINAPI*)(Arguments...)) {
    using Of = Wrapper<Index, Result, Arguments...>;
    Of::name = name;
    return Watched{name, reinterpret_cast<void*>(&Of::Call), reinterpret_cast<void**>(&Of::original)};
}

std::vector<Watched> WatchedFunctions() {
    return {Watch<0>("GetDiskFreeSpaceA", &GetDiskFreeSpaceA), Watch<1>("CreateDirectoryA", &CreateDirectoryA),
            Watch<2>("RemoveDirectoryA", &RemoveDirectoryA), Watch<3>("FindFirstFileA", &FindFirstFileA),
            Watch<4>("DeleteFileA", &DeleteFileA), Watch<5>("GetFileAttributesA", &GetFileAttributesA),
            Watch<6>("CreateProcessA", &CreateProcessA)};
}

// The slots of this program's import address table that hold the watched
// functions of KERNEL32 get their wrappers, the system's functions kept for
// the wrappers to call; or get those back.
void Redirect(bool toWrappers) {
    for (const Watched& function : WatchedFunctions()) {
        for (void** slot : KernelImportSlots(function.name)) {
            if (toWrappers) *function.original = *slot;
            PointSlot(slot, toWrappers ? function.wrapper : *function.original);
        }
    }
}

}  // namespace

ErrorModeWatch::ErrorModeWatch() {
    Seen.clear();
    Redirect(true);
}

ErrorModeWatch::~ErrorModeWatch() { Redirect(false); }

const std::vector<ModeAtCall>& ErrorModeWatch::Calls() const { return Seen; }

std::vector<std::string> ErrorModeWatch::FunctionsCalled() const {
    std::vector<std::string> names;
    for (const ModeAtCall& call : Seen)
        if (std::find(names.begin(), names.end(), call.function) == names.end()) names.push_back(call.function);
    return names;
}

UINT CurrentErrorMode() {
    const UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    return mode;
}
