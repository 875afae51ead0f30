#include "bitmap.h"

#include <cstdint>
#include <cstdlib>

namespace sim {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; later versions are longer
constexpr std::int64_t kMaxSide = 4096;        // pixels

std::uint32_t u16(const unsigned char* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8); }
std::uint32_t u32(const unsigned char* p) { return u16(p) | (u16(p + 2) << 16); }
std::int32_t i32(const unsigned char* p) { return std::int32_t(u32(p)); }

}  // namespace

std::optional<Raster> decode_bmp(const unsigned char* bytes, std::size_t size, std::string& error) {
    if (!bytes || size < kFileHeaderSize + kInfoHeaderSize) {
        error = "too short for a BMP file (" + std::to_string(size) + " bytes)";
        return std::nullopt;
    }
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        error = "no BMP signature";
        return std::nullopt;
    }
    const std::uint32_t pixel_offset = u32(bytes + 10);
    const unsigned char* info = bytes + kFileHeaderSize;
    const std::uint32_t info_size = u32(info);
    const std::int64_t width = i32(info + 4), signed_height = i32(info + 8);
    const std::uint32_t planes = u16(info + 12), bits = u16(info + 14), compression = u32(info + 16);
    if (info_size < kInfoHeaderSize || kFileHeaderSize + info_size > size) {
        error = "unsupported header of " + std::to_string(info_size) + " bytes";
        return std::nullopt;
    }
    if (planes != 1 || bits != 24 || compression != 0) {
        error = std::to_string(bits) + " bits per pixel, compression " + std::to_string(compression) +
                " (only uncompressed 24-bit pictures are read)";
        return std::nullopt;
    }
    const std::int64_t height = std::llabs(signed_height);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        error = "implausible size " + std::to_string(width) + " x " + std::to_string(signed_height);
        return std::nullopt;
    }
    const std::int64_t stride = (width * 3 + 3) / 4 * 4;
    if (pixel_offset < kFileHeaderSize + info_size || std::int64_t(pixel_offset) + stride * height > std::int64_t(size)) {
        error = "pixel data beyond the end of the file";
        return std::nullopt;
    }
    Raster out{int(width), int(height)};
    if (out.width() != width || out.height() != height) {
        error = "no memory for " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
        return std::nullopt;
    }
    const bool bottom_up = signed_height > 0;
    for (std::int64_t y = 0; y < height; ++y) {
        const unsigned char* src = bytes + pixel_offset + (bottom_up ? height - 1 - y : y) * stride;
        Pixel* dst = out.row(int(y));
        for (std::int64_t x = 0; x < width; ++x, src += 3)
            dst[x] = (Pixel(src[2]) << 16) | (Pixel(src[1]) << 8) | Pixel(src[0]);
    }
    out.mark_dirty();
    return out;
}

std::vector<unsigned char> encode_bmp(const Raster& raster) {
    raster.flush();
    const std::uint32_t w = std::uint32_t(raster.width()), h = std::uint32_t(raster.height());
    const std::uint32_t stride = (w * 3 + 3) / 4 * 4;
    const std::uint32_t offset = std::uint32_t(kFileHeaderSize) + kInfoHeaderSize;
    std::vector<unsigned char> out(offset + stride * h, 0);
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        out[at] = static_cast<unsigned char>(v);
        out[at + 1] = static_cast<unsigned char>(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, std::uint32_t(out.size()));
    put32(10, offset);
    put32(14, kInfoHeaderSize);
    put32(18, w);
    put32(22, h);
    put16(26, 1);
    put16(28, 24);
    put32(34, stride * h);
    for (std::uint32_t y = 0; y < h; ++y) {
        unsigned char* dst = out.data() + offset + (h - 1 - y) * stride;
        const Pixel* src = raster.row(int(y));
        for (std::uint32_t x = 0; x < w; ++x) {
            *dst++ = static_cast<unsigned char>(src[x]);
            *dst++ = static_cast<unsigned char>(src[x] >> 8);
            *dst++ = static_cast<unsigned char>(src[x] >> 16);
        }
    }
    return out;
}

}  // namespace sim
