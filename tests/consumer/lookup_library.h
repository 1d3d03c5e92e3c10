#ifndef HEXALUNE_CONSUMER_LOOKUP_LIBRARY_H_
#define HEXALUNE_CONSUMER_LOOKUP_LIBRARY_H_

#include <string>

/// The organisation the listing embedded in this shared library names for
/// the OUI of `mac_text`; empty when there is none.
std::string organization_in_library(const std::string& mac_text);

#endif  // HEXALUNE_CONSUMER_LOOKUP_LIBRARY_H_
