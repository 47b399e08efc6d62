#include "document/file/Crc16Folding.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace velor {
namespace {

// The bits are reflected: a 16-byte load holds the message's first byte, least significant bit
// first, as its highest power. Bit m of a 128-bit value stands for x^(127 - m), so its low
// 64-bit half H is the upper half of the polynomial (H·x^64 + L). A carry-less product of two
// such halves comes out one power short (bit m stands for x^(126 - m)), which the constants
// make up: to move H·x^64 forward by d bits, multiply by x^(d + 63) mod P; L by x^(d - 1).

// x^n mod P for P = x^16 + x^12 + x^5 + 1, bit j the coefficient of x^j.
constexpr uint32_t PowerModP(int n) {
    uint32_t r = 1;
    for (int i = 0; i < n; ++i) {
        r <<= 1;
        if (r & 0x10000u) r ^= 0x11021u;
    }
    return r;
}

// The residue in the reflected 64-bit form: x^j at bit 63 - j.
constexpr uint64_t Reflected(uint32_t residue) {
    uint64_t k = 0;
    for (int j = 0; j < 16; ++j) {
        if (residue & (1u << j)) k |= uint64_t{1} << (63 - j);
    }
    return k;
}

// Constants moving a 16-byte value forward by `bits`: for its low half, then its high half.
struct FoldPair {
    uint64_t low;
    uint64_t high;
};
constexpr FoldPair FoldBy(int bits) { return {Reflected(PowerModP(bits + 63)), Reflected(PowerModP(bits - 1))}; }

constexpr FoldPair kBy128 = FoldBy(128);
constexpr FoldPair kBy256 = FoldBy(256);
constexpr FoldPair kBy384 = FoldBy(384);
constexpr FoldPair kBy512 = FoldBy(512);
constexpr FoldPair kBy1024 = FoldBy(1024);
constexpr FoldPair kBy1536 = FoldBy(1536);
constexpr FoldPair kBy2048 = FoldBy(2048);

}  // namespace

#if defined(__x86_64__)

bool CanFoldCrc16() {
    static const bool available = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    return available;
}

namespace {

__attribute__((target("pclmul,sse2"))) inline __m128i Constants(const FoldPair& pair) {
    return _mm_set_epi64x(static_cast<long long>(pair.high), static_cast<long long>(pair.low));
}

// value moved forward by the distance its constants stand for.
__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i value, __m128i constants) {
    return _mm_xor_si128(_mm_clmulepi64_si128(value, constants, 0x00), _mm_clmulepi64_si128(value, constants, 0x11));
}

__attribute__((target("pclmul,sse2"))) inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

#define VELOR_WIDE __attribute__((target("avx512f,vpclmulqdq,pclmul,sse2")))

VELOR_WIDE inline __m512i LoadWide(const uint8_t* p) { return _mm512_loadu_si512(p); }

VELOR_WIDE inline __m512i FoldWideLane(__m512i v, const FoldPair& pair) {
    const auto low = static_cast<long long>(pair.low), high = static_cast<long long>(pair.high);
    const __m512i k = _mm512_set_epi64(high, low, high, low, high, low, high, low);
    return _mm512_xor_si512(_mm512_clmulepi64_epi128(v, k, 0x00), _mm512_clmulepi64_epi128(v, k, 0x11));
}

// 64-byte lanes, each four 16-byte values folded alike: 256 bytes a step, down to one 16-byte
// value for the narrow loop. Returns the bytes folded.
VELOR_WIDE std::size_t FoldWide(const uint8_t* data, std::size_t length, __m128i* value) {
    __m512i lane[4] = {LoadWide(data), LoadWide(data + 64), LoadWide(data + 128), LoadWide(data + 192)};
    std::size_t at = 256;
    for (; at + 256 <= length; at += 256) {
        for (int i = 0; i < 4; ++i) lane[i] = _mm512_xor_si512(FoldWideLane(lane[i], kBy2048), LoadWide(data + at + 64 * i));
    }
    const __m512i wide = _mm512_xor_si512(_mm512_xor_si512(FoldWideLane(lane[0], kBy1536), FoldWideLane(lane[1], kBy1024)),
                                          _mm512_xor_si512(FoldWideLane(lane[2], kBy512), lane[3]));
    alignas(64) __m128i part[4];
    _mm512_store_si512(part, wide);
    *value = _mm_xor_si128(_mm_xor_si128(Fold(part[0], Constants(kBy384)), Fold(part[1], Constants(kBy256))),
                           _mm_xor_si128(Fold(part[2], Constants(kBy128)), part[3]));
    return at;
}

bool CanFoldWide() {
    static const bool available = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq");
    return available;
}

}  // namespace

__attribute__((target("pclmul,sse2"))) std::array<uint8_t, 16> FoldCrc16(const uint8_t* data, std::size_t length) {
    __m128i value;
    std::size_t at;
    if (length >= 256 && CanFoldWide()) {
        at = FoldWide(data, length, &value);
    } else {
        // Four lanes, 64 bytes a step, hide the multiplier's latency.
        __m128i lane[4] = {Load(data), Load(data + 16), Load(data + 32), Load(data + 48)};
        at = 64;
        const __m128i by512 = Constants(kBy512);
        for (; at + 64 <= length; at += 64) {
            for (int i = 0; i < 4; ++i) lane[i] = _mm_xor_si128(Fold(lane[i], by512), Load(data + at + 16 * i));
        }
        value = _mm_xor_si128(_mm_xor_si128(Fold(lane[0], Constants(kBy384)), Fold(lane[1], Constants(kBy256))),
                              _mm_xor_si128(Fold(lane[2], Constants(kBy128)), lane[3]));
    }
    const __m128i by128 = Constants(kBy128);
    for (; at + 16 <= length; at += 16) value = _mm_xor_si128(Fold(value, by128), Load(data + at));

    std::array<uint8_t, 16> out;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out.data()), value);
    return out;
}

#else

bool CanFoldCrc16() { return false; }

std::array<uint8_t, 16> FoldCrc16(const uint8_t* data, std::size_t) {
    std::array<uint8_t, 16> out;
    std::memcpy(out.data(), data, out.size());
    return out;
}

#endif

}  // namespace velor
