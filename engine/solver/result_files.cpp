// Column layout and writing of the result files; see result_files.h.
#include "solver/result_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "solver/engine_error.h"
#include "text/number_text.h"

namespace orv {

namespace {

// Builds lines by column positions (1-based, counted in characters), the
// way a print statement with tab stops lays them out.
class ColumnWriter {
public:
    // Moves to column `column`. A line already past it continues after one
    // blank instead, so that a row never breaks into two lines, and an item
    // pushed along by such a row never touches the one before it.
    void tab(int column) {
        const bool touching = column_ == column && column_ > 1 && text_.back() != ' ';
        if (column_ > column || touching) {
            put(" ");
        }
        if (column_ < column) {
            text_.append(static_cast<std::size_t>(column - column_), ' ');
            column_ = column;
        }
    }

    void put(std::string_view text) {
        text_ += text;
        column_ += static_cast<int>(text.size());
    }

    // An integer as printed: a sign position (blank or minus) in front and
    // one blank behind.
    void putInteger(long value) {
        put(value < 0 ? "-" : " ");
        put(std::to_string(value < 0 ? -value : value));
        put(" ");
    }

    void newLine() {
        text_ += "\r\n";
        column_ = 1;
    }

    std::string take() { return std::move(text_); }

private:
    std::string text_;
    int column_ = 1;
};

// `format(k)` for k = 0 .. count - 1. A large frame's files hold tens of
// thousands of numbers: then two cores format half of them each.
template <typename Format>
std::vector<std::string> formattedValues(std::size_t count, Format format) {
    constexpr std::size_t kWorthTwoCores = 4096;
    std::vector<std::string> values(count);
    const auto formatRange = [&values, &format](std::size_t first, std::size_t last) {
        for (std::size_t k = first; k < last; ++k) {
            values[k] = format(k);
        }
    };
    if (count < kWorthTwoCores || std::thread::hardware_concurrency() < 2) {
        formatRange(0, count);
        return values;
    }
    // Should this half throw, the future waits for the other on its way out.
    auto upper = std::async(std::launch::async, formatRange, count / 2, count);
    formatRange(0, count / 2);
    upper.get();
    return values;
}

int longestText(const std::vector<std::string>& texts) {
    std::size_t longest = 0;
    for (const std::string& t : texts) {
        longest = std::max(longest, t.size());
    }
    return static_cast<int>(longest);
}

}  // namespace

std::string memberForcesText(const Table2D<double>& results, int memberCount,
                             const std::vector<std::int16_t>& leftNodes,
                             const std::vector<std::int16_t>& rightNodes) {
    // Member i, force r at (i - 1) * 6 + r - 1.
    const std::vector<std::string> values = formattedValues(
        6 * static_cast<std::size_t>(std::max(memberCount, 0)),
        [&results](std::size_t k) { return formatFixed(results(k % 6 + 1, k / 6 + 1), 4); });
    const int width = longestText(values);
    ColumnWriter out;
    out.put(kMemberForcesHeader);
    out.newLine();
    for (int i = 1; i <= memberCount; ++i) {
        out.tab(1);
        out.putInteger(i);
        out.tab(5);
        out.putInteger(leftNodes[static_cast<std::size_t>(i)]);
        out.tab(10);
        out.putInteger(rightNodes[static_cast<std::size_t>(i)]);
        for (int r = 1; r <= 6; ++r) {
            const std::string& t = values[static_cast<std::size_t>((i - 1) * 6 + r - 1)];
            out.tab((width + 3) * r + 15 - static_cast<int>(t.size()));
            out.put(t);
        }
        out.newLine();
    }
    return out.take();
}

std::string displacementsText(const Table2D<double>& results, int nodeCount) {
    // Freedom g at index g - 1.
    const std::vector<std::string> values =
        formattedValues(3 * static_cast<std::size_t>(std::max(nodeCount, 0)),
                        [&results](std::size_t k) { return formatFixed(results(0, k + 1), 7); });
    const int width = longestText(values);
    ColumnWriter out;
    for (int n = 1; n <= nodeCount; ++n) {
        if (n > 1) {
            out.newLine();
        }
        out.tab(1);
        out.putInteger(n);
        for (int t = 1; t <= 3; ++t) {
            const std::string& u = values[static_cast<std::size_t>(3 * (n - 1) + t - 1)];
            out.tab((width + 1) * t + 5 - static_cast<int>(u.size()));
            out.put(u);
        }
    }
    return out.take();
}

std::string resultBaseName(const std::string& projectPath) {
    // Step back over four UTF-8 characters (lead bytes are not 10xxxxxx).
    std::size_t end = projectPath.size();
    for (int characters = 0; characters < 4; ++characters) {
        if (end == 0) {
            throw EngineError(RunTimeError::InvalidArgument);
        }
        do {
            --end;
        } while (end > 0 && (static_cast<unsigned char>(projectPath[end]) & 0xC0) == 0x80);
    }
    return projectPath.substr(0, end);
}

void deleteIfExists(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(std::filesystem::path(path), error);
    if (error) {
        throw EngineError(RunTimeError::FileAccess);
    }
}

void writeTextFile(const std::string& path, const std::string& text) {
    {
        std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
        if (file) {
            file.write(text.data(), static_cast<std::streamsize>(text.size()));
            file.close();
            if (file) {
                return;
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(path), ignored);
    throw EngineError(RunTimeError::FileAccess);
}

}  // namespace orv
