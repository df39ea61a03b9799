// Orvandel: the program's entry point. Without options it opens the
// drawing window; with --analyze it analyses a saved project without a
// window (and without a display).
#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>

#include "batch/command_line.h"
#include "editor/form1.h"
#include "platform/program_folders.h"
#include "platform/qt_platform.h"

namespace {

// Exit status when the window is asked for without a display; the batch
// statuses are BatchStatus.
constexpr int kNoDisplayStatus = 6;

constexpr const char* kNoDisplayMessage =
    "Orvandel: 没有可用的显示 (DISPLAY、WAYLAND_DISPLAY 均未设置), 无法打开绘图窗口; "
    "无显示时请用 --analyze FILE.tsd 计算 / no display (neither DISPLAY nor WAYLAND_DISPLAY "
    "is set), the drawing window cannot open; use --analyze FILE.tsd without a display";

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

}  // namespace

// The command line is read before any application object exists, so that
// the options that need no window (help, --analyze, errors) need no
// display either.
int main(int argc, char* argv[]) {
    const CommandLine command = readCommandLine(argc, argv);
    if (command.answered) {
        return *command.answered;
    }
    if (command.analyze) {
        return runBatch(*command.analyze, command.exports);
    }
    if (displayMissing()) {
        std::cerr << kNoDisplayMessage << '\n';
        return kNoDisplayStatus;
    }
    return runEditor(argc, argv, command.projects);
}
