// The results window: the member end forces, node displacements and
// reactions of the last analysis in three sortable tables, the largest
// magnitude of each column marked, the table's caption (its axes and
// signs) below it. With load cases or combinations a selector above
// chooses the set whose tables are shown, and a fourth table gives the
// envelope. Selected rows copy as tab-separated text (Ctrl+C);
// "保存为CSV" writes the table shown, of every set, as CSV. Modeless; a
// child of the editor, so it closes with the program.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "results/result_tables.h"

class Platform;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

class ResultsWindow : public QWidget {
public:
    enum TableId { EndForces, Displacements, Reactions, Envelope };
    static constexpr int kTableCount = 3;  // of each result set
    static constexpr int kViewCount = 4;   // and the envelope's
    using Tables = std::array<ResultTable, kTableCount>;

    ResultsWindow(Platform& platform, QWidget* editor);

    // Shows `tables`, the results of the project at `projectPath` (UTF-8),
    // in place of what was shown (the sort order stays).
    void showTables(Tables tables, std::string projectPath);
    // Shows every result set of the project, set `shown` (an index of
    // `all.sets`) in the tables; the selector and the envelope's table only
    // when there is more than one set.
    void showResults(AllResultTables all, std::string projectPath, std::size_t shown = 0);
    QTableWidget* table(TableId id) const { return views_[id]; }
    QTabWidget* tabs() const { return tabs_; }
    QComboBox* selector() const { return selector_; }
    // The selected rows of the table shown, tab-separated, header first.
    QString selectedText() const;
    // "保存为CSV": the table shown as a CSV file the user names.
    void saveCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill(TableId id);
    void fillSetTables();
    void showNote();
    const ResultTable& tableShown(int tab) const;
    std::string csvShown(int tab) const;

    Platform& platform_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* selector_ = nullptr;
    std::array<QTableWidget*, kViewCount> views_{};
    QLabel* note_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    AllResultTables all_;
    std::string projectPath_;
};
