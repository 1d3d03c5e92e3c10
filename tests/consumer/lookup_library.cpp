#include "lookup_library.h"

#include <hexalune/registry/csv_line_reader.h>
#include <hexalune/registry/lookup.h>
#include <hexalune/registry/resource.h>

std::string organization_in_library(const std::string& mac_text) {
    const hexalune::RegistryMap registry =
        hexalune::parse_oui_database(hexalune::load_resource_data());
    return hexalune::lookup_oui_info(mac_text, registry).organization;
}
