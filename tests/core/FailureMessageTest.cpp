#include "core/FailureMessage.h"

#include <gtest/gtest.h>

namespace qmel {
namespace {

TEST(FailureBoxText, DotAppendedOnlyAfterBytesAbove0x2E)
{
    struct Case {
        std::string message;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"Disk full", "Disk full."},
        {"I/O error 7", "I/O error 7."},
        {"Already ends.", "Already ends."},          // 0x2E itself
        {"Comma,", "Comma,"},                        // 0x2C
        {"Dash-", "Dash-"},                          // 0x2D
        {"Slash/", "Slash/."},                       // 0x2F
        {"Cannot open file (x)", "Cannot open file (x)"},  // ")" 0x29
        {"Stop!", "Stop!"},                          // 0x21
        {"What?", "What?."},                         // 0x3F
        {"Blank ", "Blank "},                        // 0x20
        {"Quote\"", "Quote\""},                      // 0x22
        {"Line\r\n", "Line\r\n"},
        {"Colon:", "Colon:."},
        {"Non-ASCII \xe9", "Non-ASCII \xe9."},       // byte 0xE9, compared unsigned
        {"UTF-8 \xc3\xa9", "UTF-8 \xc3\xa9."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureBoxText(c.message), c.expected) << "message: " << c.message;
}

}  // namespace
}  // namespace qmel
