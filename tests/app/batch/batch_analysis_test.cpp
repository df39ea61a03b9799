// The batch mode as scripts use it: the real executable, its output, its
// messages and its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "batch/batch_analysis.h"
#include "document/locale_scope.h"
#include "document/project_file.h"
#include "document/text_encoding.h"
#include "example_frames.h"
#include "run_support.h"

namespace orv::testing {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& argument) {
    std::string text = "'";
    for (const char c : argument) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

// Runs the program with `arguments`; `environment` changes its environment
// as arguments of env(1) do ("-u DISPLAY LC_ALL=C").
Outcome runProgram(const std::string& arguments, const ScratchFolder& folder,
                   const std::string& environment = "") {
    const std::filesystem::path errors = folder.path("stderr.txt");
    const std::string command = "env " + environment + " " + quoted(ORVANDEL_EXECUTABLE) + " " +
                                arguments + " 2>" + quoted(errors.string());
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        outcome.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = readWholeFile(errors);
    return outcome;
}

Outcome analyze(const std::filesystem::path& project, const ScratchFolder& folder) {
    return runProgram("--analyze " + quoted(project.string()), folder);
}

TEST(BatchAnalysis, PrintsTheMemberForcesOfEveryExample) {
    ScratchFolder folder;
    for (const ExampleProject& example : exampleProjects()) {
        SCOPED_TRACE(example.fileName);
        // A Chinese name with a blank, as users name their projects.
        const std::filesystem::path project = folder.path("框架 " + example.fileName);
        std::filesystem::copy_file(std::filesystem::path(ORVANDEL_EXAMPLES) / example.fileName,
                                   project);
        const Outcome outcome = analyze(project, folder);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.err, "");
        const std::string base = project.string().substr(0, project.string().size() - 4);
        EXPECT_EQ(outcome.out, readWholeFile(base + ".mqn"));
        EXPECT_TRUE(std::filesystem::exists(base + ".uva"));
    }
}

TEST(BatchAnalysis, EachFailureHasItsOwnStatusAndMessage) {
    ScratchFolder folder;
    const std::string text = projectFileText(exampleProject("propped_cantilever.tsd"));

    EXPECT_EQ(analyze(folder.path("missing.tsd"), folder).status, 2);

    writeWholeFile(folder.path("truncated.tsd"), text.substr(0, text.size() / 2));
    const Outcome truncated = analyze(folder.path("truncated.tsd"), folder);
    EXPECT_EQ(truncated.status, 2);
    EXPECT_NE(truncated.err.find("truncated.tsd"), std::string::npos);

    Document incomplete = exampleProject("propped_cantilever.tsd");
    incomplete.membersEntered = 0;
    ASSERT_TRUE(WriteProjectFile(incomplete, folder.path("unfinished.tsd").string()));
    const Outcome drawing = analyze(folder.path("unfinished.tsd"), folder);
    EXPECT_EQ(drawing.status, 3);
    EXPECT_EQ(drawing.err, "杆件画完,荷载输完后再计算!\n");

    Document unsupported = exampleProject("propped_cantilever.tsd");
    unsupported.supportKinds.assign(unsupported.supportKinds.size(), SupportNone);
    ASSERT_TRUE(WriteProjectFile(unsupported, folder.path("unsupported.tsd").string()));
    const Outcome loose = analyze(folder.path("unsupported.tsd"), folder);
    EXPECT_EQ(loose.status, 4);
    EXPECT_EQ(loose.err, "因无杆端约束或有杆件长度为0,不能计算,请检查\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path("unsupported.mqn")));
}

TEST(BatchAnalysis, HelpListsTheOptionsAndEveryExitStatus) {
    ScratchFolder folder;
    const Outcome help = runProgram("--help", folder);
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--analyze", "--case <N>", "--combo <N>", "--envelope"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    for (const char* status :
         {"  0  ", "  1  ", "  2  ", "  3  ", "  4  ", "  5  ", "  6  ", "  7  "}) {
        EXPECT_NE(help.out.find(status), std::string::npos) << status;
    }
    EXPECT_EQ(runProgram("--no-such-option", folder).status, 1);
    // A second project is refused by name rather than ignored, nothing analysed.
    for (const char* twice :
         {"--analyze a.tsd b.tsd", "--analyze a.tsd --analyze b.tsd", "a.tsd b.tsd"}) {
        const Outcome refused = runProgram(twice, folder, "-u DISPLAY -u WAYLAND_DISPLAY");
        EXPECT_EQ(refused.status, 1) << twice;
        EXPECT_NE(refused.err.find("b.tsd"), std::string::npos) << refused.err;
    }
}

// --case, --combo and --envelope: case 1 is the default; a set the project
// lacks is a usage error said before anything is analysed.
TEST(BatchAnalysis, TheResultSetOptionsAreCheckedAgainstTheProject) {
    ScratchFolder folder;
    const std::filesystem::path project = folder.path("portal.tsd");
    std::filesystem::copy_file(std::filesystem::path(ORVANDEL_EXAMPLES) / "portal.tsd", project);
    const std::string at = "--analyze " + quoted(project.string()) + " ";
    const Outcome first = runProgram(at + "--case 1", folder);
    EXPECT_EQ(first.out, analyze(project, folder).out);
    const Outcome envelope = runProgram(at + "--envelope", folder);
    EXPECT_EQ(envelope.status, 0) << envelope.err;
    EXPECT_TRUE(envelope.out.starts_with("杆号\tN最大 (kN)\t位置 (m)\t控制工况\t"));

    std::filesystem::remove(folder.path("portal.mqn"));
    const Outcome second = runProgram(at + "--case 2", folder);
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.err, "--case: the project has load cases 1..1\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path("portal.mqn")));
    EXPECT_EQ(runProgram(at + "--combo 1", folder).err,
              "--combo: the project has no load combinations\n");
    for (const char* wrong :
         {"--case 0", "--combo x", "--case 1 --envelope", "--case 1 --combo 1"}) {
        EXPECT_EQ(runProgram(at + wrong, folder).status, 1) << wrong;
    }
}

// Pictures follow the end forces on the output, one name a line; a picture
// that cannot be written is status 7 and leaves nothing, while the
// pictures after it are still written; --export is checked before
// anything is analysed.
TEST(BatchAnalysis, ExportsNameTheirFilesAndAFailureHasItsOwnStatus) {
    ScratchFolder folder;
    const std::filesystem::path project = folder.path("portal.tsd");
    std::filesystem::copy_file(std::filesystem::path(ORVANDEL_EXAMPLES) / "portal.tsd", project);
    const std::string at = quoted(project.string()) + " --export M ";
    const Outcome written =
        runProgram("--analyze " + at + quoted(folder.path("m.pdf").string()), folder, "-u DISPLAY");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out,
              readWholeFile(folder.path("portal.mqn")) + folder.path("m.pdf").string() + "\n");

    const std::filesystem::path unwritable = folder.path("missing") / "m.svg";
    const std::filesystem::path after = folder.path("q.png");
    const Outcome failed = runProgram(
        "--analyze " + at + quoted(unwritable.string()) + " --export Q " + quoted(after.string()),
        folder);
    EXPECT_EQ(failed.status, 7);
    EXPECT_NE(failed.err.find(unwritable.string()), std::string::npos) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(unwritable.parent_path()));
    EXPECT_EQ(failed.out, readWholeFile(folder.path("portal.mqn")) + after.string() + "\n");
    EXPECT_EQ(readWholeFile(after).substr(0, 8), "\x89PNG\r\n\x1a\n");

    EXPECT_EQ(
        runProgram("--analyze " + quoted(project.string()) + " --export X m.svg", folder).status,
        1);
    EXPECT_EQ(runProgram("--export M m.svg", folder).status, 1);
    EXPECT_EQ(runProgram("--analyze " + at + "m.txt", folder).status, 1);
    EXPECT_EQ(runProgram("--analyze " + at + "m.pdf --paper B5", folder).status, 1);
    const std::filesystem::path a3 = folder.path("a3.pdf");
    EXPECT_EQ(runProgram("--analyze " + at + quoted(a3.string()) + " --paper A3", folder).status,
              0);
    EXPECT_NE(readWholeFile(a3).find("/MediaBox [0 0 1191"), std::string::npos);
}

// A Chinese project name typed in a GB18030 terminal reaches the program as
// GB18030 bytes; the results go beside the project under the same kind of
// name.
TEST(BatchAnalysis, AnalysesAProjectWithAChineseNameInAGb18030Locale) {
    if (!localeInstalled(kGb18030Locale)) {
        GTEST_SKIP() << "locale zh_CN.GB18030 not installed";
    }
    ScratchFolder folder;
    const std::string name = *convertEncoding("框架 一", "UTF-8", "GB18030");
    std::filesystem::copy_file(std::filesystem::path(ORVANDEL_EXAMPLES) / "portal.tsd",
                               folder.path(name + ".tsd"));
    const Outcome outcome = runProgram("--analyze " + quoted(folder.path(name + ".tsd").string()),
                                       folder, std::string("LC_ALL=") + kGb18030Locale);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, readWholeFile(folder.path(name + ".mqn")));
    EXPECT_TRUE(std::filesystem::exists(folder.path(name + ".uva")));
}

TEST(BatchAnalysis, AResultFileThatCannotBeReadIsAFailure) {
    ScratchFolder folder;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(printMemberForces(folder.path("gone.tsd").string(), out, err),
              BatchStatus::ResultsUnreadable);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find(folder.path("gone.mqn").string()), std::string::npos);

    std::filesystem::create_directory(folder.path("folder.mqn"));
    EXPECT_EQ(printMemberForces(folder.path("folder.tsd").string(), out, err),
              BatchStatus::ResultsUnreadable);

    writeWholeFile(folder.path("frame.mqn"), "1,2\r\n");
    EXPECT_EQ(printMemberForces(folder.path("frame.tsd").string(), out, err), BatchStatus::Solved);
    EXPECT_EQ(out.str(), "1,2\r\n");
}

// Without a display the window cannot open: one line in both languages that
// points to --analyze, and status 6 instead of Qt's abort.
TEST(BatchAnalysis, WithoutADisplayTheWindowIsRefusedWithAMessage) {
    ScratchFolder folder;
    for (const std::string platform :
         {"-u QT_QPA_PLATFORM", "QT_QPA_PLATFORM=xcb", "QT_QPA_PLATFORM='wayland;xcb'"}) {
        SCOPED_TRACE(platform);
        const Outcome outcome = runProgram("", folder, "-u DISPLAY -u WAYLAND_DISPLAY " + platform);
        EXPECT_EQ(outcome.status, 6);
        EXPECT_NE(outcome.err.find("--analyze"), std::string::npos);
        EXPECT_NE(outcome.err.find("显示"), std::string::npos);
        EXPECT_NE(outcome.err.find("display"), std::string::npos);
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1);
    }
}

}  // namespace
}  // namespace orv::testing
