#include "file_io.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read " + path);
    return bytes;
}

namespace {

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return out.good();
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string partial = path + ".partial";
    if (WriteBytes(partial, bytes) && std::rename(partial.c_str(), path.c_str()) == 0) return;
    std::remove(partial.c_str());
    throw std::runtime_error("cannot write " + path);
}
