// The test framework's headers, parsed once per test executable (VLMRC_PCH).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
