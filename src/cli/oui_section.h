#ifndef HEXALUNE_CLI_OUI_SECTION_H_
#define HEXALUNE_CLI_OUI_SECTION_H_

#include <ostream>

#include "registry/oui_info.h"

namespace hexalune {

/// Writes the registry record on `out` (assignment, organization, address,
/// divider), or the not-found line on `err` when the record is empty.
void write_oui_section(std::ostream& out, std::ostream& err, const OUIInfo& info);

}  // namespace hexalune

#endif  // HEXALUNE_CLI_OUI_SECTION_H_
