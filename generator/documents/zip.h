// A zip archive of stored entries, as the editable documents (DOCX and ODT) are packed: no
// compression, so that the core needs no zlib (the page would have to carry it), and a fixed
// time on every entry, so that the same document gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ciferon {

struct ZipEntry {
    std::string name;  // a path inside the archive, with "/" between folders
    std::string data;
};

// The CRC-32 of zip (the polynomial 0xEDB88320, reflected, starting and ending inverted).
std::uint32_t crc32(std::string_view data);

// The archive of the entries in their order, each stored with its CRC-32 and sizes, then the
// central directory. The first entry comes first in the file, as ODT's "mimetype" must. Every
// entry and the whole archive must stay below 4 GiB and 65535 entries (no zip64): documents
// are far smaller.
std::string storedZip(const std::vector<ZipEntry>& entries);

}  // namespace ciferon
