// Bitmap resources: the bytes of a Windows BMP file (24 bits per pixel, uncompressed,
// rows bottom-up or, with a negative height, top-down) decoded into a raster.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "raster.h"

namespace sim {

// The decoded picture, or nothing when the bytes are not such a file; `error` then
// says why (truncated, another pixel format, implausible size). Reads no byte beyond
// `size`.
std::optional<Raster> decode_bmp(const unsigned char* bytes, std::size_t size, std::string& error);

// The raster as the bytes of a 24-bit bottom-up BMP file (for tools and tests that make
// bitmap resources).
std::vector<unsigned char> encode_bmp(const Raster& raster);

}  // namespace sim
