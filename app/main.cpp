// Orvandel: the program's entry point. Without options it opens the
// drawing window; with --analyze it analyses a saved project without a
// window (and without a display).
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <iostream>

#include "batch/batch_analysis.h"
#include "editor/form1.h"
#include "platform/qt_platform.h"

namespace {

constexpr const char* kDescription =
    "Orvandel: analysis of plane rigid frames by the direct stiffness method.\n"
    "\n"
    "Without options the drawing window opens (FILE.tsd, when given, is to be\n"
    "opened in it). Exit status of --analyze: 0 solved (the member end forces\n"
    "are printed on standard output), 2 the project cannot be read, 3 members\n"
    "are still to be drawn, 4 the frame cannot be solved. Messages go to\n"
    "standard error.";

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

int runEditor(int argc, char* argv[], const QStringList& projects) {
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName("Orvandel");
    if (!projects.isEmpty()) {
        std::cerr << "Orvandel: opening a project from the command line is not available yet; "
                     "starting with a new project.\n";
    }
    QtPlatform platform;
    Document document;
    Form1 window(document, platform, QCoreApplication::applicationDirPath());
    platform.setParent(&window);
    window.Form_Load();
    return QApplication::exec();
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
    if (!parser.parse(argumentsOf(argc, argv))) {
        std::cerr << parser.errorText().toStdString() << '\n';
        return static_cast<int>(BatchStatus::UsageError);
    }
    if (parser.isSet(help)) {
        QCoreApplication application(argc, argv);
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (parser.isSet(analyze)) {
        QCoreApplication application(argc, argv);
        return static_cast<int>(
            analyzeProject(parser.value(analyze).toStdString(), std::cout, std::cerr));
    }
    return runEditor(argc, argv, parser.positionalArguments());
}
