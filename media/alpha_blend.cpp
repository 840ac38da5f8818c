// The alpha blend's row routines, eight or sixteen channels at a time with
// SSE2 where the processor has it, one at a time otherwise. Short rows (a
// block is 30 pixels) would spend most of their time on a one-at-a-time
// tail, so the tail is done as one more whole block that ends on the row's
// end, worked out from the untouched pixels before the row is written, and
// rows shorter than a block go through a block-sized copy.
//
// Why 16-bit lanes are enough: with alpha in 0..128 the numerator
// s * alpha + d * (128 - alpha) is at most 255 * 128 = 32640 for a byte and
// 63 * 128 = 8064 for a 6-bit channel, and it is never negative, so the
// products and their sum fit an unsigned 16-bit lane exactly, and the
// division by 128 is a plain shift right by 7 (truncation is the floor).
#include "media/alpha_blend.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace alpha_blend {

namespace {

inline uint32_t blendChannel(uint32_t source, uint32_t destination, uint32_t alpha, uint32_t rest) {
    return (source * alpha + destination * rest) >> 7;
}

inline uint16_t blendPixel565(uint32_t s, uint32_t d, uint32_t alpha, uint32_t rest) {
    const uint32_t red = blendChannel(s >> 11, d >> 11, alpha, rest);
    const uint32_t green = blendChannel((s >> 5) & 0x3F, (d >> 5) & 0x3F, alpha, rest);
    const uint32_t blue = blendChannel(s & 0x1F, d & 0x1F, alpha, rest);
    return static_cast<uint16_t>((red << 11) | (green << 5) | blue);
}

#if defined(__SSE2__)
// Sixteen bytes: widen to 16-bit lanes, weight, add, shift, narrow again.
inline __m128i blendSixteenBytes(const uint8_t* destination, const uint8_t* source, __m128i alpha, __m128i rest) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
    const __m128i low = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), alpha),
                                                     _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), rest)),
                                       7);
    const __m128i high = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), alpha),
                                                      _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), rest)),
                                        7);
    return _mm_packus_epi16(low, high);
}

// Eight 5-6-5 pixels, one 16-bit lane each: every channel is moved down to
// bit 0, blended, shifted right by 7 and put back in its place.
inline __m128i blendEightPixels565(const uint8_t* destination, const uint8_t* source, __m128i alpha, __m128i rest) {
    const __m128i sixBits = _mm_set1_epi16(0x3F);
    const __m128i fiveBits = _mm_set1_epi16(0x1F);
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination));
    const __m128i red = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(s, 11), alpha),
                                                     _mm_mullo_epi16(_mm_srli_epi16(d, 11), rest)),
                                       7);
    const __m128i green =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 5), sixBits), alpha),
                                     _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 5), sixBits), rest)),
                       7);
    const __m128i blue = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(s, fiveBits), alpha),
                                                      _mm_mullo_epi16(_mm_and_si128(d, fiveBits), rest)),
                                        7);
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(red, 11), _mm_slli_epi16(green, 5)), blue);
}

// Blends a row of `size` bytes in 16-byte blocks with `blend`.
template <typename Blend>
inline void blendRowInBlocks(uint8_t* destination, const uint8_t* source, int size, Blend blend) {
    constexpr int block = 16;
    if (size < block) {
        alignas(16) uint8_t in[block] = {}, out[block] = {};
        std::memcpy(in, source, static_cast<size_t>(size));
        std::memcpy(out, destination, static_cast<size_t>(size));
        _mm_store_si128(reinterpret_cast<__m128i*>(out), blend(out, in));
        std::memcpy(destination, out, static_cast<size_t>(size));
        return;
    }
    const int last = size - block;
    const __m128i tail = blend(destination + last, source + last);
    for (int i = 0; i + block <= size; i += block)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + i), blend(destination + i, source + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + last), tail);
}
#endif

}  // namespace

void blendBytes(uint8_t* destination, const uint8_t* source, const int& byteCount, const int& alpha) {
    const uint32_t rest = 128u - static_cast<uint32_t>(alpha);
#if defined(__SSE2__)
    const __m128i alphaLanes = _mm_set1_epi16(static_cast<int16_t>(alpha));
    const __m128i restLanes = _mm_set1_epi16(static_cast<int16_t>(rest));
    if (byteCount > 0) {
        blendRowInBlocks(destination, source, byteCount, [&](const uint8_t* d, const uint8_t* s) {
            return blendSixteenBytes(d, s, alphaLanes, restLanes);
        });
    }
#else
    for (int i = 0; i < byteCount; ++i)
        destination[i] = static_cast<uint8_t>(blendChannel(source[i], destination[i], alpha, rest));
#endif
}

void blendPixels565(uint8_t* destination, const uint8_t* source, const int& pixelCount, const int& alpha) {
    const uint32_t rest = 128u - static_cast<uint32_t>(alpha);
#if defined(__SSE2__)
    const __m128i alphaLanes = _mm_set1_epi16(static_cast<int16_t>(alpha));
    const __m128i restLanes = _mm_set1_epi16(static_cast<int16_t>(rest));
    if (pixelCount > 0) {
        blendRowInBlocks(destination, source, 2 * pixelCount, [&](const uint8_t* d, const uint8_t* s) {
            return blendEightPixels565(d, s, alphaLanes, restLanes);
        });
    }
#else
    for (int i = 0; i < pixelCount; ++i) {
        // Pixels are stored low byte first, as the surfaces keep them.
        const uint8_t* in = source + 2 * i;
        uint8_t* out = destination + 2 * i;
        const uint16_t mixed = blendPixel565(in[0] | (in[1] << 8), out[0] | (out[1] << 8), alpha, rest);
        out[0] = static_cast<uint8_t>(mixed);
        out[1] = static_cast<uint8_t>(mixed >> 8);
    }
#endif
}

}  // namespace alpha_blend
