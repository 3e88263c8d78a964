// The launcher's entry point, called by the system loader in place of a C
// runtime's start-up code: the launcher imports no C runtime DLL, and has no
// static constructors to run.
#include <windows.h>

namespace {

// The command line past the program's name, whose blanks count only outside
// quotes, and past the blanks after it, as a C runtime gives it to WinMain.
// The bytes of a Shift-JIS name are above 0x80: compared unsigned, they are
// no blanks.
char* ArgumentsOf(char* commandLine) {
    bool quoted = false;
    for (; static_cast<unsigned char>(*commandLine) > ' ' || (quoted && *commandLine != '\0'); ++commandLine)
        if (*commandLine == '"') quoted = !quoted;
    while (*commandLine == ' ' || *commandLine == '\t') ++commandLine;
    return commandLine;
}

}  // namespace

// The linker's default entry for a GUI program. The loader of 32-bit Windows
// leaves the stack aligned to 4 bytes only; the attribute realigns it.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show)));
}
