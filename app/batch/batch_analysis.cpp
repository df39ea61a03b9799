// Batch analysis; see batch_analysis.h.
#include "batch/batch_analysis.h"

#include <filesystem>
#include <ostream>

#include "document/file_names.h"
#include "document/project_file.h"
#include "document/read_whole_file.h"
#include "results/envelope.h"
#include "results/result_sets.h"
#include "results/solver_copy.h"
#include "solver/engine_error.h"
#include "solver/result_files.h"

namespace {

// The engine opens its result files by the name it is given, so it gets the
// project's name as the system knows it.
std::string memberForcesFileName(const std::string& path) {
    return orv::resultBaseName(utf8ToFileName(path)) + ".mqn";
}

// Where the request names a set the project lacks, the usage error's text.
std::optional<std::string> outOfRange(const Model& model, const ResultRequest& request) {
    if (request.envelope || isChoiceOf(model, request.choice)) {
        return std::nullopt;
    }
    if (request.choice.kind == ResultChoice::Kind::Case) {
        return "--case: the project has load cases 1.." + std::to_string(loadCaseCount(model));
    }
    if (model.combinations.empty()) {
        return std::string("--combo: the project has no load combinations");
    }
    return "--combo: the project has load combinations 1.." +
           std::to_string(model.combinations.size());
}

// The envelope's table as lines of tab-separated fields, header first.
std::string tableText(const ResultTable& table) {
    std::string text;
    const auto appendLine = [&text](const std::vector<std::string>& fields) {
        for (std::size_t k = 0; k < fields.size(); ++k) {
            text += (k > 0 ? "\t" : "") + fields[k];
        }
        text += '\n';
    };
    appendLine(table.headers);
    for (const auto& row : table.rows) {
        std::vector<std::string> fields;
        for (const TableCell& cell : row) {
            fields.push_back(cell.text);
        }
        appendLine(fields);
    }
    return text;
}

}  // namespace

bool isCaseOne(const ResultRequest& request) {
    return request.envelope || request.choice == ResultChoice{};
}

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

BatchStatus solveProject(const std::string& path, std::ostream& err, SolvedProject& solved,
                         const ResultRequest& request) {
    Document& document = solved.document;
    resetDocument(document, ".");
    if (const auto error = readProjectFile(path, document)) {
        err << projectReadMessage(path, *error) << '\n';
        return BatchStatus::UnreadableFile;
    }
    if (const auto refused = outOfRange(document, request)) {
        err << *refused << '\n';
        return BatchStatus::UsageError;
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

SolvedProject projectOfSet(const SolvedProject& project, const ResultRequest& request) {
    SolvedProject view{project.document, std::make_unique<内力_位移>(*project.solver)};
    if (isCaseOne(request)) {
        return view;
    }
    if (auto set = resultSetOf(project.document, *project.solver, request.choice)) {
        static_cast<Model&>(view.document) = std::move(set->model);
        *view.solver = std::move(set->solver);
    }
    return view;
}

bool writeResultFilesOfSet(const SolvedProject& set, const ResultRequest& request,
                           std::ostream& err) {
    if (isCaseOne(request)) {
        return true;
    }
    const 内力_位移& solver = *set.solver;
    const std::string base = orv::resultBaseName(utf8ToFileName(set.document.projectPath));
    try {
        orv::writeTextFile(base + ".mqn", orv::memberForcesText(solver.a, solver.杆件总数,
                                                                solver.左节点号, solver.右节点号));
        orv::writeTextFile(base + ".uva", orv::displacementsText(solver.a, solver.节点总数));
    } catch (const orv::EngineError&) {
        err << "无法写入计算结果文件 " << fileNameToUtf8(base) << ".mqn/.uva\n";
        return false;
    }
    return true;
}

BatchStatus printRequestedResults(const SolvedProject& project, const ResultRequest& request,
                                  std::ostream& out, std::ostream& err) {
    if (request.envelope) {
        out << tableText(envelopeTable(project.document, *project.solver));
        return BatchStatus::Solved;
    }
    return printMemberForces(project.document.projectPath, out, err);
}
