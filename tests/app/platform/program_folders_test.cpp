// The program folder of the build tree and of an installation, and the
// folder a new project is named in.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/program_folders.h"

namespace {

// An installation's layout: bin/ and share/orvandel/ with the help document.
struct Installation {
    QTemporaryDir prefix;
    Installation() {
        QDir(prefix.path()).mkpath(QStringLiteral("bin"));
        QDir(prefix.path()).mkpath(QStringLiteral("share/orvandel"));
        QFile help(prefix.filePath(QStringLiteral("share/orvandel/help.html")));
        help.open(QIODevice::WriteOnly);
    }
};

// HOME set to a scratch folder for one test, without a configuration
// folder of its own, so the documents folder is that of a fresh user.
struct ScratchHome {
    QTemporaryDir home;
    QByteArray savedHome = qgetenv("HOME");
    QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    ScratchHome() {
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~ScratchHome() {
        qputenv("HOME", savedHome);
        if (!savedConfig.isEmpty()) {
            qputenv("XDG_CONFIG_HOME", savedConfig);
        }
    }
};

}  // namespace

TEST(ProgramFolders, TheBuildFolderIsTheProgramFolderAndHoldsNewProjects) {
    QTemporaryDir build;
    const ProgramFolder folder = findProgramFolder(build.path());
    EXPECT_EQ(folder.path, build.path());
    EXPECT_FALSE(folder.installed);
    EXPECT_EQ(newProjectFolder(folder), build.path());
}

TEST(ProgramFolders, AnInstalledProgramReadsShareAndNamesNewProjectsInDocuments) {
    Installation installation;
    ScratchHome user;
    const ProgramFolder folder = findProgramFolder(installation.prefix.filePath("bin"));
    EXPECT_EQ(folder.path, installation.prefix.filePath("share/orvandel"));
    EXPECT_TRUE(folder.installed);
    // The prefix is writable here, as /usr is for root: still not used.
    const QString documents = user.home.filePath(QStringLiteral("Documents"));
    EXPECT_EQ(newProjectFolder(folder), documents);
    EXPECT_TRUE(QDir(documents).exists());
}
