#include "base/CodePages.h"
#include "dictexport/DictDatabase.h"
#include "dictexport/DictZip.h"
#include "dictexport/SourceWords.h"
#include "engine/Presentation.h"
#include "engine/TranslateWord.h"
#include "userdict/UserDictLookup.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <random>

using namespace trelvik;
using namespace testsupport;

namespace {

std::string lookupLine(const std::string &appDir, const std::string &userDict, const std::string &word, Language target)
{
    LookupQuery query;
    query.word = word;
    query.from = Language::Russian;
    query.to = target;
    query.findSynonyms = false;
    const LookupResult result = TranslateWord(query, LookupEnvironment{appDir, userDict, &LookupUserDict});
    return DecodeToUtf8(JoinTranslations(result.translations), CodePageOf(target));
}

// Volumes and a user dictionary with the records a one-pass gathering could get wrong: repeats, a capital,
// a word filed under another letter, a record behind the end marker, an empty translation, ё and е.
TEST(SourceWordsTest, ArticlesGiveWhatTheLookupGivesForEveryWord)
{
    TempAppDir dir;
    dir.putVolume("ru", "mRD1",
                  line("дом", "hus", "house") + line("дым", "", "smoke") + line("дом", "hem", "home")
                      + line("дом", "hus", "building") + line("Дуб", "ek", "oak") + line("кот", "katt", "cat"));
    dir.putVolume("ru", "mRD2", line("дом", "villa", "house") + line("", "", "") + line("дно", "botten", "bottom"));
    dir.putVolume("ru", "mRE1", line("елка", "julgran", "christmas tree"));
    writeFile(dir.userDict(), " 4 \r\n" + line("дом", "stuga", "cottage") + line("ёлка", "gran", "fir")
                                  + line("ёж", "igelkott", "hedgehog") + line("Кот", "katt", "cat"));

    std::string userBytes = readFile(dir.userDict());
    std::vector<RecordView> userRecords;
    ForEachSearchedUserRecord(userBytes, [&](const RecordView &r) { userRecords.push_back(r); });
    SourceWords words(RussianCatalogue(), dir.str());
    words.addUserRecords(userRecords);

    for (const Language target : {Language::Swedish, Language::English}) {
        std::map<std::string, std::string> byWord; // every spelling an article is found by: its joined line
        for (const Article &article : words.articles(target)) {
            std::string joined;
            for (const std::string &translation : article.translations)
                joined += (joined.empty() ? "" : ", ") + translation;
            byWord[article.headword] = joined;
            for (const std::string &spelling : article.otherSpellings)
                byWord[spelling] = joined;
        }
        for (const char *word : {"дом", "дым", "Дуб", "дуб", "кот", "Кот", "дно", "елка", "ёлка", "ёж", "еж"}) {
            const auto found = byWord.find(word);
            EXPECT_EQ(found == byWord.end() ? "" : found->second,
                      lookupLine(dir.str(), dir.userDict(), sb(word), target))
                << word << " into " << NameOf(target);
        }
    }
    ASSERT_EQ(words.articles(Language::Swedish).front().headword, "дом");
    EXPECT_EQ(words.articles(Language::Swedish).front().translations,
              (std::vector<std::string>{"hus", "hem", "villa", "stuga"}));
}

struct KeyCase {
    const char *name;
    const char *headword;
    const char *key;
};

class DictIndexKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DictIndexKeyTest, KeepsLowerCaseLettersDigitsAndSingleBlanks)
{
    std::string key;
    ASSERT_TRUE(DictIndexKey(GetParam().headword, key));
    EXPECT_EQ(key, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Cases, DictIndexKeyTest,
                         ::testing::Values(KeyCase{"hyphen_and_capital", "T-shirt", "tshirt"},
                                           KeyCase{"cyrillic_capital", "Ёлка", "ёлка"},
                                           KeyCase{"latin_capital_outside_ascii", "ÉCOLE", "école"},
                                           KeyCase{"blanks", "  ad \t hoc ", "ad hoc"},
                                           KeyCase{"apostrophe_and_digit", "o'clock 5", "oclock 5"},
                                           KeyCase{"no_letter", "?!", ""}),
                         [](const auto &p) { return std::string(p.param.name); });

// The random access dictd relies on: each chunk that the RA field lists inflates on its own, and the whole
// is one valid gzip member.
TEST(DictZipTest, EveryListedChunkInflatesOnItsOwn)
{
    std::mt19937 random(7);
    std::string data;
    while (data.size() < 200000)
        data += "word" + std::to_string(random() % 5000) + "\n";
    std::string dz, error;
    ASSERT_TRUE(DictZip(data, dz, error)) << error;

    const auto le16 = [&dz](std::size_t at) {
        return static_cast<std::size_t>(static_cast<unsigned char>(dz[at]))
               | static_cast<std::size_t>(static_cast<unsigned char>(dz[at + 1])) << 8;
    };
    ASSERT_EQ(dz.substr(12, 2), "RA");
    const std::size_t chunkLength = le16(18);
    const std::size_t chunks = le16(20);
    ASSERT_EQ(chunks, (data.size() + chunkLength - 1) / chunkLength);
    std::size_t at = 10 + 2 + le16(10) + 1; // header, extra field, empty file name
    for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
        z_stream stream{};
        ASSERT_EQ(inflateInit2(&stream, -MAX_WBITS), Z_OK);
        std::string out(chunkLength, '\0');
        stream.next_in = reinterpret_cast<Bytef *>(&dz[at]);
        stream.avail_in = static_cast<uInt>(le16(22 + 2 * chunk));
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        inflate(&stream, Z_SYNC_FLUSH);
        out.resize(out.size() - stream.avail_out);
        inflateEnd(&stream);
        EXPECT_EQ(out, data.substr(chunk * chunkLength, chunkLength)) << "chunk " << chunk;
        at += le16(22 + 2 * chunk);
    }

    z_stream whole{};
    ASSERT_EQ(inflateInit2(&whole, 16 + MAX_WBITS), Z_OK);
    std::string out(data.size() + 1, '\0');
    whole.next_in = reinterpret_cast<Bytef *>(dz.data());
    whole.avail_in = static_cast<uInt>(dz.size());
    whole.next_out = reinterpret_cast<Bytef *>(out.data());
    whole.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&whole, Z_FINISH), Z_STREAM_END) << "checksum and length must match";
    inflateEnd(&whole);
    EXPECT_EQ(out.substr(0, data.size()), data);
}

} // namespace
