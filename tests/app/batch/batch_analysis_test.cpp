// The batch mode as scripts use it: the real executable, its output, its
// messages and its exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "document/project_file.h"
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

Outcome runProgram(const std::string& arguments, const ScratchFolder& folder) {
    const std::filesystem::path errors = folder.path("stderr.txt");
    const std::string command =
        quoted(ORVANDEL_EXECUTABLE) + " " + arguments + " 2>" + quoted(errors.string());
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

TEST(BatchAnalysis, HelpListsTheOptions) {
    ScratchFolder folder;
    const Outcome help = runProgram("--help", folder);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--analyze"), std::string::npos);
    EXPECT_EQ(runProgram("--no-such-option", folder).status, 1);
}

}  // namespace
}  // namespace orv::testing
