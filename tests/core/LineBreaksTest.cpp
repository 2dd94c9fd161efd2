#include "core/LineBreaks.h"

#include <gtest/gtest.h>

namespace qmel {
namespace {

struct LineBreakCase {
    const char* what;
    std::string text;
    std::string expected;
};

class LineBreaks : public testing::TestWithParam<LineBreakCase> {};

TEST_P(LineBreaks, EveryBreakBecomesCrLf)
{
    EXPECT_EQ(normalizeLineBreaks(GetParam().text), GetParam().expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Table, LineBreaks,
    testing::Values(
        LineBreakCase{"empty", "", ""},
        LineBreakCase{"no break", "C:\\DBOY", "C:\\DBOY"},
        LineBreakCase{"crlf stays", "a\r\nb", "a\r\nb"},
        LineBreakCase{"lone lf", "a\nb", "a\r\nb"},
        LineBreakCase{"lone cr", "a\rb", "a\r\nb"},
        LineBreakCase{"lf cr is two breaks", "a\n\rb", "a\r\n\r\nb"},
        LineBreakCase{"cr cr lf", "a\r\r\nb", "a\r\n\r\nb"},
        LineBreakCase{"crlf lf", "a\r\n\nb", "a\r\n\r\nb"},
        LineBreakCase{"only lf", "\n", "\r\n"},
        LineBreakCase{"only cr", "\r", "\r\n"},
        LineBreakCase{"trailing lf", "/dboy\n", "/dboy\r\n"},
        LineBreakCase{"trailing cr", "/dboy\r", "/dboy\r\n"},
        LineBreakCase{"leading lf", "\n/dboy", "\r\n/dboy"},
        LineBreakCase{"many lf", "\n\n\n", "\r\n\r\n\r\n"},
        LineBreakCase{"nul copied", "a\0\nb"s, "a\0\r\nb"s},
        LineBreakCase{"non-utf8 bytes copied", "\xff\n\xfe\x80\r", "\xff\r\n\xfe\x80\r\n"},
        LineBreakCase{"utf8 multibyte", "\xc3\xa9t\xc3\xa9\n\xe2\x82\xac", "\xc3\xa9t\xc3\xa9\r\n\xe2\x82\xac"}),
    [](const testing::TestParamInfo<LineBreakCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace qmel
