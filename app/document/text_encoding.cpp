// Encoding detection and conversion; see text_encoding.h.
#include "document/text_encoding.h"

#include <iconv.h>

#include <vector>

namespace {

// Length of the UTF-8 sequence led by `lead`, 0 for a byte that cannot lead.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Overlong forms, surrogates and code points beyond U+10FFFF.
bool isWellFormedSecondByte(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0:
            return second >= 0xA0;
        case 0xED:
            return second <= 0x9F;
        case 0xF0:
            return second >= 0x90;
        case 0xF4:
            return second <= 0x8F;
        default:
            return true;
    }
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t k = 0; k < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[k]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || k + length > bytes.size()) {
            return false;
        }
        for (std::size_t c = 1; c < length; ++c) {
            if (!isContinuation(static_cast<unsigned char>(bytes[k + c]))) {
                return false;
            }
        }
        if (length > 1 && !isWellFormedSecondByte(lead, static_cast<unsigned char>(bytes[k + 1]))) {
            return false;
        }
        k += length;
    }
    return true;
}

std::optional<std::string> convertEncoding(std::string_view bytes, const char* from,
                                           const char* to) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string input(bytes);
    // Four bytes per input byte hold any of the encodings used here.
    std::vector<char> output(input.size() * 4 + 16);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    if (done != static_cast<std::size_t>(-1)) {
        done = iconv(converter, nullptr, nullptr, &out, &outLeft);  // any closing shift sequence
    }
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    return std::string(output.data(), output.size() - outLeft);
}

std::optional<std::string> toUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        return std::string(bytes);
    }
    return convertEncoding(bytes, "GB18030", "UTF-8");
}
