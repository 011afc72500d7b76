#include "dictexport/DictionaryExport.h"

#include "base/FileIO.h"
#include "dictexport/DictDatabase.h"
#include "dictexport/DictZip.h"
#include "dictexport/ExportFolder.h"
#include "dictexport/SourceWords.h"
#include "dictexport/StarDictBook.h"
#include "engine/Catalogue.h"
#include "userdict/UserDictFile.h"
#include "userdict/UserDictLookup.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

namespace trelvik {

namespace {

struct Direction {
    Language from;
    Language to;
};

constexpr Direction kDirections[] = {
    {Language::Russian, Language::Swedish}, {Language::Russian, Language::English},
    {Language::Swedish, Language::Russian}, {Language::Swedish, Language::English},
    {Language::English, Language::Russian}, {Language::English, Language::Swedish},
};

// A language's name in a dictionary's description: "Russian", "Swedish", "English".
std::string titleOf(Language language)
{
    std::string name(NameOf(language));
    name.front() = static_cast<char>(name.front() - 'a' + 'A');
    return name;
}

constexpr std::string_view kUrl = "https://trelvik.invalid/";

// What every exported dictionary says about where its words come from and on which terms they may be shared.
// The names of countries and languages come with the notice that their licence wants beside every copy.
constexpr std::string_view kSourceAndLicence =
    "Source: the dictionary volumes of Trelvik (https://trelvik.invalid/),\n"
    "built from the Wiktionary-derived WikDict dictionaries that the FreeDict\n"
    "project distributes, and from the country and language names of the Unicode\n"
    "CLDR; selected and arranged by the Trelvik team.\n"
    "\n"
    "Licence: Creative Commons Attribution-ShareAlike 3.0 Unported (CC BY-SA 3.0),\n"
    "https://creativecommons.org/licenses/by-sa/3.0/\n"
    "Credit the Wiktionary contributors, WikDict and the FreeDict project when you\n"
    "share this dictionary, say what you changed, and share changed copies under\n"
    "the same licence. The country and language names are also under this notice:\n"
    "\n"
    "UNICODE LICENSE V3 — COPYRIGHT AND PERMISSION NOTICE\n"
    "\n"
    "Copyright © 2004-2026 Unicode, Inc.\n"
    "\n"
    "NOTICE TO USER: Carefully read the following legal agreement. BY\n"
    "DOWNLOADING, INSTALLING, COPYING OR OTHERWISE USING DATA FILES, AND/OR\n"
    "SOFTWARE, YOU UNEQUIVOCALLY ACCEPT, AND AGREE TO BE BOUND BY, ALL OF THE\n"
    "TERMS AND CONDITIONS OF THIS AGREEMENT. IF YOU DO NOT AGREE, DO NOT\n"
    "DOWNLOAD, INSTALL, COPY, DISTRIBUTE OR USE THE DATA FILES OR SOFTWARE.\n"
    "\n"
    "Permission is hereby granted, free of charge, to any person obtaining a\n"
    "copy of data files and any associated documentation (the \"Data Files\") or\n"
    "software and any associated documentation (the \"Software\") to deal in the\n"
    "Data Files or Software without restriction, including without limitation\n"
    "the rights to use, copy, modify, merge, publish, distribute, and/or sell\n"
    "copies of the Data Files or Software, and to permit persons to whom the\n"
    "Data Files or Software are furnished to do so, provided that either (a)\n"
    "this copyright and permission notice appear with all copies of the Data\n"
    "Files or Software, or (b) this copyright and permission notice appear in\n"
    "associated Documentation.\n"
    "\n"
    "THE DATA FILES AND SOFTWARE ARE PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY\n"
    "KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF\n"
    "MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT OF\n"
    "THIRD PARTY RIGHTS.\n"
    "\n"
    "IN NO EVENT SHALL THE COPYRIGHT HOLDER OR HOLDERS INCLUDED IN THIS NOTICE\n"
    "BE LIABLE FOR ANY CLAIM, OR ANY SPECIAL INDIRECT OR CONSEQUENTIAL DAMAGES,\n"
    "OR ANY DAMAGES WHATSOEVER RESULTING FROM LOSS OF USE, DATA OR PROFITS,\n"
    "WHETHER IN AN ACTION OF CONTRACT, NEGLIGENCE OR OTHER TORTIOUS ACTION,\n"
    "ARISING OUT OF OR IN CONNECTION WITH THE USE OR PERFORMANCE OF THE DATA\n"
    "FILES OR SOFTWARE.\n"
    "\n"
    "Except as contained in this notice, the name of a copyright holder shall\n"
    "not be used in advertising or otherwise to promote the sale, use or other\n"
    "dealings in these Data Files or Software without prior written\n"
    "authorization of the copyright holder.\n";

DictionaryDescription describe(const Direction &direction, std::size_t entries, const DictionaryExportRequest &request)
{
    DictionaryDescription d;
    const std::string from = titleOf(direction.from);
    const std::string to = titleOf(direction.to);
    d.name = "trelvik-" + std::string(CodeOf(direction.from)) + "-" + std::string(CodeOf(direction.to));
    d.title = "Trelvik " + from + "-" + to;
    d.url = kUrl;
    d.date = request.date;
    d.info = d.title + " dictionary\n\n";
    d.info += from + " words and their " + to + " translations as Trelvik gives them: each\n";
    d.info += "article is a word, then each of its translations on a line of its own, in\n";
    d.info += "the order of the program's translation line.\n";
    if (!request.userDictPath.empty())
        d.info += "The words of the user dictionary it was exported with follow those of\nthe main dictionary.\n";
    d.info += "\nEntries: " + std::to_string(entries) + "\n";
    d.info += "Built: " + request.date + " by " + request.programName + "\n\n";
    d.info += kSourceAndLicence;
    return d;
}

// The files of one dictionary: those to write, by name, in the order they are written (the index or the .ifo
// last, so that a reader that finds it finds the data it describes), then those an earlier export may have
// left that this one does not have.
struct DictionaryFiles {
    std::vector<std::pair<std::string, std::string>> write;
    std::vector<std::string> remove;
};

bool dictFiles(const std::vector<Article> &articles, const DictionaryDescription &description, DictionaryFiles &files,
               std::string &error)
{
    DictDatabase database;
    std::string compressed;
    if (!MakeDictDatabase(articles, description, database, error) || !DictZip(database.data, compressed, error))
        return false;
    files.write.emplace_back(description.name + ".dict.dz", std::move(compressed));
    files.write.emplace_back(description.name + ".index", std::move(database.index));
    return true;
}

bool starDictFiles(const std::vector<Article> &articles, const DictionaryDescription &description,
                   DictionaryFiles &files, std::string &error)
{
    StarDictBook book = MakeStarDictBook(articles, description);
    std::string compressed;
    if (!DictZip(book.dict, compressed, error))
        return false;
    files.write.emplace_back(description.name + ".dict.dz", std::move(compressed));
    if (book.syn.empty())
        files.remove.push_back(description.name + ".syn");
    else
        files.write.emplace_back(description.name + ".syn", std::move(book.syn));
    files.write.emplace_back(description.name + ".idx", std::move(book.idx));
    files.write.emplace_back(description.name + ".ifo", std::move(book.ifo));
    return true;
}

bool writeFiles(ExportFolder &folder, const DictionaryFiles &files, std::string &error)
{
    for (const auto &[name, bytes] : files.write) {
        if (!folder.replaceFile(name, bytes, error))
            return false;
    }
    for (const std::string &name : files.remove) {
        if (!folder.removeFile(name, error))
            return false;
    }
    return folder.sync(error);
}

// Leaves out the articles that no DICT query can reach.
bool keepDictIndexable(std::vector<Article> &articles, std::string &error)
{
    std::string key;
    bool keysMade = true;
    articles.erase(std::remove_if(articles.begin(), articles.end(),
                                  [&](const Article &article) {
                                      keysMade = DictIndexKey(article.headword, key) && keysMade;
                                      return key.empty();
                                  }),
                   articles.end());
    if (!keysMade)
        error = "the C.UTF-8 locale is not available";
    return keysMade;
}

// Reads the user dictionary's records; a missing file has none, as in a lookup. bytes keeps what they
// point into.
bool readUserRecords(const std::string &path, std::string &bytes, std::vector<RecordView> &records, std::string &error)
{
    if (path.empty() || !PathExists(path))
        return true;
    std::string reason;
    if (ReadWholeFile(path, /*createIfMissing=*/false, bytes, &reason) != ReadStatus::Ok) {
        error = "The user dictionary cannot be read: " + reason;
        return false;
    }
    if (!bytes.empty()
        && !ForEachSearchedUserRecord(bytes, [&records](const RecordView &record) { records.push_back(record); })) {
        error = NotACountMessage(path);
        return false;
    }
    return true;
}

} // namespace

DictionaryExportResult ExportDictionaries(const std::string &folder, const DictionaryExportRequest &request)
{
    DictionaryExportResult result;
    const std::unique_ptr<ExportFolder> out = ExportFolder::open(folder, result.error);
    if (!out)
        return result;

    std::string userBytes;
    std::vector<RecordView> userRecords;
    if (!readUserRecords(request.userDictPath, userBytes, userRecords, result.error))
        return result;

    const Catalogue *gathered = nullptr;
    std::unique_ptr<SourceWords> words;
    for (const Direction &direction : kDirections) {
        // Both directions from one language share one reading of its volumes.
        if (gathered != &CatalogueOf(direction.from)) {
            gathered = &CatalogueOf(direction.from);
            words = std::make_unique<SourceWords>(*gathered, request.appDir);
            words->addUserRecords(userRecords);
            result.notes.insert(result.notes.end(), words->unreadable().begin(), words->unreadable().end());
        }
        std::vector<Article> articles = words->articles(direction.to);
        if (request.format == DictionaryFormat::Dict && !keepDictIndexable(articles, result.error))
            return result;
        const DictionaryDescription description = describe(direction, articles.size(), request);

        DictionaryFiles files;
        const bool made = request.format == DictionaryFormat::Dict
                              ? dictFiles(articles, description, files, result.error)
                              : starDictFiles(articles, description, files, result.error);
        if (!made)
            return result;
        // A StarDict book keeps its files in a folder of its own, as StarDict readers install them; and so the
        // two formats can share a folder, although both have a NAME.dict.dz.
        std::unique_ptr<ExportFolder> bookFolder;
        if (request.format == DictionaryFormat::StarDict
            && !(bookFolder = out->subfolder(description.name, result.error)))
            return result;
        if (!writeFiles(bookFolder ? *bookFolder : *out, files, result.error))
            return result;
        result.written.push_back(ExportedDictionary{description.name, articles.size()});
    }
    result.ok = out->sync(result.error);
    return result;
}

} // namespace trelvik
