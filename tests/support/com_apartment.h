// ComApartmentTest: a test fixture base whose tests run in a single-threaded COM apartment.
#pragma once

#include <objbase.h>

#include <gtest/gtest.h>

// COM is initialised once for the suite, as the application does at start-up.
class ComApartmentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    static void TearDownTestSuite() { ::CoUninitialize(); }
};
