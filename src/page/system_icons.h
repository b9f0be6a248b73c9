#pragma once
// The icon port of the system the program runs on. Windows extracts icons;
// elsewhere there is nothing to extract them with, and the port says so.
#include <memory>
#include <string>

#include "page/icon_port.h"

namespace vallora {

struct SystemIcons {
    std::unique_ptr<IconPort> port;
    std::string limitation;  // why no bitmap is made here; empty where icons are extracted
};

SystemIcons MakeSystemIcons();

}  // namespace vallora
