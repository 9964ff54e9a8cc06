#include <gtest/gtest.h>
#include "framework/vst2/plugin_factory.h"
TEST(Vst2Adapter, Smoke) { SUCCEED(); }
