// Orvandel: the program's entry point. Without options it opens the
// drawing window; with --analyze it analyses a saved project without a
// window (and without a display).
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>

#include "batch/batch_analysis.h"
#include "batch/batch_export.h"
#include "document/file_names.h"
#include "editor/form1.h"
#include "platform/program_folders.h"
#include "platform/qt_platform.h"

namespace {

// Exit status when the window is asked for without a display; the batch
// statuses are BatchStatus.
constexpr int kNoDisplayStatus = 6;

constexpr const char* kDescription =
    "Orvandel: analysis of plane rigid frames by the direct stiffness method.\n"
    "\n"
    "Without options the drawing window opens (FILE.tsd, when given, is to be\n"
    "opened in it). Messages go to standard error. Exit status:\n"
    "  0  done (--analyze: the member end forces are printed on standard output)\n"
    "  1  the command line is wrong\n"
    "  2  the project cannot be read\n"
    "  3  members are still to be drawn\n"
    "  4  the frame cannot be solved\n"
    "  5  the result file cannot be read back\n"
    "  6  no display for the drawing window (--analyze needs none)\n"
    "  7  a picture or table of --export or --csv cannot be written";

constexpr const char* kNoDisplayMessage =
    "Orvandel: 没有可用的显示 (DISPLAY、WAYLAND_DISPLAY 均未设置), 无法打开绘图窗口; "
    "无显示时请用 --analyze FILE.tsd 计算 / no display (neither DISPLAY nor WAYLAND_DISPLAY "
    "is set), the drawing window cannot open; use --analyze FILE.tsd without a display";

// Arguments arrive in the encoding of the user's locale; the parser and the
// program work in UTF-8.
QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromStdString(fileNameToUtf8(argv[i]));
    }
    return arguments;
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// The platforms Qt is asked to try, in order (QT_QPA_PLATFORM, a list
// separated by ';'), each without its options.
QStringList requestedPlatforms() {
    QStringList platforms;
    const QString request = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (const QString& entry : request.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        platforms << entry.section(QLatin1Char(':'), 0, 0).trimmed();
    }
    return platforms;
}

// Qt ends the program with an abort when the X11 or Wayland platform finds
// no display, so the window is not even tried then. The default platform is
// one of the two; other platforms (offscreen, vnc, ...) need no display.
bool displayMissing() {
    const bool x11 = isSet("DISPLAY");
    const bool wayland = isSet("WAYLAND_DISPLAY");
    const QStringList platforms = requestedPlatforms();
    if (platforms.isEmpty()) {
        return !x11 && !wayland;
    }
    for (const QString& platform : platforms) {
        const bool usable = platform.startsWith(QLatin1String("xcb"))       ? x11
                            : platform.startsWith(QLatin1String("wayland")) ? wayland
                                                                            : true;
        if (usable) {
            return false;
        }
    }
    return true;
}

int runEditor(int argc, char* argv[], const QStringList& projects) {
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName("Orvandel");
    // The desktop entry's name, by which Wayland compositors give the
    // window its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvandel.Orvandel"));
    // The program's own texts are Chinese whatever the locale; Qt's buttons
    // and context menus follow them.
    installChineseTranslations(application);
    QtPlatform platform;
    Document document;
    const ProgramFolder programFolder = findProgramFolder(QCoreApplication::applicationDirPath());
    Form1 window(document, platform, programFolder.path, newProjectFolder(programFolder));
    platform.setParent(&window);
    window.Form_Load();
    if (!projects.isEmpty()) {
        window.openProject(projects.front());
    }
    return QApplication::exec();
}

// The project named after the first one, if any: the command line takes
// one project, by --analyze or as the file to open.
QString secondProject(const QCommandLineParser& parser, const QCommandLineOption& analyze) {
    QStringList projects = parser.values(analyze);
    projects << parser.positionalArguments();
    return projects.size() > 1 ? projects[1] : QString();
}

}  // namespace

// The command line is read before any application object exists, so that
// the options that need no window (help, --analyze, errors) need no
// display either.
int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption analyze(
        "analyze",
        "Analyse the project FILE.tsd, write FILE.mqn and FILE.uva beside it and print the "
        "member end forces.",
        "FILE.tsd");
    parser.addOption(analyze);
    parser.addPositionalArgument("FILE.tsd", "A project to open in the drawing window.",
                                 "[FILE.tsd]");
    // Read by hand (two values), listed here for the help text only.
    parser.addOption(
        QCommandLineOption("export",
                           "With --analyze: write the drawing of WHAT (" + pictureKinds() +
                               ") to OUT, an .svg, .pdf or .png file; may be given several times.",
                           "WHAT OUT"));
    const QCommandLineOption csv("csv",
                                 "With --analyze: write the results window's tables to DIR as "
                                 "<project>_forces.csv, _displacements.csv and _reactions.csv.",
                                 "DIR");
    parser.addOption(csv);
    const QCommandLineOption size("size", "The size of --export pictures (PNG, SVG) in pixels.",
                                  "WIDTHxHEIGHT");
    parser.addOption(size);
    const QCommandLineOption paper("paper", "The landscape paper of --export PDF files: A4 or A3.",
                                   "A4|A3");
    parser.addOption(paper);
    QStringList arguments = argumentsOf(argc, argv);
    QString exportError;
    BatchExport exports;
    exports.pictures = takePictureRequests(arguments, exportError);
    if (!exportError.isEmpty() || !parser.parse(arguments)) {
        std::cerr << (exportError.isEmpty() ? parser.errorText() : exportError).toStdString()
                  << '\n';
        return static_cast<int>(BatchStatus::UsageError);
    }
    exports.csvFolder = parser.value(csv);
    if (parser.isSet(size)) {
        exports.size.pixels = parsePictureSize(parser.value(size));
        if (!exports.size.pixels) {
            std::cerr << "--size: WIDTHxHEIGHT, such as 2400x1600\n";
            return static_cast<int>(BatchStatus::UsageError);
        }
    }
    if (parser.isSet(paper)) {
        const auto named = paperNamed(parser.value(paper));
        if (!named) {
            std::cerr << "--paper: A4 or A3\n";
            return static_cast<int>(BatchStatus::UsageError);
        }
        exports.size.paper = *named;
    }
    const bool pictureOptions = parser.isSet(csv) || parser.isSet(size) || parser.isSet(paper);
    if (!parser.isSet(analyze) && (!exports.empty() || pictureOptions)) {
        std::cerr << "--export, --csv, --size and --paper need --analyze FILE.tsd\n";
        return static_cast<int>(BatchStatus::UsageError);
    }
    // One project at a time: a second one (a second --analyze, or a file
    // beside --analyze or beside the first file) would be silently ignored.
    if (const QString second = secondProject(parser, analyze); !second.isEmpty()) {
        std::cerr << "Orvandel: one project at a time; " << second.toStdString()
                  << " is a second one\n";
        return static_cast<int>(BatchStatus::UsageError);
    }
    if (parser.isSet(help)) {
        QCoreApplication application(argc, argv);
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (parser.isSet(analyze)) {
        const QString project = parser.value(analyze);
        const BatchStatus analysed = analyzeProject(project.toStdString(), std::cout, std::cerr);
        if (analysed != BatchStatus::Solved || exports.empty()) {
            return static_cast<int>(analysed);
        }
        return static_cast<int>(exportResults(project, exports, std::cout, std::cerr));
    }
    if (displayMissing()) {
        std::cerr << kNoDisplayMessage << '\n';
        return kNoDisplayStatus;
    }
    return runEditor(argc, argv, parser.positionalArguments());
}
