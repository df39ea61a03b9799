// Pictures and tables of a batch analysis; see batch_export.h.
#include "batch/batch_export.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <array>
#include <cstdio>
#include <deque>
#include <functional>
#include <future>
#include <ostream>

#include "batch/picture_scenes.h"
#include "canvas/drawing_export.h"
#include "platform/whole_file.h"
#include "results/result_tables.h"

namespace {

// Qt's own notes about the offscreen platform (no runtime folder, window
// hints it cannot honour) say nothing to someone running a batch, whose
// standard error should hold only what went wrong with the export: while
// the pictures are drawn, Qt's debug messages and warnings are dropped; its
// critical and fatal ones still go out.
QtMessageHandler qtHandlerBefore = nullptr;

void criticalQtMessagesOnly(QtMsgType type, const QMessageLogContext& context,
                            const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) {
        return;
    }
    if (qtHandlerBefore != nullptr) {
        qtHandlerBefore(type, context, text);
    } else {
        std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    }
}

class QuietQt {
public:
    QuietQt() { qtHandlerBefore = qInstallMessageHandler(criticalQtMessagesOnly); }
    ~QuietQt() { qInstallMessageHandler(qtHandlerBefore); }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;
};

class BatchRun {
public:
    BatchRun(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    bool written(const QString& path, const std::optional<QString>& why) {
        if (why) {
            err_ << "导出失败: " << QDir::toNativeSeparators(path).toStdString() << ": "
                 << why->toStdString() << '\n';
            return false;
        }
        out_ << path.toStdString() << '\n';
        return true;
    }

private:
    std::ostream& out_;
    std::ostream& err_;
};

// Pictures are made two at a time, each from its figure to its file on a
// thread of its own: a large frame's diagram takes about as long to
// compute as to paint, and a PNG about as long to encode. At most two
// pictures are held, and files are named in the order asked.
class PictureMaker {
public:
    explicit PictureMaker(BatchRun& run) : run_(run) {}
    ~PictureMaker() { finish(); }
    PictureMaker(const PictureMaker&) = delete;
    PictureMaker& operator=(const PictureMaker&) = delete;

    void make(const QString& path, std::function<PaintedDrawing()> paint) {
        if (making_.size() == kAtOnce) {
            nameFirst();
        }
        auto written = std::async(std::launch::async, [path, paint = std::move(paint)] {
            return writeDrawingFile(path, paint());
        });
        making_.push_back(Making{path, std::move(written)});
    }
    void refuse(const QString& path, const QString& why) {
        finish();
        all_ = run_.written(path, why) && all_;
    }
    void finish() {
        while (!making_.empty()) {
            nameFirst();
        }
    }
    bool allWritten() {
        finish();
        return all_;
    }

private:
    static constexpr std::size_t kAtOnce = 2;
    struct Making {
        QString path;
        std::future<std::optional<QString>> written;
    };
    void nameFirst() {
        Making first = std::move(making_.front());
        making_.pop_front();
        all_ = run_.written(first.path, first.written.get()) && all_;
    }

    BatchRun& run_;
    std::deque<Making> making_;
    bool all_ = true;
};

void makePicture(const PictureScenes& scenes, const PictureRequest& picture,
                 const DrawingSize& size, PictureMaker& maker) {
    const auto shown = pictureNamed(picture.what);
    const auto format = drawingFormatOf(picture.path);
    if (!shown || !format) {
        maker.refuse(picture.path, QStringLiteral("未知的图形 ") + picture.what);
        return;
    }
    maker.make(picture.path, [&scenes, shown = *shown, format = *format, size] {
        return paintForFile(scenes.scene(shown), format, size);
    });
}

// Each table of every set in one file (see csvTextOfSets), then the
// envelope's when there is more than one set.
bool writeTables(const SolvedProject& project, const QString& folder, BatchRun& run) {
    const QString name = QString::fromStdString(project.document.projectPath);
    const QString stem = QDir(folder).filePath(QFileInfo(name).completeBaseName());
    const AllResultTables all = allResultTables(project.document, *project.solver);
    if (all.sets.empty() || !QDir().mkpath(folder)) {
        return run.written(stem + QLatin1String(kCsvSuffixes[0]),
                           QStringLiteral("无法写入文件夹 ") + folder);
    }
    std::vector<std::pair<QString, std::string>> files;
    for (std::size_t k = 0; k < kCsvSuffixes.size(); ++k) {
        files.emplace_back(stem + QLatin1String(kCsvSuffixes[k]), csvTextOfSets(all.sets, k));
    }
    if (all.envelope) {
        files.emplace_back(stem + QLatin1String(kEnvelopeCsvSuffix), csvText(*all.envelope));
    }
    bool allWritten = true;
    for (const auto& [path, text] : files) {
        QString why;
        const bool ok = writeWholeFile(path, text, &why);
        allWritten = run.written(path, ok ? std::nullopt : std::optional(why)) && allWritten;
    }
    return allWritten;
}

}  // namespace

std::vector<PictureRequest> takePictureRequests(QStringList& arguments, QString& usageError) {
    std::vector<PictureRequest> pictures;
    for (qsizetype k = 1; k < arguments.size();) {
        if (arguments[k] != QLatin1String("--export")) {
            ++k;
            continue;
        }
        if (k + 2 >= arguments.size()) {
            usageError = QStringLiteral("--export needs WHAT and OUT");
            return {};
        }
        const PictureRequest picture{arguments[k + 1], arguments[k + 2]};
        if (!pictureNamed(picture.what)) {
            usageError = QStringLiteral("--export: WHAT is one of ") + pictureKinds();
            return {};
        }
        if (!drawingFormatOf(picture.path)) {
            usageError = QStringLiteral("--export: OUT ends in .svg, .pdf or .png");
            return {};
        }
        pictures.push_back(picture);
        arguments.remove(k, 3);
    }
    return pictures;
}

std::optional<QSize> parsePictureSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > kLargestPictureSide ||
        size.height() > kLargestPictureSide) {
        return std::nullopt;
    }
    return size;
}

// Fonts need a GUI application; without one (the command line), one is
// made on the offscreen platform, so that no display is needed.
BatchStatus exportResults(const SolvedProject& project, const BatchExport& request,
                          std::ostream& out, std::ostream& err) {
    const QuietQt quiet;
    std::optional<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "Orvandel";
        static char* argv[] = {name, nullptr};
        application.emplace(argc, argv);
    }
    const SolvedProject set = projectOfSet(project, request.results);
    const PictureScenes scenes(set, request.results.envelope);
    BatchRun run(out, err);
    PictureMaker maker(run);
    for (const PictureRequest& picture : request.pictures) {
        makePicture(scenes, picture, request.size, maker);
    }
    bool all = maker.allWritten();
    if (!request.csvFolder.isEmpty()) {
        all = writeTables(project, request.csvFolder, run) && all;
    }
    return all ? BatchStatus::Solved : BatchStatus::ExportFailed;
}

BatchStatus exportResults(const QString& path, const BatchExport& request, std::ostream& out,
                          std::ostream& err) {
    SolvedProject project;
    if (const BatchStatus solved = solveProject(path.toStdString(), err, project, request.results);
        solved != BatchStatus::Solved) {
        return solved;
    }
    return exportResults(project, request, out, err);
}
