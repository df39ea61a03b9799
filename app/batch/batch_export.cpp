// Pictures and tables of a batch analysis; see batch_export.h.
#include "batch/batch_export.h"

#include <malloc.h>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <array>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <future>
#include <mutex>
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

// A picture of twice the window's density takes tens of megabytes, and
// one comes and goes for every picture asked. They are kept in the heap
// for the next one, rather than mapped anew for each and every page of
// them faulted in and cleared again.
void keepPictureBuffersInHeap() {
#ifdef __GLIBC__
    constexpr int kLargestKept = 256 << 20;  // bytes
    mallopt(M_MMAP_THRESHOLD, kLargestKept);
    mallopt(M_TRIM_THRESHOLD, 2 * kLargestKept);
#endif
}

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
// compute as to paint, and a PNG about as long to encode. A picture starts
// as soon as either of the two before it is written, so that both cores
// stay busy; at most two pictures are held, and files are named in the
// order asked.
class PictureMaker {
public:
    explicit PictureMaker(BatchRun& run) : run_(run) {}
    ~PictureMaker() { finish(); }
    PictureMaker(const PictureMaker&) = delete;
    PictureMaker& operator=(const PictureMaker&) = delete;

    void make(const QString& path, std::function<PaintedDrawing()> paint) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            slotFree_.wait(lock, [this] { return running_ < kAtOnce; });
            ++running_;
        }
        auto written = std::async(std::launch::async, [this, path, paint = std::move(paint)] {
            const SlotRelease release{*this};
            return writeDrawingFile(path, paint());
        });
        making_.push_back(Making{path, std::move(written)});
    }
    void refuse(const QString& path, const QString& why) {
        finish();
        all_ = run_.written(path, why) && all_;
    }
    void finish() {
        for (Making& picture : making_) {
            all_ = run_.written(picture.path, picture.written.get()) && all_;
        }
        making_.clear();
    }
    bool allWritten() {
        finish();
        return all_;
    }

private:
    static constexpr int kAtOnce = 2;
    struct Making {
        QString path;
        std::future<std::optional<QString>> written;
    };
    // Frees the picture's slot however its making ends.
    struct SlotRelease {
        PictureMaker& maker;
        ~SlotRelease() {
            {
                const std::lock_guard<std::mutex> lock(maker.mutex_);
                --maker.running_;
            }
            maker.slotFree_.notify_one();
        }
    };

    BatchRun& run_;
    std::vector<Making> making_;
    std::mutex mutex_;
    std::condition_variable slotFree_;
    int running_ = 0;
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

using TableFiles = std::vector<std::pair<QString, std::string>>;

QString tablesStem(const SolvedProject& project, const QString& folder) {
    const QString name = QString::fromStdString(project.document.projectPath);
    return QDir(folder).filePath(QFileInfo(name).completeBaseName());
}

// Each table of every set in one file (see csvTextOfSets), then the
// envelope's when there is more than one set; none without results.
TableFiles tableFiles(const SolvedProject& project, const QString& folder) {
    const QString stem = tablesStem(project, folder);
    const AllResultTables all = allResultTables(project.document, *project.solver);
    TableFiles files;
    if (all.sets.empty()) {
        return files;
    }
    for (std::size_t k = 0; k < kCsvSuffixes.size(); ++k) {
        files.emplace_back(stem + QLatin1String(kCsvSuffixes[k]), csvTextOfSets(all.sets, k));
    }
    if (all.envelope) {
        files.emplace_back(stem + QLatin1String(kEnvelopeCsvSuffix), csvText(*all.envelope));
    }
    return files;
}

bool writeTables(const SolvedProject& project, const QString& folder, const TableFiles& files,
                 BatchRun& run) {
    if (files.empty() || !QDir().mkpath(folder)) {
        return run.written(tablesStem(project, folder) + QLatin1String(kCsvSuffixes[0]),
                           QStringLiteral("无法写入文件夹 ") + folder);
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
    keepPictureBuffersInHeap();
    std::optional<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "Orvandel";
        static char* argv[] = {name, nullptr};
        application.emplace(argc, argv);
    }
    // The tables are made while the pictures are drawn, and written after
    // them.
    std::future<TableFiles> tables;
    if (!request.csvFolder.isEmpty()) {
        tables = std::async(std::launch::async, [&project, &request] {
            return tableFiles(project, request.csvFolder);
        });
    }
    std::optional<SolvedProject> otherSet;
    if (!isCaseOne(request.results)) {
        otherSet = projectOfSet(project, request.results);
    }
    const PictureScenes scenes(otherSet ? *otherSet : project, request.results.envelope);
    BatchRun run(out, err);
    PictureMaker maker(run);
    for (const PictureRequest& picture : request.pictures) {
        makePicture(scenes, picture, request.size, maker);
    }
    bool all = maker.allWritten();
    if (tables.valid()) {
        all = writeTables(project, request.csvFolder, tables.get(), run) && all;
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
