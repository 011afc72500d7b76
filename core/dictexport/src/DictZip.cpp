#include "dictexport/DictZip.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

namespace trelvik {

namespace {

// The chunk size that keeps even an incompressible chunk's deflate output below 64 kB.
constexpr std::size_t kChunkSize = 58315;
// The extra field's length is 16 bits: its 10 bytes of subfield header and version, then 2 a chunk.
constexpr std::size_t kMaxChunks = (0xFFFF - 10) / 2;

void putLe16(std::string &out, std::size_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void putLe32(std::string &out, std::uint32_t value)
{
    putLe16(out, value & 0xFFFF);
    putLe16(out, value >> 16);
}

// Feeds input to the stream with the given flush and appends everything it produces to out.
bool deflateInto(z_stream &stream, std::string_view input, int flush, std::string &out)
{
    // zlib's input pointer is not const, but deflate never writes through it.
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.data()));
    stream.avail_in = static_cast<uInt>(input.size());
    unsigned char buffer[16384];
    do {
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        const int status = deflate(&stream, flush);
        if (status == Z_STREAM_ERROR)
            return false;
        out.append(reinterpret_cast<const char *>(buffer), sizeof buffer - stream.avail_out);
    } while (stream.avail_out == 0 || stream.avail_in > 0);
    return true;
}

} // namespace

bool DictZip(std::string_view data, std::string &compressed, std::string &error)
{
    compressed.clear();
    const std::size_t chunks = (data.size() + kChunkSize - 1) / kChunkSize;
    if (chunks > kMaxChunks) {
        error = "the data is too large for dictzip's chunk table";
        return false;
    }

    // dictzip's settings: the best compression with the most memory.
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, MAX_MEM_LEVEL, Z_DEFAULT_STRATEGY) != Z_OK) {
        error = "zlib cannot start compressing";
        return false;
    }
    std::string body;
    std::vector<std::size_t> chunkSizes;
    bool ok = true;
    for (std::size_t at = 0; ok && at < data.size(); at += kChunkSize) {
        const std::size_t before = body.size();
        ok = deflateInto(stream, data.substr(at, kChunkSize), Z_FULL_FLUSH, body);
        chunkSizes.push_back(body.size() - before);
        ok = ok && chunkSizes.back() <= 0xFFFF;
    }
    // The final empty block belongs to no chunk.
    ok = ok && deflateInto(stream, {}, Z_FINISH, body);
    deflateEnd(&stream);
    if (!ok) {
        error = "zlib failed while compressing";
        return false;
    }

    const std::size_t extraLength = 10 + 2 * chunks;
    compressed.reserve(body.size() + extraLength + 32);
    compressed += "\x1f\x8b\x08";
    compressed += static_cast<char>(0x04 | 0x08); // FEXTRA, FNAME
    putLe32(compressed, 0);                       // no modification time
    compressed += '\x02';                         // slowest compression
    compressed += '\x03';                         // Unix
    putLe16(compressed, extraLength);
    compressed += "RA";
    putLe16(compressed, extraLength - 4);
    putLe16(compressed, 1); // version
    putLe16(compressed, kChunkSize);
    putLe16(compressed, chunks);
    for (const std::size_t size : chunkSizes)
        putLe16(compressed, size);
    compressed += '\0'; // an empty file name
    compressed += body;

    std::uint32_t crc = 0;
    for (std::size_t at = 0; at < data.size(); at += kChunkSize) {
        const std::string_view chunk = data.substr(at, kChunkSize);
        crc = static_cast<std::uint32_t>(
            crc32(crc, reinterpret_cast<const Bytef *>(chunk.data()), static_cast<uInt>(chunk.size())));
    }
    putLe32(compressed, crc);
    putLe32(compressed, static_cast<std::uint32_t>(data.size() & 0xFFFFFFFFu));
    return true;
}

} // namespace trelvik
