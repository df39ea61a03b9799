// Pictures and tables of a batch analysis; see batch_export.h.
#include "batch/batch_export.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>
#include <cstdio>
#include <future>
#include <optional>
#include <ostream>

#include "canvas/drawing_export.h"
#include "dialogs/results_window.h"
#include "editor/form1.h"
#include "platform/platform.h"
#include "platform/program_folders.h"
#include "platform/whole_file.h"

namespace {

// The window's dialogs without a user: messages go to standard error,
// questions get the default answer, dialogs are cancelled and no setting
// is kept.
class BatchPlatform : public Platform {
public:
    explicit BatchPlatform(std::ostream& err) : err_(err) {}
    MessageAnswer messageBox(const QString& text, MessageButtons buttons, MessageIcon,
                             const QString&) override {
        err_ << text.toStdString() << '\n';
        return defaultAnswer(buttons);
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<std::int32_t> chooseColour(std::int32_t) override { return std::nullopt; }
    void beep() override {}
    void printPreview(const std::function<void(QPrinter&)>&) override {}
    void showHelp(const QString&) override {}
    void closeHelp() override {}
    bool setting(const QString&, bool fallback) override { return fallback; }
    void keepSetting(const QString&, bool) override {}

private:
    std::ostream& err_;
};

// What a picture shows: the window's command that draws it (none for the
// frame and its loads) and the layers of the drawing it holds.
struct PictureKind {
    const char* word;
    std::optional<MenuCommand> command;
    DrawingLayers layers;
};

constexpr bool kOn = true;
constexpr bool kOff = false;

// Layers: loads, diagram, reactions, deflected shape.
const std::array<PictureKind, 7> kPictureKinds{{
    {"frame", std::nullopt, {kOff, {kOff, kOff, kOff, kOff}}},
    {"loads", std::nullopt, {kOff, {kOn, kOff, kOff, kOff}}},
    {"M", MenuCommand::MomentDiagram, {kOff, {kOff, kOn, kOff, kOff}}},
    {"Q", MenuCommand::ShearDiagram, {kOff, {kOff, kOn, kOff, kOff}}},
    {"N", MenuCommand::AxialDiagram, {kOff, {kOff, kOn, kOff, kOff}}},
    {"deflection", MenuCommand::Deflection, {kOff, {kOff, kOff, kOff, kOn}}},
    {"reactions", MenuCommand::Reactions, {kOff, {kOff, kOff, kOn, kOff}}},
}};

const PictureKind* pictureKind(const QString& word) {
    for (const PictureKind& kind : kPictureKinds) {
        if (word == QLatin1String(kind.word)) {
            return &kind;
        }
    }
    return nullptr;
}

// Qt's own notes about the offscreen platform (no runtime folder, window
// hints it cannot honour) say nothing to someone running a batch, whose
// standard error should hold only what went wrong with the export: while
// the window draws, Qt's debug messages and warnings are dropped; its
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

// Each picture is painted by the window, then encoded and written on a
// second thread while the window goes on to the next: a PNG of a large
// frame takes about as long to encode as to draw. One picture at a time is
// in writing, so at most two drawings are held, and files are named in the
// order asked.
class PictureWriter {
public:
    explicit PictureWriter(BatchRun& run) : run_(run) {}
    ~PictureWriter() { finish(); }
    PictureWriter(const PictureWriter&) = delete;
    PictureWriter& operator=(const PictureWriter&) = delete;

    void write(const QString& path, PaintedDrawing drawing) {
        finish();
        path_ = path;
        writing_ = std::async(std::launch::async, [path, drawing = std::move(drawing)] {
            return writeDrawingFile(path, drawing);
        });
    }
    void refuse(const QString& path, const QString& why) {
        finish();
        all_ = run_.written(path, why) && all_;
    }
    // Waits for the picture in writing.
    void finish() {
        if (writing_.valid()) {
            all_ = run_.written(path_, writing_.get()) && all_;
        }
    }
    bool allWritten() {
        finish();
        return all_;
    }

private:
    BatchRun& run_;
    QString path_;
    std::future<std::optional<QString>> writing_;
    bool all_ = true;
};

void writePicture(Form1& window, const PictureRequest& picture, const DrawingSize& size,
                  PictureWriter& writer) {
    const PictureKind* kind = pictureKind(picture.what);
    const auto format = drawingFormatOf(picture.path);
    if (kind == nullptr || !format) {
        writer.refuse(picture.path, QStringLiteral("未知的图形 ") + picture.what);
        return;
    }
    if (kind->command) {
        window.menuItem(*kind->command)->trigger();
    }
    writer.write(picture.path, paintForFile(window.canvasModel(), *format, size, kind->layers));
}

bool writeTables(Form1& window, const QString& project, const QString& folder, BatchRun& run) {
    // Any command that analyses fills the tables; 支座反力 prints nothing.
    if (!window.resultViews().tables()) {
        window.menuItem(MenuCommand::Reactions)->trigger();
    }
    const auto tables = window.resultViews().tables();
    const QString stem = QDir(folder).filePath(QFileInfo(project).completeBaseName());
    if (!tables || !QDir().mkpath(folder)) {
        return run.written(stem + QLatin1String(kCsvSuffixes[0]),
                           QStringLiteral("无法写入文件夹 ") + folder);
    }
    bool all = true;
    for (std::size_t k = 0; k < tables->size(); ++k) {
        const QString path = stem + QLatin1String(kCsvSuffixes[k]);
        QString why;
        const bool ok = writeWholeFile(path, csvText((*tables)[k]), &why);
        all = run.written(path, ok ? std::nullopt : std::optional(why)) && all;
    }
    return all;
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
        if (pictureKind(picture.what) == nullptr) {
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

QString pictureKinds() {
    QStringList words;
    for (const PictureKind& kind : kPictureKinds) {
        words << QLatin1String(kind.word);
    }
    return words.join(QStringLiteral(", "));
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

// The window is made on the offscreen platform, so that no display is
// needed; it opens the project as 打开 would and shows the whole frame
// before each command draws.
BatchStatus exportResults(const QString& path, const BatchExport& request, std::ostream& out,
                          std::ostream& err) {
    const QuietQt quiet;
    std::optional<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "Orvandel";
        static char* argv[] = {name, nullptr};
        application.emplace(argc, argv);
    }
    BatchPlatform platform(err);
    Document document;
    const QString folder = QFileInfo(path).absolutePath();
    Form1 window(document, platform, findProgramFolder(QCoreApplication::applicationDirPath()).path,
                 folder);
    window.Form_Load();
    if (!window.openProject(path)) {
        return BatchStatus::UnreadableFile;
    }
    window.menuItem(MenuCommand::WholeFrame)->trigger();
    BatchRun run(out, err);
    PictureWriter writer(run);
    for (const PictureRequest& picture : request.pictures) {
        writePicture(window, picture, request.size, writer);
    }
    bool all = writer.allWritten();
    if (!request.csvFolder.isEmpty()) {
        all = writeTables(window, path, request.csvFolder, run) && all;
    }
    return all ? BatchStatus::Solved : BatchStatus::ExportFailed;
}
