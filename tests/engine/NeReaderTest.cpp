// 16-bit modules and ICO files as sources: the road that the system's loader refuses.
#include <gtest/gtest.h>

#include "engine/EngineMessages.h"
#include "support/EngineTestSupport.h"
#include "engine/IconSource.h"
#include "fixtures/IconFixtures.h"
#include "support/DialogRobot.h"
#include "support/TempFolder.h"

using namespace fixtures;

namespace {

const std::vector<std::string> First = {BitmapImage(32, 32, 4, 1), BitmapImage(16, 16, 4, 2)};
const std::vector<std::string> Second = {BitmapImage(32, 32, 8, 3)};

}  // namespace

TEST(NeReader, ExportsAndDescribesSixteenBitModulesThroughTheCommandsRoad) {
    TempFolder folder;
    MessageRecorder messages;
    // Image records in reverse order: images are found by their ids, not their positions.
    const std::string source = folder.WriteFile("old.tool.exe", NeIconModule({First, Second}, 4, 1, true));
    const std::string output = folder.WriteFile("one.ico", std::string(5000, 'x'));
    ASSERT_EQ(ExportIconGroup(source.c_str(), 1, output.c_str()), GroupExport::Written);
    const std::string ico = ReadWholeFile(output);
    EXPECT_EQ(IcoImages(ico), Second) << "replaced, not appended to";

    folder.WriteFile("old_000.ico", std::string(5000, 'x'));
    ASSERT_TRUE(ExportAllIconGroups(source.c_str(), folder.Path().c_str()));
    EXPECT_EQ(FolderFiles(folder.Path()),
              (std::vector<std::string>{"old.tool.exe", "old_000.ico", "old_001.ico", "one.ico"}));
    EXPECT_EQ(IcoImages(ReadWholeFile(folder.Path() + "old_000.ico")), First);
    for (size_t i = 0; i < First.size(); ++i)
        EXPECT_TRUE(LoadsAsIcon(First[i], i ? 16 : 32, i ? 16 : 32));

    std::string text;
    EXPECT_TRUE(DescribeIconGroup(source.c_str(), 0, text));
    EXPECT_EQ(text, "32x32x16, 16x16x16");
    EXPECT_FALSE(DescribeIconGroup(source.c_str(), 2, text));
    EXPECT_EQ(text, "");

    // An ordinal past the last group writes nothing and says nothing: the command tells the user.
    const std::string beyond = folder.Path() + "beyond.ico";
    EXPECT_EQ(ExportIconGroup(source.c_str(), 2, beyond.c_str()), GroupExport::Unread);
    EXPECT_FALSE(FileExists(beyond));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(NeReader, RefusesIcoFilesWithItsMessage) {
    TempFolder folder;
    const std::string source = folder.WriteFile("ICONS.ICO", IcoFile(First));
    {
        MessageRecorder messages;
        EXPECT_EQ(ExportIconGroup(source.c_str(), 0, (folder.Path() + "a.ico").c_str()), GroupExport::Reported);
        EXPECT_FALSE(ExportAllIconGroups(source.c_str(), folder.Path().c_str()));
        std::string text = "stale";
        EXPECT_FALSE(DescribeIconGroup(source.c_str(), 0, text));
        EXPECT_EQ(text, "");
        ASSERT_EQ(messages.Messages().size(), 2u) << "the description stays silent";
        for (const EngineMessage& message : messages.Messages()) {
            EXPECT_EQ(message.text, "This is already an icon file ! Operation aborted.");
            EXPECT_EQ(message.caption, "Glyphdock");
            EXPECT_EQ(message.style, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
        }
    }
    DialogRobot robot;
    robot.Expect(DialogRobot::Press(IDOK));
    ExportIconGroup(source.c_str(), 0, (folder.Path() + "a.ico").c_str());
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "Glyphdock");
    EXPECT_EQ(FolderFiles(folder.Path()), std::vector<std::string>{"ICONS.ICO"});

    // The content decides, not the name.
    MessageRecorder messages;
    const std::string misnamed = folder.WriteFile("icons.exe", IcoFile(First)),
                      module = folder.WriteFile("m.ico", NeIconModule({First}));
    EXPECT_EQ(ExportIconGroup(misnamed.c_str(), 0, (folder.Path() + "a.ico").c_str()), GroupExport::Reported);
    EXPECT_EQ(ExportIconGroup(module.c_str(), 0, (folder.Path() + "a.ico").c_str()), GroupExport::Written);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST(NeReader, WritesAndShowsNothingForWhatItCannotRead) {
    TempFolder folder, output;
    MessageRecorder messages;
    const std::string good = NeIconModule({First, Second});
    std::string notMz = good, notNe = good, shifted = good;
    notMz[0] = 'Z';
    notNe[NeHeaderOffset + 1] = 'X';
    PutU16(shifted, NeTableOffset, 16);
    const std::pair<const char*, std::string> sources[] = {
        {"notmz.exe", notMz},
        {"notne.exe", notNe},
        {"notable.exe", NeModule({}, 4, false)},
        {"shift16.exe", shifted},
        {"cut.exe", good.substr(0, NeTableOffset + 20)},
        {"empty.exe", ""},
    };
    for (const auto& [name, bytes] : sources) {
        const std::string source = folder.WriteFile(name, bytes);
        ExportAllIconGroups(source.c_str(), output.Path().c_str());
        ExportIconGroup(source.c_str(), 0, (output.Path() + "x.ico").c_str());
        std::string text = "stale";
        EXPECT_FALSE(DescribeIconGroup(source.c_str(), 0, text)) << name;
        EXPECT_EQ(text, "");
    }
    EXPECT_FALSE(ExportAllIconGroups((folder.Path() + "missing.exe").c_str(), output.Path().c_str()));
    EXPECT_TRUE(FolderFiles(output.Path()).empty());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(NeReader, SaveAllSkipsAGroupItCannotReadAndKeepsTheOthersNumbers) {
    TempFolder folder;
    // Group 2 of three names an image that is not there.
    std::string module = NeModule({{NeIconType, NeIntegerId | 1, First[0]},
                                   {NeGroupType, NeIntegerId | 1, GroupDirectory({EntryFor(First[0], 1)})},
                                   {NeGroupType, NeIntegerId | 2, GroupDirectory({EntryFor(First[0], 9)})},
                                   {NeGroupType, NeIntegerId | 3, GroupDirectory({EntryFor(First[0], 1)})}});
    const std::string source = folder.WriteFile("three.exe", module);
    EXPECT_FALSE(ExportAllIconGroups(source.c_str(), folder.Path().c_str()));
    EXPECT_EQ(FolderFiles(folder.Path()), (std::vector<std::string>{"three.exe", "three_000.ico", "three_002.ico"}));
}
