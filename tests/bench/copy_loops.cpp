#include "copy_loops.h"

#include <vector>

#include "waiting.h"

namespace {

constexpr UINT kBlockBytes = 65536;

HFILE Open(const std::string& path, DWORD access, DWORD disposition) {
    HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw RigFailure("cannot open " + path);
    return HFILE(INT_PTR(file));
}

}  // namespace

void ForEachPlainFile(const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("*.*", &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((entry.dwFileAttributes & ~0xA1u) == 0) visit(entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

void CopyWithCopyFileA(const std::string& target) {
    ForEachPlainFile([&](const WIN32_FIND_DATAA& entry) {
        if (!CopyFileA(entry.cFileName, (target + "\\" + entry.cFileName).c_str(), FALSE))
            throw RigFailure(std::string("CopyFileA failed on ") + entry.cFileName);
    });
}

void CopyInBlocks(const std::string& target) {
    std::vector<char> buffer(kBlockBytes);
    ForEachPlainFile([&](const WIN32_FIND_DATAA& entry) {
        const HFILE source = Open(entry.cFileName, GENERIC_READ, OPEN_EXISTING);
        const HFILE copy = Open(target + "\\" + entry.cFileName, GENERIC_WRITE, CREATE_ALWAYS);
        for (UINT read; (read = _lread(source, buffer.data(), kBlockBytes)) != 0 && read != UINT(HFILE_ERROR);)
            _lwrite(copy, buffer.data(), read);
        _lclose(source);
        _lclose(copy);
    });
}
