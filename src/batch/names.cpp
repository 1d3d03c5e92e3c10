#include "names.h"

namespace hexalune {

void Names::add_file(std::string_view, std::string_view, std::ostream&) {}

std::string_view Names::label(const Bytes&) const { return {}; }

std::vector<UserName> Names::list() const { return names_; }

bool Names::empty() const { return names_.empty(); }

}  // namespace hexalune
