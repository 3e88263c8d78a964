// The slots of this test program's import address table, through which its
// code (the launcher's code linked in included) calls the system: a test may
// point one at a stand-in of its own, and back.
#pragma once

#include <windows.h>

#include <vector>

// The slots through which this program calls `name` of the system DLL `dll`.
std::vector<void**> ImportSlots(const char* dll, const char* name);
// The same for KERNEL32.
inline std::vector<void**> KernelImportSlots(const char* name) { return ImportSlots("KERNEL32.dll", name); }
// Points a slot at `function`.
void PointSlot(void** slot, void* function);

// While one lives, this program's calls of `name` of `dll` reach `standIn`.
class StandIn {
public:
    StandIn(const char* dll, const char* name, void* standIn);
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // The system's function, for the stand-in to call; nullptr when this
    // program does not import it.
    template <typename Function>
    Function Real() const {
        return reinterpret_cast<Function>(real_);
    }

private:
    std::vector<void**> slots_;
    void* real_ = nullptr;
};
