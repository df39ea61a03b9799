// Writing the project file; see project_file.h.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

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
    RecordWriter& text(const std::string& value) {
        std::string quoted = readable(value);
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

void writeNodes(const Document& document, RecordWriter& out) {
    for (std::size_t k = 1; k <= static_cast<std::size_t>(std::max<int>(document.nodeCount, 0));
         ++k) {
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
    out.integer(member.荷载数).end();
    for (std::size_t j = 1; j <= static_cast<std::size_t>(std::max<int>(member.荷载数, 0)); ++j) {
        out.text(elementOr(member.hzlx, j))
            .single(elementOr(member.xq, j))
            .single(elementOr(member.q, j))
            .end();
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
    return out.take();
}

bool WriteProjectFile(const Document& document, const std::string& path) {
    const std::filesystem::path target(path);
    const std::filesystem::path temporary(path + ".saving");
    const std::string text = projectFileText(document);
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
