// Every test program keeps the per-user store in the build folder, so that
// tests never read or change the settings of the user who runs them.
#include <cstdlib>

namespace {

struct TestEnvironment {
  TestEnvironment() {
#ifdef _WIN32
    _putenv_s("XDG_CONFIG_HOME", ZINDLE_TEST_CONFIG_HOME);
#else
    setenv("XDG_CONFIG_HOME", ZINDLE_TEST_CONFIG_HOME, 1);
#endif
  }
};

const TestEnvironment g_test_environment;

}  // namespace
