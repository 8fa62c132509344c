#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "minihost/executable_folder.hpp"
#include "minihost/log_grower.hpp"
#include "minihost/program_options.hpp"
#include "minihost_fixture.hpp"

namespace tarnwick::minihost::testing {
namespace {

namespace fs = std::filesystem;

ParsedOptions parse(std::vector<std::wstring> arguments) {
    return parseProgramOptions(arguments, L"C:\\tools");
}

TEST(MiniHostProgramOptions, DefaultToThePluginAndAConfigurationFolderBesideTheProgram) {
    const ParsedOptions parsed = parse({});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->plugin, fs::path(L"C:\\tools\\Tarnwick.dll"));
    EXPECT_EQ(parsed.options->configDirectory, fs::path(L"C:\\tools\\minihost-config"));
    EXPECT_TRUE(parsed.options->filesToOpen.empty());
    EXPECT_FALSE(parsed.options->showPanel);
    EXPECT_FALSE(parsed.options->screenshot);
    EXPECT_FALSE(parsed.options->dark);
}

TEST(MiniHostProgramOptions, ClicksAreKeptInOrderAndMustBeControlIds) {
    const ParsedOptions parsed = parse({L"--click", L"2005", L"--click", L"2009"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->clicks, (std::vector<int>{2005, 2009}));
    for (const wchar_t* bad : {L"", L"x", L"20x", L"0", L"-3", L"70000"})
        EXPECT_FALSE(parse({L"--click", bad}).options) << bad;
    EXPECT_FALSE(parse({L"--click"}).options);
}

TEST(MiniHostProgramOptions, ReadsEveryOption) {
    const ParsedOptions parsed =
        parse({L"--screenshot", L"out.png", L"--plugin", L"p.dll", L"--show-panel", L"--config",
               L"d e", L"--open", L"f.txt", L"--dark", L"--grow-log", L"g.log"});
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->plugin, fs::path(L"p.dll"));
    EXPECT_EQ(parsed.options->configDirectory, fs::path(L"d e"));
    EXPECT_EQ(parsed.options->filesToOpen, (std::vector<FileToOpen>{{L"f.txt", false}}));
    EXPECT_TRUE(parsed.options->showPanel);
    EXPECT_EQ(parsed.options->screenshot, fs::path(L"out.png"));
    EXPECT_TRUE(parsed.options->dark);
    EXPECT_EQ(parsed.options->growLog, fs::path(L"g.log"));
}

TEST(MiniHostProgramOptions, FilesToOpenAreKeptInOrderWithTheirCodePage) {
    const ParsedOptions parsed =
        parse({L"--open", L"a.log", L"--ansi", L"b.txt", L"--tail", L"c.log", L"--open", L"a.log"});
    ASSERT_TRUE(parsed.options);
    const std::vector<FileToOpen> expected = {{L"a.log", false, false},
                                              {L"b.txt", true, false},
                                              {L"c.log", false, true},
                                              {L"a.log", false, false}};
    EXPECT_EQ(parsed.options->filesToOpen, expected);
    EXPECT_EQ(parse({L"--ansi"}).error, L"--ansi needs a path");
    EXPECT_EQ(parse({L"--tail"}).error, L"--tail needs a path");
}

TEST(MiniHostProgramOptions, RefuseWhatTheyDoNotUnderstand) {
    EXPECT_EQ(parse({L"--plugin"}).error, L"--plugin needs a path");
    EXPECT_EQ(parse({L"--open", L""}).error, L"--open needs a path");
    EXPECT_EQ(parse({L"--config", L"a", L"--config", L"b"}).error, L"--config is given twice");
    EXPECT_EQ(parse({L"--grow-log", L"a", L"--grow-log", L"b"}).error,
              L"--grow-log is given twice");
    EXPECT_EQ(parse({L"--show-panel", L"extra"}).error, L"unknown argument: extra");
    EXPECT_FALSE(parse({L"--screenshot"}).options);
}

using MiniHostLogGrower = MiniHostTest;

TEST_F(MiniHostLogGrower, AppendsTheFilesOwnLinesInTurnEndingAnUnendedLastLine) {
    const fs::path file = root / L"grow.log";
    std::ofstream(file, std::ios::binary) << "one\r\ntwo";
    auto grower = LogGrower::open(file);
    ASSERT_TRUE(grower);
    for (int line = 0; line < 3; ++line) ASSERT_TRUE(grower->appendNext());
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "one\r\ntwo\none\r\ntwo\none\r\n");

    std::ofstream(root / L"empty.log", std::ios::binary).flush();
    EXPECT_FALSE(LogGrower::open(root / L"empty.log"));
    EXPECT_FALSE(LogGrower::open(root / L"missing.log"));
}

class MiniHostProgram : public MiniHostTest {
protected:
    // Runs minihost.exe to its end and returns its exit code.
    static DWORD run(const std::wstring& arguments) {
        std::wstring commandLine =
            L"\"" + (executableFolder() / L"minihost.exe").wstring() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return static_cast<DWORD>(-1);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return exitCode;
    }

    static std::wstring quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }
};

std::uint32_t bigEndian(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

TEST_F(MiniHostProgram, SavesAPictureOfTheWholeWindowAndExitsThroughTheShutdown) {
    const fs::path picture = root / L"shot.png";
    ASSERT_EQ(run(L"--plugin " + quoted(testPlugin()) + L" --config " + quoted(configDirectory) +
                  L" --show-panel --screenshot " + quoted(picture)),
              0u);

    std::array<unsigned char, 24> header{};
    std::ifstream(picture, std::ios::binary).read(reinterpret_cast<char*>(header.data()), 24);
    EXPECT_EQ(std::string(header.begin(), header.begin() + 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(std::string(header.begin() + 12, header.begin() + 16), "IHDR");
    EXPECT_EQ(bigEndian(&header[16]), 1000u);
    EXPECT_EQ(bigEndian(&header[20]), 750u);

    // Shown after start-up, still there at shutdown, gone at the unload, and remembered.
    EXPECT_GE(find("notify 1001"), 0);
    EXPECT_LT(find("notify 1001"), find("command 0"));
    EXPECT_LT(find("command 0"), find("notify 1009"));
    EXPECT_GE(find("notify 1009"), 0);
    EXPECT_NE(log().at(find("notify 1009")).find("panel=1"), std::string::npos);
    EXPECT_EQ(log().back(), "detach panel=0");
    EXPECT_TRUE(fs::exists(configDirectory / L"minihost-session.txt"));
}

TEST_F(MiniHostProgram, FailsWhenThePluginDoesNotLoadOrTheArgumentsAreWrong) {
    EXPECT_EQ(
        run(L"--plugin " + quoted(root / L"missing.dll") + L" --config " + quoted(configDirectory)),
        1u);
    EXPECT_EQ(run(L"--no-such-option"), 2u);
    EXPECT_EQ(run(L"--plugin " + quoted(testPlugin()) + L" --config " + quoted(configDirectory) +
                  L" --open " + quoted(root / L"missing.log")),
              1u);
}

}  // namespace
}  // namespace tarnwick::minihost::testing
