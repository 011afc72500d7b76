#include "engine/Catalogue.h"

#include "base/Text.h"
#include "engine/VolumeSearch.h"

namespace trelvik {

namespace {

// One row of a catalogue table.
CatalogueRow numbered(unsigned char letter, std::vector<std::string_view> volumes)
{
    return CatalogueRow{letter, std::move(volumes)};
}

} // namespace

const CatalogueRow *Catalogue::rowFor(std::string_view firstLetter) const noexcept
{
    if (firstLetter.size() != 1)
        return nullptr;
    auto letter = static_cast<unsigned char>(firstLetter[0]);
    if (language == Language::Russian)
        letter = FoldYo(letter); // words with ё are filed under е
    for (const CatalogueRow &row : rows) {
        if (row.letter == letter)
            return &row;
    }
    return nullptr;
}

std::string Catalogue::volumePath(std::string_view appDir, std::string_view volume) const
{
    std::string path;
    path.reserve(appDir.size() + folder.size() + volume.size() + 16);
    path.append(appDir).append("/data/").append(folder).append("/").append(volume).append(".dct");
    return path;
}

// The tables keep one row of the catalogue a line.
// clang-format off
const Catalogue &RussianCatalogue()
{
    static const Catalogue catalogue{"ru", Language::Russian, {
        numbered(0xE0, {"mRA1"}),
        numbered(0xE1, {"mRB1", "mRB2"}),
        numbered(0xE2, {"mRV1", "mRV2", "mRV3"}),
        numbered(0xE3, {"mRG1"}),
        numbered(0xE4, {"mRD1", "mRD2"}),
        numbered(0xE5, {"mRE1"}),
        numbered(0xE6, {"mRJ1"}),
        numbered(0xE7, {"mRZ1", "mRZ2"}),
        numbered(0xE8, {"mRI1"}),
        numbered(0xEA, {"mRK1", "mRK2"}),
        numbered(0xEB, {"mRL1"}),
        numbered(0xEC, {"mRM1", "mRM2"}),
        numbered(0xED, {"mRN1", "mRN2", "mRN3"}),
        numbered(0xEE, {"mRO1", "mRO2", "mRO3"}),
        numbered(0xEF, {"mRP1", "mRP2", "mRP3", "mRP4", "mRP5", "mRP6"}),
        numbered(0xF0, {"mRR1", "mRR2"}),
        numbered(0xF1, {"mRS1", "mRS2", "mRS3", "mRS4"}),
        numbered(0xF2, {"mRT1", "mRT2", "mRT3"}),
        numbered(0xF3, {"mRU1", "mRU2", "mRU3"}),
        numbered(0xF4, {"mRF1"}),
        numbered(0xF5, {"mRH1"}),
        numbered(0xF6, {"mRC1"}),
        numbered(0xF7, {"mRCH1"}),
        numbered(0xF8, {"mRSH1"}),
        numbered(0xF9, {"mRSCH1"}),
        numbered(0xFD, {"mRYE1"}),
        numbered(0xFE, {"mRYU1"}),
        numbered(0xFF, {"mRYA1"}),
    }};
    return catalogue;
}

const Catalogue &EnglishCatalogue()
{
    static const Catalogue catalogue{"en", Language::English, {
        numbered('a', {"mEA1"}),
        numbered('b', {"mEB1", "mEB2"}),
        numbered('c', {"mEC1", "mEC2", "mEC3", "mEC4"}),
        numbered('d', {"mED1", "mED2"}),
        numbered('e', {"mEE1", "mEE2"}),
        numbered('f', {"mEF1", "mEF2"}),
        numbered('g', {"mEG1"}),
        numbered('h', {"mEH1", "mEH2"}),
        numbered('i', {"mEI1", "mEI2"}),
        numbered('j', {"mEJ1"}),
        numbered('k', {"mEK1"}),
        numbered('l', {"mEL1", "mEL2"}),
        numbered('m', {"mEM1", "mEM2"}),
        numbered('n', {"mEN1"}),
        numbered('o', {"mEO1"}),
        numbered('p', {"mEP1", "mEP2", "mEP3"}),
        numbered('q', {"mEQ1"}),
        numbered('r', {"mER1", "mER2"}),
        numbered('s', {"mES1", "mES2", "mES3", "mES4"}),
        numbered('t', {"mET1", "mET2"}),
        numbered('u', {"mEU1"}),
        numbered('v', {"mEV1"}),
        numbered('w', {"mEW1"}),
        numbered('x', {"mEX1"}),
        numbered('y', {"mEY1"}),
        numbered('z', {"mEZ1"}),
    }};
    return catalogue;
}

const Catalogue &SwedishCatalogue()
{
    static const Catalogue catalogue{"sv", Language::Swedish, {
        numbered('a', {"mSA1", "mSA2"}),
        numbered('b', {"mSB1", "mSB2", "mSB3"}),
        numbered('c', {"mSC1"}),
        numbered('d', {"mSD1", "mSD2"}),
        numbered('e', {"mSE1"}),
        numbered('f', {"mSF1", "mSF2", "mSF3"}),
        numbered('g', {"mSG1", "mSG2"}),
        numbered('h', {"mSH1", "mSH2"}),
        numbered('i', {"mSI1", "mSI2"}),
        numbered('j', {"mSJ1"}),
        numbered('k', {"mSK1", "mSK2", "mSK3"}),
        numbered('l', {"mSL1", "mSL2"}),
        numbered('m', {"mSM1", "mSM2"}),
        numbered('n', {"mSN1"}),
        numbered('o', {"mSO1"}),
        numbered('p', {"mSP1", "mSP2"}),
        numbered('q', {"mSQ1"}),
        numbered('r', {"mSR1", "mSR2"}),
        numbered('s', {"mSS1", "mSS2", "mSS3", "mSS4", "mSS5"}),
        numbered('t', {"mST1", "mST2"}),
        numbered('u', {"mSU1", "mSU2"}),
        numbered('v', {"mSV1", "mSV2"}),
        numbered('w', {"mSW1"}),
        numbered('x', {"mSX1"}),
        numbered('y', {"mSY1"}),
        numbered('z', {"mSZ1"}),
        numbered(0xF6, {"mSOE1"}),
        numbered(0xE5, {"mSAO1"}),
        numbered(0xE4, {"mSAE1"}),
    }};
    return catalogue;
}
// clang-format on

const std::vector<const Catalogue *> &AllCatalogues()
{
    static const std::vector<const Catalogue *> all{&RussianCatalogue(), &EnglishCatalogue(), &SwedishCatalogue()};
    return all;
}

const Catalogue &CatalogueOf(Language language) noexcept
{
    switch (language) {
    case Language::Russian: return RussianCatalogue();
    case Language::English: return EnglishCatalogue();
    case Language::Swedish: break;
    }
    return SwedishCatalogue();
}

void SearchCatalogue(const Catalogue &catalogue, LookupContext &ctx, const LookupEnvironment &env, bool useUserDict)
{
    if (const CatalogueRow *row = catalogue.rowFor(ctx.firstLetter)) {
        for (std::string_view volume : row->volumes)
            SearchVolume(catalogue.volumePath(env.appDir, volume), ctx);
    }
    if (useUserDict && env.searchUserDict)
        env.searchUserDict(env.userDictPath, ctx);
}

} // namespace trelvik
