// TestSourceDir, TestBinaryDir, TestSharedDir, SimulatorStateDir: the folders the tests were configured with.
#pragma once

// Windows paths (Z:\... under Wine), without a trailing separator. They are compiled into one small
// source of the build tree, so that the test programs' own objects are the same in every checkout
// and the compiler cache serves them all.
const char* TestSourceDir();
const char* TestBinaryDir();
// Empty when the shared test data was not found.
const char* TestSharedDir();
// The state folder of the test program's own module simulator (programs that have one).
const char* SimulatorStateDir();
