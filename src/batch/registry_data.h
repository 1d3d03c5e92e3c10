#ifndef HEXALUNE_BATCH_REGISTRY_DATA_H_
#define HEXALUNE_BATCH_REGISTRY_DATA_H_

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "registry/registries.h"

namespace hexalune {

/// The registries a run looks addresses up in, and where they came from.
struct RegistryData {
    OwnerTable table;
    std::array<std::string, 4> dates;  // each listing's date, YYYY-MM-DD, indexed by Registry
    std::string directory;             // empty: the listings embedded in the program
};

/// The table compiled into the program, its listings dated `date`.
RegistryData load_embedded_registries(const std::string& date);

/// The bytes of the four listings in `directory`, for sizing the heap; 0
/// for any that cannot be read.
std::uintmax_t listing_bytes_in(const std::string& directory);

/// The four registries from oui.csv, mam.csv, oui36.csv and iab.csv in
/// `directory`, each dated by its file's modification time. A directory
/// that is not one, or a file that is missing, unreadable, no regular file
/// or no IEEE listing (its first line is not the listings' header), or
/// that holds another registry's records, throws std::runtime_error naming
/// it and the reason. Bad lines (read_listing_records) are reported on
/// `report`, one a line naming the file and the line number; after the
/// first few of a file, only their number.
RegistryData load_registry_directory(const std::string& directory, std::ostream& report);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_REGISTRY_DATA_H_
