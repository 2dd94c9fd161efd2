// The file-to-memo read at the edges of the memo's capacity.

#include "core/Errors.h"
#include "core/MemoFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace qmel {
namespace {

using namespace std::string_literals;

TEST(FileToMemoRead, TextMustFitTheMemoAfterNormalisation)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<std::size_t> textSize;  // none: "Text exceeds memo capacity"
    };
    std::string crLfPairs;
    for (std::size_t i = 0; i < MemoCapacity / 2; ++i)
        crLfPairs += "\r\n";
    const Case cases[] = {
        {"exactly the capacity", std::string(MemoCapacity, 'x'), MemoCapacity},
        {"one byte over", std::string(MemoCapacity + 1, 'x'), std::nullopt},
        {"crlf pairs up to the capacity", crLfPairs, MemoCapacity},
        {"lone lf grows to the capacity", std::string(MemoCapacity / 2, '\n'), MemoCapacity},
        {"lone lf grows past the capacity", std::string(MemoCapacity / 2 + 1, '\n'), std::nullopt},
        {"nul early in a file over the capacity", "ab\0"s + std::string(MemoCapacity, 'x'), std::nullopt},
        {"nul early in a file within the capacity", "ab\0"s + std::string(MemoCapacity - 3, 'x'), 2},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("memo.txt", c.bytes);
        try {
            const std::string text = readFileToMemoText(systemPlatform(), dir / "memo.txt");
            EXPECT_EQ(std::optional(text.size()), c.textSize);
        } catch (const EInvalidOperation& failure) {
            EXPECT_EQ(failure.message(), "Text exceeds memo capacity");
            EXPECT_EQ(c.textSize, std::nullopt);
        }
    }
}

TEST(FileToMemoRead, MissingFileFailsWithTheNameAsPassed)
{
    test::TempDir dir;
    test::ScopedCurrentDirectory inDir(dir.path());
    try {
        readFileToMemoText(systemPlatform(), "no such.ini");
        ADD_FAILURE() << "no failure";
    } catch (const EFOpenError& failure) {
        EXPECT_EQ(failure.message(), "Cannot open file no such.ini");
    }
}

}  // namespace
}  // namespace qmel
