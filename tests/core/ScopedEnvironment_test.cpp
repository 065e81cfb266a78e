// The guard the tests use for the environment: whatever a test changed is as before when it
// ends, also when it ends early.
#include <gtest/gtest.h>

#include "support/ScopedEnvironment.h"

namespace {

TEST(ScopedEnvironment, PutsBackWhatWasSetAndUnsetEvenAfterAnEarlyReturn) {
  qputenv("VEK_GUARD_KEPT", "old");
  qunsetenv("VEK_GUARD_NEW");
  int changes = 0;
  [&] {
    vek::test::ScopedEnvironment environment([&] { ++changes; });
    environment.set("VEK_GUARD_NEW", "1");
    environment.set("VEK_GUARD_NEW", "2");  // the first saved value counts
    environment.unset("VEK_GUARD_KEPT");
    ASSERT_EQ(qgetenv("VEK_GUARD_NEW"), "2");
    ASSERT_FALSE(qEnvironmentVariableIsSet("VEK_GUARD_KEPT"));
    return;  // as a failed ASSERT does
  }();
  EXPECT_FALSE(qEnvironmentVariableIsSet("VEK_GUARD_NEW"));
  EXPECT_EQ(qgetenv("VEK_GUARD_KEPT"), "old");
  EXPECT_EQ(changes, 4);  // three changes and the restoring one
  qunsetenv("VEK_GUARD_KEPT");
}

}  // namespace
