#ifndef HEXALUNE_REGISTRY_SHORT_NAME_H_
#define HEXALUNE_REGISTRY_SHORT_NAME_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace hexalune {

/// The most code points a short name holds.
constexpr std::size_t kShortNameLength = 12;

/// An organisation's short name, for columns where width matters: one
/// token of at most kShortNameLength code points, with no white space and
/// no '#'. Its words are the organisation's, split at white space, control
/// characters, bytes that are no UTF-8, and punctuation (ASCII, CJK and
/// full-width), with '\'' dropped. Letters joined by '.' or '/' are one
/// word ("S.p.A." is "SpA", "A/S" is "AS"); longer pieces, words of their
/// own. Company-type words (Inc, Ltd, Co, Corp, GmbH, LLC, AG, SA, ...; any
/// case) are dropped. In a name whose ASCII letters are all capitals, each
/// word of more than three bytes is title-cased (HUAWEI TECHNOLOGIES is
/// HuaweiTechno, ZTE stays). The words are joined and cut after
/// kShortNameLength code points. A name with no word left is `assignment`,
/// the block's digits.
std::string short_name(std::string_view organization, std::string_view assignment);

}  // namespace hexalune

#endif  // HEXALUNE_REGISTRY_SHORT_NAME_H_
