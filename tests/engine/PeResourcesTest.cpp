// The reading of PE modules' icon groups, over generated modules: what a sound module gives,
// which language a name takes, and hostile modules (cut, changed, looping) that must never be
// read outside their bytes or without end, through the pictures and records made of them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "engine/IconPicture.h"
#include "engine/IconRecord.h"
#include "engine/PeResources.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/EngineDrivers.h"
#include "support/ExactBytes.h"
#include "support/RandomDamage.h"

using namespace fixtures;

namespace {

const std::vector<uint16_t> Languages = {0x0000, 0x0409};
constexpr uint64_t LargestRead = 256u << 20;

PeRead Read(const ExactBytes& file, PeIconModule& module, const std::vector<uint16_t>& languages = Languages) {
    return ReadPeIconModule(file.Span(), languages, module);
}

// Serves a file's bytes in pieces, each a block of its own, counting what is read; the read that
// takes in `failAt` fails.
SourceBytes::Reader PieceReader(ByteSpan file, uint64_t& read, uint64_t failAt = UINT64_MAX) {
    return [file, &read, failAt](uint64_t offset, size_t count,
                                 std::unique_ptr<unsigned char[]>& block) -> const unsigned char* {
        read += count;
        block.reset(new unsigned char[count]);
        for (size_t i = 0; i < count; ++i)
            block[i] = offset + i < file.Size() ? file.Data()[offset + i] : 0;
        return failAt < offset || failAt >= offset + count ? block.get() : nullptr;
    };
}

// A module read in small pieces gives exactly what it gives read whole.
void ExpectSameReadInPieces(ByteSpan file) {
    PeIconModule whole, pieces;
    uint64_t read = 0;
    const SourceBytes bytes(file.Size(), PieceReader(file, read), UINT64_MAX, 61);
    ASSERT_EQ(ReadPeIconModule(bytes, Languages, pieces), ReadPeIconModule(file, Languages, whole));
    ASSERT_EQ(pieces.groups.size(), whole.groups.size());
    for (size_t g = 0; g < whole.groups.size(); ++g) {
        EXPECT_EQ(pieces.groups[g].name.integer, whole.groups[g].name.integer);
        EXPECT_EQ(pieces.groups[g].name.id, whole.groups[g].name.id);
        EXPECT_EQ(pieces.groups[g].name.text, whole.groups[g].name.text);
        EXPECT_EQ(AsString(pieces.groups[g].directory), AsString(whole.groups[g].directory));
    }
    ASSERT_EQ(pieces.images.size(), whole.images.size());
    for (const auto& [id, image] : whole.images)
        EXPECT_EQ(AsString(pieces.images.at(id)), AsString(image));
    EXPECT_EQ(pieces.whole, whole.whole);
    EXPECT_EQ(pieces.entriesVisited, whole.entriesVisited);
}

// Everything the program does with a reading: what it leaves to the system is never empty.
void ThroughEverything(ByteSpan file) {
    EngineChecks checks;
    checks.systemImage = [](ByteSpan image) { ASSERT_GT(SystemImageBytes(image), 0u); };
    ThroughPeModule(file, {8, 24, 32}, checks);
    ExpectSameReadInPieces(file);
}

std::string SampleModule(bool pe32plus = true) {
    const std::string a = BitmapImage(32, 32, 4, 1), b = BitmapImage(16, 16, 8, 2), c = PngImage(48, 48, 3);
    return PeModule({{3, 1, u"", 0, a},
                     {3, 2, u"", 0, b},
                     {3, 3, u"", 0, c},
                     {14, 7, u"", 0, GroupDirectory({EntryFor(a, 1), EntryFor(b, 2)})},
                     {14, 2, u"", 0, GroupDirectory({EntryFor(c, 3)})},
                     {14, 0, u"MAIN", 0, GroupDirectory({EntryFor(b, 2)})},
                     {14, 0, u"ALPHA", 0, GroupDirectory({EntryFor(a, 1), EntryFor(c, 3)})}},
                    pe32plus);
}

}  // namespace

TEST(PeResources, GivesGroupsInEnumerationOrderWithTheirBytesAsStored) {
    for (bool pe32plus : {true, false}) {
        const ExactBytes file(SampleModule(pe32plus));
        PeIconModule module;
        ASSERT_EQ(Read(file, module), PeRead::Read);
        ASSERT_EQ(module.groups.size(), 4u);
        EXPECT_EQ(module.groups[0].name.text, u"ALPHA");
        EXPECT_EQ(module.groups[1].name.text, u"MAIN");
        EXPECT_TRUE(module.groups[2].name.integer);
        EXPECT_EQ(module.groups[2].name.id, 2);
        EXPECT_EQ(module.groups[3].name.id, 7);
        const std::string a = BitmapImage(32, 32, 4, 1);
        EXPECT_EQ(AsString(module.groups[3].directory),
                  GroupDirectory({EntryFor(a, 1), EntryFor(BitmapImage(16, 16, 8, 2), 2)}));
        ByteSpan image;
        ASSERT_TRUE(module.FindImage(1, image));
        EXPECT_EQ(AsString(image), a);
        EXPECT_TRUE(module.whole);
    }
}

TEST(PeResources, TakesTheLanguageTheResourceLookupTakes) {
    const std::string german = GroupDirectory({EntryFor(BitmapImage(16, 16, 4, 1), 1)}, 1);
    std::string english = german, neutral = german;
    english[0] = 'E';
    neutral[0] = 'N';
    const std::string image = BitmapImage(16, 16, 4, 1);
    const auto module = [&](bool withNeutral) {
        std::vector<PeResource> resources = {
            {3, 1, u"", 0, image}, {14, 1, u"", 0x407, german}, {14, 1, u"", 0x409, english}};
        if (withNeutral) resources.push_back({14, 1, u"", 0, neutral});
        return ExactBytes(PeModule(resources));
    };
    const ExactBytes withNeutral = module(true), withoutNeutral = module(false);
    PeIconModule read;
    ASSERT_EQ(Read(withNeutral, read), PeRead::Read);
    EXPECT_EQ(AsString(read.groups[0].directory), neutral);
    ASSERT_EQ(Read(withoutNeutral, read), PeRead::Read);
    EXPECT_EQ(AsString(read.groups[0].directory), english) << "English before the first stored";
    ASSERT_EQ(Read(withoutNeutral, read, {0x0000, 0x0407, 0x0409}), PeRead::Read);
    EXPECT_EQ(AsString(read.groups[0].directory), german);
    ASSERT_EQ(Read(withoutNeutral, read, {}), PeRead::Read);
    EXPECT_EQ(AsString(read.groups[0].directory), german) << "the first stored";
}

TEST(PeResources, TellsOtherFilesAndModulesWithoutIcons) {
    PeIconModule module;
    EXPECT_EQ(Read(ExactBytes(IcoFile({BitmapImage(16, 16, 4, 1)})), module), PeRead::NotPe);
    EXPECT_EQ(Read(ExactBytes(NeIconModule({{BitmapImage(16, 16, 4, 1)}})), module), PeRead::NotPe);
    EXPECT_EQ(Read(ExactBytes(PeModule({{10, 1, u"", 0, "data"}})), module), PeRead::Read);
    EXPECT_TRUE(module.groups.empty());

    // An image missing: the group keeps its place, and the module is not whole.
    std::string damaged = PeIconLibrary({{BitmapImage(16, 16, 4, 1)}, {BitmapImage(32, 32, 4, 2)}});
    ASSERT_EQ(Read(ExactBytes(damaged), module), PeRead::Read);
    ASSERT_TRUE(module.whole);
    const size_t directory = damaged.find(GroupDirectory({EntryFor(BitmapImage(32, 32, 4, 2), 2)}));
    PutU16(damaged, directory + 6 + 12, 99);
    ASSERT_EQ(Read(ExactBytes(damaged), module), PeRead::Read);
    EXPECT_EQ(module.groups.size(), 2u);
    EXPECT_FALSE(module.whole);
}

// An installer carries its payload behind the module: only the parts the reading looks at are
// read, and a part that cannot be read voids the reading.
TEST(PeResources, AModuleReadInPiecesReadsNoMoreThanItsResourcesNeed) {
    const ExactBytes file(SampleModule());
    const uint64_t appended = uint64_t{2} << 30;
    uint64_t read = 0;
    const SourceBytes bytes(file.Span().Size() + appended, PieceReader(file.Span(), read), LargestRead);
    PeIconModule module;
    ASSERT_EQ(ReadPeIconModule(bytes, Languages, module), PeRead::Read);
    EXPECT_EQ(module.groups.size(), 4u);
    EXPECT_TRUE(module.whole);
    EXPECT_LE(read, SourceBytes::DefaultPiece);
    EXPECT_EQ(bytes.Held(), read);

    const SourceBytes failing(file.Span().Size(), PieceReader(file.Span(), read, PeResourceFileOffset + 20),
                              LargestRead, 256);
    ReadPeIconModule(failing, Languages, module);
    EXPECT_TRUE(failing.Failed());
    ByteSpan part;
    EXPECT_FALSE(failing.Part(0, 2, part)) << "nothing more is given once a read failed";

    const SourceBytes tooMuch(appended, PieceReader(file.Span(), read), LargestRead);
    EXPECT_FALSE(tooMuch.Part(0, appended, part));
    EXPECT_TRUE(tooMuch.Failed());
    EXPECT_EQ(tooMuch.Held(), 0u);
}

TEST(PeResources, DirectoriesThatShareOrLoopAreReadWithinABudget) {
    // One group directory of 30000 entries that all lead to one language directory of 30000
    // entries, and a type entry that leads back to the root.
    std::string module = PeIconLibrary({{BitmapImage(16, 16, 4, 1)}});
    const size_t root = PeResourceFileOffset, count = 30000;
    std::string tree(16 + 8 * 2 + 2 * (16 + 8 * count), '\0');
    PutU16(tree, 14, 2);
    PutU32(tree, 16, 3);
    PutU32(tree, 20, 0x80000000u);  // the icon images: the root itself
    PutU32(tree, 24, 14);
    const size_t groups = 32, languages = groups + 16 + 8 * count;
    PutU32(tree, 28, 0x80000000u | static_cast<uint32_t>(groups));
    PutU16(tree, groups + 14, static_cast<uint16_t>(count));
    PutU16(tree, languages + 14, static_cast<uint16_t>(count));
    for (size_t i = 0; i < count; ++i) {
        PutU32(tree, groups + 16 + 8 * i, static_cast<uint32_t>(i));
        PutU32(tree, groups + 20 + 8 * i, 0x80000000u | static_cast<uint32_t>(languages));
        PutU32(tree, languages + 16 + 8 * i, 0x0C00 + static_cast<uint32_t>(i));
    }
    module = module.substr(0, root) + tree;
    PeIconModule read;
    EXPECT_EQ(Read(ExactBytes(module), read), PeRead::Invalid);
    // Read naively, the shared directories alone would take 30000 x 30000 entries.
    EXPECT_GT(read.entriesVisited, PeEntryBudget - count);
    EXPECT_LE(read.entriesVisited, PeEntryBudget);
}

TEST(PeResources, CutAtEveryLengthAndChangedAtRandom) {
    for (bool pe32plus : {true, false}) {
        const std::string module = SampleModule(pe32plus);
        for (size_t length = 0; length <= module.size(); length += (length < 0x400 ? 1 : 7)) {
            ThroughEverything(ExactBytes(module, length).Span());
            if (HasFatalFailure()) FAIL() << "cut at " << length;
        }
        std::mt19937 random(pe32plus ? 9001 : 9002);
        for (int i = 0; i < 3000; ++i) {
            // Half of the changes land in the headers and directories, half anywhere.
            ThroughEverything(ExactBytes(ChangeBytes(module, random, PeResourceFileOffset + 0x180)).Span());
            if (HasFatalFailure()) FAIL() << "mutation " << i;
        }
    }
}

// A real program of the test prefix, damaged inside its resources: under Wine always, natively
// once the Windows suite has made the prefix.
TEST(PeResources, DamagedCopiesOfARealProgram) {
    std::ifstream in(GLYPHDOCK_PREFIX_WINDOWS "regedit.exe", std::ios::binary);
    const std::string module((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (module.empty()) GTEST_SKIP() << "no test prefix yet";
    size_t start = 0, size = 0;
    PeResourceSection(module, start, size);
    ASSERT_GT(size, 0u);
    std::mt19937 random(9003);
    for (int i = 0; i < 500; ++i) {
        ThroughEverything(ExactBytes(DamagedModuleCopy(module, start, size, random)).Span());
        if (HasFatalFailure()) FAIL() << "copy " << i;
    }
}
