// The console program glyphdock-export, run as scripts run it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "support/EngineTestSupport.h"
#include "engine/IconSource.h"
#include "fixtures/IconFixtures.h"
#include "support/MainWindowHarness.h"
#include "support/TempFolder.h"

using namespace fixtures;

namespace {

struct ProgramRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;
};

std::string ReadPipe(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

// Runs the program with the arguments, each quoted, and collects what it writes.
ProgramRun RunExport(const std::vector<std::string>& arguments) {
    const std::string program = HostPathToWindows(GLYPHDOCK_EXPORT_EXE_PATH);
    std::string commandLine = "\"" + program + "\"";
    for (const std::string& argument : arguments)
        commandLine += " \"" + argument + "\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION started{};
    ProgramRun run;
    const bool ok = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                   nullptr, nullptr, &startup, &started);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    EXPECT_TRUE(ok) << program;
    // Standard output is read to its end while the program runs, so that no output is too
    // large for the pipe; the error stream's few lines fit in its buffer.
    run.out = ReadPipe(outRead);
    if (ok) {
        EXPECT_EQ(WaitForSingleObject(started.hProcess, 60000), WAIT_OBJECT_0);
        GetExitCodeProcess(started.hProcess, &run.exitCode);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    run.err = ReadPipe(errRead);
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

}  // namespace

TEST(ExportProgram, WritesEveryGroupUnderSaveAllsNamesWithTheProgramsEngine) {
    TempFolder sources, output, reference;
    const std::string ne =
        sources.WriteFile("old.exe", NeIconModule({{BitmapImage(32, 32, 4, 1)}, {BitmapImage(16, 16, 1, 2)}}));
    const std::string target = output.Path() + "new\\deeper";
    const ProgramRun run = RunExport({target, FixturePath("icons64.dll"), ne});
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "");

    ASSERT_TRUE(ExportAllIconGroups(FixturePath("icons64.dll").c_str(), reference.Path().c_str()));
    ASSERT_TRUE(ExportAllIconGroups(ne.c_str(), reference.Path().c_str()));
    const std::vector<std::string> files = FolderFiles(target + "\\");
    ASSERT_EQ(files, FolderFiles(reference.Path()));
    EXPECT_EQ(files.size(), 12u);
    for (const std::string& file : files)
        EXPECT_EQ(ReadWholeFile(target + "\\" + file), ReadWholeFile(reference.Path() + file)) << file;
}

TEST(ExportProgram, ListsIndexNameAndSummaryOfEveryGroup) {
    TempFolder sources;
    ProgramRun run = RunExport({"--list", FixturePath("icons64.dll")});
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(run.out.find("2\tICONMAIN\t32x32x256\r\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("4\t2\t32x32x16, 16x16x16, 32x32x256\r\n"), std::string::npos) << run.out;

    const std::string ne = sources.WriteFile("old.exe", NeIconModule({{BitmapImage(32, 32, 4, 1)}}));
    run = RunExport({"--list", ne});
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out, "0\t1\t32x32x16\r\n");

    run = RunExport({"--list", FixturePath("broken64.dll")});
    EXPECT_EQ(run.exitCode, 1u) << "unreadable groups";
    EXPECT_NE(run.out.find("6\t7\t32x32x16"), std::string::npos) << run.out;
}

TEST(ExportProgram, ExitStatusTellsWhetherEverySourceWasHandled) {
    TempFolder sources, outputFolder;
    // Without its trailing backslash, which would escape the closing quote of the argument.
    const std::string output = outputFolder.Path().substr(0, outputFolder.Path().size() - 1);
    const std::string ico = sources.WriteFile("icons.ico", IcoFile({BitmapImage(16, 16, 4, 1)}));
    ProgramRun run = RunExport({output, FixturePath("noicons64.dll")});
    EXPECT_EQ(run.exitCode, 0u) << "no icon groups is nothing to do";

    run = RunExport({output, ico, FixturePath("icons64.dll")});
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find(ico + ": This is already an icon file ! Operation aborted."), std::string::npos) << run.err;
    EXPECT_EQ(FolderFiles(outputFolder.Path()).size(), 10u) << "the other sources are still exported";

    run = RunExport({output, sources.Path() + "missing.dll"});
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find("missing.dll: "), std::string::npos) << run.err;

    // A folder that would not fit in a path buffer with its backslash is refused, never cut.
    for (size_t length : {259u, 300u}) {
        std::string tooLong = output + "\\";
        tooLong += std::string(length - tooLong.size(), 'f');
        run = RunExport({tooLong, FixturePath("icons64.dll")});
        EXPECT_EQ(run.exitCode, 1u) << length;
        EXPECT_NE(run.err.find("Folder name too long"), std::string::npos) << run.err;
    }
    EXPECT_EQ(FolderFiles(outputFolder.Path()).size(), 10u) << "nothing written beside the folder";

    // A folder that takes no file at all is told once, not once per icon or per source.
    run = RunExport({HostPathToWindows("/proc"), FixturePath("icons64.dll"), FixturePath("icons64.dll")});
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.err.find(": Error Opening File for Writing"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

    EXPECT_EQ(RunExport({}).exitCode, 2u);
    EXPECT_EQ(RunExport({output}).exitCode, 2u);
    EXPECT_EQ(RunExport({"--list"}).exitCode, 2u);
    EXPECT_EQ(RunExport({"--list", ico, ico}).exitCode, 2u);
    EXPECT_EQ(RunExport({"--bogus", ico}).exitCode, 2u);
    EXPECT_EQ(RunExport({"--png", output, ico}).exitCode, 2u) << "PNG images are the Linux build's";
    run = RunExport({"--version"});
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out.rfind("glyphdock-export ", 0), 0u) << run.out;
}

// Each group's images as its ICO file's directory lists them; the version as the script built it.
TEST(ExportProgram, JsonTellsEveryFieldOfAModuleAsBuilt) {
    TempFolder output;
    const std::string module = FixturePath("icons64.dll");
    const ProgramRun run = RunExport({"--json", module, FixturePath("icons32.dll")});
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    std::string escaped;
    for (const char c : module)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::string head = "{\"schema\":1,\"path\":\"" + escaped + "\",\"status\":\"ok\",\"kind\":\"pe32+\",";
    EXPECT_EQ(run.out.compare(0, head.size(), head), 0) << run.out;
    EXPECT_NE(run.out.find("\"kind\":\"pe32\","), std::string::npos) << run.out;
    const std::string version =
        "\"version\":{\"ProductName\":\"Dock Fixture\",\"FileDescription\":\"Icons for tests\",\"CompanyName\":"
        "\"Glyphdock tests\",\"FileVersion\":\"2.5\",\"ProductVersion\":\"2.5.1\",\"OriginalFilename\":\"icons.dll\","
        "\"LegalCopyright\":\"none\",\"InternalName\":\"icons\",\"file_version\":\"2.5.0.17\",\"product_version\":"
        "\"2.5.1.0\"}}\r\n";
    EXPECT_NE(run.out.find(version), std::string::npos) << run.out;
    for (const auto& [index, name] :
         std::vector<std::pair<int, std::string>>{{2, "\"name\":\"ICONMAIN\""}, {6, "\"id\":4"}}) {
        ASSERT_EQ(RunExport({"--group", std::to_string(index), output.Path() + "g", module}).exitCode, 0u);
        const std::string ico = ReadWholeFile(output.Path() + "g\\icons64_00" + std::to_string(index) + ".ico");
        const std::vector<std::string> images = IcoImages(ico);
        std::string group =
            "{\"index\":" + std::to_string(index) + "," + name + ",\"language\":1033,\"readable\":true,\"images\":[";
        for (size_t k = 0; k < images.size(); ++k) {
            const IcoDirectoryEntry entry = IcoEntry(ico, k);
            group += (k ? ",{\"width\":" : "{\"width\":") + std::to_string(entry.width ? entry.width : 256) +
                     ",\"height\":" + std::to_string(entry.height ? entry.height : 256) +
                     ",\"bits\":" + std::to_string(entry.planes * entry.bitCount) +
                     ",\"png\":" + (images[k].compare(0, 4, "\x89PNG") == 0 ? "true" : "false") +
                     ",\"bytes\":" + std::to_string(images[k].size()) + "}";
        }
        EXPECT_NE(run.out.find(group + "]}"), std::string::npos) << group << "\n" << run.out;
    }
}
