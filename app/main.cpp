// Orvandel: the program's entry point. With --analyze it analyses a saved
// project without a window; the drawing window comes with the editor.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <iostream>

#include "batch/batch_analysis.h"

namespace {

constexpr const char* kDescription =
    "Orvandel: analysis of plane rigid frames by the direct stiffness method.\n"
    "\n"
    "Exit status of --analyze: 0 solved (the member end forces are printed on\n"
    "standard output), 2 the project cannot be read, 3 members are still to be\n"
    "drawn, 4 the frame cannot be solved. Messages go to standard error.";

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("Orvandel");

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addHelpOption();
    const QCommandLineOption analyze(
        "analyze",
        "Analyse the project FILE.tsd, write FILE.mqn and FILE.uva beside it and print the "
        "member end forces.",
        "FILE.tsd");
    parser.addOption(analyze);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::cerr << parser.errorText().toStdString() << '\n';
        return static_cast<int>(BatchStatus::UsageError);
    }
    if (parser.isSet("help")) {
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (!parser.isSet(analyze)) {
        // Until the drawing window exists, the program only explains itself.
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    const std::string path = parser.value(analyze).toStdString();
    return static_cast<int>(analyzeProject(path, std::cout, std::cerr));
}
