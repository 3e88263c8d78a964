// backcg: makes the title screen's BACKCG resource from a PNG picture, and
// shows what a resource holds.
//
//   backcg encode PICTURE.png OUT.bin   a 580 x 440 picture, 235 colours at most
//   backcg decode BACKCG.bin OUT.png
//   backcg info BACKCG.bin

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "file_io.h"
#include "palette.h"
#include "png_io.h"
#include "resource.h"

namespace {

constexpr std::uint32_t kTitleWidth = 580;
constexpr std::uint32_t kTitleHeight = 440;

void RequireTitleSize(const RgbPicture& picture) {
    if (picture.width == kTitleWidth && picture.height == kTitleHeight) return;
    throw std::runtime_error("the picture is " + std::to_string(picture.width) + " x " +
                             std::to_string(picture.height) + ", the title needs " +
                             std::to_string(kTitleWidth) + " x " + std::to_string(kTitleHeight));
}

void Encode(const std::string& picturePath, const std::string& outPath) {
    const RgbPicture picture = DecodePng(ReadWholeFile(picturePath));
    RequireTitleSize(picture);
    WriteFileAtomically(outPath, BuildBackcgResource(IndexRgbPicture(picture)));
}

void Decode(const std::string& resourcePath, const std::string& outPath) {
    const DecodedResource decoded = DecodeBackcgResource(ReadWholeFile(resourcePath));
    WriteFileAtomically(outPath, EncodePng(ExpandToRgb(decoded.picture)));
}

void Info(const std::string& resourcePath) {
    const std::vector<std::uint8_t> resource = ReadWholeFile(resourcePath);
    const DecodedResource decoded = DecodeBackcgResource(resource);
    std::printf("size: %u x %u\n", decoded.picture.width, decoded.picture.height);
    std::printf("colours used: %zu\n", CountColoursUsed(decoded.picture));
    std::printf("coded size: %zu bytes (resource %zu bytes)\n", decoded.codedBytes,
                resource.size());
}

int Usage() {
    std::fprintf(stderr,
                 "usage: backcg encode PICTURE.png OUT.bin\n"
                 "       backcg decode BACKCG.bin OUT.png\n"
                 "       backcg info BACKCG.bin\n");
    return 2;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 3 && args[0] == "encode") {
        Encode(args[1], args[2]);
    } else if (args.size() == 3 && args[0] == "decode") {
        Decode(args[1], args[2]);
    } else if (args.size() == 2 && args[0] == "info") {
        Info(args[1]);
    } else {
        return Usage();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "backcg: %s\n", error.what());
        return 1;
    }
}
