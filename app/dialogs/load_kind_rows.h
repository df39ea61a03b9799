// The rows of the load dialog's kind list: each kind's text, the sketch file
// the build draws for it into the program folder, and whether the
// full-length switch is offered. The switch belongs to the distributed
// kinds, whose xq is the extent 0..xq of the load from the first end; a load
// over the whole member has xq equal to the member's length.
#pragma once

#include <array>
#include <string_view>

#include "model/load_kinds.h"

struct LoadKindRow {
    std::string_view text;
    std::string_view sketchFile;
    bool fullLengthSwitch;
};

inline constexpr std::array<LoadKindRow, 6> kLoadKindRows{{
    {orv::kLoadKinds[0].text, "hz1.bmp", false},  // 集中
    {orv::kLoadKinds[1].text, "hz2.bmp", true},   // 均布
    {orv::kLoadKinds[2].text, "hz3.bmp", false},  // 水平集中
    {orv::kLoadKinds[3].text, "hz4.bmp", true},   // 水平均布
    {orv::kLoadKinds[4].text, "hz5.bmp", true},   // 三角
    {orv::kLoadKinds[5].text, "hz6.bmp", false},  // 力偶
}};

// The row of a kind text, compared exactly; nullptr for any other text.
constexpr const LoadKindRow* findLoadKindRow(std::string_view text) {
    for (const LoadKindRow& row : kLoadKindRows) {
        if (row.text == text) {
            return &row;
        }
    }
    return nullptr;
}

constexpr bool isDistributedLoadKind(std::string_view text) {
    const LoadKindRow* row = findLoadKindRow(text);
    return row != nullptr && row->fullLengthSwitch;
}
