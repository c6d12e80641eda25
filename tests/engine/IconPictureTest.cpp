// The picture the icon view makes of an icon group: the image the system would pick, the
// bitmaps decoded here, and what is left to the system or refused.
#include <gtest/gtest.h>

#include <vector>

#include "engine/IconPicture.h"
#include "fixtures/IconFixtures.h"
#include "support/ExactBytes.h"

using namespace fixtures;

TEST(IconPicture, ChoosesTheImageTheSystemPicks) {
    const auto choose = [](std::vector<IconCandidate> candidates, int depth) {
        return ChooseIconImage(candidates, 32, 32, depth);
    };
    EXPECT_EQ(choose({{16, 16, 8}, {32, 32, 4}, {32, 32, 8}, {48, 48, 32}}, 24), 2);
    EXPECT_EQ(choose({{32, 32, 32}, {32, 32, 32}}, 24), 0) << "the first of equals";
    EXPECT_EQ(choose({{48, 48, 8}, {16, 16, 8}}, 24), 0) << "equal distances: the first";
    EXPECT_EQ(choose({{256, 256, 32}, {48, 48, 4}}, 24), 1);
    EXPECT_EQ(choose({{32, 16, 8}, {16, 32, 32}}, 32), 0) << "same total, other distances: the first size";
    EXPECT_EQ(choose({}, 24), -1);

    // From a group directory, whose entries all lie inside it.
    const std::string large =
        GroupDirectory({EntryFor(BitmapImage(16, 16, 32, 1), 1), EntryFor(PngImage(256, 256, 1), 2)});
    EXPECT_EQ(PickIconImage(ExactBytes(large).Span(), GroupEntryBytes, 256, 32), 1) << "0 means 256";
    EXPECT_EQ(PickIconImage(ExactBytes(GroupDirectory({}, 2)).Span(), GroupEntryBytes, 32, 24), -1);
}

// 32 pixels as the icon view shows icons at 96 DPI, 48 as at 144 DPI (mask rows of two words).
TEST(IconPicture, DecodesCommonBitmapsOfTheViewsSizes) {
    for (int size : {32, 48})
        for (int bits : {1, 4, 8, 24, 32}) {
            SCOPED_TRACE(testing::Message() << size << " pixels, " << bits << " bits");
            const std::string image = BitmapImage(size, size, bits, 5);
            IconPicture picture;
            picture.size = size;
            ASSERT_EQ(DecodeIconPicture(ExactBytes(image).Span(), picture), PictureDecode::Decoded);
            ASSERT_EQ(picture.colour.size(), static_cast<size_t>(size * size));
            const size_t colours = bits <= 8 ? size_t{1} << bits : 0;
            const size_t rowBytes = (static_cast<size_t>(size) * static_cast<size_t>(bits) + 31) / 32 * 4;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    // The generator's top quarter square is transparent, rows are stored bottom-up.
                    const int quarter = size / 4;
                    ASSERT_EQ(picture.mask[y * size + x], x < quarter && y < quarter ? 1 : 0) << x << "," << y;
                    uint32_t expected = 0;
                    if (bits <= 8)
                        expected = GetU32(image, 40 + 4 * ((x / 2 + y / 3 + 5) % colours)) & 0xFFFFFF;
                    else if (bits == 24)
                        expected = GetU32(image, 40 + (size - 1 - y) * rowBytes + 3 * x) & 0xFFFFFF;
                    else
                        expected = GetU32(image, 40 + (size - 1 - y) * rowBytes + 4 * x);
                    ASSERT_EQ(picture.colour[y * size + x], expected) << x << "," << y;
                }
        }
}

TEST(IconPicture, LeavesOtherImagesToTheSystemAndRefusesUnsoundOnes) {
    IconPicture picture;
    const auto decode = [&](const std::string& image) { return DecodeIconPicture(ExactBytes(image).Span(), picture); };
    EXPECT_EQ(decode(PngImage(32, 32, 1)), PictureDecode::NeedsSystem);
    EXPECT_EQ(decode(BitmapImage(48, 48, 8, 1)), PictureDecode::NeedsSystem) << "to be scaled";
    std::string sixteen = BitmapImage(32, 32, 24, 1);
    PutU16(sixteen, 14, 16);
    EXPECT_EQ(decode(sixteen), PictureDecode::NeedsSystem);
    const std::string full = BitmapImage(32, 32, 32, 1);
    const std::string noMask = full.substr(0, full.size() - 128);
    EXPECT_EQ(decode(noMask), PictureDecode::NeedsSystem);
    EXPECT_EQ(SystemImageBytes(ExactBytes(noMask).Span()), full.size()) << "the caller pads the mask";
    EXPECT_EQ(decode(full.substr(0, 1000)), PictureDecode::Unreadable);
    std::string compressed = BitmapImage(32, 32, 8, 1);
    PutU32(compressed, 16, 1);  // run-length encoded
    EXPECT_EQ(decode(compressed), PictureDecode::Unreadable);
}

TEST(IconPicture, PicksAndReadsTheImagesOfIcoFiles) {
    const std::string ico = IcoFile({BitmapImage(16, 16, 4, 1), BitmapImage(32, 32, 8, 2), PngImage(64, 64, 3)});
    IconPicture picture;
    ByteSpan image;
    const ExactBytes file(ico);
    EXPECT_EQ(PictureOfIcoFile(file.Span(), 24, picture, image), GroupPicture::Decoded);
    EXPECT_EQ(AsString(image), BitmapImage(32, 32, 8, 2));
    for (size_t length = 0; length < ico.size(); length += 3)
        PictureOfIcoFile(ExactBytes(ico, length).Span(), 24, picture, image);
}
