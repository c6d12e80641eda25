// A sample of damaged modules through the real roads, with the system's loader and files: no
// crash, no message, and nothing but complete ICO files left behind, none for what is unsound.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/EngineTestSupport.h"
#include "support/ExactBytes.h"
#include "engine/IconSource.h"
#include "engine/NeModule.h"
#include "fixtures/IconFixtures.h"
#include "support/RandomDamage.h"
#include "support/TempFolder.h"

using namespace fixtures;

namespace {

constexpr int SamplesPerFixture = 60;

// The value the next handle gets: the lowest free slot of the handle table. A handle left open
// takes that slot, so the value changes. (GetProcessHandleCount answers 0 under Wine.)
HANDLE NextHandle() {
    const HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return probe;
}

// Runs every command's road over the source and answers the names of the files left. Every
// handle opened on the way is closed again, once the system has made what it keeps for good
// (a first run over a sound module does that).
std::vector<std::string> ThroughTheRoads(const std::string& source, const TempFolder& output, bool warmingUp = false) {
    const HANDLE next = NextHandle();
    ExportAllIconGroups(source.c_str(), output.Path().c_str());
    std::string text;
    for (int i = 0; i < 12; ++i)
        DescribeIconGroup(source.c_str(), i, text);
    ListIconGroups(source.c_str(), [](int, const std::string&, const std::string&) {});
    if (!warmingUp) {
        EXPECT_EQ(NextHandle(), next) << "a handle was left open";
    }
    std::vector<std::string> files = FolderFiles(output.Path());
    for (const std::string& file : files) {
        EXPECT_TRUE(IsWellFormedIco(ReadWholeFile(output.Path() + file))) << file;
        DeleteFileA((output.Path() + file).c_str());
    }
    return files;
}

}  // namespace

TEST(HostileRoads, DamagedSixteenBitModules) {
    TempFolder folder, output;
    MessageRecorder messages;
    std::mt19937 random(7);
    const std::vector<std::string> modules = {
        NeIconModule({{BitmapImage(32, 32, 4, 1), BitmapImage(16, 16, 4, 2)}, {BitmapImage(16, 16, 8, 3)}}, 0),
        NeIconModule({{BitmapImage(16, 16, 1, 1)}, {BitmapImage(16, 16, 4, 2)}, {BitmapImage(8, 8, 24, 3)}}, 4, 7,
                     true),
    };
    ThroughTheRoads(folder.WriteFile("m.exe", modules[0]), output, true);
    for (const std::string& module : modules)
        for (int sample = 0; sample < SamplesPerFixture; ++sample) {
            const std::string damaged = CutOrChangeBytes(module, random, 0x100);
            const std::string source = folder.WriteFile("m.exe", damaged);
            // What may be written: every sound group, under its own number.
            std::vector<std::string> expected;
            const ExactBytes bytes(damaged);
            NeResourceTable table;
            if (WalkNeModule(bytes.Span(), table) == NeWalk::Walked)
                for (size_t k = 0; k < table.groups.size(); ++k) {
                    std::vector<unsigned char> ico;
                    if (NeGroupIcoBytes(bytes.Span(), table, k, ico) == NeGroup::Built)
                        expected.push_back(GroupFileName("", "m", static_cast<int>(k)));
                }
            EXPECT_EQ(ThroughTheRoads(source, output), expected) << "sample " << sample;
            if (HasFailure()) return;
        }
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(HostileRoads, DamagedModulesLoadedAsData) {
    TempFolder folder, output;
    MessageRecorder messages;
    std::mt19937 random(8);
    ThroughTheRoads(FixturePath("broken64.dll"), output, true);
    for (const char* name : {"broken64.dll", "icons64.dll"}) {
        const std::string module = ReadWholeFile(FixturePath(name));
        ASSERT_FALSE(module.empty());
        for (int sample = 0; sample < SamplesPerFixture; ++sample) {
            const std::string source = folder.WriteFile("m.dll", CutOrChangeBytes(module, random, 0x1800));
            ThroughTheRoads(source, output);
            if (HasFailure()) FAIL() << name << " sample " << sample;
        }
    }
    EXPECT_TRUE(messages.Messages().empty());
}
