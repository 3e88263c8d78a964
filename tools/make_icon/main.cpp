// make_icon OUT.ico: writes the program's icon. The same bytes every time.

#include <cstdio>
#include <fstream>

#include "ico_file.h"
#include "icon_art.h"

namespace {

bool WriteFile(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return out.good();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUT.ico\n");
        return 2;
    }
    if (!WriteFile(argv[1], BuildIcoFile(DrawIcon()))) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
