// libglyphdock as a host program meets it, built under the sanitizers: damaged modules through
// every call, handles on two threads, errors as codes with messages, and not a byte on the
// host's error stream.
#include <glyphdock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <thread>

#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/RandomDamage.h"

using namespace fixtures;

namespace {

std::vector<std::string> Sources() {
    const std::string version = VersionResource(true, {1, 2, 3, 4}, {{"040904b0", {{"ProductName", "P"}}}});
    const std::string bitmap = BitmapImage(16, 16, 4, 1), png = PngImage(32, 32, 2);
    return {PeModule({{3, 1, u"", 0, bitmap},
                      {3, 2, u"", 0, png},
                      {14, 0, u"NAMED", 0x409, GroupDirectory({EntryFor(bitmap, 1), EntryFor(png, 2)})},
                      {14, 4, u"", 0, GroupDirectory({EntryFor(png, 2)})},
                      {16, 1, u"", 0, version}}),
            PeIconLibrary({{BitmapImage(24, 24, 8, 3), BitmapImage(48, 48, 32, 4)}}, false),
            NeModule({{NeIconType, NeIntegerId | 1, bitmap},
                      {NeGroupType, NeIntegerId | 5, GroupDirectory({EntryFor(bitmap, 1)})},
                      {0x8010, NeIntegerId | 1,
                       VersionResource(false, {3, 1, 0, 0}, {{"040904e4", {{"FileDescription", "D"}}}})}}),
            IcoFile({png, bitmap})};
}

// The bytes a call returns, freed; empty when it fails.
template <typename Call>
std::string Taken(Call call) {
    unsigned char* data = nullptr;
    size_t size = 0;
    const gd_error error = call(&data, &size);
    std::string bytes = error == GD_OK ? std::string(reinterpret_cast<char*>(data), size) : std::string();
    gd_free(data);
    return bytes;
}

// Everything the library gives of a source, in one text: what two readings of the same bytes
// give must be equal.
std::string EveryCall(gd_source* source) {
    std::string all = std::to_string(gd_source_status(source)) + std::to_string(gd_source_kind(source));
    for (int g = -1; g <= gd_group_count(source); ++g) {
        gd_group_info group{};
        all += std::to_string(gd_group(source, g, &group)) + (group.name ? group.name : "");
        const std::string ico = Taken([&](unsigned char** data, size_t* size) { return gd_group_ico(source, g, data, size); });
        if (!ico.empty() && gd_source_kind(source) != GD_KIND_ICO) {
            EXPECT_TRUE(IsWellFormedIco(ico));
        }
        all += ico;
        for (int side : {1, 16, 40, 300})
            all += Taken([&](unsigned char** data, size_t* size) { return gd_thumbnail(source, g, side, data, size); });
        for (int k = -1; k <= group.image_count; ++k) {
            gd_image_info image{};
            all += std::to_string(gd_image(source, g, k, &image)) + std::to_string(image.width);
            all += Taken([&](unsigned char** data, size_t* size) { return gd_image_png(source, g, k, data, size); });
            int width = 0, height = 0;
            unsigned char* pixels = nullptr;
            all += std::to_string(gd_image_rgba(source, g, k, &pixels, &width, &height));
            gd_free(pixels);
        }
    }
    uint16_t file[4], product[4];
    all += std::to_string(gd_version_numbers(source, file, product));
    for (int i = 0; i < gd_version_string_count(source); ++i) {
        const char *key = nullptr, *value = nullptr;
        if (gd_version_string(source, i, &key, &value) == GD_OK)
            all += std::string(key) + value + gd_version_value(source, key);
    }
    return all;
}

}  // namespace

TEST(LibraryTest, DamagedSourcesGoThroughEveryCallSilently) {
    testing::internal::CaptureStderr();
    std::mt19937 random(26);
    for (const std::string& sound : Sources()) {
        for (int i = 0; i < 150; ++i) {
            const std::string bytes = i == 0 ? sound : CutOrChangeBytes(sound, random, 0x600);
            gd_source* source = gd_open_memory(bytes.data(), bytes.size());
            ASSERT_NE(source, nullptr);
            const std::string all = EveryCall(source);
            if (i == 0) {
                EXPECT_EQ(gd_source_status(source), GD_STATUS_OK) << gd_message(source);
            }
            gd_close(source);
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(LibraryTest, HandlesOnTwoThreadsGiveWhatOneThreadGives) {
    const std::vector<std::string> sources = Sources();
    std::vector<std::string> alone;
    for (const std::string& bytes : sources) {
        gd_source* source = gd_open_memory(bytes.data(), bytes.size());
        alone.push_back(EveryCall(source));
        gd_close(source);
    }
    const auto work = [&](size_t first, std::vector<std::string>& seen) {
        for (int round = 0; round < 10; ++round)
            for (size_t k = 0; k < sources.size(); ++k) {
                const std::string& bytes = sources[(first + k) % sources.size()];
                gd_source* source = gd_open_memory(bytes.data(), bytes.size());
                seen.push_back(EveryCall(source));
                gd_close(source);
            }
    };
    std::vector<std::string> one, two;
    std::thread a(work, 0, std::ref(one)), b(work, 1, std::ref(two));
    a.join();
    b.join();
    for (size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i], alone[i % sources.size()]);
        EXPECT_EQ(two[i], alone[(1 + i) % sources.size()]);
    }
}

// A file is read while it is opened: shortened afterwards, it gives the same icons. Failures
// come back as codes with a message of the handle.
TEST(LibraryTest, ASourceIsReadWhenOpenedAndFailuresComeAsCodesWithAMessage) {
    char name[] = "/tmp/glyphdock-library-XXXXXX";
    const int file = mkstemp(name);
    ASSERT_GE(file, 0);
    const std::string bytes = Sources()[0];
    ASSERT_EQ(write(file, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    gd_source* source = gd_open(name);
    ASSERT_EQ(ftruncate(file, 10), 0);
    close(file);
    gd_source* copy = gd_open_memory(bytes.data(), bytes.size());
    EXPECT_EQ(EveryCall(source), EveryCall(copy));
    gd_close(copy);

    unsigned char* data = nullptr;
    size_t size = 0;
    EXPECT_EQ(gd_group_ico(source, 2, &data, &size), GD_ERROR_NO_GROUP);
    EXPECT_STREQ(gd_message(source), "no icon group 2");
    EXPECT_EQ(gd_thumbnail(source, 0, 0, &data, &size), GD_ERROR_ARGUMENT);
    int group = -1;
    EXPECT_EQ(gd_group_with_id(source, 4, &group), GD_OK);
    EXPECT_EQ(group, 1);
    EXPECT_EQ(gd_group_ico(nullptr, 0, &data, &size), GD_ERROR_ARGUMENT);
    gd_close(source);

    source = gd_open(name);  // now 10 bytes: the start of an MZ header
    EXPECT_EQ(gd_source_status(source), GD_STATUS_NOT_A_MODULE);
    EXPECT_STRNE(gd_message(source), "");
    gd_close(source);
    unlink(name);
    source = gd_open(name);
    EXPECT_EQ(gd_source_status(source), GD_STATUS_UNREADABLE);
    EXPECT_EQ(gd_source_kind(source), GD_KIND_NONE);
    EXPECT_EQ(gd_group_count(source), 0);
    gd_close(source);
    ASSERT_EQ(mkfifo(name, 0600), 0);  // a named pipe without a writer: told at once, not waited on
    source = gd_open(name);
    EXPECT_EQ(gd_source_status(source), GD_STATUS_UNREADABLE);
    gd_close(source);
    unlink(name);
}
