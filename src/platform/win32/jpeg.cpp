#include "platform/win32/jpeg.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace platform {
namespace {

// Coefficient positions in the order the data stores them (the zigzag through the 8 x 8 block).
constexpr std::array<std::uint8_t, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The largest picture accepted; the program's own are a few hundred pixels wide.
constexpr int kLargestSide = 4096;

struct HuffmanTable {
    bool defined = false;
    // Codes of each length l (1 to 16) run from minCode[l] to maxCode[l] (maxCode -1: none); the
    // value of a code is values[firstIndex[l] + code - minCode[l]].
    std::array<std::int32_t, 17> minCode{};
    std::array<std::int32_t, 18> maxCode{};
    std::array<std::int32_t, 17> firstIndex{};
    std::vector<std::uint8_t> values;
};

struct Component {
    int id = 0;
    int quantTable = 0;
    int dcTable = 0;
    int acTable = 0;
    int predictor = 0;
    std::vector<std::uint8_t> samples;  // the whole picture rounded up to blocks, rows from the top
};

class Decoder {
public:
    explicit Decoder(std::string_view bytes) : data_(bytes) {}

    std::optional<DecodedJpeg> Run() {
        if (!ReadByte(0xFF) || !ReadByte(0xD8)) return std::nullopt;
        bool frameSeen = false;
        while (true) {
            int marker = NextMarker();
            if (marker < 0) return std::nullopt;
            if (marker == 0xDA) {
                if (!frameSeen || !ReadScan()) return std::nullopt;
                // One scan holds the whole picture: the end of the picture must follow.
                return NextMarker() == 0xD9 ? Finish() : std::nullopt;
            }
            bool read = false;
            if (marker == 0xC0 || marker == 0xC1) {
                if (frameSeen) return std::nullopt;
                frameSeen = read = ReadFrame();
            } else if (marker == 0xC4) {
                read = ReadHuffmanTables();
            } else if (marker == 0xDB) {
                read = ReadQuantTables();
            } else if (marker == 0xDD) {
                read = ReadRestartInterval();
            } else if ((marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE) {
                read = SkipSegment(marker);
            }
            if (!read) return std::nullopt;
        }
    }

private:
    bool ReadByte(int expected) {
        if (pos_ >= data_.size() || static_cast<std::uint8_t>(data_[pos_]) != expected) return false;
        ++pos_;
        return true;
    }

    int Byte(std::size_t at) const { return static_cast<std::uint8_t>(data_[at]); }

    // The code of the next marker (fill bytes skipped), or -1 when the data ends or does not continue
    // with a marker.
    int NextMarker() {
        if (pos_ >= data_.size() || Byte(pos_) != 0xFF) return -1;
        while (pos_ < data_.size() && Byte(pos_) == 0xFF) ++pos_;
        if (pos_ >= data_.size() || Byte(pos_) == 0) return -1;
        return Byte(pos_++);
    }

    // The body of the segment that starts here (after its marker), or nothing when it is cut short.
    std::optional<std::string_view> Segment() {
        if (pos_ + 2 > data_.size()) return std::nullopt;
        std::size_t length = static_cast<std::size_t>(Byte(pos_) << 8 | Byte(pos_ + 1));
        if (length < 2 || pos_ + length > data_.size()) return std::nullopt;
        std::string_view body = data_.substr(pos_ + 2, length - 2);
        pos_ += length;
        return body;
    }

    bool SkipSegment(int marker) {
        auto body = Segment();
        if (!body) return false;
        // Adobe's marker may say that the components are red, green and blue rather than YCbCr.
        if (marker == 0xEE && body->substr(0, 5) == "Adobe") return false;
        if (marker == 0xE0 && body->substr(0, 5) == std::string_view("JFIF\0", 5)) {
            // Only the first version of the format is known to mean plain YCbCr.
            if (body->size() < 6 || (*body)[5] != 1) return false;
            jfif_ = true;
        }
        return true;
    }

    bool ReadQuantTables() {
        auto body = Segment();
        if (!body) return false;
        std::size_t at = 0;
        while (at < body->size()) {
            // Tables of 8-bit values only (16-bit ones do not belong in a baseline picture).
            int precision = static_cast<std::uint8_t>((*body)[at]) >> 4;
            int index = static_cast<std::uint8_t>((*body)[at]) & 15;
            if (precision != 0 || index > 3 || at + 65 > body->size()) return false;
            for (std::size_t k = 0; k < 64; ++k)
                quant_[index][kZigzag[k]] = static_cast<std::uint8_t>((*body)[at + 1 + k]);
            quantDefined_[index] = true;
            at += 65;
        }
        return true;
    }

    bool ReadHuffmanTables() {
        auto body = Segment();
        if (!body) return false;
        std::size_t at = 0;
        while (at < body->size()) {
            if (at + 17 > body->size()) return false;
            int type = static_cast<std::uint8_t>((*body)[at]) >> 4;
            int index = static_cast<std::uint8_t>((*body)[at]) & 15;
            if (type > 1 || index > 3) return false;
            std::array<int, 17> counts{};
            std::size_t total = 0;
            for (int length = 1; length <= 16; ++length) {
                counts[length] = static_cast<std::uint8_t>((*body)[at + length]);
                total += counts[length];
            }
            if (total > 256 || at + 17 + total > body->size()) return false;
            HuffmanTable& table = type == 0 ? dcTables_[index] : acTables_[index];
            table.values.assign(body->begin() + static_cast<std::ptrdiff_t>(at + 17),
                                body->begin() + static_cast<std::ptrdiff_t>(at + 17 + total));
            // The lengths give the codes in order: each length continues from the last code, doubled.
            std::int32_t code = 0;
            std::int32_t index0 = 0;
            for (int length = 1; length <= 16; ++length) {
                table.firstIndex[length] = index0;
                table.minCode[length] = code;
                code += counts[length];
                index0 += counts[length];
                if (code >= (1 << length)) return false;  // a code of all ones, or more codes than fit
                table.maxCode[length] = counts[length] ? code - 1 : -1;
                code <<= 1;
            }
            // A difference of DC values is at most 11 bits long in 8-bit pictures.
            if (type == 0 &&
                std::any_of(table.values.begin(), table.values.end(), [](int v) { return v > 11; }))
                return false;
            table.defined = true;
            at += 17 + total;
        }
        return true;
    }

    bool ReadRestartInterval() {
        auto body = Segment();
        if (!body || body->size() != 2) return false;
        restartInterval_ = static_cast<std::uint8_t>((*body)[0]) << 8 | static_cast<std::uint8_t>((*body)[1]);
        return true;
    }

    bool ReadFrame() {
        auto body = Segment();
        if (!body || body->size() != 15) return false;
        auto at = [&](std::size_t i) { return static_cast<int>(static_cast<std::uint8_t>((*body)[i])); };
        height_ = at(1) << 8 | at(2);
        width_ = at(3) << 8 | at(4);
        if (at(0) != 8 || at(5) != 3 || width_ <= 0 || height_ <= 0 || width_ > kLargestSide ||
            height_ > kLargestSide)
            return false;
        for (int c = 0; c < 3; ++c) {
            components_[c].id = at(6 + 3 * c);
            components_[c].quantTable = at(8 + 3 * c);
            // Every component at full resolution, with a table that exists.
            if (at(7 + 3 * c) != 0x11 || components_[c].quantTable > 3) return false;
            for (int other = 0; other < c; ++other)
                if (components_[other].id == components_[c].id) return false;
        }
        // Without the JFIF marker the names of the components tell what they are: 1, 2 and 3 are YCbCr
        // (other names may mean red, green and blue).
        return jfif_ || (components_[0].id == 1 && components_[1].id == 2 && components_[2].id == 3);
    }

    bool ReadScan() {
        auto body = Segment();
        if (!body || body->size() != 10 || static_cast<std::uint8_t>((*body)[0]) != 3) return false;
        auto at = [&](std::size_t i) { return static_cast<int>(static_cast<std::uint8_t>((*body)[i])); };
        // Spectral selection 0 to 63 and no successive approximation: a sequential scan.
        if (at(7) != 0 || at(8) != 63 || at(9) != 0) return false;
        for (int s = 0; s < 3; ++s) {
            auto found = std::find_if(components_.begin(), components_.end(),
                                      [&](const Component& c) { return c.id == at(1 + 2 * s); });
            if (found == components_.end()) return false;
            for (int earlier = 0; earlier < s; ++earlier)
                if (scanOrder_[earlier] == found - components_.begin()) return false;
            scanOrder_[s] = static_cast<int>(found - components_.begin());
            found->dcTable = at(2 + 2 * s) >> 4;
            found->acTable = at(2 + 2 * s) & 15;
            if (found->dcTable > 3 || found->acTable > 3 || !dcTables_[found->dcTable].defined ||
                !acTables_[found->acTable].defined || !quantDefined_[found->quantTable])
                return false;
        }
        return DecodeScan();
    }

    // Entropy-coded data: bits from the most significant, a 0xFF byte followed by a stuffed 0x00.
    bool FillBits() {
        if (pos_ >= data_.size()) return false;
        int byte = Byte(pos_);
        if (byte == 0xFF) {
            if (pos_ + 1 >= data_.size() || Byte(pos_ + 1) != 0) return false;  // a marker: no more data
            ++pos_;
        }
        ++pos_;
        bitBuffer_ = bitBuffer_ << 8 | static_cast<std::uint32_t>(byte);
        bitCount_ += 8;
        return true;
    }

    std::optional<int> Bits(int count) {
        while (bitCount_ < count)
            if (!FillBits()) return std::nullopt;
        bitCount_ -= count;
        return static_cast<int>((bitBuffer_ >> bitCount_) & ((1u << count) - 1));
    }

    std::optional<int> DecodeSymbol(const HuffmanTable& table) {
        std::int32_t code = 0;
        for (int length = 1; length <= 16; ++length) {
            auto bit = Bits(1);
            if (!bit) return std::nullopt;
            code = code << 1 | *bit;
            if (table.maxCode[length] >= 0 && code <= table.maxCode[length]) {
                std::size_t index =
                    static_cast<std::size_t>(table.firstIndex[length] + code - table.minCode[length]);
                if (index >= table.values.size()) return std::nullopt;
                return table.values[index];
            }
        }
        return std::nullopt;
    }

    // A difference of `size` bits: the upper half of the range stands for itself, the lower for negatives.
    std::optional<int> Difference(int size) {
        if (size == 0) return 0;
        auto bits = Bits(size);
        if (!bits) return std::nullopt;
        return *bits < (1 << (size - 1)) ? *bits - (1 << size) + 1 : *bits;
    }

    bool DecodeBlock(Component& component, std::array<int, 64>& block) {
        block.fill(0);
        auto dcSize = DecodeSymbol(dcTables_[component.dcTable]);
        if (!dcSize) return false;
        auto dc = Difference(*dcSize);
        if (!dc) return false;
        component.predictor += *dc;
        block[0] = static_cast<std::int16_t>(component.predictor);
        const HuffmanTable& ac = acTables_[component.acTable];
        for (int k = 1; k < 64; ++k) {
            auto symbol = DecodeSymbol(ac);
            if (!symbol) return false;
            int run = *symbol >> 4;
            int size = *symbol & 15;
            if (size == 0) {
                if (run != 15) break;  // the rest of the block is zero
                k += 15;
                continue;
            }
            k += run;
            if (k > 63) return false;
            auto value = Difference(size);
            if (!value) return false;
            block[kZigzag[static_cast<std::size_t>(k)]] = static_cast<std::int16_t>(*value);
        }
        return true;
    }

    // At a restart marker the coding starts afresh: whole bytes again and the DC values from zero.
    bool Restart() {
        bitBuffer_ = 0;
        bitCount_ = 0;
        if (pos_ + 1 >= data_.size() || Byte(pos_) != 0xFF) return false;
        int marker = NextMarker();
        if (marker != 0xD0 + nextRestart_) return false;
        nextRestart_ = (nextRestart_ + 1) & 7;
        for (Component& c : components_) c.predictor = 0;
        return true;
    }

    bool DecodeScan() {
        const int blocksWide = (width_ + 7) / 8;
        const int blocksHigh = (height_ + 7) / 8;
        const std::size_t stride = static_cast<std::size_t>(blocksWide) * 8;
        for (Component& c : components_)
            c.samples.assign(stride * static_cast<std::size_t>(blocksHigh) * 8, 0);
        std::array<int, 64> block{};
        int sinceRestart = 0;
        for (int by = 0; by < blocksHigh; ++by) {
            for (int bx = 0; bx < blocksWide; ++bx) {
                if (restartInterval_ != 0 && sinceRestart == restartInterval_) {
                    if (!Restart()) return false;
                    sinceRestart = 0;
                }
                for (int s : scanOrder_) {
                    Component& component = components_[static_cast<std::size_t>(s)];
                    if (!DecodeBlock(component, block) ||
                        !InverseDct(block, quant_[component.quantTable],
                                    &component.samples[static_cast<std::size_t>(by) * 8 * stride +
                                                       static_cast<std::size_t>(bx) * 8],
                                    stride))
                        return false;
                }
                ++sinceRestart;
            }
        }
        // What is left of the last byte is padding; the next thing in the data is a marker.
        bitCount_ = 0;
        return true;
    }

    // The sample of an inverse-DCT output: centred on 128, limited to 0..255 after the library's wrap
    // of far outliers at 10 bits.
    static std::uint8_t Limit(std::int64_t value) {
        std::int64_t wrapped = ((value + 512) & 1023) - 512 + 128;
        return static_cast<std::uint8_t>(std::clamp<std::int64_t>(wrapped, 0, 255));
    }

    // The fixed point of the inverse DCT: 13 fraction bits, 2 more kept between the passes.
    static constexpr int kConstBits = 13;
    static constexpr int kPass1Bits = 2;

    // The even and odd halves of one 8-point transform; in[i] is the input at frequency i.
    static void TransformEightPoints(const std::int64_t (&in)[8], std::int64_t (&sums)[8]) {
        std::int64_t z1 = (in[2] + in[6]) * 4433;
        std::int64_t tmp2 = z1 + in[6] * -15137;
        std::int64_t tmp3 = z1 + in[2] * 6270;
        std::int64_t tmp0 = (in[0] + in[4]) * (std::int64_t{1} << kConstBits);
        std::int64_t tmp1 = (in[0] - in[4]) * (std::int64_t{1} << kConstBits);
        std::int64_t tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3, tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

        std::int64_t o0 = in[7], o1 = in[5], o2 = in[3], o3 = in[1];
        std::int64_t z1o = o0 + o3, z2 = o1 + o2, z3 = o0 + o2, z4 = o1 + o3;
        std::int64_t z5 = (z3 + z4) * 9633;
        o0 *= 2446;
        o1 *= 16819;
        o2 *= 25172;
        o3 *= 12299;
        z1o *= -7373;
        z2 *= -20995;
        z3 = z3 * -16069 + z5;
        z4 = z4 * -3196 + z5;
        o0 += z1o + z3;
        o1 += z2 + z4;
        o2 += z2 + z3;
        o3 += z1o + z4;
        sums[0] = tmp10 + o3;
        sums[7] = tmp10 - o3;
        sums[1] = tmp11 + o2;
        sums[6] = tmp11 - o2;
        sums[2] = tmp12 + o1;
        sums[5] = tmp12 - o1;
        sums[3] = tmp13 + o0;
        sums[4] = tmp13 - o0;
    }

    // The library's accurate integer inverse DCT (13 fraction bits, two passes). The library works in
    // 32 bits; a block whose sums leave that range (only damaged data has such
    // coefficients) is declined rather than guessed at.
    static bool InverseDct(const std::array<int, 64>& block, const std::array<int, 64>& quant,
                           std::uint8_t* out, std::size_t stride) {
        bool inRange = true;
        auto descale = [&inRange](std::int64_t x, int n) {
            // Pass 2 also adds 512 << 18 to centre the samples before the shift.
            constexpr std::int64_t kLimit = (std::int64_t{1} << 31) - (std::int64_t{1} << 28);
            if (x < -kLimit || x > kLimit) inRange = false;
            return (x + (std::int64_t{1} << (n - 1))) >> n;
        };
        std::int64_t work[64];
        for (int column = 0; column < 8; ++column) {
            std::int64_t in[8];
            for (int row = 0; row < 8; ++row)
                in[row] = std::int64_t{block[row * 8 + column]} * quant[row * 8 + column];
            std::int64_t sums[8];
            TransformEightPoints(in, sums);
            for (int row = 0; row < 8; ++row)
                work[row * 8 + column] =
                    static_cast<std::int32_t>(descale(sums[row], kConstBits - kPass1Bits));
        }
        for (int row = 0; row < 8; ++row) {
            std::int64_t in[8];
            for (int column = 0; column < 8; ++column) in[column] = work[row * 8 + column];
            std::int64_t sums[8];
            TransformEightPoints(in, sums);
            for (int column = 0; column < 8; ++column)
                out[static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(column)] =
                    Limit(descale(sums[column], kConstBits + kPass1Bits + 3));
        }
        return inRange;
    }

    // YCbCr to RGB in the library's 16-bit fixed point (green from 0.344136286 Cb and 0.714136286 Cr).
    std::optional<DecodedJpeg> Finish() {
        DecodedJpeg picture;
        picture.width = width_;
        picture.height = height_;
        picture.pixels.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        const std::size_t stride = static_cast<std::size_t>((width_ + 7) / 8) * 8;
        auto clamp = [](std::int64_t v) {
            return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 255));
        };
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x);
                std::int64_t luma = components_[0].samples[at];
                std::int64_t cb = std::int64_t{components_[1].samples[at]} - 128;
                std::int64_t cr = std::int64_t{components_[2].samples[at]} - 128;
                std::uint32_t red = clamp(luma + ((91881 * cr + 32768) >> 16));
                std::uint32_t green = clamp(luma + ((-22553 * cb + 32768 - 46802 * cr) >> 16));
                std::uint32_t blue = clamp(luma + ((116130 * cb + 32768) >> 16));
                picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x)] = red << 16 | green << 8 | blue;
            }
        }
        return picture;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
    bool jfif_ = false;
    int width_ = 0;
    int height_ = 0;
    int restartInterval_ = 0;
    int nextRestart_ = 0;
    std::uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::array<std::array<int, 64>, 4> quant_{};
    std::array<bool, 4> quantDefined_{};
    std::array<HuffmanTable, 4> dcTables_;
    std::array<HuffmanTable, 4> acTables_;
    std::array<Component, 3> components_;
    std::array<int, 3> scanOrder_{};
};

}  // namespace

std::optional<DecodedJpeg> DecodeJpeg(std::string_view bytes) {
    return Decoder(bytes).Run();
}

}  // namespace platform
