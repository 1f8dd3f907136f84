#include "tools/common/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <utility>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};

} // namespace

std::string WritePngFile(const std::string& path, int width, int height, const std::vector<DWORD>& pixels)
{
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height)
        return "no picture to write to " + path;
    std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "wb"));
    if (!file)
        return "cannot create " + path;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return "libpng could not start";
    }
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return "libpng failed writing " + path;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const DWORD* source = &pixels[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<unsigned char>(source[x] >> 16);
            row[x * 3 + 1] = static_cast<unsigned char>(source[x] >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(source[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return {};
}

BOOL ReadPngFile(const std::string& path, int& width, int& height, std::vector<DWORD>& pixels)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return FALSE;
    image.format = PNG_FORMAT_BGRA;
    std::vector<DWORD> read(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, read.data(), 0, nullptr)) {
        png_image_free(&image);
        return FALSE;
    }
    for (DWORD& pixel : read)
        pixel &= 0x00FFFFFF;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    pixels = std::move(read);
    return TRUE;
}
