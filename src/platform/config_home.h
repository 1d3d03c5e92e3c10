#ifndef HEXALUNE_PLATFORM_CONFIG_HOME_H_
#define HEXALUNE_PLATFORM_CONFIG_HOME_H_

#include <string>

namespace hexalune {

/// The directory of the user's configuration files, in UTF-8:
/// $XDG_CONFIG_HOME where it is an absolute path, else $HOME/.config; on
/// Windows %APPDATA%. Empty where the environment names none.
std::string config_home();

}  // namespace hexalune

#endif  // HEXALUNE_PLATFORM_CONFIG_HOME_H_
