#include "platform/WildcardMatch.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qmel {
namespace {

struct WildcardCase {
    std::string pattern;
    std::string name;
    bool matches;
};

TEST(WildcardMatch, MatchesTable)
{
    const WildcardCase cases[] = {
        {"*.gb", "zelda.gb", true},
        {"*.gb", "ZELDA.GB", true},
        {"*.GBC", "zelda.gbc", true},
        {"*.gb", "zelda.gbc", false},
        {"*.gb", "gb", false},
        {"*.gb", ".gb", true},
        {"*.gb", "a.zip.gb", true},
        {"*.zip", "a.zip.gb", false},
        {"*", "", true},
        {"*", "anything at all", true},
        {"**", "abc", true},
        {"", "", true},
        {"", "a", false},
        {"a", "", false},
        {"?", "", false},
        {"?", "x", true},
        {"?", "xy", false},
        {"??.gb", "ab.gb", true},
        {"?.gb", "ab.gb", false},
        {"*?", "", false},
        {"*?", "a", true},
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "abc", true},
        {"a*b*c", "aXbY", false},
        {"*ab", "aab", true},
        {"*aab", "aaab", true},
        {"a*a*a*a*b", std::string(200, 'a'), false},
        {"a*a*a*a*b", std::string(200, 'a') + "b", true},
        // "*.*" matches every name, dotted or not, as directory searches did.
        {"*.*", "README", true},
        {"*.*", "", true},
        {"*.*", "a.b", true},
        {"*.?", "a.", false},
        // No brackets, no escapes: both are plain bytes.
        {"[ab].gb", "[ab].gb", true},
        {"[ab].gb", "a.gb", false},
        {"\\*.gb", "\\x.gb", true},
        {"\\*.gb", "*.gb", false},
        // Only ASCII letters fold; other bytes must be equal.
        {"CAF\xE9*", "caf\xE9.gb", true},
        {"caf\xC9.gb", "caf\xE9.gb", false},
        {"*.gb", std::string("nul\0.gb", 7), true},
        {"a?c", std::string("a\0c", 3), true},
    };
    for (const WildcardCase& c : cases)
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.matches) << "pattern \"" << c.pattern << "\" name \"" << c.name << '"';
}

// Plain recursive definition, exponential but obviously right.
bool referenceMatch(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*')
        return referenceMatch(pattern.substr(1), name) || (!name.empty() && referenceMatch(pattern, name.substr(1)));
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return !name.empty() && (pattern[0] == '?' || lower(pattern[0]) == lower(name[0])) &&
           referenceMatch(pattern.substr(1), name.substr(1));
}

std::vector<std::string> allStrings(const std::string& alphabet, std::size_t maxLength)
{
    std::vector<std::string> strings{""};
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (strings[i].size() < maxLength) {
            for (char c : alphabet)
                strings.push_back(strings[i] + c);
        }
    }
    return strings;
}

TEST(WildcardMatch, AgreesWithTheDefinitionOnEverySmallCase)
{
    const std::vector<std::string> patterns = allStrings("aB*?", 5);
    const std::vector<std::string> names = allStrings("abA", 5);
    for (const std::string& pattern : patterns) {
        for (const std::string& name : names)
            ASSERT_EQ(wildcardMatch(pattern, name), referenceMatch(pattern, name)) << pattern << " / " << name;
    }
}

}  // namespace
}  // namespace qmel
