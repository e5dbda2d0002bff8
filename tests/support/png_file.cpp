#include "support/png_file.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace testing_support {
namespace {

std::uint32_t Crc(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutBig32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBig32(out, Crc(typed));
}

}  // namespace

bool WritePng(const std::string& path, const Pixels& pixels) {
    // Scanlines: a filter byte (0) and RGB triples.
    std::string raw;
    raw.reserve(std::size_t(pixels.height()) * (1 + 3 * std::size_t(pixels.width())));
    for (int y = 0; y < pixels.height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < pixels.width(); ++x) {
            COLORREF c = pixels.at(x, y);
            raw.push_back(static_cast<char>(GetRValue(c)));
            raw.push_back(static_cast<char>(GetGValue(c)));
            raw.push_back(static_cast<char>(GetBValue(c)));
        }
    }
    // zlib stream of stored blocks, with its Adler-32.
    std::string z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        bool last = at + length == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<char>(length & 0xFF));
        z.push_back(static_cast<char>(length >> 8));
        z.push_back(static_cast<char>(~length & 0xFF));
        z.push_back(static_cast<char>((~length >> 8) & 0xFF));
        z.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    PutBig32(z, (b << 16) | a);

    std::string header;
    PutBig32(header, static_cast<std::uint32_t>(pixels.width()));
    PutBig32(header, static_cast<std::uint32_t>(pixels.height()));
    header += std::string{8, 2, 0, 0, 0};  // 8 bits per sample, RGB, deflate, no filter, no interlace
    std::string file = "\x89PNG\r\n\x1a\n";
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", z);
    PutChunk(file, "IEND", "");
    std::ofstream out(path, std::ios::binary);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

}  // namespace testing_support
