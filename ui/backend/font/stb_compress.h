#pragma once
// A compressor for Dear ImGui's compressed-font format (the stream that
// ImFontAtlas::AddFontFromMemoryCompressedTTF decompresses with stb_decompress).
//
// Stream layout, all numbers big-endian:
//   57 BC 00 00 | 00 00 00 00 | uncompressed length (u32) | window size (u32, unused by the reader)
//   tokens ...
//   05 FA | Adler-32 of the uncompressed data (u32)
// Tokens (d = distance back into the output, n = byte count, both at least 1):
//   0x80..0xFF: match, n = b0 - 0x80 + 1 (<= 128), d = b1 + 1 (<= 256)
//   0x40..0x7F: match, d = be16(b0,b1) - 0x4000 + 1 (<= 16384), n = b2 + 1 (<= 256)
//   0x20..0x3F: literal run, n = b0 - 0x20 + 1 (<= 32), bytes follow
//   0x18..0x1F: match, d = be24 - 0x180000 + 1 (<= 0x80000), n = b3 + 1 (<= 256)
//   0x10..0x17: match, d = be24 - 0x100000 + 1 (<= 0x80000), n = be16(b3,b4) + 1 (<= 65536)
//   0x08..0x0F: literal run, n = be16(b0,b1) - 0x0800 + 1 (<= 2048), bytes follow
//   0x07:       literal run, n = be16(b1,b2) + 1 (<= 65536), bytes follow
//   0x06:       match, d = be24(b1..b3) + 1 (<= 2^24), n = b4 + 1 (<= 256)
//   0x04:       match, d = be24(b1..b3) + 1 (<= 2^24), n = be16(b4,b5) + 1 (<= 65536)
// Matches may overlap the bytes they produce (d < n repeats a pattern).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace stbfont {

inline constexpr std::uint32_t MAX_DISTANCE = 1u << 24;
inline constexpr std::uint32_t MAX_MATCH = 65536;
inline constexpr std::uint32_t MAX_LITERAL = 65536;

inline std::uint32_t adler32(const unsigned char* data, std::size_t size) {
    constexpr std::uint32_t MOD = 65521;
    std::uint32_t s1 = 1;
    std::uint32_t s2 = 0;
    while (size > 0) {
        std::size_t block = std::min<std::size_t>(size, 5552);
        size -= block;
        while (block-- > 0) {
            s1 += *data++;
            s2 += s1;
        }
        s1 %= MOD;
        s2 %= MOD;
    }
    return (s2 << 16) | s1;
}

namespace detail {

inline void putBE(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// Bytes a match token of this distance and length takes.
inline int matchCost(std::uint32_t distance, std::uint32_t length) {
    if (distance <= 256 && length <= 128) return 2;
    if (distance <= 16384 && length <= 256) return 3;
    if (distance <= 0x80000) return length <= 256 ? 4 : 5;
    return length <= 256 ? 5 : 6;
}

inline void putMatch(std::vector<unsigned char>& out, std::uint32_t distance, std::uint32_t length) {
    const std::uint32_t d = distance - 1;
    const std::uint32_t n = length - 1;
    if (distance <= 256 && length <= 128) {
        out.push_back(static_cast<unsigned char>(0x80 + n));
        out.push_back(static_cast<unsigned char>(d));
    } else if (distance <= 16384 && length <= 256) {
        putBE(out, d + 0x4000, 2);
        out.push_back(static_cast<unsigned char>(n));
    } else if (distance <= 0x80000 && length <= 256) {
        putBE(out, d + 0x180000, 3);
        out.push_back(static_cast<unsigned char>(n));
    } else if (distance <= 0x80000) {
        putBE(out, d + 0x100000, 3);
        putBE(out, n, 2);
    } else if (length <= 256) {
        out.push_back(0x06);
        putBE(out, d, 3);
        out.push_back(static_cast<unsigned char>(n));
    } else {
        out.push_back(0x04);
        putBE(out, d, 3);
        putBE(out, n, 2);
    }
}

inline void putLiterals(std::vector<unsigned char>& out, const unsigned char* data, std::size_t count) {
    while (count > 0) {
        const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(count, MAX_LITERAL));
        if (n <= 32) {
            out.push_back(static_cast<unsigned char>(0x20 + n - 1));
        } else if (n <= 2048) {
            putBE(out, n - 1 + 0x0800, 2);
        } else {
            out.push_back(0x07);
            putBE(out, n - 1, 2);
        }
        out.insert(out.end(), data, data + n);
        data += n;
        count -= n;
    }
}

struct Match {
    std::uint32_t distance = 0;
    std::uint32_t length = 0;
    int gain = 0;  // bytes saved against sending the same bytes as literals
};

}  // namespace detail

// Compresses size bytes. chainLimit bounds how many earlier positions are tried per byte.
inline std::vector<unsigned char> compress(const unsigned char* data, std::size_t size, int chainLimit = 512) {
    using namespace detail;
    std::vector<unsigned char> out;
    out.reserve(size / 2 + 64);
    putBE(out, 0x57bC0000u, 4);
    putBE(out, 0, 4);
    putBE(out, static_cast<std::uint32_t>(size), 4);
    putBE(out, 0x80000u, 4);

    constexpr int HASH_BITS = 16;
    std::vector<std::int64_t> head(std::size_t{1} << HASH_BITS, -1);
    std::vector<std::int64_t> prev(size, -1);
    auto hashAt = [&](std::size_t i) {
        const std::uint32_t v = (std::uint32_t{data[i]} << 16) | (std::uint32_t{data[i + 1]} << 8) | data[i + 2];
        return static_cast<std::size_t>((v * 2654435761u) >> (32 - HASH_BITS));
    };
    auto insert = [&](std::size_t i) {
        if (i + 2 >= size) return;
        const std::size_t h = hashAt(i);
        prev[i] = head[h];
        head[h] = static_cast<std::int64_t>(i);
    };
    auto findMatch = [&](std::size_t i) {
        Match best;
        if (i + 2 >= size) return best;
        const std::size_t limit = std::min<std::size_t>(size - i, MAX_MATCH);
        int tries = chainLimit;
        for (std::int64_t cand = head[hashAt(i)]; cand >= 0 && tries-- > 0; cand = prev[static_cast<std::size_t>(cand)]) {
            const std::size_t c = static_cast<std::size_t>(cand);
            const std::size_t distance = i - c;
            if (distance > MAX_DISTANCE) break;
            std::size_t length = 0;
            while (length < limit && data[c + length] == data[i + length]) ++length;
            if (length < 3) continue;
            const auto d = static_cast<std::uint32_t>(distance);
            const auto n = static_cast<std::uint32_t>(length);
            const int gain = static_cast<int>(n) - matchCost(d, n);
            if (gain > best.gain) best = Match{d, n, gain};
            if (length == limit) break;
        }
        return best;
    };

    std::size_t literalStart = 0;
    std::size_t i = 0;
    while (i < size) {
        Match here = findMatch(i);
        if (here.gain <= 0) {
            insert(i);
            ++i;
            continue;
        }
        // One step of lazy matching: a better match starting at the next byte wins.
        insert(i);
        Match next = findMatch(i + 1);
        if (next.gain > here.gain + 1) {
            ++i;
            here = next;
            insert(i);
        }
        putLiterals(out, data + literalStart, i - literalStart);
        putMatch(out, here.distance, here.length);
        const std::size_t end = i + here.length;
        for (std::size_t k = i + 1; k < end; ++k) insert(k);
        i = end;
        literalStart = i;
    }
    putLiterals(out, data + literalStart, size - literalStart);

    out.push_back(0x05);
    out.push_back(0xfa);
    putBE(out, adler32(data, size), 4);
    return out;
}

}  // namespace stbfont
