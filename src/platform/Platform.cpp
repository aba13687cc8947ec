#include "platform/Platform.h"

namespace fg {

namespace {
Platform installed;
}

Platform& Os() { return installed; }

void InstallPlatform(const Platform& p) { installed = p; }

} // namespace fg
