#pragma once

// Helpers shared by the calc tests.

#include <bit>
#include <charconv>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace calc_test {

// Shortest text that reads back as the same double: 0.1 -> "0.1", 0.57 * 10000 ->
// "5699.999999999999".
inline std::string exact(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Bit-for-bit equality: tells -0.0 from 0.0, which == does not.
inline ::testing::AssertionResult identical(double expected, double actual) {
    if (std::bit_cast<std::uint64_t>(expected) == std::bit_cast<std::uint64_t>(actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "expected " << exact(expected) << ", got " << exact(actual);
}

} // namespace calc_test
