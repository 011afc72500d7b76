// Prints the engine's catalogue, one row a line: folder, stored position of the filing language, first letter
// (UTF-8) and the volumes in search order, tab-separated. test_catalogue_agrees.py holds it against the
// dictionary builder's table.
#include "base/CodePages.h"
#include "engine/Catalogue.h"

#include <cstdio>
#include <string>

int main()
{
    using namespace trelvik;
    for (const Catalogue *catalogue : AllCatalogues()) {
        const CodePage codePage = CodePageOf(catalogue->language);
        for (const CatalogueRow &row : catalogue->rows) {
            std::string line(catalogue->folder);
            line += '\t' + std::to_string(IndexOf(catalogue->language)) + '\t';
            line += DecodeToUtf8(std::string(1, static_cast<char>(row.letter)), codePage) + '\t';
            for (std::string_view volume : row.volumes)
                line.append(volume).append(volume == row.volumes.back() ? "" : " ");
            std::printf("%s\n", line.c_str());
        }
    }
    return 0;
}
