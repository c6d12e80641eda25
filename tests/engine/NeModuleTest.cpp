// The 16-bit module reader over generated NE modules.
#include <gtest/gtest.h>

#include "support/ExactBytes.h"
#include "engine/NeModule.h"
#include "fixtures/IconFixtures.h"

using namespace fixtures;

namespace {

struct Walked {
    explicit Walked(const std::string& module) : bytes(module), result(WalkNeModule(bytes.Span(), table)) {}
    NeGroup Ico(size_t ordinal, std::string& ico) const {
        std::vector<unsigned char> file;
        const NeGroup built = NeGroupIcoBytes(bytes.Span(), table, ordinal, file);
        ico = AsString(file);
        return built;
    }
    std::string Summary(size_t ordinal) const {
        std::string text = "stale";
        NeGroupSummary(bytes.Span(), table, ordinal, text);
        return text;
    }
    ExactBytes bytes;
    NeResourceTable table;
    NeWalk result;
};

// The images of an exported file, in order.
std::vector<std::string> ImagesOf(const std::string& ico) {
    std::vector<std::string> images;
    for (size_t i = 0; i < GetU16(ico, 4); ++i)
        images.push_back(ico.substr(GetU32(ico, 6 + 16 * i + 12), GetU32(ico, 6 + 16 * i + 8)));
    return images;
}

const std::vector<std::string> FirstGroup = {BitmapImage(32, 32, 4, 1, 744), BitmapImage(16, 16, 4, 2)};
const std::vector<std::string> SecondGroup = {BitmapImage(32, 32, 8, 3)};

}  // namespace

TEST(NeModule, ExportsEachGroupWithImagesAsStoredForEveryShift) {
    for (unsigned shift : {0u, 4u, 9u}) {
        SCOPED_TRACE(shift);
        Walked module(NeIconModule({FirstGroup, SecondGroup}, shift));
        ASSERT_EQ(module.result, NeWalk::Walked);
        ASSERT_EQ(module.table.groups.size(), 2u);
        std::string ico;
        ASSERT_EQ(module.Ico(0, ico), NeGroup::Built);
        EXPECT_TRUE(IsWellFormedIco(ico));
        EXPECT_EQ(ImagesOf(ico), FirstGroup) << "the image-size field is not cleared";
        EXPECT_EQ(ico.substr(6, 16), std::string("\x20\x20\x10\0\1\0\4\0\xE8\x02\0\0\x26\0\0\0", 16));
        ASSERT_EQ(module.Ico(1, ico), NeGroup::Built);
        EXPECT_EQ(ImagesOf(ico), SecondGroup);
        EXPECT_EQ(module.Ico(2, ico), NeGroup::NoGroup);
        EXPECT_EQ(module.Summary(0), "32x32x16, 16x16x16");
        EXPECT_EQ(module.Summary(1), "32x32x256");
        EXPECT_EQ(module.Summary(2), "");
        EXPECT_EQ(NeGroupName(module.bytes.Span(), module.table, 1), "2");
    }
    // With a shift of 4 a record's offset counts 16-byte units.
    const std::string module = NeIconModule({FirstGroup}, 4);
    EXPECT_EQ(GetU16(module, NeTableOffset + 2 + 8) * 16u, module.find(FirstGroup[0]));
}

TEST(NeModule, FindsImagesByTheirIdsWhateverTheirOrderInTheTable) {
    // Image records listed in reverse: the position rule alone would swap the images.
    Walked reversed(NeIconModule({FirstGroup, SecondGroup}, 4, 5, true));
    std::string ico;
    ASSERT_EQ(reversed.Ico(0, ico), NeGroup::Built);
    EXPECT_EQ(ImagesOf(ico), FirstGroup);
    ASSERT_EQ(reversed.Ico(1, ico), NeGroup::Built);
    EXPECT_EQ(ImagesOf(ico), SecondGroup);

    // Image records with string names carry no id: the entry's id counts records from 1.
    const std::string a = BitmapImage(16, 16, 1, 1), b = BitmapImage(16, 16, 1, 2);
    Walked named(NeModule({{NeIconType, 0x10, a},
                           {NeIconType, 0x12, b},
                           {NeGroupType, NeIntegerId | 1, GroupDirectory({EntryFor(b, 2), EntryFor(a, 1)})}}));
    ASSERT_EQ(named.Ico(0, ico), NeGroup::Built);
    EXPECT_EQ(ImagesOf(ico), (std::vector<std::string>{b, a}));
}

TEST(NeModule, CutsExportsToThirtyImagesButDescribesThemAll) {
    std::vector<std::string> forty;
    for (int i = 0; i < 40; ++i)
        forty.push_back(BitmapImage(16, 16, 1, i));
    Walked module(NeIconModule({forty}));
    std::string ico;
    ASSERT_EQ(module.Ico(0, ico), NeGroup::Built);
    EXPECT_EQ(GetU16(ico, 4), 30u);
    EXPECT_EQ(ImagesOf(ico), std::vector<std::string>(forty.begin(), forty.begin() + 30));
    EXPECT_TRUE(IsWellFormedIco(ico));
    std::string expected = "16x16x2";
    for (int i = 1; i < 40; ++i)
        expected += ", 16x16x2";
    EXPECT_EQ(module.Summary(0), expected);
}

TEST(NeModule, EntriesTakeTheirFieldsFromTheGroupDirectory) {
    // Planes and bit count 0: colour count 1 in the file, the stored count in the summary. A
    // damaged group header still gives the header of an icon file.
    const std::string image = BitmapImage(32, 32, 4, 1);
    GroupEntry entry = EntryFor(image, 1);
    entry.planes = entry.bitCount = 0;
    entry.colourCount = 7;
    GroupEntry wide = EntryFor(BitmapImage(32, 32, 8, 2), 2);
    wide.colourCount = 9;
    Walked module(NeModule(
        {{NeIconType, NeIntegerId | 1, image},
         {NeIconType, NeIntegerId | 2, BitmapImage(32, 32, 8, 2)},
         {NeGroupType, NeIntegerId | 1, std::string("\x67\0\x02\0", 4) + GroupDirectory({entry, wide}).substr(4)}}));
    std::string ico;
    ASSERT_EQ(module.Ico(0, ico), NeGroup::Built);
    EXPECT_EQ(ico.substr(0, 4), std::string("\0\0\x01\0", 4));
    EXPECT_EQ(ico.substr(6, 8), std::string("\x20\x20\x01\0\0\0\0\0", 8));
    EXPECT_EQ(module.Summary(0), "32x32x7, 32x32x256");
}

TEST(NeModule, RefusesWhatIsNotASoundNeModule) {
    const std::string good = NeIconModule({FirstGroup});
    const auto walk = [](const std::string& bytes) {
        NeResourceTable table;
        return WalkNeModule(ExactBytes(bytes).Span(), table);
    };
    ASSERT_EQ(walk(good), NeWalk::Walked);
    std::string bytes = good;
    bytes[0] = 'X';
    EXPECT_EQ(walk(bytes), NeWalk::NotNe) << "not MZ";
    bytes = good;
    bytes[NeHeaderOffset] = 'P';
    EXPECT_EQ(walk(bytes), NeWalk::NotNe) << "not NE";
    bytes = good;
    PutU32(bytes, 60, 0);
    EXPECT_EQ(walk(bytes), NeWalk::NotNe) << "no new header";
    bytes = good;
    PutU32(bytes, 60, 0xFFFFFFF0u);
    EXPECT_EQ(walk(bytes), NeWalk::NotNe) << "new header past the end";
    EXPECT_EQ(walk(NeModule({}, 4, false)), NeWalk::NoResourceTable);
    bytes = good;
    PutU16(bytes, NeTableOffset, 16);
    EXPECT_EQ(walk(bytes), NeWalk::Invalid) << "shift of 16";
    bytes = good;
    PutU16(bytes, NeHeaderOffset + NeResourceTableField, 0xFFF0);
    EXPECT_EQ(walk(bytes), NeWalk::Invalid) << "table past the end";
    // A table without its terminating zero type: the file ends first.
    const std::string unterminated = NeModule({{NeIconType, NeIntegerId | 1, std::string()}}, 0);
    EXPECT_EQ(walk(unterminated.substr(0, NeTableOffset + 2 + 8 + 12)), NeWalk::Invalid);
    EXPECT_EQ(walk(good.substr(0, 63)), NeWalk::NotNe);
}

TEST(NeModule, RefusesGroupsThatReachPastTheFile) {
    const std::string good = NeIconModule({FirstGroup});
    const size_t imageRecord = NeTableOffset + 2 + 8, groupRecord = imageRecord + 2 * 12 + 8;
    std::string ico;
    std::string bytes = good;
    PutU16(bytes, groupRecord, 0xFFFF);
    EXPECT_EQ(Walked(bytes).Ico(0, ico), NeGroup::Invalid) << "directory past the end";
    EXPECT_EQ(Walked(bytes).Summary(0), "");
    bytes = good;
    PutU16(bytes, imageRecord, 0xFFFF);
    EXPECT_EQ(Walked(bytes).Ico(0, ico), NeGroup::Invalid) << "image past the end";
    EXPECT_EQ(Walked(good.substr(0, good.size() - 1)).Ico(0, ico), NeGroup::Invalid) << "directory cut short";
    bytes = good;
    PutU16(bytes, GetU16(good, groupRecord) * 16u + 4, 4);
    EXPECT_EQ(Walked(bytes).Ico(0, ico), NeGroup::Invalid) << "count runs past the directory";
    EXPECT_EQ(Walked(bytes).Summary(0), "");
}

TEST(NeModule, NamesGroupsByIdOrByTheirStringName) {
    std::string module = NeModule({{NeGroupType, 0x0040, GroupDirectory({})}, {NeGroupType, NeIntegerId | 300, ""}});
    Walked walked(module);
    ASSERT_EQ(walked.result, NeWalk::Walked);
    EXPECT_EQ(NeGroupName(walked.bytes.Span(), walked.table, 1), "300");
    // A string name is a length byte and its characters, at the id's offset into the table.
    module.resize(NeTableOffset + 0x50, '\0');
    module.replace(NeTableOffset + 0x40, 6, "\x05HELLO");
    Walked named(module);
    EXPECT_EQ(NeGroupName(named.bytes.Span(), named.table, 0), "HELLO");
}
