// Writing the project file; see project_file.h.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "document/file_names.h"
#include "document/load_cases.h"
#include "document/project_extension.h"
#include "document/project_file.h"
#include "text/number_text.h"

namespace {

// One record: items joined by commas, ended by CR LF.
class RecordWriter {
public:
    // The notation has no room for non-finite numbers, quotes inside texts
    // or line breaks; written raw they would make the file unreadable, so
    // they are written as the nearest thing the reader takes back.
    static float readable(float value) {
        if (std::isnan(value)) {
            return 0;
        }
        return std::clamp(value, -std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::max());
    }
    static std::string readable(std::string text) {
        std::replace(text.begin(), text.end(), '"', '\'');
        std::replace(text.begin(), text.end(), '\r', ' ');
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    }

    RecordWriter& integer(long value) { return item(std::to_string(value)); }
    RecordWriter& single(float value) { return item(orv::writeNotation(readable(value))); }
    RecordWriter& text(std::string_view value) {
        std::string quoted = readable(std::string(value));
        quoted.insert(quoted.begin(), '"');
        quoted.push_back('"');
        return item(quoted);
    }
    RecordWriter& boolean(bool value) { return item(value ? "#TRUE#" : "#FALSE#"); }

    void end() {
        out_ += "\r\n";
        first_ = true;
    }
    std::string take() { return std::move(out_); }
    // Whole records written by another writer.
    void records(std::string_view text) { out_ += text; }

private:
    RecordWriter& item(const std::string& text) {
        if (!first_) {
            out_ += ',';
        }
        out_ += text;
        first_ = false;
        return *this;
    }

    std::string out_;
    bool first_ = true;
};

// Members drawn: those the reader numbers 1..membersEntered, as far as the
// member array holds them; the extension looks at their records in place (a
// large frame has tens of thousands). Members not yet drawn, or not held,
// carry no connection or temperature change a file could name.
std::size_t drawnMembersHeld(const Document& document) {
    const int drawn = std::min<int>(document.membersEntered, document.memberTotal);
    const std::size_t held = document.members.empty() ? 0 : document.members.size() - 1;
    return std::min(static_cast<std::size_t>(std::max(drawn, 0)), held);
}

std::size_t nodesNumbered(const Document& document) {
    return static_cast<std::size_t>(std::max<int>(document.nodeCount, 0));
}

void writeNodes(const Document& document, RecordWriter& out) {
    for (std::size_t k = 1; k <= nodesNumbered(document); ++k) {
        const gd node = elementOr(document.nodes, k);
        const std::int16_t kind =
            k < document.supportKinds.size() ? document.supportKinds[k] : std::int16_t{SupportNone};
        out.integer(kind)
            .boolean(node.支座方向)
            .integer(node.节点号)
            .single(node.x)
            .single(node.y)
            .end();
    }
}

// A node's support extras in place (a fresh value for a node the array
// does not hold): each case reads them again.
const SupportExtras& extrasOf(const Document& document, std::size_t k) {
    static const SupportExtras none;
    return k < document.supportExtras.size() ? document.supportExtras[k] : none;
}

// Load j of a member in one case: kind, position, intensity, as records 5e
// and "LOAD" hold it.
void writeLoad(ConstMemberLoads loads, std::size_t j, RecordWriter& out) {
    out.text(elementOr(loads.hzlx, j)).single(elementOr(loads.xq, j)).single(elementOr(loads.q, j));
}

std::size_t loadCount(ConstMemberLoads loads) {
    return static_cast<std::size_t>(std::max<int>(loads.荷载数, 0));
}

void writeMember(const gj& member, long number, RecordWriter& out) {
    out.integer(number).integer(member.左号).integer(member.右号).end();
    out.single(member.x1)
        .single(member.y1)
        .single(member.x2)
        .single(member.y2)
        .text(member.材料)
        .text(member.断面)
        .end();
    for (std::size_t k = 0; k < 5; ++k) {
        out.single(elementOr(member.尺寸, k));
    }
    out.end();
    const ConstMemberLoads loads = loadsIn(member, 1);
    out.integer(loads.荷载数).end();
    for (std::size_t j = 1; j <= loadCount(loads); ++j) {
        writeLoad(loads, j, out);
        out.end();
    }
}

// Values as the file takes them back, with those that cannot be written
// made readable: a set that is 0 throughout then needs no record.
std::array<float, 3> readable(const std::array<float, 3>& values) {
    return {RecordWriter::readable(values[0]), RecordWriter::readable(values[1]),
            RecordWriter::readable(values[2])};
}

bool allZero(const std::array<float, 3>& values) {
    return values == std::array<float, 3>{};
}

// One "RELEASE" record per connected end of a drawn member, members in
// order, end 1 before end 2. Rigid ends have no record.
void writeConnections(const Document& document, RecordWriter& out) {
    for (std::size_t i = 1; i <= drawnMembersHeld(document); ++i) {
        const gj& member = document.members[i];
        for (int end = 1; end <= 2; ++end) {
            if (const std::optional<float> k = member.*kMemberEnds[end - 1]) {
                // A stiffness below 0 does not read back; the nearest
                // connection the reader takes is a hinge.
                out.text(kConnectionRecord)
                    .integer(static_cast<long>(i))
                    .integer(end)
                    .single(std::max(0.0f, RecordWriter::readable(*k)))
                    .end();
            }
        }
    }
}

// One "SPRING" record per node resting on springs. A spring below 0 does
// not read back; the nearest the reader takes is none.
void writeSprings(const Document& document, RecordWriter& out) {
    for (std::size_t k = 1; k <= nodesNumbered(document); ++k) {
        std::array<float, 3> springs = readable(extrasOf(document, k).springs);
        for (float& spring : springs) {
            spring = std::max(0.0f, spring);
        }
        if (!allZero(springs)) {
            out.text(kSpringRecord).integer(static_cast<long>(k));
            out.single(springs[0]).single(springs[1]).single(springs[2]).end();
        }
    }
}

// The angle in -180 < a <= 180 as it will be written: a turn of -180
// degrees is the turn of 180, and so is one whose seven digits read as -180.
float writableAngle(float degrees) {
    const float angle = std::remainder(RecordWriter::readable(degrees), 360.0f);
    const bool readsAsMinus180 =
        orv::parseNumber(orv::writeNotation(angle)).value_or(0.0) <= -180.0;
    return readsAsMinus180 ? 180.0f : angle;
}

// One "INCLINE" record per node whose support axes are turned.
void writeInclines(const Document& document, RecordWriter& out) {
    for (std::size_t k = 1; k <= nodesNumbered(document); ++k) {
        const float angle = writableAngle(extrasOf(document, k).angle);
        if (angle != 0) {
            out.text(kInclineRecord).integer(static_cast<long>(k)).single(angle).end();
        }
    }
}

// A name the file can hold: a case or combination without one is written
// with the name its number gives it ("工况2", "组合1").
std::string nameOr(const std::string& name, const char* kind, int number) {
    return name.empty() ? kind + std::to_string(number) : name;
}

// One "CASE" record per load case, when there is more than one or the first
// has been renamed; a project with case 1 alone under its own name needs none.
void writeCases(const Document& document, RecordWriter& out) {
    const int cases = loadCaseCount(document);
    const bool renamed =
        !document.loadCaseNames.empty() && document.loadCaseNames.front() != kFirstLoadCaseName;
    if (cases < 2 && !renamed) {
        return;
    }
    for (int c = 1; c <= cases; ++c) {
        const std::string name = elementOr(document.loadCaseNames, static_cast<std::size_t>(c - 1));
        out.text(kCaseRecord).integer(c).text(nameOr(name, "工况", c)).end();
    }
}

// One "LOAD" record per load of cases 2, 3, ... on a drawn member: cases in
// order, then members, then the member's loads. Case 1's loads are in
// records 5e.
void writeCaseLoads(const Document& document, RecordWriter& out) {
    for (int c = 2; c <= loadCaseCount(document); ++c) {
        for (std::size_t i = 1; i <= drawnMembersHeld(document); ++i) {
            const ConstMemberLoads loads = loadsIn(document.members[i], c);
            for (std::size_t j = 1; j <= loadCount(loads); ++j) {
                out.text(kCaseLoadRecord).integer(c).integer(static_cast<long>(i));
                writeLoad(loads, j, out);
                out.end();
            }
        }
    }
}

// One "SETTLE" record per case and node whose support moves in it.
void writeSettlements(const Document& document, RecordWriter& out) {
    for (int c = 1; c <= loadCaseCount(document); ++c) {
        for (std::size_t k = 1; k <= nodesNumbered(document); ++k) {
            const std::array<float, 3> moves = readable(settlementIn(extrasOf(document, k), c));
            if (!allZero(moves)) {
                out.text(kSettlementRecord).integer(c).integer(static_cast<long>(k));
                out.single(moves[0]).single(moves[1]).single(moves[2]).end();
            }
        }
    }
}

// One "TEMP" record per case and drawn member whose temperature changes in
// it.
void writeTemperatures(const Document& document, RecordWriter& out) {
    for (int c = 1; c <= loadCaseCount(document); ++c) {
        for (std::size_t i = 1; i <= drawnMembersHeld(document); ++i) {
            const ConstMemberLoads loads = loadsIn(document.members[i], c);
            const float t1 = RecordWriter::readable(loads.温度改变1);
            const float t2 = RecordWriter::readable(loads.温度改变2);
            if (t1 != 0 || t2 != 0) {
                out.text(kTemperatureRecord).integer(c).integer(static_cast<long>(i));
                out.single(t1).single(t2).end();
            }
        }
    }
}

// The terms of a combination the file can hold: each of the cases 1..K
// once (a later term of the same case is left out).
std::vector<LoadCombination::Term> writableTerms(const LoadCombination& combination, int cases) {
    std::vector<LoadCombination::Term> terms;
    for (const LoadCombination::Term& term : combination.terms) {
        const bool known = term.loadCase >= 1 && term.loadCase <= cases;
        const bool repeated = std::any_of(terms.begin(), terms.end(), [&term](const auto& t) {
            return t.loadCase == term.loadCase;
        });
        if (known && !repeated) {
            terms.push_back(term);
        }
    }
    return terms;
}

// One "COMBO" record per combination, numbered 1, 2, ... A combination
// without a term the file can hold does not read back and is left out.
void writeCombinations(const Document& document, RecordWriter& out) {
    int number = 0;
    for (const LoadCombination& combination : document.combinations) {
        const std::vector<LoadCombination::Term> terms =
            writableTerms(combination, loadCaseCount(document));
        if (terms.empty()) {
            continue;
        }
        ++number;
        out.text(kCombinationRecord).integer(number).text(nameOr(combination.name, "组合", number));
        out.integer(static_cast<long>(terms.size()));
        for (const LoadCombination::Term& term : terms) {
            out.integer(term.loadCase).single(term.factor);
        }
        out.end();
    }
}

// The extension follows record 6 only when the project needs it, so that a
// project with rigid joints, rigid supports along the axes and the loads of
// one load case alone is written as it always was and reads in any version
// of the program. Its records come in the order the file format lists them.
void writeExtension(const Document& document, RecordWriter& out) {
    RecordWriter records;
    for (const auto write :
         {writeConnections, writeSprings, writeInclines, writeCases, writeCaseLoads,
          writeSettlements, writeTemperatures, writeCombinations}) {
        write(document, records);
    }
    const std::string text = records.take();
    if (text.empty()) {
        return;
    }
    out.text(kExtensionHeader).integer(kExtensionVersion).end();
    out.records(text);
    out.text(kExtensionEnd).end();
}

// The new text of a file being saved: a file of its own in the target's
// folder, so that renaming it over the target replaces the old text at once.
// Removed again unless released after the rename.
class SavingFile {
public:
    // A file with a name no other file has: created with O_EXCL, so no
    // existing file or link of that name is followed or overwritten. Created
    // with the permissions a new file gets under the umask.
    static std::optional<SavingFile> create(const std::filesystem::path& folder) {
        std::random_device seed;
        std::mt19937_64 random(static_cast<std::uint64_t>(seed()) << 32 ^ seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            char name[32];
            std::snprintf(name, sizeof name, ".orvandel-%012llx.saving",
                          static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
            const std::filesystem::path path = folder / name;
            const int fd =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (fd >= 0) {
                return SavingFile(fd, path);
            }
            if (errno != EEXIST) {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    SavingFile(SavingFile&& other) noexcept
        : fd_(std::exchange(other.fd_, -1)), path_(std::exchange(other.path_, {})) {}
    SavingFile& operator=(SavingFile&&) = delete;
    ~SavingFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

    const std::filesystem::path& path() const { return path_; }

    bool write(std::string_view text) {
        while (!text.empty()) {
            const ssize_t written = ::write(fd_, text.data(), text.size());
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return false;
            }
            text.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    // Saving must not change who may read or write the project.
    bool keepPermissionsOf(const std::filesystem::path& target) {
        struct stat old {};
        if (::stat(target.c_str(), &old) != 0) {
            return errno == ENOENT;  // a new file: the umask decided
        }
        return ::fchmod(fd_, old.st_mode & 07777) == 0;
    }

    // On the disk before the rename, so that a crash leaves the old text
    // or the new one, never an empty file.
    bool flushAndClose() {
        const bool flushed = ::fsync(fd_) == 0;
        const bool closed = ::close(std::exchange(fd_, -1)) == 0;
        return flushed && closed;
    }

    // The file has become the target: nothing to remove.
    void release() { path_.clear(); }

private:
    SavingFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}

    int fd_;
    std::filesystem::path path_;
};

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string projectFileText(const Document& document) {
    RecordWriter out;
    out.integer(document.memberTotal)
        .integer(document.nodeCount)
        .single(document.diagramScale)
        .end();
    out.integer(document.backColour).integer(document.crosshairColour).end();
    const WorldWindow& world = document.world;
    out.single(world.scaleLeft)
        .single(world.scaleTop)
        .single(world.scaleWidth)
        .single(world.scaleHeight)
        .end();
    writeNodes(document, out);
    // The reader takes the number of the last member record as the count
    // of members drawn, so members not yet drawn carry the number of the
    // last member drawn (0 when none is). A complete drawing numbers its
    // members 1, 2, 3, ...
    const long drawn = std::max<long>(document.membersEntered, 0);
    for (long i = 1; i <= document.memberTotal; ++i) {
        writeMember(elementOr(document.members, static_cast<std::size_t>(i)), std::min(i, drawn),
                    out);
    }
    out.text("END").end();
    writeExtension(document, out);
    return out.take();
}

bool WriteProjectFile(const Document& document, const std::string& path) {
    const std::filesystem::path target = filePath(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    const std::string text = projectFileText(document);
    auto temporary = SavingFile::create(folder);
    if (!temporary) {
        return false;
    }
    if (!temporary->write(text) || !temporary->keepPermissionsOf(target) ||
        !temporary->flushAndClose()) {
        return false;
    }
    if (::rename(temporary->path().c_str(), target.c_str()) != 0) {
        return false;
    }
    temporary->release();
    // The rename itself reaches the disk only with the folder; the file is
    // saved either way, so a folder that cannot be flushed is not an error.
    syncFolder(folder);
    return true;
}
