#include "png_io.h"

#include <png.h>

#include <stdexcept>
#include <string>

namespace {

// Frees libpng's state on every way out of a read.
class PngImage {
public:
    PngImage() { image_.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image_); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image* get() { return &image_; }
    [[noreturn]] void Fail(const char* what) const {
        throw std::runtime_error(std::string(what) + ": " + image_.message);
    }

private:
    png_image image_{};
};

// Far beyond any BACKCG picture; keeps a hostile header from asking for gigabytes.
constexpr std::uint64_t kMostPixels = std::uint64_t(1) << 26;

std::vector<std::uint8_t> DropOpaqueAlpha(const std::vector<std::uint8_t>& rgba) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(rgba.size() / 4 * 3);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        if (rgba[i + 3] != 0xFF) throw std::runtime_error("the picture has transparent pixels");
        rgb.insert(rgb.end(), rgba.begin() + std::ptrdiff_t(i), rgba.begin() + std::ptrdiff_t(i + 3));
    }
    return rgb;
}

}  // namespace

RgbPicture DecodePng(const std::vector<std::uint8_t>& file) {
    PngImage image;
    if (!png_image_begin_read_from_memory(image.get(), file.data(), file.size()))
        image.Fail("not a readable PNG");
    if (std::uint64_t(image.get()->width) * image.get()->height > kMostPixels)
        throw std::runtime_error("the picture is too large");
    image.get()->format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(*image.get()));
    if (!png_image_finish_read(image.get(), nullptr, rgba.data(), 0, nullptr))
        image.Fail("damaged PNG");
    return RgbPicture{image.get()->width, image.get()->height, DropOpaqueAlpha(rgba)};
}

std::vector<std::uint8_t> EncodePng(const RgbPicture& picture) {
    PngImage image;
    image.get()->width = picture.width;
    image.get()->height = picture.height;
    image.get()->format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(*image.get(), size, 0, picture.rgb.data(), 0, nullptr))
        image.Fail("cannot code the PNG");
    std::vector<std::uint8_t> file(size);
    if (!png_image_write_to_memory(image.get(), file.data(), &size, 0, picture.rgb.data(), 0,
                                   nullptr))
        image.Fail("cannot code the PNG");
    file.resize(size);
    return file;
}
