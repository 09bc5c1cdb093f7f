#include "our_png.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Written into every file, so that a later run knows the file as its own and
// may renew it.
const char* const kMadeByKey = "Software";
const char* const kMadeBy = "frosthem party-pictures";
const char* const kPartial = ".partial";

bool madeByUs(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.find(kMadeBy) != std::string::npos;
}

bool writePng(FILE* out, cairo_surface_t* image)
{
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = const_cast<char*>(kMadeByKey);
    text.text = const_cast<char*>(kMadeBy);
    png_set_text(png, info, &text, 1);
    png_write_info(png, info);
    cairo_surface_flush(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    std::vector<png_byte> row(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; y++) {
        const uint32_t* px = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; x++) {
            // Premultiplied colour is the colour over black.
            row[x * 3] = static_cast<png_byte>(px[x] >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(px[x] >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(px[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool mayWrite(const std::string& path, std::string& reason)
{
    if (access(path.c_str(), F_OK) != 0 || madeByUs(path))
        return true;
    reason = path + " is there already and was not made by this step: move it away";
    return false;
}

bool writeOurPng(const std::string& path, cairo_surface_t* image, std::string& reason)
{
    if (!mayWrite(path, reason))
        return false;
    const std::string partial = path + kPartial;
    const int fd = open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
    if (fd < 0) {
        reason = "cannot write " + partial + ": " + std::strerror(errno);
        return false;
    }
    FILE* out = fdopen(fd, "wb");
    const bool written = out && writePng(out, image);
    const bool closed = out ? std::fclose(out) == 0 : close(fd) == 0;
    if (!written || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(partial.c_str());
        return false;
    }
    return true;
}
