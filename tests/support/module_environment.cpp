// The entry points run inside a started module, as in a process that loaded the DLL.
#include "entry/driver_ui.h"

#include <gtest/gtest.h>

namespace {

class ModuleEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { DllInitialize(nullptr, DLL_PROCESS_ATTACH, nullptr); }
    void TearDown() override { DllInitialize(nullptr, DLL_PROCESS_DETACH, nullptr); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ModuleEnvironment);

} // namespace
