// File names between the system's encoding and UTF-8, and projects saved
// and read under a Chinese name in a GB18030 locale.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/file_names.h"
#include "document/locale_scope.h"
#include "document/project_file.h"
#include "document/text_encoding.h"
#include "example_frames.h"
#include "run_support.h"

namespace orv::testing {
namespace {

const std::string kChineseName = "框架 一.tsd";

TEST(FileNames, UnderUtf8AndTheCLocaleNamesPassUnchanged) {
    for (const char* locale : {"C.UTF-8", "C", "no_SUCH.locale"}) {
        SCOPED_TRACE(locale);
        const LocaleScope scope(locale);
        EXPECT_EQ(utf8ToFileName(kChineseName), kChineseName);
        EXPECT_EQ(fileNameToUtf8(kChineseName), kChineseName);
        EXPECT_EQ(fileNameToUtf8("\xFF\xFE.tsd"), "\xFF\xFE.tsd");
    }
}

TEST(FileNames, ChineseNamesRoundTripThroughGb18030) {
    if (!localeInstalled(kGb18030Locale)) {
        GTEST_SKIP() << "locale zh_CN.GB18030 not installed";
    }
    const LocaleScope scope(kGb18030Locale);
    const std::string systemName = *convertEncoding(kChineseName, "UTF-8", "GB18030");
    ASSERT_NE(systemName, kChineseName);
    EXPECT_EQ(utf8ToFileName(kChineseName), systemName);
    EXPECT_EQ(fileNameToUtf8(systemName), kChineseName);
    EXPECT_EQ(filePath("/a/" + kChineseName).native(), "/a/" + systemName);
    // Bytes that are no GB18030 text are kept as they are.
    EXPECT_EQ(fileNameToUtf8("\x81.tsd"), "\x81.tsd");
}

TEST(FileNames, ProjectsAreSavedAndReadUnderTheNameTheSystemShows) {
    if (!localeInstalled(kGb18030Locale)) {
        GTEST_SKIP() << "locale zh_CN.GB18030 not installed";
    }
    const LocaleScope scope(kGb18030Locale);
    ScratchFolder folder;
    const std::string path = folder.path(kChineseName).string();  // UTF-8, as the program keeps it
    const Document document = exampleProject("portal.tsd");
    ASSERT_TRUE(WriteProjectFile(document, path));

    const auto systemName = convertEncoding(kChineseName, "UTF-8", "GB18030");
    EXPECT_EQ(readWholeFile(folder.path(*systemName)), projectFileText(document));
    EXPECT_FALSE(std::filesystem::exists(folder.path(kChineseName)));
    Document read;
    EXPECT_FALSE(readProjectFile(path, read));
    EXPECT_EQ(projectFileText(read), projectFileText(document));
}

}  // namespace
}  // namespace orv::testing
