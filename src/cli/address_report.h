#ifndef HEXALUNE_CLI_ADDRESS_REPORT_H_
#define HEXALUNE_CLI_ADDRESS_REPORT_H_

#include <ostream>

#include "notation/bytes.h"
#include "registry/oui_info.h"

namespace hexalune {

/// Writes the EUI-48, EUI-64 and Other Info sections for a six-byte address,
/// each line flushed. Every value is computed before the first line is
/// written, so a failure leaves nothing half-written.
void write_address_report(std::ostream& out, const Bytes& mac);

/// Writes the registry record on `out` (assignment, organization, address,
/// divider), or the not-found line on `err` when the record is empty.
void write_oui_section(std::ostream& out, std::ostream& err, const OUIInfo& info);

}  // namespace hexalune

#endif  // HEXALUNE_CLI_ADDRESS_REPORT_H_
