#ifndef HEXALUNE_BATCH_NAMES_FILE_H_
#define HEXALUNE_BATCH_NAMES_FILE_H_

#include <ostream>
#include <string>
#include <vector>

#include "names.h"

namespace hexalune {

/// The user's names: those of the default file, hexalune/names in
/// config_home(), where there is one, then those of `files` in order. A
/// file that cannot be read, the default one too (a --names file that is
/// missing, a directory, a device, a FIFO), throws std::runtime_error
/// naming it and the reason; bad lines are reported on `report`, as
/// Names::add_file does.
Names load_names(const std::vector<std::string>& files, std::ostream& report);

}  // namespace hexalune

#endif  // HEXALUNE_BATCH_NAMES_FILE_H_
