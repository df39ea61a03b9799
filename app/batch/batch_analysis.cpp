// Batch analysis; see batch_analysis.h.
#include "batch/batch_analysis.h"

#include <filesystem>
#include <ostream>

#include "document/file_names.h"
#include "document/project_file.h"
#include "document/read_whole_file.h"
#include "results/solver_copy.h"
#include "solver/result_files.h"

namespace {

// The engine opens its result files by the name it is given, so it gets the
// project's name as the system knows it.
std::string memberForcesFileName(const std::string& path) {
    return orv::resultBaseName(utf8ToFileName(path)) + ".mqn";
}

}  // namespace

BatchStatus printMemberForces(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::filesystem::path fileName = memberForcesFileName(path);
    const auto text = readWholeFile(fileName);
    if (!text) {
        err << "无法读取计算结果文件 " << fileNameToUtf8(fileName.native()) << '\n';
        return BatchStatus::ResultsUnreadable;
    }
    out << *text;
    return BatchStatus::Solved;
}

BatchStatus solveProject(const std::string& path, std::ostream& err, SolvedProject& solved) {
    Document& document = solved.document;
    resetDocument(document, ".");
    if (const auto error = readProjectFile(path, document)) {
        err << projectReadMessage(path, *error) << '\n';
        return BatchStatus::UnreadableFile;
    }
    document.projectPath = path;

    const MessageSink say = [&err](const orv::Diagnostic& message) { err << message.text << '\n'; };
    solved.solver = std::make_unique<内力_位移>();
    内力_位移& solver = *solved.solver;
    solver.messageHandler = say;
    if (!gj2计算gj(document, solver, say)) {
        return BatchStatus::DrawingIncomplete;
    }
    if (!solver.能否计算()) {
        say({kCannotComputeMessage, orv::MessageIcon::None, ""});
        return BatchStatus::Unsolvable;
    }
    if (!solver.korvasta(utf8ToFileName(document.projectPath))) {
        return BatchStatus::Unsolvable;
    }
    return BatchStatus::Solved;
}

BatchStatus analyzeProject(const std::string& path, std::ostream& out, std::ostream& err) {
    SolvedProject solved;
    const BatchStatus status = solveProject(path, err, solved);
    if (status != BatchStatus::Solved) {
        return status;
    }
    return printMemberForces(solved.document.projectPath, out, err);
}
