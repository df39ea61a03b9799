// The results window with several result sets: the selector chooses the
// set whose tables are shown, the envelope has a tab of its own, and CSV
// holds every set.
#include "dialogs/results_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include "platform/test_platform.h"

namespace {

ResultTable oneRowTable(double value) {
    return {{"杆号", "左端轴力 (kN)"}, {{{1, "1"}, forceCell(value)}}, "note"};
}

NamedTables setOf(const char* name, double value) {
    return {name, {oneRowTable(value), oneRowTable(value), oneRowTable(value)}};
}

TEST(ResultsWindow, TheSelectorShowsEachSetAndCsvHoldsThemAll) {
    QTemporaryDir scratch;
    TestPlatform platform;
    ResultsWindow window(platform, nullptr);
    const std::string project = scratch.filePath(QStringLiteral("frame.tsd")).toStdString();
    window.showResults({{setOf("恒载", 1), setOf("1.3恒+1.5活", 2)}, oneRowTable(9)}, project, 1);
    EXPECT_FALSE(window.selector()->isHidden());
    EXPECT_EQ(window.selector()->count(), 2);
    QTableWidget* forces = window.table(ResultsWindow::EndForces);
    EXPECT_EQ(forces->item(0, 1)->text(), QStringLiteral("2.0000"));
    window.selector()->setCurrentIndex(0);
    EXPECT_EQ(forces->item(0, 1)->text(), QStringLiteral("1.0000"));
    EXPECT_TRUE(window.tabs()->isTabVisible(ResultsWindow::Envelope));

    const QString csv = scratch.filePath(QStringLiteral("forces.csv"));
    platform.files.push_back(csv);
    window.saveCsv();
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("工况/组合,杆号,左端轴力 (kN)\r\n"
                                                          "恒载,1,1.0000\r\n"
                                                          "1.3恒+1.5活,1,2.0000\r\n")
                                               .toUtf8());

    window.tabs()->setCurrentIndex(ResultsWindow::Envelope);
    platform.files.push_back(scratch.filePath(QStringLiteral("envelope.csv")));
    window.saveCsv();
    EXPECT_EQ(platform.calls.back().path, scratch.filePath(QStringLiteral("frame_envelope.csv")));
}

}  // namespace
