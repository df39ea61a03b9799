// The image data of a PNG file of a drawing; see png_deflate.h.
#include "platform/png_deflate.h"

#include <zlib.h>
#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kShortestMatch = 3;
constexpr int kLongestMatch = 258;
constexpr int kFarthestMatch = 32768;

// Bits in the order DEFLATE packs them: each value's lowest bit first,
// Huffman codes with their first bit first (reversed beforehand).
class BitWriter {
public:
    void put(std::uint32_t value, int count) {
        bits_ |= static_cast<std::uint64_t>(value) << used_;
        used_ += count;
        if (used_ >= 32) {
            for (int k = 0; k < 4; ++k) {
                bytes_.push_back(static_cast<char>(bits_ & 0xFF));
                bits_ >>= 8;
            }
            used_ -= 32;
        }
    }
    // The bits so far, the last byte filled up with zeros.
    std::vector<char> finish() {
        for (; used_ > 0; used_ -= 8) {
            bytes_.push_back(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
        }
        used_ = 0;
        return std::move(bytes_);
    }

private:
    std::vector<char> bytes_;
    std::uint64_t bits_ = 0;
    int used_ = 0;
};

std::uint32_t reversed(std::uint32_t code, int length) {
    std::uint32_t result = 0;
    for (int i = 0; i < length; ++i) {
        result = (result << 1) | ((code >> i) & 1);
    }
    return result;
}

struct Code {
    std::uint32_t bits = 0;  // reversed, ready to put
    int length = 0;
};

// The fixed literal/length code of DEFLATE (RFC 1951, 3.2.6).
std::array<Code, 288> fixedLiteralCodes() {
    std::array<Code, 288> codes{};
    for (std::uint32_t s = 0; s < codes.size(); ++s) {
        if (s < 144) {
            codes[s] = {reversed(0x30 + s, 8), 8};
        } else if (s < 256) {
            codes[s] = {reversed(0x190 + s - 144, 9), 9};
        } else if (s < 280) {
            codes[s] = {reversed(s - 256, 7), 7};
        } else {
            codes[s] = {reversed(0xC0 + s - 280, 8), 8};
        }
    }
    return codes;
}

// A length (3..258) or a distance (1..32768) as its code and extra bits.
struct Coded {
    int symbol = 0;
    int extraBits = 0;
    std::uint32_t extra = 0;
};

Coded lengthCode(int length) {
    static constexpr std::array<int, 29> kBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                               15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                               67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<int, 29> kExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    const auto it = std::upper_bound(kBase.begin(), kBase.end(), length) - 1;
    const auto k = static_cast<std::size_t>(it - kBase.begin());
    return {257 + static_cast<int>(k), kExtra[k], static_cast<std::uint32_t>(length - kBase[k])};
}

Coded distanceCode(int distance) {
    int symbol = 0;
    int base = 1;
    int extraBits = 0;
    // Codes 0..3 stand for themselves; after them each pair of codes
    // doubles the span and adds an extra bit.
    if (distance <= 4) {
        return {distance - 1, 0, 0};
    }
    symbol = 4;
    base = 5;
    extraBits = 1;
    while (distance >= base + 2 * (1 << extraBits)) {
        base += 2 * (1 << extraBits);
        symbol += 2;
        ++extraBits;
    }
    const int span = 1 << extraBits;
    if (distance >= base + span) {
        base += span;
        ++symbol;
    }
    return {symbol, extraBits, static_cast<std::uint32_t>(distance - base)};
}

// How many pixels from `a` on equal those from `b` on, at most `most`.
int samePixels(const QRgb* a, const QRgb* b, int most) {
    int n = 0;
    while (n < most && a[n] == b[n]) {
        ++n;
    }
    return n;
}

// The rows in pixels: a pixel copies the one before it (distance 3) or the
// one above it (distance one row); a whole row like the one above is one
// run of copies, filter byte included.
class RowPacker {
public:
    explicit RowPacker(int width) : width_(width), stride_(1 + 3 * width) {
        bits_.put(1 | (1 << 1), 3);  // the last block, fixed codes
    }

    void packRepeated() {
        int left = stride_;
        while (left > 0) {
            // No piece may be shorter than a match.
            int piece = std::min(left, kLongestMatch);
            if (left - piece > 0 && left - piece < kShortestMatch) {
                piece = left - kShortestMatch;
            }
            putMatch(piece, stride_);
            left -= piece;
        }
    }
    // Greedy: the longer of the copies of the pixel before and of the
    // pixel above, the pixel's own bytes where neither is there.
    void pack(const QRgb* row, const QRgb* above) {
        putCode(0);  // no filter
        constexpr int kMostPixels = kLongestMatch / 3;
        int x = 0;
        while (x < width_) {
            const int most = std::min(kMostPixels, width_ - x);
            const int up = above != nullptr ? samePixels(row + x, above + x, most) : 0;
            // A copy from above as long as any may be needs no other.
            const int run = x > 0 && up < most ? samePixels(row + x, row + x - 1, most) : 0;
            if (run == 0 && up == 0) {
                putCode(qRed(row[x]));
                putCode(qGreen(row[x]));
                putCode(qBlue(row[x]));
                ++x;
            } else if (run >= up) {
                putMatch(3 * run, 3);
                x += run;
            } else {
                putMatch(3 * up, stride_);
                x += up;
            }
        }
    }
    std::vector<char> finish() {
        putCode(256);
        return bits_.finish();
    }

private:
    void putCode(int symbol) {
        const Code& code = codes_[static_cast<std::size_t>(symbol)];
        bits_.put(code.bits, code.length);
    }
    void putMatch(int length, int distance) {
        const Coded l = lengthCode(length);
        putCode(l.symbol);
        bits_.put(l.extra, l.extraBits);
        const Coded d = distanceCode(distance);
        bits_.put(reversed(static_cast<std::uint32_t>(d.symbol), 5), 5);
        bits_.put(d.extra, d.extraBits);
    }

    BitWriter bits_;
    int width_;
    int stride_;
    std::array<Code, 288> codes_ = fixedLiteralCodes();
};

// The checksum of the rows as the file holds them, each after its filter
// byte; a row like the one above adds the same bytes again.
class RowChecksum {
public:
    explicit RowChecksum(int width) : bytes_(1 + 3 * static_cast<std::size_t>(width)) {}
    void add(const QRgb* row, int width) {
        unsigned char* byte = bytes_.data();
        *byte++ = 0;
        for (int x = 0; x < width; ++x) {
            *byte++ = static_cast<unsigned char>(qRed(row[x]));
            *byte++ = static_cast<unsigned char>(qGreen(row[x]));
            *byte++ = static_cast<unsigned char>(qBlue(row[x]));
        }
        rowSum_ = adler32(adler32(0, nullptr, 0), bytes_.data(), static_cast<uInt>(bytes_.size()));
        addRepeated();
    }
    void addRepeated() {
        sum_ = adler32_combine(sum_, rowSum_, static_cast<z_off_t>(bytes_.size()));
    }
    std::uint32_t sum() const { return static_cast<std::uint32_t>(sum_); }

private:
    std::vector<unsigned char> bytes_;
    uLong rowSum_ = 0;
    uLong sum_ = adler32(0, nullptr, 0);
};

void putBigEndian(QByteArray& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

}  // namespace

QByteArray drawingImageData(const QImage& rgb) {
    const int width = rgb.width();
    const bool aboveInReach = 1 + 3 * width <= kFarthestMatch;
    RowPacker packer(width);
    RowChecksum checksum(width);
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        const auto* above = y > 0 && aboveInReach
                                ? reinterpret_cast<const QRgb*>(rgb.constScanLine(y - 1))
                                : nullptr;
        if (above != nullptr && std::memcmp(row, above, rowBytes) == 0) {
            packer.packRepeated();
            checksum.addRepeated();
        } else {
            packer.pack(row, above);
            checksum.add(row, width);
        }
    }
    const std::vector<char> packed = packer.finish();
    QByteArray out;
    out.reserve(static_cast<qsizetype>(packed.size()) + 6);
    out.append("\x78\x01", 2);  // deflate, 32 KiB window, fastest
    out.append(packed.data(), static_cast<qsizetype>(packed.size()));
    putBigEndian(out, checksum.sum());
    return out;
}
