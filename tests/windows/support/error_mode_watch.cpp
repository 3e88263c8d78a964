#include "error_mode_watch.h"

#include <algorithm>

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
            Watch<4>("DeleteFileA", &DeleteFileA)};
}

template <typename T>
T* At(BYTE* base, DWORD offset) {
    return reinterpret_cast<T*>(base + offset);
}

void Store(void** slot, void* value) {
    DWORD previous = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

// The slots of this program's import address table that hold the watched
// functions of KERNEL32 get their wrappers, the system's functions kept for
// the wrappers to call; or get those back.
void Redirect(bool toWrappers) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = At<IMAGE_NT_HEADERS>(base, At<IMAGE_DOS_HEADER>(base, 0)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const std::vector<Watched> watched = WatchedFunctions();
    for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); dll->Name != 0; ++dll) {
        if (lstrcmpiA(At<char>(base, dll->Name), "kernel32.dll") != 0) continue;
        auto* names = At<IMAGE_THUNK_DATA>(base, dll->OriginalFirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA>(base, dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name = At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData))->Name;
            for (const Watched& function : watched) {
                if (lstrcmpA(name, function.name) != 0) continue;
                void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                if (toWrappers) {
                    *function.original = *slot;
                    Store(slot, function.wrapper);
                } else {
                    Store(slot, *function.original);
                }
            }
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
