// Files that are not what the program wrote: junk, NUL bytes, huge files and
// over-long lines are read without harm, and the next save repairs them.

#include "ConfigFixture.h"

#include "config/ConfigLineReader.h"

#include <random>

namespace {

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(size, '\0');
    for (char& c : s) {
        c = static_cast<char>(byte(gen));
    }
    return s;
}

} // namespace

TEST_F(ConfigFileTest, BinaryJunkGivesDefaultsAndSaveRepairsTheFile) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        writeFile(randomBytes(5000, seed));
        ConfigSet s;
        EXPECT_EQ(load(s), 7) << "seed " << seed;
        EXPECT_EQ(s.data.displayFormat, 0);
        ASSERT_TRUE(save(s));
        EXPECT_TRUE(fileComplete()) << "seed " << seed;
    }
}

TEST_F(ConfigFileTest, NulBytesInsideLinesAreDropped) {
    std::string text = completeFile({{"display", std::string("disp\0lay  \t3", 12)}});
    text.insert(0, std::string(3, '\0'));
    writeFile(text);
    ConfigSet s;
    load(s);
    EXPECT_EQ(s.data.displayFormat, 3);
    EXPECT_EQ(s.data.userLevel, "SRV");
}

TEST_F(ConfigFileTest, TwentyMegabyteFileLoadsAndIsReplacedOnSave) {
    // A valid beginning followed by a flood without line ends.
    writeFile(completeFile() + std::string(20u << 20, 'x'));
    ConfigSet s;
    load(s);
    EXPECT_EQ(s.data.userLevel, "SRV");
    EXPECT_EQ(s.count, 3);

    writeFile(std::string(20u << 20, '\n'));
    ConfigSet t;
    EXPECT_EQ(load(t), 7);
    ASSERT_TRUE(save(t));
    EXPECT_LT(readFile().size(), kMaxConfigText);
    EXPECT_TRUE(fileComplete());
}

TEST_F(ConfigFileTest, LongLineIsCutAndTheLinesAfterItAreStillRead) {
    writeFile("; " + std::string(10000, 'c') + "\r\n" + "lastfile \t/" + std::string(10000, 'p') +
              "\r\n" + completeFile({{"lastfile", ""}}));
    ConfigSet s;
    load(s);
    EXPECT_EQ(s.data.language, 3);
    EXPECT_EQ(s.data.lastFile, "/" + std::string(kMaxConfigLine - 2 - 10, 'p'));
    ASSERT_TRUE(save(s));
    ConfigSet r;
    load(r);
    EXPECT_EQ(r.data.lastFile, s.data.lastFile);
    EXPECT_EQ(r.data.language, 3);
}

TEST_F(ConfigFileTest, TextBeyondTheFileLimitIsNotRead) {
    // Comments fill the file up to its limit; keys after them do not count.
    std::string filler;
    while (filler.size() < kMaxConfigText) {
        filler += "; " + std::string(60, '-') + "\r\n";
    }
    writeFile(filler + completeFile());
    ConfigSet s;
    EXPECT_EQ(load(s), 7);
    EXPECT_EQ(s.data.displayFormat, 0);
    ASSERT_TRUE(save(s));
    EXPECT_TRUE(fileComplete());
}

TEST_F(ConfigFileTest, FolderInPlaceOfTheFileIsTreatedAsMissing) {
    ASSERT_TRUE(QDir(tempDir.path()).mkdir(kConfigFileName));
    ConfigSet s;
    EXPECT_EQ(load(s), 7);
    EXPECT_FALSE(save(s));
}

TEST_F(ConfigFileTest, KeyLinesThatWouldOutgrowTheFileLimitGiveTheTemplate) {
    // Every short "type" line grows by the merge; together they would no
    // longer fit, so the save starts again from the template.
    std::string text = completeFile();
    while (text.size() < kMaxConfigText - 200) {
        text += "type\r\n";
    }
    writeFile(text);
    ConfigSet s;
    load(s);
    s.data.bearingType = "KAVO460/KAVOS460";
    std::string merged;
    std::string read;
    EXPECT_FALSE(mergeConfig(path(), merged, read, s.records()));
    ASSERT_TRUE(save(s));
    EXPECT_LT(readFile().size(), 2000u);
    EXPECT_TRUE(fileComplete());
}
