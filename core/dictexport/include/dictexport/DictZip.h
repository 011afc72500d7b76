#pragma once

#include <string>
#include <string_view>

namespace trelvik {

// Compresses data into the random-access gzip layout that dictd and StarDict readers open: a gzip member
// whose "RA" extra field lists the compressed size of each chunk of 58315 bytes, every chunk ending on a full
// flush so that it can be inflated on its own. The header carries no name and no time, and the settings are
// dictzip's, so the same data gives the same bytes as `dictzip -n`. Returns false, with the reason in error,
// when zlib fails or the data needs more chunks than the extra field can list (about 1.9 GB).
bool DictZip(std::string_view data, std::string &compressed, std::string &error);

} // namespace trelvik
