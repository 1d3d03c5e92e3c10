#ifndef HEXALUNE_PLATFORM_UTF16_H_
#define HEXALUNE_PLATFORM_UTF16_H_

#include <string>

namespace hexalune {

/// The UTF-8 form of UTF-16 text (a Windows command line or console input).
/// A surrogate without its partner becomes U+FFFD, so text that was not
/// valid UTF-16 never turns into plain ASCII.
std::string utf16_to_utf8(const std::u16string& text);

}  // namespace hexalune

#endif  // HEXALUNE_PLATFORM_UTF16_H_
