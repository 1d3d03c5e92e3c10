#include "oui_section.h"

namespace hexalune {

void write_oui_section(std::ostream& out, std::ostream& err, const OUIInfo& info) {
    if (info.assignment.empty()) {
        err << "No OUI information found for this MAC address." << std::endl;
        return;
    }
    out << "OUI information:" << std::endl;
    out << "Assignment: " << info.assignment << std::endl;
    out << "Organization: " << info.organization << std::endl;
    out << "Address: " << info.address << std::endl;
    out << "----------------" << std::endl;
}

}  // namespace hexalune
