// Measures how long filling the icon cache takes for whole files, as the icon view does on the
// first showing of a catalogue entry. Usage: glyphdock-bench [FILE...] (default: the shell library)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "framework/CImageList.h"
#include "framework/CWinApp.h"
#include "view/IconView.h"

int main(int argc, char** argv) {
    std::vector<const char*> files(argv + 1, argv + argc);
    if (files.empty()) files.push_back("C:\\windows\\system32\\shell32.dll");
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (const char* file : files) {
        int count = SourceIconCount(file);
        CImageList cache;
        cache.Create(32, 32, IconListFlags(), 0, 100);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        AppendFileIcons(cache, file, count);
        QueryPerformanceCounter(&end);
        double ms =
            1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        std::printf("%s: %d icons in %.1f ms (%.3f ms an icon), %d images\n", file, count, ms, count ? ms / count : 0.0,
                    cache.GetImageCount());
    }
    return 0;
}
