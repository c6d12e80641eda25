// Filling the icon cache from a file keeps one image per icon index, whatever the shell yields.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "support/EngineTestSupport.h"
#include "framework/CImageList.h"
#include "framework/CWinApp.h"
#include "view/IconView.h"

namespace {

TEST(IconCache, IconsTheShellCannotExtractKeepTheirPlaceAsBlankImages) {
    // Some groups of this module name images it does not hold.
    std::string path = FixturePath("broken64.dll");
    int count = ShellIconCount(path);
    ASSERT_GT(count, 0);
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        HICON icon = ExtractIconA(AppInstance(), path.c_str(), static_cast<UINT>(i));
        if (icon)
            DestroyIcon(icon);
        else
            ++missing;
    }
    ASSERT_GT(missing, 0) << "the fixture no longer has icons the shell cannot extract";

    CImageList cache;
    ASSERT_TRUE(cache.Create(32, 32, IconListFlags(), 0, 100));
    AppendFileIcons(cache, path.c_str(), count);
    EXPECT_EQ(cache.GetImageCount(), count);
}

}  // namespace
