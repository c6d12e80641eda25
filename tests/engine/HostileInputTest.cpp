// Every fixture cut at every length and changed at random places goes through the parsing.
// Under the native sanitizer build any read outside the bytes, overflow or leak fails the run;
// here the tests also check that whatever is built is a complete ICO file.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/ExactBytes.h"
#include "engine/GroupDirectory.h"
#include "engine/IcoLayout.h"
#include "engine/NeModule.h"
#include "fixtures/IconFixtures.h"
#include "support/EngineDrivers.h"
#include "support/RandomDamage.h"

using namespace fixtures;

namespace {

constexpr int MutationsPerFixture = 2000;

std::vector<std::string> NeFixtures() {
    std::vector<std::string> forty;
    for (int i = 0; i < 40; ++i)
        forty.push_back(BitmapImage(8, 8, 1, i));
    return {
        NeIconModule({{BitmapImage(32, 32, 4, 1), BitmapImage(16, 16, 4, 2)}, {BitmapImage(16, 16, 8, 3)}}, 0),
        NeIconModule({{BitmapImage(16, 16, 1, 1)}, {BitmapImage(16, 16, 4, 2), BitmapImage(8, 8, 24, 3)}}, 4, 7, true),
        NeIconModule({forty}, 4),
        NeModule(
            {{NeIconType, NeIntegerId | 1, BitmapImage(16, 16, 4, 1)},
             {NeGroupType, NeIntegerId | 1, GroupDirectory({EntryFor(BitmapImage(16, 16, 4, 1), 1)})},
             {0x8010, NeIntegerId | 1, VersionResource(false, {1, 2, 3, 4}, {{"040904e4", {{"ProductName", "P"}}}})}}),
    };
}

// Whatever the engine builds of damaged bytes is a whole ICO file, and described.
EngineChecks WholeFiles() {
    EngineChecks checks;
    checks.ico = [](const std::vector<unsigned char>& ico) { ASSERT_TRUE(IsWellFormedIco(AsString(ico))); };
    checks.description = [](const std::string& text) { ASSERT_FALSE(text.empty()); };
    return checks;
}

// A group directory and its images, as a 32-bit module holds them.
struct GroupFixture {
    std::string directory;
    std::map<uint16_t, std::string> images;
};

GroupFixture MakeGroup(const std::vector<std::string>& images) {
    GroupFixture group;
    std::vector<GroupEntry> entries;
    for (size_t i = 0; i < images.size(); ++i) {
        const uint16_t id = static_cast<uint16_t>(10 + i);
        group.images[id] = images[i];
        entries.push_back(EntryFor(images[i], id));
    }
    group.directory = GroupDirectory(entries);
    return group;
}

std::vector<GroupFixture> GroupFixtures() {
    return {MakeGroup({BitmapImage(32, 32, 4, 1), BitmapImage(16, 16, 4, 2), BitmapImage(32, 32, 8, 3)}),
            MakeGroup({BitmapImage(16, 16, 1, 1), BitmapImage(16, 16, 24, 2), BitmapImage(16, 16, 32, 3)}),
            MakeGroup({PngImage(16, 16, 4), BitmapImage(48, 48, 32, 5)})};
}

// Assembles a group whose images are exact heap copies, writes and describes it.
void ThroughGroupAssembly(ByteSpan directory, const std::map<uint16_t, ExactBytes>& images) {
    const ImageFinder find = [&](uint16_t id, ByteSpan& image) {
        const auto found = images.find(id);
        if (found == images.end()) return false;
        image = found->second.Span();
        return true;
    };
    ThroughGroupAssembly(directory, find, WholeFiles());
}

std::map<uint16_t, ExactBytes> Exact(const std::map<uint16_t, std::string>& images) {
    std::map<uint16_t, ExactBytes> exact;
    for (const auto& [id, bytes] : images)
        exact.emplace(id, ExactBytes(bytes));
    return exact;
}

// What a version resource gives is bounded by its bytes.
EngineChecks BoundedVersion() {
    EngineChecks checks;
    checks.version = [](const VersionInfo& info, ByteSpan resource) {
        ASSERT_LE(info.strings.size(), std::size(VersionStringNames));
        for (const auto& string : info.strings)
            ASSERT_LE(string.second.size(), 3 * resource.Size());
    };
    return checks;
}

}  // namespace

TEST(HostileInput, VersionResourcesCutAtEveryLengthAndWithRandomChanges) {
    std::mt19937 random(20240603);
    for (const bool wide : {true, false}) {
        const std::string resource = VersionResource(
            wide, {1, 2, 3, 4},
            {{"040704b0", {{"ProductName", "A"}}}, {"040904b0", {{"ProductName", "Dock"}, {"InternalName", "d"}}}});
        for (size_t length = 0; length <= resource.size(); ++length)
            ThroughVersion(ExactBytes(resource, length).Span(), wide, BoundedVersion());
        for (int i = 0; i < MutationsPerFixture; ++i) {
            ThroughVersion(ExactBytes(ChangeBytes(resource, random)).Span(), wide, BoundedVersion());
            if (HasFatalFailure()) FAIL() << "mutation " << i;
        }
    }
}

TEST(HostileInput, NeModulesCutAtEveryLength) {
    for (const std::string& module : NeFixtures())
        for (size_t length = 0; length <= module.size(); ++length) {
            ThroughNeModule(ExactBytes(module, length).Span(), WholeFiles());
            if (HasFatalFailure()) FAIL() << "cut at " << length;
        }
}

TEST(HostileInput, NeModulesWithRandomChanges) {
    std::mt19937 random(20240601);
    for (const std::string& module : NeFixtures())
        for (int i = 0; i < MutationsPerFixture; ++i) {
            ThroughNeModule(ExactBytes(ChangeBytes(module, random)).Span(), WholeFiles());
            if (HasFatalFailure()) FAIL() << "mutation " << i;
        }
}

TEST(HostileInput, GroupDirectoriesAndImagesCutAtEveryLength) {
    for (const GroupFixture& group : GroupFixtures()) {
        const auto images = Exact(group.images);
        for (size_t length = 0; length <= group.directory.size(); ++length)
            ThroughGroupAssembly(ExactBytes(group.directory, length).Span(), images);
        const ExactBytes directory(group.directory);
        auto cut = Exact(group.images);
        for (const auto& [id, bytes] : group.images) {
            for (size_t length = 0; length <= bytes.size(); ++length) {
                cut.erase(id);
                cut.emplace(id, ExactBytes(bytes, length));
                ThroughGroupAssembly(directory.Span(), cut);
                if (HasFatalFailure()) FAIL() << "image " << id << " cut at " << length;
            }
        }
    }
}

TEST(HostileInput, GroupDirectoriesAndImagesWithRandomChanges) {
    std::mt19937 random(20240602);
    for (const GroupFixture& group : GroupFixtures())
        for (int i = 0; i < MutationsPerFixture; ++i) {
            std::map<uint16_t, std::string> images = group.images;
            std::string directory = group.directory;
            const size_t target = random() % (images.size() + 1);
            if (target == 0) {
                directory = ChangeBytes(directory, random);
            } else {
                auto chosen = std::next(images.begin(), static_cast<std::ptrdiff_t>(target - 1));
                chosen->second = ChangeBytes(chosen->second.substr(0, 64), random) + chosen->second.substr(64);
            }
            ThroughGroupAssembly(ExactBytes(directory).Span(), Exact(images));
            if (HasFatalFailure()) FAIL() << "mutation " << i;
        }
}
