// The program's command line; see command_line.h.
#include "batch/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <iostream>

#include "batch/picture_scenes.h"
#include "document/file_names.h"

namespace {

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

// Arguments arrive in the encoding of the user's locale; the parser and the
// program work in UTF-8.
QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromStdString(fileNameToUtf8(argv[i]));
    }
    return arguments;
}

// The project named after the first one, if any: the command line takes
// one project, by --analyze or as the file to open.
QString secondProject(const QCommandLineParser& parser, const QCommandLineOption& analyze) {
    QStringList projects = parser.values(analyze);
    projects << parser.positionalArguments();
    return projects.size() > 1 ? projects[1] : QString();
}

CommandLine usageError(const std::string& text) {
    std::cerr << text << '\n';
    return {static_cast<int>(BatchStatus::UsageError), {}, {}, {}};
}

struct Options {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption analyze{
        "analyze",
        "Analyse the project FILE.tsd, write FILE.mqn and FILE.uva beside it and print the "
        "member end forces.",
        "FILE.tsd"};
    QCommandLineOption csv{"csv",
                           "With --analyze: write the results window's tables to DIR as "
                           "<project>_forces.csv, _displacements.csv and _reactions.csv.",
                           "DIR"};
    QCommandLineOption size{"size", "The size of --export pictures (PNG, SVG) in pixels.",
                            "WIDTHxHEIGHT"};
    QCommandLineOption paper{"paper", "The landscape paper of --export PDF files: A4 or A3.",
                             "A4|A3"};
    QCommandLineOption loadCase{"case",
                                "With --analyze: the results of load case N (1, 2, ...) for "
                                "FILE.mqn, FILE.uva, the printed end forces and --export; "
                                "without --case, --combo or --envelope, case 1.",
                                "N"};
    QCommandLineOption combination{
        "combo",
        "With --analyze: the results of load combination N (1, 2, ...), as --case gives a case's.",
        "N"};
    QCommandLineOption envelope{
        "envelope",
        "With --analyze: print the envelope's table (per member the largest and smallest N, Q "
        "and M, where, and which combination gives it; over the cases without combinations), "
        "and --export M, Q or N draws that force's envelope."};

    Options() {
        parser.setApplicationDescription(QString::fromUtf8(kDescription));
        parser.addOption(analyze);
        parser.addPositionalArgument("FILE.tsd", "A project to open in the drawing window.",
                                     "[FILE.tsd]");
        // Read by hand (two values), listed here for the help text only.
        parser.addOption(QCommandLineOption(
            "export",
            "With --analyze: write the drawing of WHAT (" + pictureKinds() +
                ") to OUT, an .svg, .pdf or .png file; may be given several times.",
            "WHAT OUT"));
        parser.addOption(csv);
        parser.addOption(size);
        parser.addOption(paper);
        parser.addOption(loadCase);
        parser.addOption(combination);
        parser.addOption(envelope);
    }
};

// --size and --paper into `exports`; false (the error said) for a value
// that is not one.
bool readPictureSize(const Options& options, BatchExport& exports) {
    if (options.parser.isSet(options.size)) {
        exports.size.pixels = parsePictureSize(options.parser.value(options.size));
        if (!exports.size.pixels) {
            std::cerr << "--size: WIDTHxHEIGHT, such as 2400x1600\n";
            return false;
        }
    }
    if (options.parser.isSet(options.paper)) {
        const auto named = paperNamed(options.parser.value(options.paper));
        if (!named) {
            std::cerr << "--paper: A4 or A3\n";
            return false;
        }
        exports.size.paper = *named;
    }
    return true;
}

// A set's number: a whole number from 1.
std::optional<int> setNumber(const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok && number >= 1 ? std::optional(number) : std::nullopt;
}

// --case, --combo and --envelope into `exports`; false (the error said)
// for more than one of them or a number that is none.
bool readResultRequest(const Options& options, BatchExport& exports) {
    const QCommandLineParser& parser = options.parser;
    const int given = int{parser.isSet(options.loadCase)} + int{parser.isSet(options.combination)} +
                      int{parser.isSet(options.envelope)};
    if (given > 1) {
        std::cerr << "--case, --combo and --envelope: one at a time\n";
        return false;
    }
    exports.results.envelope = parser.isSet(options.envelope);
    for (const auto& [option, kind] :
         {std::pair{&options.loadCase, ResultChoice::Kind::Case},
          std::pair{&options.combination, ResultChoice::Kind::Combination}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        const auto number = setNumber(parser.value(*option));
        if (!number) {
            std::cerr << "--" << option->names().front().toStdString()
                      << ": N is a number from 1\n";
            return false;
        }
        exports.results.choice = {kind, *number};
    }
    return true;
}

}  // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
    Options options;
    const QCommandLineParser& parser = options.parser;
    QStringList arguments = argumentsOf(argc, argv);
    QString exportError;
    CommandLine command;
    command.exports.pictures = takePictureRequests(arguments, exportError);
    if (!exportError.isEmpty()) {
        return usageError(exportError.toStdString());
    }
    if (!options.parser.parse(arguments)) {
        return usageError(parser.errorText().toStdString());
    }
    command.exports.csvFolder = parser.value(options.csv);
    if (!readPictureSize(options, command.exports) ||
        !readResultRequest(options, command.exports)) {
        return {static_cast<int>(BatchStatus::UsageError), {}, {}, {}};
    }
    const bool batchOptions = parser.isSet(options.csv) || parser.isSet(options.size) ||
                              parser.isSet(options.paper) || parser.isSet(options.loadCase) ||
                              parser.isSet(options.combination) || parser.isSet(options.envelope);
    if (!parser.isSet(options.analyze) && (!command.exports.empty() || batchOptions)) {
        return usageError(
            "--export, --csv, --size, --paper, --case, --combo and --envelope need --analyze "
            "FILE.tsd");
    }
    // One project at a time: a second one (a second --analyze, or a file
    // beside --analyze or beside the first file) would be silently ignored.
    if (const QString second = secondProject(parser, options.analyze); !second.isEmpty()) {
        return usageError("Orvandel: one project at a time; " + second.toStdString() +
                          " is a second one");
    }
    if (parser.isSet(options.help)) {
        QCoreApplication application(argc, argv);
        std::cout << parser.helpText().toStdString();
        return {0, {}, {}, {}};
    }
    if (parser.isSet(options.analyze)) {
        command.analyze = parser.value(options.analyze);
    }
    command.projects = parser.positionalArguments();
    return command;
}

int runBatch(const QString& project, const BatchExport& exports) {
    SolvedProject solved;
    BatchStatus status = solveProject(project.toStdString(), std::cerr, solved, exports.results);
    if (status == BatchStatus::Solved && !isCaseOne(exports.results) &&
        !writeResultFilesOfSet(projectOfSet(solved, exports.results), exports.results, std::cerr)) {
        status = BatchStatus::ResultsUnreadable;
    }
    if (status == BatchStatus::Solved) {
        status = printRequestedResults(solved, exports.results, std::cout, std::cerr);
    }
    if (status == BatchStatus::Solved && !exports.empty()) {
        status = exportResults(solved, exports, std::cout, std::cerr);
    }
    return static_cast<int>(status);
}
