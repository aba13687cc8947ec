// The seam: the one place where portable code finds the operating system. The program installs
// the Win32 services at start; tests install fakes.
#pragma once

#include "platform/IClock.h"
#include "platform/IDesktop.h"
#include "platform/IFileSystem.h"
#include "platform/IInput.h"
#include "platform/ISystem.h"

namespace fg {

struct Platform {
    IClock* clock = nullptr;
    IDesktop* desktop = nullptr;
    ISystem* system = nullptr;
    IFileSystem* files = nullptr;
    IInput* input = nullptr;
};

// The installed services. Only start-up and test fixtures change them.
Platform& Os();
void InstallPlatform(const Platform& p);

} // namespace fg
