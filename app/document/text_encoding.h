// The encodings project files come in: UTF-8 as this program writes them,
// or GB18030/GBK as programs on Chinese-language Windows write them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

bool isValidUtf8(std::string_view bytes);

// The bytes as UTF-8: valid UTF-8 as it is (without a byte-order mark),
// anything else decoded as GB18030; nothing when they are neither.
std::optional<std::string> toUtf8(std::string_view bytes);

// The bytes converted from the encoding `from` to the encoding `to` (names
// as iconv knows them); nothing when they are not valid in `from` or have
// no form in `to`.
std::optional<std::string> convertEncoding(std::string_view bytes, const char* from,
                                           const char* to);
