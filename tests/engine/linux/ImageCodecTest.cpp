// Icon images of every kind decoded to RGBA and written as PNG files, checked with stb_image, a
// decoder independent of ours; damaged images through the same road; the thumbnail's choice
// and scaling.
#include <gtest/gtest.h>

#include <random>

#include "engine/BitmapDecoder.h"
#include "engine/Thumbnail.h"
#include "fixtures/IconFixtures.h"
#include "support/NativeSupport.h"
#include "engine/linux/PngCodec.h"
#include "support/ExactBytes.h"
#include "support/RandomDamage.h"

using namespace fixtures;

namespace {

struct Kind {
    int bits;
    uint32_t headerSize;
    bool bitFields;
    bool alpha;  // a 32-bit image with alpha; all others take the mask
    int width;
    int height;
};

const Kind Kinds[] = {
    {1, 40, false, false, 33, 17},  {2, 40, false, false, 21, 5},     {4, 12, false, false, 19, 21},
    {4, 40, false, false, 7, 3},    {8, 40, false, false, 31, 9},     {16, 40, false, false, 21, 7},
    {16, 40, true, false, 5, 6},    {24, 40, false, false, 194, 313}, {32, 40, false, true, 194, 313},
    {32, 40, false, false, 15, 16}, {32, 40, true, false, 9, 9},
};

size_t RowBytes(int width, int bits) {
    return static_cast<size_t>((width * bits + 31) / 32 * 4);
}

// A bitmap icon image of random colours, colour table and mask.
std::string IconBitmap(const Kind& kind, std::mt19937& random, size_t& colourStart) {
    const auto randomBytes = [&](size_t count) {
        std::string bytes;
        for (size_t i = 0; i < count; ++i)
            bytes += static_cast<char>(random());
        return bytes;
    };
    std::string image(kind.headerSize, '\0');
    PutU32(image, 0, kind.headerSize);
    if (kind.headerSize == 12) {
        PutU16(image, 4, static_cast<uint16_t>(kind.width));
        PutU16(image, 6, static_cast<uint16_t>(2 * kind.height));
        PutU16(image, 8, 1);
        PutU16(image, 10, static_cast<uint16_t>(kind.bits));
    } else {
        PutU32(image, 4, static_cast<uint32_t>(kind.width));
        PutU32(image, 8, static_cast<uint32_t>(2 * kind.height));
        PutU16(image, 12, 1);
        PutU16(image, 14, static_cast<uint16_t>(kind.bits));
        PutU32(image, 16, kind.bitFields ? 3 : 0);
    }
    if (kind.bitFields)
        for (uint32_t mask : kind.bits == 16 ? std::vector<uint32_t>{0xF800, 0x07E0, 0x001F}
                                             : std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF})
            AppendU32(image, mask);
    for (int entry = 0; kind.bits <= 8 && entry < 1 << kind.bits; ++entry)
        image += randomBytes(3) + (kind.headerSize == 12 ? "" : std::string(1, '\0'));
    colourStart = image.size();
    std::string colour = randomBytes(RowBytes(kind.width, kind.bits) * static_cast<size_t>(kind.height));
    for (size_t at = 3; kind.bits == 32 && !kind.alpha && at < colour.size(); at += 4)
        colour[at] = '\0';
    return image + colour + randomBytes(RowBytes(kind.width, 1) * static_cast<size_t>(kind.height));
}

// The colour bitmap alone as a BMP file. A 12-byte header becomes a 40-byte one: stb_image
// misreads the colour table behind the short header.
std::string BmpFile(const std::string& icon, const Kind& kind, size_t colourStart, size_t colourEnd) {
    const size_t headerEnd = kind.headerSize + (kind.bitFields ? 12 : 0);
    std::string bitmap = icon.substr(0, headerEnd);
    if (kind.headerSize == 12) {
        bitmap = std::string(40, '\0');
        PutU32(bitmap, 0, 40);
        PutU32(bitmap, 4, static_cast<uint32_t>(kind.width));
        PutU16(bitmap, 12, 1);
        PutU16(bitmap, 14, static_cast<uint16_t>(kind.bits));
        for (size_t at = headerEnd; at < colourStart; at += 3)
            bitmap += icon.substr(at, 3) + '\0';
    } else {
        bitmap += icon.substr(headerEnd, colourStart - headerEnd);
    }
    PutU32(bitmap, 8, static_cast<uint32_t>(kind.height));
    std::string file = "BM";
    AppendU32(file, static_cast<uint32_t>(14 + bitmap.size() + colourEnd - colourStart));
    AppendU32(file, 0);
    AppendU32(file, static_cast<uint32_t>(14 + bitmap.size()));
    return file + bitmap + icon.substr(colourStart, colourEnd - colourStart);
}

// The PNG file we write of the picture decodes to exactly its pixels.
void ExpectPngRoundTrip(const RgbaImage& picture) {
    std::vector<unsigned char> png;
    ASSERT_TRUE(EncodePng(picture, png));
    int width = 0, height = 0;
    EXPECT_EQ(StbPixels(AsString(png), width, height), picture.pixels);
    EXPECT_EQ(width, picture.width);
    EXPECT_EQ(height, picture.height);
}

}  // namespace

TEST(ImageCodec, EveryBitmapKindDecodesAsAnIndependentDecoderSeesItAndComesBackFromPng) {
    std::mt19937 random(17);
    for (const Kind& kind : Kinds) {
        SCOPED_TRACE(testing::Message() << kind.bits << " bits, header " << kind.headerSize
                                        << (kind.bitFields ? ", bit fields" : ""));
        size_t colourStart = 0;
        const std::string icon = IconBitmap(kind, random, colourStart);
        RgbaImage ours;
        ASSERT_EQ(DecodeBitmapImage(ExactBytes(icon).Span(), ours), ImageDecode::Decoded);
        ASSERT_EQ(ours.width, kind.width);
        ASSERT_EQ(ours.height, kind.height);
        const size_t rowBytes = RowBytes(kind.width, kind.bits);
        const size_t colourEnd = colourStart + rowBytes * static_cast<size_t>(kind.height);
        const auto byte = [&](size_t at) { return static_cast<unsigned char>(icon[at]); };
        int width = 0, height = 0;
        const std::vector<unsigned char> theirs = StbPixels(BmpFile(icon, kind, colourStart, colourEnd), width, height);
        ASSERT_EQ(theirs.empty(), kind.bits == 2);  // stb_image reads no 2-bit bitmaps
        for (size_t y = 0; y < static_cast<size_t>(kind.height); ++y)
            for (size_t x = 0; x < static_cast<size_t>(kind.width); ++x) {
                const size_t at = (y * static_cast<size_t>(kind.width) + x) * 4, up = kind.height - 1 - y;
                unsigned char expected[4] = {};
                if (kind.bits == 2) {  // the table entry of the pixel's index
                    const size_t entry = 40 + 4 * (byte(colourStart + rowBytes * up + x / 4) >> (6 - 2 * (x % 4)) & 3);
                    expected[0] = byte(entry + 2), expected[1] = byte(entry + 1), expected[2] = byte(entry);
                } else {
                    std::copy_n(&theirs[at], 4, expected);
                }
                const unsigned char mask = byte(colourEnd + RowBytes(kind.width, 1) * up + x / 8);
                if (!kind.alpha) expected[3] = mask >> (7 - x % 8) & 1 ? 0 : 255;
                ASSERT_TRUE(std::equal(expected, expected + 4, &ours.pixels[at])) << "pixel " << x << "," << y;
            }
        ExpectPngRoundTrip(ours);
    }
}

TEST(ImageCodec, PalettePngDecodesWithItsTransparencyAndComesBackFromPng) {
    const std::string png = PalettePngImage(13, 7, 3);
    RgbaImage ours;
    ASSERT_EQ(DecodeIconImage(ExactBytes(png).Span(), ours), ImageDecode::Decoded);
    int width = 0, height = 0;
    EXPECT_EQ(ours.pixels, StbPixels(png, width, height));
    EXPECT_EQ(ours.pixels[(13 + 12) * 4 + 3], 0);  // pixel 12,1 has index 0: transparent
    ExpectPngRoundTrip(ours);
}

TEST(ImageCodec, ImagesLargerThanTheBoundAreRefusedUnread) {
    std::string bitmap = BitmapImage(8, 8, 32, 1);
    PutU32(bitmap, 4, LargestDecodedSide + 1);  // the bytes hold far less than that
    RgbaImage picture;
    EXPECT_EQ(DecodeIconImage(ExactBytes(bitmap).Span(), picture), ImageDecode::TooLarge);
    std::string png = PngImage(8, 8, 1);
    png[20] = 0x40;  // a height of 1 << 30 in IHDR
    EXPECT_EQ(DecodeIconImage(ExactBytes(png).Span(), picture), ImageDecode::TooLarge);
    EXPECT_TRUE(picture.pixels.empty());
}

TEST(ImageCodec, DamagedImagesAreRefusedOrDecodeToWhatTheirPngShows) {
    std::mt19937 random(18);
    std::vector<std::string> images = {PalettePngImage(9, 5, 1), PngImage(6, 7, 2)};
    for (const Kind& kind : Kinds) {
        size_t colourStart = 0;
        if (kind.width < 40) images.push_back(IconBitmap(kind, random, colourStart));
    }
    for (const std::string& image : images)
        for (int i = 0; i < 300; ++i) {
            RgbaImage picture;
            if (DecodeIconImage(ExactBytes(CutOrChangeBytes(image, random, 64)).Span(), picture) !=
                ImageDecode::Decoded)
                continue;
            ExpectPngRoundTrip(picture);
            if (HasFailure()) FAIL() << "damage " << i;
        }
}

TEST(Thumbnail, TakesTheSmallestImageAtLeastTheSizeAtItsGreatestDepthElseTheLargest) {
    const std::vector<ImageFacts> images = {
        {16, 16, 32, false}, {48, 48, 8, false}, {0, 0, 0, false}, {48, 48, 32, false}, {256, 256, 32, true}};
    EXPECT_EQ(ThumbnailOrder(images, 40).front(), 3);
    EXPECT_EQ(ThumbnailOrder(images, 16).front(), 0);
    EXPECT_EQ(ThumbnailOrder(images, 512).front(), 4);
}

TEST(Thumbnail, ScalesDownToFitAveragingAreasWithoutHiddenColours) {
    RgbaImage picture;
    picture.width = 4;
    picture.height = 2;
    // Opaque black and white side by side; opaque red beside transparent green.
    picture.pixels = {0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 255, 0, 255, 0, 0,
                      0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 255, 0, 255, 0, 0};
    RgbaImage scaled;
    ScaleToFit(picture, 2, scaled);
    EXPECT_EQ(scaled.width, 2);
    EXPECT_EQ(scaled.height, 1);
    EXPECT_EQ(scaled.pixels, (std::vector<unsigned char>{128, 128, 128, 255, 255, 0, 0, 128}));
    picture.width = 194;
    picture.height = 313;
    picture.pixels.assign(194 * 313 * 4, 200);
    ScaleToFit(picture, 128, scaled);
    EXPECT_EQ(scaled.width, 79);
    EXPECT_EQ(scaled.height, 128);
    EXPECT_EQ(scaled.pixels, std::vector<unsigned char>(79 * 128 * 4, 200));
}
