// The icon port on Windows: icons extracted by the system, document types
// looked up in the system registry.
#include "page/icon_bitmap_win32.h"
#include "page/system_icons.h"
#include "platform/system_storage_win32.h"

namespace vallora {
namespace {

// Bases are made in the order listed, so the storage exists before the port
// that refers to it.
struct StorageHolder {
    SystemStorage storage;
};

class SystemIconPort : private StorageHolder, public IconPortWin32 {
  public:
    SystemIconPort() : IconPortWin32(storage.settings) {}
};

}  // namespace

SystemIcons MakeSystemIcons() {
    return {std::make_unique<SystemIconPort>(), ""};
}

}  // namespace vallora
