// config_home where the environment is bytes: freedesktop.org's XDG base
// directories, as desktop programs find them.

#include <cstdlib>

#include "platform/config_home.h"

namespace hexalune {

std::string config_home() {
    const char* const xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* const home = std::getenv("HOME");
    return home != nullptr && home[0] != '\0' ? std::string(home) + "/.config" : std::string();
}

}  // namespace hexalune
