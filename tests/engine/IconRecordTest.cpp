// The icon record, bitmap geometry and group assembly, over generated images.
#include <gtest/gtest.h>

#include <map>

#include "engine/GroupDirectory.h"
#include "engine/IconRecord.h"
#include "support/ExactBytes.h"
#include "fixtures/IconFixtures.h"

using namespace fixtures;

namespace {

const unsigned char* Header(const std::string& image) {
    return reinterpret_cast<const unsigned char*>(image.data());
}

// Images by identifier, as a module's icon resources.
struct ImageStore {
    std::map<uint16_t, std::string> images;
    ImageFinder Finder() const {
        return [this](uint16_t id, ByteSpan& image) {
            const auto found = images.find(id);
            if (found == images.end()) return false;
            image = ByteSpan(reinterpret_cast<const unsigned char*>(found->second.data()), found->second.size());
            return true;
        };
    }
};

// A directory over the given images, ids 1..n in order, and the store holding them.
GroupLoad Assemble(const std::vector<std::string>& images, IconResourcePtr& record, ImageStore* keep = nullptr) {
    static ImageStore store;
    store.images.clear();
    std::vector<GroupEntry> entries;
    for (size_t i = 0; i < images.size(); ++i) {
        store.images[static_cast<uint16_t>(i + 1)] = images[i];
        entries.push_back(EntryFor(images[i], static_cast<uint16_t>(i + 1)));
    }
    if (keep) *keep = store;
    const std::string directory = GroupDirectory(entries);
    return AssembleIconGroup(ExactBytes(directory).Span(), store.Finder(), "C:\\m.dll", record);
}

}  // namespace

TEST(IconGeometry, LocatesColourTableBitmapAndMask) {
    struct Case {
        int width, bitCount;
        uint32_t coloursUsed;
        int entries, rowBytes;
    };
    const Case cases[] = {
        {32, 4, 0, 16, 16},  {32, 1, 0, 2, 4}, {32, 8, 5, 5, 32},    {32, 24, 0, 0, 96},
        {32, 32, 0, 0, 128}, {1, 1, 0, 2, 4},  {256, 4, 0, 16, 128},
    };
    for (const Case& c : cases) {
        std::string image = BitmapImage(c.width, c.width, c.bitCount, 1);
        PutU32(image, 32, c.coloursUsed);
        const unsigned char* header = Header(image);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.bitCount);
        EXPECT_EQ(ColourTableEntries(header), c.entries);
        EXPECT_EQ(ColourTableBytes(header), 4 * c.entries);
        EXPECT_EQ(XorBitsStart(header), header + 40 + 4 * c.entries);
        EXPECT_EQ(RowBytes(header), c.rowBytes);
    }
}

TEST(IconGeometry, LinkImagePointersFillsTheImageFromItsHeader) {
    std::string bytes = BitmapImage(32, 32, 4, 1);
    ASSERT_EQ(bytes.size(), 744u);
    IconImage image;
    image.bits = reinterpret_cast<unsigned char*>(bytes.data());
    image.byteCount = static_cast<uint32_t>(bytes.size());
    ASSERT_TRUE(LinkImagePointers(&image));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.colourDepth, 4u);
    EXPECT_EQ(image.format, ImageFormat::Bitmap);
    EXPECT_EQ(image.header, image.bits);
    EXPECT_EQ(image.xorBits, image.bits + 40 + 64);
    EXPECT_EQ(image.andBits, image.xorBits + 512);

    EXPECT_FALSE(LinkImagePointers(nullptr));
    IconImage empty;
    EXPECT_FALSE(LinkImagePointers(&empty));
    EXPECT_EQ(empty.header, nullptr);
}

TEST(IconGeometry, PngImagesTakeTheirSizeFromIhdrAndTheirDepthFromTheEntry) {
    std::string bytes = PngImage(256, 256, 3);
    IconImage image;
    image.bits = reinterpret_cast<unsigned char*>(bytes.data());
    image.byteCount = static_cast<uint32_t>(bytes.size());
    image.entryPlanes = 1;
    image.entryBitCount = 32;
    ASSERT_TRUE(LinkImagePointers(&image));
    EXPECT_EQ(image.format, ImageFormat::Png);
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(image.colourDepth, 32u);
    EXPECT_EQ(image.header, nullptr);
    EXPECT_EQ(image.xorBits, nullptr);
}

TEST(IconGeometry, RefusesImagesWhosePartsLieOutsideTheirBytes) {
    const std::string good = BitmapImage(16, 16, 8, 2);
    ASSERT_TRUE(IsSoundIconImage(ExactBytes(good).Span()));
    const auto with = [&](size_t offset, uint32_t value, bool wide) {
        std::string image = good;
        if (wide)
            PutU32(image, offset, value);
        else
            PutU16(image, offset, static_cast<uint16_t>(value));
        return IsSoundIconImage(ExactBytes(image).Span());
    };
    EXPECT_FALSE(IsSoundIconImage(ExactBytes(good, 39).Span())) << "shorter than a header";
    EXPECT_FALSE(with(0, 39, true)) << "header size below 40";
    EXPECT_FALSE(with(0, 0xFFFFFFF0u, true)) << "header size past the image";
    EXPECT_FALSE(with(4, 0, true)) << "no width";
    EXPECT_FALSE(with(4, 0x80000000u, true)) << "negative width";
    EXPECT_FALSE(with(8, 0xFFFFFFE0u, true)) << "negative height";
    EXPECT_FALSE(with(8, 1, true)) << "no rows";
    EXPECT_FALSE(with(14, 0, false)) << "no bits per pixel";
    EXPECT_FALSE(with(14, 64, false)) << "more than 32 bits per pixel";
    EXPECT_FALSE(with(4, 0x7FFFFFFF, true)) << "rows past the image";
    EXPECT_FALSE(with(8, 0x7FFFFFFE, true)) << "rows past the image";
    // The colour bitmap must be there in full; the mask is never read.
    const size_t colourEnd = 40 + 1024 + 16 * 16;
    EXPECT_FALSE(IsSoundIconImage(ExactBytes(good, colourEnd - 1).Span()));
    EXPECT_TRUE(IsSoundIconImage(ExactBytes(good, colourEnd).Span()));

    const std::string png = PngImage(16, 16, 1);
    EXPECT_TRUE(IsSoundIconImage(ExactBytes(png, 33).Span()));
    EXPECT_FALSE(IsSoundIconImage(ExactBytes(png, 32).Span())) << "IHDR cut short";
    std::string flat = png;
    PutU32(flat, 16, 0);
    EXPECT_FALSE(IsSoundIconImage(ExactBytes(flat).Span())) << "zero width";
}

TEST(IconGroup, AssemblesImagesInDirectoryOrderAsExactCopies) {
    const std::vector<std::string> images = {BitmapImage(16, 16, 4, 1), BitmapImage(48, 48, 32, 2),
                                             BitmapImage(32, 32, 8, 3, 2216), PngImage(256, 256, 4)};
    IconResourcePtr record;
    ASSERT_EQ(Assemble(images, record), GroupLoad::Loaded);
    EXPECT_STREQ(record->modulePath, "C:\\m.dll");
    EXPECT_STREQ(record->iconFileName, "");
    ASSERT_EQ(record->imageCount, 4u);
    for (uint32_t i = 0; i < 4; ++i) {
        const IconImage& image = record->Images()[i];
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.bits), image.byteCount), images[i]) << i;
    }
    EXPECT_EQ(DescribeImages(*record), "16x16x16, 48x48x256, 32x32x256, 256x256x256");
}

TEST(IconGroup, SummariesShowColoursFromTheDepthAndRealSizes) {
    IconResourcePtr record;
    ASSERT_EQ(Assemble({BitmapImage(32, 32, 4, 1), BitmapImage(16, 16, 4, 2), BitmapImage(32, 32, 8, 3)}, record),
              GroupLoad::Loaded);
    EXPECT_EQ(DescribeImages(*record), "32x32x16, 16x16x16, 32x32x256");
    ASSERT_EQ(Assemble({BitmapImage(32, 32, 1, 1)}, record), GroupLoad::Loaded);
    EXPECT_EQ(DescribeImages(*record), "32x32x2");
    ASSERT_EQ(Assemble({BitmapImage(256, 256, 4, 1), BitmapImage(16, 16, 24, 1)}, record), GroupLoad::Loaded);
    EXPECT_EQ(DescribeImages(*record), "256x256x16, 16x16x256");
}

TEST(IconGroup, RefusesGroupsWhoseDirectoryOrImagesAreNotSound) {
    IconResourcePtr record;
    const std::string a = BitmapImage(16, 16, 4, 1), b = BitmapImage(32, 32, 4, 2);
    ImageStore store;
    store.images = {{1, a}, {2, b}};
    const std::vector<GroupEntry> entries = {EntryFor(a, 1), EntryFor(b, 2)};
    const auto load = [&](const std::string& directory) {
        return AssembleIconGroup(ExactBytes(directory).Span(), store.Finder(), "m", record);
    };
    ASSERT_EQ(load(GroupDirectory(entries)), GroupLoad::Loaded);
    record.reset();
    EXPECT_EQ(load(GroupDirectory(entries, 3)), GroupLoad::Refused) << "count runs past the directory";
    EXPECT_EQ(load(GroupDirectory({})), GroupLoad::Refused) << "no images";
    EXPECT_EQ(load(GroupDirectory(entries).substr(0, 5)), GroupLoad::Refused) << "header cut short";
    EXPECT_EQ(load(GroupDirectory({EntryFor(a, 1), EntryFor(b, 9)})), GroupLoad::Refused)
        << "the second image is missing; its first image's copy is released (the leak check sees it)";
    store.images[2] = b.substr(0, 39);
    EXPECT_EQ(load(GroupDirectory(entries)), GroupLoad::Refused) << "image shorter than a header";
    EXPECT_EQ(record, nullptr);
}

TEST(IconRecord, OneAllocationHoldsTheRecordAndItsImages) {
    IconResourcePtr record(NewIconResource(3));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->imageCount, 3u);
    EXPECT_EQ(reinterpret_cast<const char*>(record->Images()), reinterpret_cast<const char*>(record.get() + 1));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(record->Images()) % alignof(IconImage), 0u);
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(record->Images()[i].bits, nullptr);
        record->Images()[i].bits = new unsigned char[10];  // released with the record
    }
}
