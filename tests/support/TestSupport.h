#pragma once

// Helpers shared by the Qt-free tests: single-byte text from readable UTF-8 literals, lookup contexts, and
// throwaway application folders with small volumes.

#include "engine/LookupContext.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>

namespace testsupport {

// Converts UTF-8 holding ASCII, Russian letters (Windows-1251) or Latin-1 letters (Windows-1252) to bytes.
inline std::string singleByte(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        i += 2;
        unsigned byte = 0;
        if (cp >= 0x410 && cp <= 0x44F)
            byte = cp - 0x410 + 0xC0;
        else if (cp == 0x401)
            byte = 0xA8;
        else if (cp == 0x451)
            byte = 0xB8;
        else
            byte = cp; // Latin-1 letters keep their code in Windows-1252
        out += static_cast<char>(byte);
    }
    return out;
}

// Shorthand: sb("дом") is the Windows-1251 spelling, sb("hus") plain ASCII, sb("mår") Windows-1252.
inline std::string sb(std::string_view utf8)
{
    return singleByte(utf8);
}

// One record line in the written form: three quoted fields, CR LF.
inline std::string line(std::string_view ru, std::string_view sv, std::string_view en)
{
    return "\"" + sb(ru) + "\",\"" + sb(sv) + "\",\"" + sb(en) + "\"\r\n";
}

inline void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A request's working values for a word (readable UTF-8) from one language to another.
inline trelvik::LookupContext lookupContext(std::string_view word, trelvik::Language from, trelvik::Language to,
                                            bool synonyms = true)
{
    trelvik::LookupContext ctx;
    ctx.word = singleByte(word);
    ctx.from = from;
    ctx.to = to;
    ctx.findSynonyms = synonyms;
    return ctx;
}

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh application folder under the system's temporary folder, removed again at the end of the test.
class TempAppDir {
public:
    TempAppDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "trelvik-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        for (const char *lang : {"ru", "en", "sv"})
            std::filesystem::create_directories(m_path / "data" / lang);
    }
    TempAppDir(const TempAppDir &) = delete;
    TempAppDir &operator=(const TempAppDir &) = delete;
    ~TempAppDir()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }

    const std::filesystem::path &path() const { return m_path; }
    std::string str() const { return m_path.string(); }
    std::filesystem::path volume(std::string_view lang, std::string_view name) const
    {
        return m_path / "data" / std::string(lang) / (std::string(name) + ".dct");
    }
    void putVolume(std::string_view lang, std::string_view name, std::string_view bytes) const
    {
        writeFile(volume(lang, name), bytes);
    }
    std::string userDict() const { return (m_path / "user.dct").string(); }

private:
    std::filesystem::path m_path;
};

} // namespace testsupport
