// The stored zip of the editable documents: its CRC-32 against published check values, and
// the archive's records where a reader looks for them. Real readers (unzip, LibreOffice,
// python-docx) open the documents built on it in the document tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "documents/zip.h"

namespace ciferon {
namespace {

std::uint32_t read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + i)))
                 << (8 * i);
    }
    return value;
}

std::uint32_t read16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at))) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 1))) << 8U;
}

TEST(Zip, Crc32MatchesItsCheckValues) {
    const struct {
        std::string_view data;
        std::uint32_t crc;
    } cases[] = {
        {"", 0x00000000U},
        {"a", 0xE8B7BE43U},
        {"123456789", 0xCBF43926U},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339U},
        {std::string_view("\0\0\0\0", 4), 0x2144DF1CU},
    };
    for (const auto& [data, crc] : cases) {
        EXPECT_EQ(crc32(data), crc) << data;
    }
}

// Two entries, the first of them ODT's "mimetype": each local header where the central
// directory says, stored, with the data's CRC and sizes, the first entry's data right after
// its header, and the end record counting both.
TEST(Zip, EntriesAreStoredWhereTheDirectorySays) {
    const std::vector<ZipEntry> entries{{"mimetype", "application/vnd.oasis.opendocument.text"},
                                        {"word/document.xml", std::string("<w>ž</w>\0", 10)}};
    const std::string zip = storedZip(entries);
    ASSERT_EQ(zip.substr(0, 4), std::string("PK\3\4"));
    // ODT readers expect the media type at byte 38, right after the first header's name.
    EXPECT_EQ(zip.substr(30, 8), "mimetype");
    EXPECT_EQ(zip.substr(38, entries[0].data.size()), entries[0].data);

    const std::size_t end = zip.size() - 22;
    ASSERT_EQ(read32(zip, end), 0x06054B50U);
    EXPECT_EQ(read16(zip, end + 8), 2U);
    EXPECT_EQ(read16(zip, end + 10), 2U);
    std::size_t record = read32(zip, end + 16);
    EXPECT_EQ(record + read32(zip, end + 12), end);
    for (const ZipEntry& entry : entries) {
        ASSERT_EQ(read32(zip, record), 0x02014B50U);
        EXPECT_EQ(read16(zip, record + 10), 0U);  // stored
        EXPECT_EQ(read32(zip, record + 16), crc32(entry.data));
        EXPECT_EQ(read32(zip, record + 20), entry.data.size());
        const std::size_t nameLength = read16(zip, record + 28);
        EXPECT_EQ(zip.substr(record + 46, nameLength), entry.name);
        const std::size_t local = read32(zip, record + 42);
        ASSERT_EQ(read32(zip, local), 0x04034B50U);
        EXPECT_EQ(read32(zip, local + 14), crc32(entry.data));
        EXPECT_EQ(zip.substr(local + 30 + entry.name.size(), entry.data.size()), entry.data);
        record += 46 + nameLength;
    }
}

}  // namespace
}  // namespace ciferon
