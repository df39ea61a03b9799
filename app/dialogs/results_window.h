// The results window: the member end forces, node displacements and
// reactions of the last analysis in three sortable tables, the largest
// magnitude of each column marked, the table's caption (its axes and
// signs) below it. Selected rows copy as tab-separated text (Ctrl+C);
// "保存为CSV" writes the table shown as CSV. Modeless; a child of the
// editor, so it closes with the program.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "results/result_tables.h"

class Platform;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

class ResultsWindow : public QWidget {
public:
    enum TableId { EndForces, Displacements, Reactions };
    static constexpr int kTableCount = 3;
    using Tables = std::array<ResultTable, kTableCount>;

    ResultsWindow(Platform& platform, QWidget* editor);

    // Shows `tables`, the results of the project at `projectPath` (UTF-8),
    // in place of what was shown (the sort order stays).
    void showTables(Tables tables, std::string projectPath);
    QTableWidget* table(TableId id) const { return views_[id]; }
    QTabWidget* tabs() const { return tabs_; }
    // The selected rows of the table shown, tab-separated, header first.
    QString selectedText() const;
    // "保存为CSV": the table shown as a CSV file the user names.
    void saveCsv();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill(TableId id);
    void showNote();

    Platform& platform_;
    QTabWidget* tabs_ = nullptr;
    std::array<QTableWidget*, kTableCount> views_{};
    QLabel* note_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    Tables tables_;
    std::string projectPath_;
};
