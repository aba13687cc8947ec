// Every Windows test runs against the real Win32 services.
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

namespace {

class Win32PlatformEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { fg::InstallWin32Platform(); }
};

const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new Win32PlatformEnvironment);

} // namespace
