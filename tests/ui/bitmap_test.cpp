// Bitmap resources: BMP bytes in, raster out; broken files are refused, never overread.
#include "sim/ui/bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

sim::Raster pattern(int w, int h) {
    sim::Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) r.set_pixel(x, y, sim::Pixel(x * 0x10 + y * 0x1000 + 0x300000));
    return r;
}

TEST(Bitmap, RoundTripWithRowPaddingAndBothRowOrders) {
    for (int w : {1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(w);
        const sim::Raster r = pattern(w, 3);
        std::vector<unsigned char> bmp = sim::encode_bmp(r);
        std::string error;
        std::optional<sim::Raster> back = sim::decode_bmp(bmp.data(), bmp.size(), error);
        ASSERT_TRUE(back) << error;
        EXPECT_TRUE(back->same_pixels(r));
        // The same picture stored top-down (negative height, rows reversed).
        const std::size_t stride = (std::size_t(w) * 3 + 3) / 4 * 4;
        std::vector<unsigned char> flipped = bmp;
        const std::int32_t negative = -3;
        std::memcpy(flipped.data() + 22, &negative, 4);
        for (int y = 0; y < 3; ++y)
            std::memcpy(flipped.data() + 54 + y * stride, bmp.data() + 54 + (2 - y) * stride, stride);
        back = sim::decode_bmp(flipped.data(), flipped.size(), error);
        ASSERT_TRUE(back) << error;
        EXPECT_TRUE(back->same_pixels(r));
    }
}

TEST(Bitmap, BrokenFilesAreRefused) {
    const std::vector<unsigned char> good = sim::encode_bmp(pattern(5, 4));
    struct Case {
        const char* what;
        std::size_t offset;  // byte to change, or the size to cut to when `cut`
        unsigned char value;
        bool cut;
    } cases[] = {
        {"truncated pixel data", good.size() - 1, 0, true},
        {"truncated header", 30, 0, true},
        {"empty", 0, 0, true},
        {"no signature", 0, 'X', false},
        {"8 bits per pixel", 28, 8, false},
        {"compressed", 30, 1, false},
        {"zero width", 18, 0, false},
        {"huge height", 25, 0x7F, false},
        {"pixel offset beyond the end", 13, 0x10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> bytes = good;
        if (c.cut)
            bytes.resize(c.offset);
        else
            bytes[c.offset] = c.value;
        std::string error;
        EXPECT_FALSE(sim::decode_bmp(bytes.data(), bytes.size(), error));
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_FALSE(sim::decode_bmp(nullptr, 100, error));
}

}  // namespace
