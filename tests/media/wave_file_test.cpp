// The wave reader: which files are accepted, where their data lies, and
// reading that wraps at the end of the data chunk, not of the file.
#include "media/wave_file.h"

#include <gtest/gtest.h>

#include "support/wave_builder.h"

using namespace wavetest;

namespace {

bool parse(const Bytes& bytes, WaveLayout& layout) { return WaveFile::parseHeader(bytes.data(), bytes.size(), layout); }

const Bytes DATA = {1, 2, 3, 4, 5, 6, 7, 8};
const Bytes FORMAT = chunk("fmt ", formatBody(1, 22050, 16));
const Bytes TRAILER = chunk("LIST", Bytes(6, 0xEE));

}  // namespace

TEST(WaveFile, CanonicalFilesAndOddLayoutsFromRealToolsGiveFormatAndData) {
    const Bytes odd = {9, 9, 9};
    const std::vector<Bytes> files = {
        simpleWave(DATA, 22050, 2, 8),
        // Extra chunks between "fmt " and "data", one odd-sized with its pad byte.
        riff({FORMAT, chunk("LIST", odd), chunk("fact", {0, 0, 0, 0}), chunk("data", DATA)}),
        // Chunks before "fmt ", a format record with its extra-size field.
        riff({chunk("JUNK", odd), chunk("fmt ", formatBody(1, 22050, 16, 18)), chunk("data", DATA)}),
        // WAVE_FORMAT_EXTENSIBLE, with an id3 chunk after the data.
        riff({chunk("fmt ", formatBody(1, 22050, 16, 40, 0xFFFE)), chunk("data", DATA), chunk("id3 ", odd)}),
        // The wave data is the first "data" chunk after the format.
        riff({chunk("data", odd), chunk("fmt ", formatBody(2, 22050, 8)), chunk("data", DATA)}),
    };
    for (const Bytes& file : files) {
        WaveLayout layout;
        ASSERT_TRUE(parse(file, layout));
        EXPECT_EQ(layout.sampleRate, 22050u);
        EXPECT_EQ(layout.channels * layout.bitsPerSample, 16u);
        EXPECT_EQ(Bytes(file.begin() + static_cast<long>(layout.dataOffset),
                        file.begin() + static_cast<long>(layout.dataOffset + layout.dataSize)),
                  DATA);
    }
}

TEST(WaveFile, FilesThatAreNotWavesAreRefused) {
    WaveLayout layout;
    const Bytes good = simpleWave(DATA);
    EXPECT_FALSE(parse(riff({FORMAT, chunk("data", DATA)}, "AVI "), layout));
    Bytes notRiff = good;
    notRiff[3] = 'X';
    EXPECT_FALSE(parse(notRiff, layout));
    EXPECT_FALSE(parse(riff({chunk("fmt ", Bytes(14, 1)), chunk("data", DATA)}), layout));
    EXPECT_FALSE(parse(riff({FORMAT}), layout));
    EXPECT_FALSE(parse(riff({chunk("data", DATA)}), layout));
    EXPECT_FALSE(parse(riff({chunk("data", DATA), FORMAT}), layout));
    // Cut anywhere before the data chunk's header is complete.
    for (size_t length = 0; length < 44; ++length)
        EXPECT_FALSE(WaveFile::parseHeader(good.data(), length, layout)) << length;
    EXPECT_FALSE(WaveFile::parseHeader(nullptr, 100, layout));
}

// A size field of 0 means "to the end of the file" only where the writer
// never came back to fill the sizes in: the RIFF size is 0 as well, or no
// chunk follows the data chunk's header.
TEST(WaveFile, DataSizesThatLieAreCutToTheBytesPresentAndAnEmptyDataChunkStaysEmpty) {
    const Bytes emptyThenList = riff({FORMAT, chunk("data", {}), TRAILER});
    Bytes unfinished = emptyThenList;
    unfinished[4] = unfinished[5] = unfinished[6] = unfinished[7] = 0;
    // Written header first, samples appended without going back: the RIFF
    // ends where the data begins.
    Bytes headerFirst = riff({FORMAT, chunk("data", {})});
    headerFirst.insert(headerFirst.end(), DATA.begin(), DATA.end());
    const struct {
        Bytes file;
        uint32_t size;
    } cases[] = {
        {riff({FORMAT, chunk("data", DATA, 0)}), 8},
        {riff({FORMAT, chunk("data", DATA, 0xFFFFFFFF)}), 8},
        {riff({FORMAT, chunk("data", DATA, 4000)}), 8},
        {emptyThenList, 0},
        {unfinished, static_cast<uint32_t>(TRAILER.size())},
        {headerFirst, 8},
    };
    for (const auto& c : cases) {
        WaveLayout layout;
        ASSERT_TRUE(parse(c.file, layout)) << &c - cases;
        EXPECT_EQ(layout.dataSize, c.size) << &c - cases;
        EXPECT_EQ(layout.dataOffset, 44u) << &c - cases;
    }
}

TEST(WaveFile, ReadingStopsAtTheDataChunkWrapsToItsStartAndAnEmptyChunkNeverLoops) {
    const std::string path = writeFile("trailing.wav", riff({FORMAT, chunk("data", DATA), TRAILER}));
    WaveFile file;
    ASSERT_TRUE(file.open(path.c_str()));
    Bytes got(13);
    ASSERT_TRUE(file.read(got.data(), 5, false));
    ASSERT_TRUE(file.read(got.data() + 5, 8, true));
    EXPECT_EQ(got, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5}));
    // Without wrap, a read that needs more than is left fails, having copied the rest.
    Bytes rest(8, 0);
    EXPECT_FALSE(file.read(rest.data(), 8, false));
    EXPECT_EQ(rest, (Bytes{6, 7, 8, 0, 0, 0, 0, 0}));

    ASSERT_TRUE(file.open(writeFile("empty-data.wav", simpleWave({})).c_str()));
    uint8_t byte = 0;
    EXPECT_FALSE(file.read(&byte, 1, true)) << "nothing to wrap to must not loop forever";
}
