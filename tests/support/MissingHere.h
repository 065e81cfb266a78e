// A test that needs a tool, a mount or a system feature this machine lacks is skipped, with the
// reason. Where the environment says it is CI (CI set, as CI runs do), it fails instead:
// scripts/setup installs every tool these tests use, and CI runs as root, so a missing one
// there is a broken set-up, not a reason to pass. What only the way the container was started
// can give (the right to mount, the FUSE device) stays a skip there too.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace vek::test {

inline bool runningInCi() {
  const QByteArray ci = qgetenv("CI");
  return !ci.isEmpty() && ci != "0" && ci != "false";
}

}  // namespace vek::test

// Ends the test for want of what reason names (anything gtest can stream): failed in CI when
// failsInCi, skipped otherwise.
#define VEK_SKIP_OR_FAIL_IN_CI(failsInCi, reason)                    \
  do {                                                               \
    if ((failsInCi) && ::vek::test::runningInCi()) {                 \
      GTEST_FAIL() << "missing, and CI must provide it: " << reason; \
    } else {                                                         \
      GTEST_SKIP() << reason;                                        \
    }                                                                \
  } while (false)

// The same for a tool or feature that scripts/setup installs or CI always has.
#define VEK_SKIP_WHERE_MISSING(reason) VEK_SKIP_OR_FAIL_IN_CI(true, reason)
