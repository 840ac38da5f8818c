// Bitmap decoding: every layout written by our own writer, hand-made bytes,
// damaged and forged files, and an external test suite when one is given.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/bitmap_decoder.h"
#include "support/bitmap_writer.h"

using namespace bmptest;
using platform::DecodedBitmap;
using platform::decodeBitmap;

namespace {

bool decodeBytes(const Bytes& bytes, DecodedBitmap& out) { return decodeBitmap(bytes.data(), bytes.size(), out); }

// Black first: the run-length writer skips it and the decoder fills it in.
const std::vector<uint32_t> twoColours = {0x000000, 0x3366CC};
const std::vector<uint32_t> sixteen = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                       0xFF00FF, 0xFFFFFF, 0x808080, 0x123456, 0x654321, 0xABCDEF,
                                       0xFEDCBA, 0x0F0F0F, 0xF0F0F0, 0x7F3F1F};
// Channels of 0 or 255 survive 5 and 6-bit fields exactly.
const std::vector<uint32_t> fullChannels = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                            0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};

// Black and 39 colours for 8-bit palettes.
std::vector<uint32_t> fortyColours() {
    std::vector<uint32_t> colours = {0x000000};
    for (uint32_t i = 1; i < 40; ++i) colours.push_back(i * 0x050B13 & 0xFFFFFF);
    return colours;
}

Layout paletted(int bits, const std::vector<uint32_t>& palette, Packing packing = Packing::Plain) {
    return {.bitsPerPixel = bits, .packing = packing, .palette = palette};
}

Layout direct(int bits, Packing packing = Packing::Plain, uint32_t red = 0, uint32_t green = 0, uint32_t blue = 0) {
    return {.bitsPerPixel = bits, .packing = packing, .masks = {red, green, blue}, .palette = {}};
}

Layout withHeader(Layout layout, uint32_t headerSize, bool topDown = false) {
    layout.headerSize = headerSize;
    layout.topDown = topDown;
    return layout;
}

// The file with its pixel data replaced by codes (for hand-made run-length data).
Bytes withPixelData(Bytes file, const Bytes& data) {
    file.resize(file[PIXEL_OFFSET_AT] | (file[PIXEL_OFFSET_AT + 1] << 8));
    file.insert(file.end(), data.begin(), data.end());
    put32(file, FILE_SIZE_AT, static_cast<uint32_t>(file.size()));
    put32(file, IMAGE_SIZE_AT, static_cast<uint32_t>(data.size()));
    return file;
}

struct Written {
    const char* name;
    Picture picture;
    Layout layout;
};

std::vector<Written> everyLayout() {
    const auto forty = fortyColours();
    return {
        {"1-bit, odd width", patternPicture(13, 5, twoColours), paletted(1, twoColours)},
        {"1-bit, OS/2 header", patternPicture(9, 4, twoColours), withHeader(paletted(1, twoColours), 12)},
        {"4-bit", patternPicture(7, 6, sixteen), paletted(4, sixteen)},
        {"4-bit, short palette, length undeclared", patternPicture(11, 3, {sixteen.begin(), sixteen.begin() + 5}),
         Layout{.bitsPerPixel = 4, .palette = {sixteen.begin(), sixteen.begin() + 5}, .declarePaletteSize = false}},
        {"8-bit", patternPicture(33, 9, forty), paletted(8, forty)},
        {"8-bit, short palette, top-down", patternPicture(6, 7, forty), withHeader(paletted(8, forty), 40, true)},
        {"8-bit, OS/2 header", patternPicture(10, 3, forty), withHeader(paletted(8, forty), 12)},
        {"8-bit, version 5 header", patternPicture(5, 5, forty), withHeader(paletted(8, forty), 124)},
        {"RLE4", patternPicture(37, 9, sixteen), paletted(4, sixteen, Packing::RunLength)},
        {"RLE8", patternPicture(41, 11, forty), paletted(8, forty, Packing::RunLength)},
        {"RLE8, wide black rows", patternPicture(300, 6, {0x000000, 0x000000, 0x000000, 0x445566}),
         paletted(8, {0x000000, 0x445566}, Packing::RunLength)},
        {"16-bit 5-5-5", patternPicture(7, 4, fullChannels), direct(16)},
        {"16-bit 5-6-5 bit fields", patternPicture(9, 5, fullChannels),
         direct(16, Packing::BitFields, 0xF800, 0x07E0, 0x001F)},
        {"16-bit 5-5-5 bit fields, version 5 header", patternPicture(3, 3, fullChannels),
         withHeader(direct(16, Packing::BitFields, 0x7C00, 0x03E0, 0x001F), 124)},
        {"24-bit, odd width", patternPicture(5, 3, sixteen), direct(24)},
        {"24-bit, top-down", patternPicture(17, 6, sixteen), withHeader(direct(24), 40, true)},
        {"24-bit, version 4 header", patternPicture(4, 4, sixteen), withHeader(direct(24), 108)},
        {"32-bit", patternPicture(6, 5, sixteen), direct(32)},
        {"32-bit bit fields, blue-green-red-alpha", patternPicture(6, 5, sixteen),
         direct(32, Packing::BitFields, 0x0000FF00, 0x00FF0000, 0xFF000000)},
    };
}

}  // namespace

TEST(BitmapDecoder, EveryLayoutShowsThePictureWritten) {
    for (const Written& file : everyLayout()) {
        Bytes bytes = writeBitmap(file.picture, file.layout);
        // A plain file may leave its image size 0, and these do.
        if (file.layout.headerSize != 12 && file.layout.packing != Packing::RunLength) put32(bytes, IMAGE_SIZE_AT, 0);
        DecodedBitmap bitmap;
        ASSERT_TRUE(decodeBytes(bytes, bitmap)) << file.name;
        EXPECT_EQ(std::pair(bitmap.width, bitmap.height), std::pair(file.picture.width, file.picture.height))
            << file.name;
        EXPECT_EQ(bitmap.pixels, file.picture.pixels) << file.name;
    }

    // The plain layout itself (bottom row first, blue before green before
    // red, rows padded to four bytes) is pinned by the drawing library's
    // test, whose files come from a writer of their own. Run-length codes
    // by hand: a run, end of line, a delta, an absolute stretch with its
    // padding byte, end of picture; unreached pixels black.
    DecodedBitmap bitmap;
    const Picture blank{5, 3, std::vector<uint32_t>(15, 0)};
    const Layout rle8 = paletted(8, {0x000000, 0x0000AA, 0x00BB00, 0xCC0000}, Packing::RunLength);
    const Bytes codes = {3, 1, 0, 0, 0, 2, 1, 1, 0, 3, 2, 3, 1, 0, 0, 1};
    ASSERT_TRUE(decodeBytes(withPixelData(writeBitmap(blank, rle8), codes), bitmap));
    EXPECT_EQ(bitmap.pixels, (std::vector<uint32_t>{0, 0x00BB00, 0xCC0000, 0x0000AA, 0,  // after the delta
                                                    0, 0, 0, 0, 0,                         // never reached
                                                    0x0000AA, 0x0000AA, 0x0000AA, 0, 0}));
}

TEST(BitmapDecoder, TruncatedFilesFailOrKeepWhatTheyHold) {
    for (const Written& file : everyLayout()) {
        const Bytes whole = writeBitmap(file.picture, file.layout);
        for (size_t length = 0; length < whole.size(); ++length) {
            // A copy of exactly this length, so a sanitizer sees any overrun;
            // the second one's header states the shorter sizes, as a forger would.
            Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            DecodedBitmap bitmap;
            EXPECT_FALSE(decodeBytes(cut, bitmap)) << file.name << " cut to " << length;
            if (length < COLOURS_USED_AT) continue;
            put32(cut, FILE_SIZE_AT, static_cast<uint32_t>(length));
            if (file.layout.headerSize != 12) put32(cut, IMAGE_SIZE_AT, 0);
            if (!decodeBytes(cut, bitmap)) continue;
            // Run-length data may end early and leave the rest black; other
            // files may only lose the last row's padding.
            EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width) * bitmap.height) << file.name;
            if (file.layout.packing != Packing::RunLength) {
                EXPECT_EQ(bitmap.pixels, file.picture.pixels) << file.name << " cut to " << length;
            }
        }
    }
}

TEST(BitmapDecoder, ForgedHeadersAreRejected) {
    const Bytes pal1 = writeBitmap(patternPicture(8, 8, twoColours), paletted(1, twoColours));
    const Bytes pal4 = writeBitmap(patternPicture(8, 8, sixteen), paletted(4, sixteen));
    const Bytes rle8 = writeBitmap(patternPicture(8, 8, sixteen), paletted(8, sixteen, Packing::RunLength));
    const Bytes fields =
        writeBitmap(patternPicture(8, 8, fullChannels), direct(16, Packing::BitFields, 0xF800, 0x07E0, 0x001F));
    const size_t masksAt = 54;
    struct Forgery {
        const char* name;
        const Bytes& original;
        size_t at;
        uint32_t value;
        bool wide = true;
    };
    const Forgery forgeries[] = {
        {"not BM", pal1, 0, 'X', false},
        {"no width", pal1, WIDTH_AT, 0},
        {"negative width", pal1, WIDTH_AT, static_cast<uint32_t>(-8)},
        {"far more pixels than bits", pal1, WIDTH_AT, 40000},
        {"height without a positive counterpart", pal1, HEIGHT_AT, static_cast<uint32_t>(INT_MIN)},
        {"two planes", pal1, 26, 2, false},
        {"2 bits per pixel", pal1, BITS_AT, 2, false},
        {"JPEG inside", pal1, COMPRESSION_AT, 4},
        {"run-length at 1 bit", pal1, COMPRESSION_AT, 1},
        {"more colours used than bits allow", pal1, COLOURS_USED_AT, 3},
        {"colour beyond the declared palette", pal4, COLOURS_USED_AT, 2},
        {"image size beyond the file", pal1, IMAGE_SIZE_AT, 100000},
        {"pixels beyond the file", pal1, PIXEL_OFFSET_AT, 100000},
        {"pixels inside the header", pal1, PIXEL_OFFSET_AT, 30},
        {"file size beyond the file", pal1, FILE_SIZE_AT, 100000},
        {"densities thousands to one", pal1, 38, 10000000},
        {"unknown header size", pal1, 14, 64},
        {"run-length stored top-down", rle8, HEIGHT_AT, static_cast<uint32_t>(-8)},
        {"run-length picture wider than the side cap", rle8, WIDTH_AT, 16385},
        {"run-length of 4 bits on 8-bit pixels", rle8, COMPRESSION_AT, 2},
        {"overlapping masks", fields, masksAt + 4, 0xFC00},
        {"mask with a hole", fields, masksAt, 0xE800},
        {"mask beyond 16 bits", fields, masksAt + 8, 0x1001F},
        {"empty mask", fields, masksAt + 8, 0},
    };
    for (const Forgery& forgery : forgeries) {
        Bytes forged = forgery.original;
        if (forgery.wide) put32(forged, forgery.at, forgery.value);
        else put16(forged, forgery.at, forgery.value);
        DecodedBitmap bitmap;
        EXPECT_FALSE(decodeBytes(forged, bitmap)) << forgery.name;
        EXPECT_TRUE(bitmap.pixels.empty()) << forgery.name;
    }
    DecodedBitmap bitmap;
    EXPECT_FALSE(decodeBitmap(nullptr, 100, bitmap));

    // Runs and jumps that leave the picture reject it; data that stops early does not.
    const Picture blank{4, 2, std::vector<uint32_t>(8, 0)};
    const Bytes start = writeBitmap(blank, paletted(8, twoColours, Packing::RunLength));
    const std::pair<Bytes, bool> codes[] = {
        {{5, 1, 0, 1}, false},           // a run past the row's end
        {{0, 4, 1, 1, 1, 1, 0, 1}, true},  // an absolute stretch ending at the edge
        {{0, 5, 1, 1, 1, 1, 1, 0}, false},  // and one past it
        {{0, 2, 5, 0, 0, 1}, false},     // a delta past the right edge
        {{0, 2, 0, 3, 0, 1}, false},     // a delta below the last row
        {{1, 7, 0, 1}, false},           // a colour beyond the palette
        {{2, 1, 0, 2, 1}, true},         // a delta cut short
        {{2, 1, 0, 4, 1, 1}, true},      // an absolute stretch cut short
    };
    for (const auto& [data, accepted] : codes)
        EXPECT_EQ(decodeBytes(withPixelData(start, data), bitmap), accepted) << testing::PrintToString(data);

    // A run-length picture may leave pixels unreached, up to the size cap.
    Bytes large = rle8;
    put32(large, WIDTH_AT, 16384);
    put32(large, HEIGHT_AT, 16384);
    EXPECT_FALSE(decodeBytes(large, bitmap));
    put32(large, WIDTH_AT, 1024);
    put32(large, HEIGHT_AT, 1024);
    ASSERT_TRUE(decodeBytes(large, bitmap));
    EXPECT_EQ(bitmap.pixelAt(1023, 0), 0u);
    Bytes topDownRow = pal1;
    put32(topDownRow, HEIGHT_AT, static_cast<uint32_t>(-1));
    ASSERT_TRUE(decodeBytes(topDownRow, bitmap));
    EXPECT_EQ(bitmap.height, 1);
}

// A folder of a public BMP test suite (its g, q and b subfolders of good,
// questionable and bad files), named by QUADRIMO_BMPSUITE, checks the
// decoder against files written by other programs.
TEST(BitmapDecoder, ExternalSuiteLoadsGoodFilesAndRejectsBadOnes) {
    const char* folder = std::getenv("QUADRIMO_BMPSUITE");
    if (folder == nullptr || !std::filesystem::is_directory(std::string(folder) + "/g"))
        GTEST_SKIP() << "no external BMP suite: set QUADRIMO_BMPSUITE to its folder to check against it";
    const std::string suite = folder;
    const auto load = [](const std::string& path, DecodedBitmap& bitmap) {
        Bytes bytes(std::filesystem::file_size(path));
        std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), std::ssize(bytes));
        return decodeBytes(bytes, bitmap);
    };
    // FNV-1a fingerprints of the pictures as an independent decoder reads them.
    const auto fingerprint = [](const DecodedBitmap& bitmap) {
        uint64_t hash = 0xcbf29ce484222325ull;
        for (uint32_t pixel : bitmap.pixels) hash = (hash ^ pixel) * 0x100000001b3ull;
        return hash;
    };
    const std::pair<uint64_t, std::vector<const char*>> expected[] = {
        {0x8776d2f18ff4318eull, {"rgb24", "rgb24pal", "rgb32", "rgb32bf", "rgb32bfdef"}},
        {0xc3439b7127229c3dull, {"pal8", "pal8-0", "pal8os2", "pal8rle", "pal8topdown", "pal8v4", "pal8v5"}},
        {0xeb95c184caef542dull, {"pal1", "pal1wb"}},
        {0xf8397a11da3d2925ull, {"pal4", "pal4rle"}},
        {0x4ac2f07fdadd4079ull, {"pal1bg"}},
        {0x1bf188e6d538ff2eull, {"pal4gs"}},
        {0x180779eaa79f86afull, {"pal8gs"}},
        {0x1bb4acabc4f9c2a6ull, {"pal8nonsquare"}},
        {0x94f5dbbdd1a3da8dull, {"pal8w124"}},
        {0x8effe6b152c39359ull, {"pal8w125"}},
        {0x66f2523bf356a55aull, {"pal8w126"}},
    };
    for (const auto& [hash, names] : expected) {
        for (const char* name : names) {
            DecodedBitmap bitmap;
            ASSERT_TRUE(load(suite + "/g/" + name + ".bmp", bitmap)) << name;
            EXPECT_EQ(fingerprint(bitmap), hash) << name;
        }
    }
    DecodedBitmap reference;
    ASSERT_TRUE(load(suite + "/g/rgb24.bmp", reference));
    // The 16-bit files hold the same picture with 5 or 6 bits per channel.
    for (const char* name : {"rgb16", "rgb16-565", "rgb16-565pal", "rgb16bfdef"}) {
        DecodedBitmap bitmap;
        ASSERT_TRUE(load(suite + "/g/" + name + ".bmp", bitmap)) << name;
        ASSERT_EQ(bitmap.pixels.size(), reference.pixels.size()) << name;
        for (size_t i = 0; i < bitmap.pixels.size(); ++i)
            for (int shift : {0, 8, 16})
                ASSERT_NEAR((bitmap.pixels[i] >> shift) & 0xFF, (reference.pixels[i] >> shift) & 0xFF, 4) << name;
    }
    for (const char* kind : {"q", "b"}) {
        for (const auto& entry : std::filesystem::directory_iterator(suite + "/" + kind)) {
            DecodedBitmap bitmap;
            const bool loaded = load(entry.path().string(), bitmap);
            EXPECT_TRUE(kind[0] == 'q' || !loaded) << entry.path();
            EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width) * bitmap.height) << entry.path();
            EXPECT_EQ(loaded, !bitmap.pixels.empty()) << entry.path();
        }
    }
}
