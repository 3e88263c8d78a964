#include "cpu_placement.h"

#include <cstdlib>
#include <string>

#include "waiting.h"

namespace {

// No processor given: 0, and nothing is moved.
DWORD_PTR BenchCpuMask() {
    const char* cpu = std::getenv("KVE_BENCH_CPU");
    return cpu == nullptr || *cpu == '\0' ? 0 : DWORD_PTR(1) << std::atoi(cpu);
}

}  // namespace

void WatchFromOtherCpus() {
    DWORD_PTR own = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &own, &system);
    const DWORD_PTR others = system & ~BenchCpuMask();
    if (BenchCpuMask() != 0 && others != 0) SetProcessAffinityMask(GetCurrentProcess(), others);
}

void PinToBenchCpu(DWORD processId) {
    if (BenchCpuMask() == 0) return;
    HANDLE process = OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, processId);
    const bool pinned = process != nullptr && SetProcessAffinityMask(process, BenchCpuMask());
    if (process != nullptr) CloseHandle(process);
    if (!pinned) throw RigFailure("cannot keep process " + std::to_string(processId) + " on the benchmark's processor");
}

// The whole process moves: under Wine a thread moved alone works a fifth
// slower than one whose process is there.
void RunOnBenchCpu(const std::function<void()>& work) {
    DWORD_PTR own = 0, system = 0;
    if (BenchCpuMask() == 0 || !GetProcessAffinityMask(GetCurrentProcess(), &own, &system)) return work();
    SetProcessAffinityMask(GetCurrentProcess(), BenchCpuMask());
    work();
    SetProcessAffinityMask(GetCurrentProcess(), own);
}
