// The results window; see results_window.h.
#include "dialogs/results_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <set>

#include "document/file_names.h"
#include "platform/platform.h"
#include "platform/whole_file.h"

namespace {

const std::array<QString, ResultsWindow::kViewCount> kTabCaptions = {
    QStringLiteral("杆端内力"), QStringLiteral("节点位移"), QStringLiteral("支座反力"),
    QStringLiteral("包络")};
const QString kCsvFilter = QStringLiteral("CSV文件(*.csv)|*.csv");

// A cell that sorts by its value where it has one, numbers before texts
// and empty cells, so that a column of numbers sorts as numbers.
class ResultItem : public QTableWidgetItem {
public:
    explicit ResultItem(const TableCell& cell)
        : QTableWidgetItem(QString::fromStdString(cell.text)), value_(cell.value) {
        if (value_) {
            setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* theirs = dynamic_cast<const ResultItem*>(&other);
        const bool theirsIsNumber = theirs != nullptr && theirs->value_.has_value();
        if (value_ && theirsIsNumber) {
            return *value_ < *theirs->value_;
        }
        if (value_.has_value() != theirsIsNumber) {
            return value_.has_value();
        }
        return QTableWidgetItem::operator<(other);
    }

private:
    std::optional<double> value_;
};

// The row of the largest magnitude in each column of numbers (the first
// such row on a tie); none for a column without a non-zero number.
std::vector<std::optional<std::size_t>> largestRows(const ResultTable& table) {
    std::vector<std::optional<std::size_t>> largest(table.headers.size());
    std::vector<double> size(table.headers.size(), 0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.rows[r].size() && c < largest.size(); ++c) {
            const auto& value = table.rows[r][c].value;
            if (value && std::abs(*value) > size[c]) {
                size[c] = std::abs(*value);
                largest[c] = r;
            }
        }
    }
    return largest;
}

// The first columns name members and nodes, and the envelope's positions
// say where its values are: they are numbers, not results.
bool isResultColumn(const ResultTable& table, std::size_t column) {
    const std::string& header = table.headers[column];
    return header.find("号") == std::string::npos && header.find("支座") == std::string::npos &&
           header.find("位置") == std::string::npos;
}

const ResultTable kNoTable;

}  // namespace

ResultsWindow::ResultsWindow(Platform& platform, QWidget* editor)
    : QWidget(editor, Qt::Window), platform_(platform) {
    setWindowTitle(QStringLiteral("结果表"));
    selector_ = new QComboBox(this);
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { fillSetTables(); });
    tabs_ = new QTabWidget(this);
    for (int id = 0; id < kViewCount; ++id) {
        auto* view = new QTableWidget(this);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSortingEnabled(true);
        view->verticalHeader()->setVisible(false);
        view->installEventFilter(this);
        // Until the user sorts, rows stand in the order of the analysis.
        view->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        views_[id] = view;
        tabs_->addTab(view, kTabCaptions[id]);
    }
    // What the numbers of the table shown mean: their axes and signs.
    note_ = new QLabel(this);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { showNote(); });
    saveButton_ = new QPushButton(QStringLiteral("保存为CSV"), this);
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveCsv(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selector_, 0, Qt::AlignLeft);
    layout->addWidget(tabs_);
    layout->addWidget(note_);
    layout->addWidget(saveButton_, 0, Qt::AlignRight);
    resize(900, 520);
}

void ResultsWindow::showTables(Tables tables, std::string projectPath) {
    showResults({{NamedTables{{}, std::move(tables)}}, std::nullopt}, std::move(projectPath));
}

void ResultsWindow::showResults(AllResultTables all, std::string projectPath, std::size_t shown) {
    all_ = std::move(all);
    projectPath_ = std::move(projectPath);
    const QSignalBlocker quiet(selector_);
    selector_->clear();
    for (const NamedTables& set : all_.sets) {
        selector_->addItem(QString::fromStdString(set.name));
    }
    selector_->setCurrentIndex(shown < all_.sets.size() ? static_cast<int>(shown) : 0);
    selector_->setVisible(all_.sets.size() > 1);
    tabs_->setTabVisible(Envelope, all_.envelope.has_value());
    fill(Envelope);
    fillSetTables();
}

// The set the selector names in the three tables of a set.
void ResultsWindow::fillSetTables() {
    for (int id = 0; id < kTableCount; ++id) {
        fill(static_cast<TableId>(id));
    }
    showNote();
}

const ResultTable& ResultsWindow::tableShown(int tab) const {
    if (tab == Envelope) {
        return all_.envelope ? *all_.envelope : kNoTable;
    }
    const int set = selector_->currentIndex();
    if (tab < 0 || set < 0 || static_cast<std::size_t>(set) >= all_.sets.size()) {
        return kNoTable;
    }
    return all_.sets[static_cast<std::size_t>(set)].tables.at(static_cast<std::size_t>(tab));
}

void ResultsWindow::showNote() {
    note_->setText(QString::fromStdString(tableShown(tabs_->currentIndex()).note));
}

void ResultsWindow::fill(TableId id) {
    QTableWidget* view = views_[id];
    const ResultTable& table = tableShown(id);
    const int sortColumn = view->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder order = view->horizontalHeader()->sortIndicatorOrder();
    view->setSortingEnabled(false);  // rows would move while they are filled
    view->clear();
    view->setColumnCount(static_cast<int>(table.headers.size()));
    view->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headers;
    for (const std::string& header : table.headers) {
        headers << QString::fromStdString(header);
    }
    view->setHorizontalHeaderLabels(headers);
    const auto largest = largestRows(table);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            auto* item = new ResultItem(table.rows[r][c]);
            if (largest[c] == r && isResultColumn(table, c)) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(255, 236, 160));
                item->setToolTip(QStringLiteral("本列绝对值最大"));
            }
            view->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    view->setSortingEnabled(true);
    if (sortColumn >= 0 && sortColumn < view->columnCount()) {
        view->sortByColumn(sortColumn, order);
    }
    view->resizeColumnsToContents();
}

QString ResultsWindow::selectedText() const {
    const QTableWidget* view = views_[tabs_->currentIndex()];
    std::set<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    if (rows.empty()) {
        return {};
    }
    QStringList lines;
    QStringList header;
    for (int c = 0; c < view->columnCount(); ++c) {
        header << view->horizontalHeaderItem(c)->text();
    }
    lines << header.join(QLatin1Char('\t'));
    for (const int row : rows) {
        QStringList cells;
        for (int c = 0; c < view->columnCount(); ++c) {
            const QTableWidgetItem* item = view->item(row, c);
            cells << (item != nullptr ? item->text() : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// The tables would copy their current cell only: the window copies the
// selected rows.
bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedText());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// A set's table is written for every set, the envelope's alone.
std::string ResultsWindow::csvShown(int tab) const {
    if (tab == Envelope) {
        return csvText(tableShown(tab));
    }
    return csvTextOfSets(all_.sets, static_cast<std::size_t>(tab));
}

// The file holds the table in the order of the analysis, whatever the
// window's sort order.
void ResultsWindow::saveCsv() {
    const int shown = tabs_->currentIndex();
    const char* suffix =
        shown == Envelope ? kEnvelopeCsvSuffix : kCsvSuffixes.at(static_cast<std::size_t>(shown));
    QString name =
        platform_.saveFileName(kCsvFilter, QStringLiteral("csv"),
                               QString::fromStdString(besideProject(projectPath_, suffix)));
    // The file dialog hands the keyboard back to the editor: the tables the
    // user is working in come to the front again.
    raise();
    activateWindow();
    if (name.isEmpty()) {
        return;
    }
    if (!writeWholeFile(name, csvShown(shown))) {
        platform_.tell(QStringLiteral("保存CSV文件失败:") + name);
    }
}
