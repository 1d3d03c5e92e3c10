#ifndef HEXALUNE_REGISTRY_OUI_INFO_H_
#define HEXALUNE_REGISTRY_OUI_INFO_H_

#include <map>
#include <string>

namespace hexalune {

/// One registry record. A record with an empty `assignment` stands for "not
/// found".
struct OUIInfo {
    std::string assignment;    // the key, as listed (MA-L: six upper-case hexadecimal digits)
    std::string organization;  // the assignee's name
    std::string address;       // the assignee's postal address
    std::string note;          // empty: no listing has such a column; the caller's to fill
};

/// The registry: records keyed by their assignment text.
using RegistryMap = std::map<std::string, OUIInfo>;

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_OUI_INFO_H_
