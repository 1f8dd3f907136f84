#include <gtest/gtest.h>
#include <windows.h>
int framework_probe();
TEST(Probe, Runs) { EXPECT_EQ(1, framework_probe()); EXPECT_NE(0u, GetCurrentProcessId()); }
