#include "documents/zip.h"

#include <array>

namespace ciferon {

namespace {

constexpr std::array<std::uint32_t, 256> crcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t value = byte;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1U) != 0 ? (value >> 1U) ^ 0xEDB88320U : value >> 1U;
        }
        table[byte] = value;
    }
    return table;
}();

void put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFFU));
    out.push_back(static_cast<char>((value >> 8U) & 0xFFU));
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFFU);
    put16(out, value >> 16U);
}

// 1 January 1980, 00:00, the earliest time a zip entry can carry, in MS-DOS form.
constexpr std::uint32_t dosTime = 0;
constexpr std::uint32_t dosDate = (0U << 9U) | (1U << 5U) | 1U;
// Version 2.0, the least that reads folders in names; bit 11: names are UTF-8.
constexpr std::uint32_t versionNeeded = 20;
constexpr std::uint32_t utf8Names = 1U << 11U;

// The fields that a local header and its central directory entry share, from "version needed"
// to the name's length.
void putCommon(std::string& out, const ZipEntry& entry, std::uint32_t crc) {
    put16(out, versionNeeded);
    put16(out, utf8Names);
    put16(out, 0);  // stored
    put16(out, dosTime);
    put16(out, dosDate);
    put32(out, crc);
    put32(out, static_cast<std::uint32_t>(entry.data.size()));  // compressed
    put32(out, static_cast<std::uint32_t>(entry.data.size()));  // uncompressed
    put16(out, static_cast<std::uint32_t>(entry.name.size()));
}

}  // namespace

std::uint32_t crc32(std::string_view data) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : data) {
        crc = crcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFU] ^ (crc >> 8U);
    }
    return crc ^ 0xFFFFFFFFU;
}

std::string storedZip(const std::vector<ZipEntry>& entries) {
    std::string out;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const std::uint32_t crc = crc32(entry.data);
        const auto offset = static_cast<std::uint32_t>(out.size());
        put32(out, 0x04034B50U);
        putCommon(out, entry, crc);
        put16(out, 0);  // no extra field
        out += entry.name;
        out += entry.data;

        put32(directory, 0x02014B50U);
        put16(directory, versionNeeded);  // made by: MS-DOS attributes, version 2.0
        putCommon(directory, entry, crc);
        put16(directory, 0);  // no extra field
        put16(directory, 0);  // no comment
        put16(directory, 0);  // disk 0
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory += entry.name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, 0x06054B50U);
    put16(out, 0);  // this disk
    put16(out, 0);  // the directory's disk
    put16(out, static_cast<std::uint32_t>(entries.size()));
    put16(out, static_cast<std::uint32_t>(entries.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);  // no comment
    return out;
}

}  // namespace ciferon
