// The ICO file of a record, byte for byte.
#include <gtest/gtest.h>

#include <map>

#include "support/ExactBytes.h"
#include "engine/GroupDirectory.h"
#include "engine/IcoLayout.h"
#include "fixtures/IconFixtures.h"

using namespace fixtures;

namespace {

IconResourcePtr Group(const std::vector<std::string>& images, const std::vector<GroupEntry>& entries) {
    std::map<uint16_t, std::string> store;
    for (size_t i = 0; i < images.size(); ++i)
        store[entries[i].id] = images[i];
    IconResourcePtr record;
    const ImageFinder find = [&](uint16_t id, ByteSpan& image) {
        image = ByteSpan(reinterpret_cast<const unsigned char*>(store[id].data()), store[id].size());
        return true;
    };
    EXPECT_EQ(AssembleIconGroup(ExactBytes(GroupDirectory(entries)).Span(), find, "m", record), GroupLoad::Loaded);
    return record;
}

IconResourcePtr Group(const std::vector<std::string>& images) {
    std::vector<GroupEntry> entries;
    for (size_t i = 0; i < images.size(); ++i)
        entries.push_back(EntryFor(images[i], static_cast<uint16_t>(i + 1)));
    return Group(images, entries);
}

std::string File(const IconResource& record) {
    std::vector<unsigned char> file;
    EXPECT_TRUE(IcoFileBytes(record, file));
    return AsString(file);
}

struct Entry {
    int width, height, colours, reserved, planes, bitCount;
    uint32_t bytes, offset;
    bool operator==(const Entry&) const = default;
};

Entry EntryAt(const std::string& file, size_t i) {
    const size_t at = 6 + 16 * i;
    return {static_cast<unsigned char>(file[at]),
            static_cast<unsigned char>(file[at + 1]),
            static_cast<unsigned char>(file[at + 2]),
            static_cast<unsigned char>(file[at + 3]),
            GetU16(file, at + 4),
            GetU16(file, at + 6),
            GetU32(file, at + 8),
            GetU32(file, at + 12)};
}

}  // namespace

TEST(IcoFile, TwoFourBitImagesGiveTheDocumentedFile) {
    // Image-size fields that are not 0 are written as 0; everything else is copied.
    const std::string large = BitmapImage(32, 32, 4, 1, 744), small = BitmapImage(16, 16, 4, 2, 296);
    ASSERT_EQ(large.size(), 744u);
    ASSERT_EQ(small.size(), 296u);
    IconResourcePtr record = Group({large, small});
    const std::string file = File(*record);
    ASSERT_EQ(file.size(), 1078u);
    EXPECT_EQ(file.substr(0, 6), std::string("\0\0\1\0\2\0", 6));
    EXPECT_EQ(EntryAt(file, 0), (Entry{32, 32, 16, 0, 1, 4, 744, 38}));
    EXPECT_EQ(EntryAt(file, 1), (Entry{16, 16, 16, 0, 1, 4, 296, 782}));

    std::string expected = large + small;
    PutU32(expected, 20, 0);
    PutU32(expected, 744 + 20, 0);
    EXPECT_EQ(file.substr(38), expected);
    // The record keeps its own bytes.
    EXPECT_EQ(GetU32(std::string(reinterpret_cast<const char*>(record->Images()[0].bits), 24), 20), 744u);
}

TEST(IcoFile, EntriesComeFromEachImagesOwnHeader) {
    // The group's entries say nothing true here; bitmap entries are rebuilt from the headers.
    const std::vector<std::string> images = {BitmapImage(48, 48, 8, 1), BitmapImage(16, 16, 24, 2),
                                             BitmapImage(256, 256, 32, 3), BitmapImage(32, 32, 1, 4),
                                             BitmapImage(194, 313, 4, 5)};
    std::vector<GroupEntry> entries(5);
    for (uint16_t i = 0; i < 5; ++i)
        entries[i].id = static_cast<uint16_t>(i + 7);
    const std::string file = File(*Group(images, entries));
    EXPECT_EQ(EntryAt(file, 0).colours, 0);
    EXPECT_EQ(EntryAt(file, 1).colours, 0);
    EXPECT_EQ(EntryAt(file, 2),
              (Entry{0, 0, 0, 0, 1, 32, static_cast<uint32_t>(images[2].size()), EntryAt(file, 2).offset}))
        << "256 pixels are written as 0";
    EXPECT_EQ(EntryAt(file, 3),
              (Entry{32, 32, 2, 0, 1, 1, static_cast<uint32_t>(images[3].size()), EntryAt(file, 3).offset}));
    EXPECT_EQ(EntryAt(file, 4).width, 0) << "a side of 256 or more makes both 0, not 194x57";
    EXPECT_EQ(EntryAt(file, 4).height, 0);
    EXPECT_TRUE(IsWellFormedIco(file));
}

TEST(IcoFile, PngImagesAreCopiedUnchangedWithTheGroupsDepth) {
    const std::string png = PngImage(256, 256, 5), bitmap = BitmapImage(32, 32, 32, 6);
    GroupEntry pngEntry = EntryFor(png, 2);
    pngEntry.planes = 1;
    pngEntry.bitCount = 24;
    const std::string file = File(*Group({bitmap, png}, {EntryFor(bitmap, 1), pngEntry}));
    const Entry entry = EntryAt(file, 1);
    EXPECT_EQ(entry, (Entry{0, 0, 0, 0, 1, 24, static_cast<uint32_t>(png.size()), entry.offset}));
    // Bytes 20 to 23 of a PNG image are its height: they stay.
    EXPECT_EQ(file.substr(entry.offset), png);
    EXPECT_TRUE(IsWellFormedIco(file));
}
