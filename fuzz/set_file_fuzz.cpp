// Any bytes as a set file: reading never fails and never takes part of a file. A file read
// is written again and read back the same, and its overview is counted; any bytes as a list
// of names are read or refused with a sentence.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "classset/set_file.h"
#include "marking/overview.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ciferon::SetFileReading read = ciferon::readSetFile(bytes, "f");
    require(read.set.has_value() != read.refusal.starts_with("Soubor sady „f“ "));
    if (read.set) {
        const ciferon::SetFileReading again =
            ciferon::readSetFile(ciferon::writeSetFile(*read.set), "f");
        require(again.set.has_value() && *again.set == *read.set);
        const ciferon::Overview overview = ciferon::overviewOf(*read.set);
        require(overview.pupils.size() == read.set->sheets.size());
    }
    const ciferon::NameList names = ciferon::readNameList(bytes, ciferon::classSetMax);
    require(names.refusal.empty() || names.names.empty());
    require(names.names.size() <= static_cast<std::size_t>(ciferon::classSetMax));
    return 0;
}
