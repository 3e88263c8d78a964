#include "import_slots.h"

namespace {

template <typename T>
T* At(BYTE* base, DWORD offset) {
    return reinterpret_cast<T*>(base + offset);
}

}  // namespace

std::vector<void**> ImportSlots(const char* dll, const char* name) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* headers = At<IMAGE_NT_HEADERS>(base, At<IMAGE_DOS_HEADER>(base, 0)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<void**> slots;
    for (auto* from = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); from->Name != 0; ++from) {
        if (lstrcmpiA(At<char>(base, from->Name), dll) != 0) continue;
        auto* names = At<IMAGE_THUNK_DATA>(base, from->OriginalFirstThunk);
        auto* addresses = At<IMAGE_THUNK_DATA>(base, from->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData));
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), name) == 0)
                slots.push_back(reinterpret_cast<void**>(&addresses->u1.Function));
        }
    }
    return slots;
}

void PointSlot(void** slot, void* function) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = function;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

StandIn::StandIn(const char* dll, const char* name, void* standIn) : slots_(ImportSlots(dll, name)) {
    if (!slots_.empty()) real_ = *slots_.front();
    for (void** slot : slots_) PointSlot(slot, standIn);
}

StandIn::~StandIn() {
    for (void** slot : slots_) PointSlot(slot, real_);
}
