// The safe save: the old file survives every failure, nothing is left
// behind, no existing file or link is written through, and the saved file
// keeps its permissions.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "document/project_file.h"
#include "example_frames.h"
#include "run_support.h"

namespace orv::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

TEST(SafeSave, ReplacesTheFileAndLeavesNothingBehind) {
    ScratchFolder folder;
    const fs::path file = folder.path("frame.tsd");
    ASSERT_TRUE(WriteProjectFile(exampleProject("portal.tsd"), file.string()));
    const Document triangle = exampleProject("triangle.tsd");
    ASSERT_TRUE(WriteProjectFile(triangle, file.string()));
    EXPECT_EQ(readWholeFile(file), projectFileText(triangle));
    EXPECT_EQ(namesIn(folder.path("")), Names{"frame.tsd"});

    Document read;
    EXPECT_FALSE(readProjectFile(file.string(), read));
    EXPECT_EQ(readProjectFile(folder.path("none.tsd").string(), read)->line, 0);
}

TEST(SafeSave, NothingAtTheFormerTemporaryNameIsFollowedOrInTheWay) {
    ScratchFolder folder;
    writeWholeFile(folder.path("victim.txt"), "someone else's file");
    fs::create_symlink(folder.path("victim.txt"), folder.path("frame.tsd.saving"));
    fs::create_directory(folder.path("other.tsd.saving"));
    const Document document = exampleProject("portal.tsd");

    EXPECT_TRUE(WriteProjectFile(document, folder.path("frame.tsd").string()));
    EXPECT_TRUE(WriteProjectFile(document, folder.path("other.tsd").string()));
    EXPECT_EQ(readWholeFile(folder.path("victim.txt")), "someone else's file");
    EXPECT_TRUE(fs::is_symlink(folder.path("frame.tsd.saving")));
    EXPECT_EQ(readWholeFile(folder.path("frame.tsd")), projectFileText(document));
}

TEST(SafeSave, TheSavedFileKeepsThePermissionsOfTheOneItReplaces) {
    ScratchFolder folder;
    const fs::path file = folder.path("frame.tsd");
    const Document document = exampleProject("portal.tsd");
    for (const fs::perms mode : {fs::perms(0640), fs::perms(0600), fs::perms(0664)}) {
        writeWholeFile(file, "old");
        fs::permissions(file, mode);
        ASSERT_TRUE(WriteProjectFile(document, file.string()));
        EXPECT_EQ(fs::status(file).permissions(), mode);
    }

    // A new file gets what the umask gives any new file.
    const mode_t oldMask = ::umask(027);
    const bool saved = WriteProjectFile(document, folder.path("new.tsd").string());
    ::umask(oldMask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(fs::status(folder.path("new.tsd")).permissions(), fs::perms(0640));
}

TEST(SafeSave, FailuresLoseNothingAndLeaveNothingBehind) {
    ScratchFolder folder;
    const Document document = exampleProject("two_storey.tsd");
    EXPECT_FALSE(WriteProjectFile(document, folder.path("missing/frame.tsd").string()));

    fs::create_directory(folder.path("frame.tsd"));  // cannot be replaced by a file
    EXPECT_FALSE(WriteProjectFile(document, folder.path("frame.tsd").string()));
    EXPECT_TRUE(fs::is_directory(folder.path("frame.tsd")));
    EXPECT_EQ(namesIn(folder.path("")), Names{"frame.tsd"});
}

// The disk fills up halfway through the text: a file size limit makes the
// write fail, in a child process so that the limit stays there.
TEST(SafeSave, AWriteThatFailsHalfwayLosesNothing) {
    ScratchFolder folder;
    const fs::path file = folder.path("frame.tsd");
    writeWholeFile(file, "the user's only copy");
    const Document document = exampleProject("two_storey.tsd");
    ASSERT_GT(projectFileText(document).size(), 200u);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(WriteProjectFile(document, file.string()) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readWholeFile(file), "the user's only copy");
    EXPECT_EQ(namesIn(folder.path("")), Names{"frame.tsd"});
}

TEST(SafeSave, AReadOnlyFolderRefusesTheSaveAndKeepsTheFile) {
    ScratchFolder folder;
    const fs::path locked = folder.path("locked");
    fs::create_directory(locked);
    writeWholeFile(locked / "frame.tsd", "the user's only copy");
    fs::permissions(locked, fs::perms(0555));
    const fs::path probe = locked / "probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        ::close(fd);
        fs::remove(probe);
        fs::permissions(locked, fs::perms(0755));
        GTEST_SKIP() << "folder permissions do not bind this user (root)";
    }
    const bool saved =
        WriteProjectFile(exampleProject("portal.tsd"), (locked / "frame.tsd").string());
    fs::permissions(locked, fs::perms(0755));
    EXPECT_FALSE(saved);
    EXPECT_EQ(readWholeFile(locked / "frame.tsd"), "the user's only copy");
    EXPECT_EQ(namesIn(locked), Names{"frame.tsd"});
}

}  // namespace
}  // namespace orv::testing
