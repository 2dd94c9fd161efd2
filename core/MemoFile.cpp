#include "core/MemoFile.h"

#include "core/Errors.h"
#include "core/LineBreaks.h"

#include <string_view>

namespace qmel {

bool fileExistenceTest(Platform& platform, const std::string& name)
{
    return platform.fileExists(platform.resolveName(name));
}

std::string readFileToMemoText(Platform& platform, const std::string& name)
{
    std::string bytes;
    switch (platform.readFile(platform.resolveName(name), MemoCapacity, bytes)) {
    case ReadStatus::Ok: break;
    case ReadStatus::CannotOpen: throw EFOpenError(name);
    case ReadStatus::TooLarge: throw EInvalidOperation();
    }
    std::string_view text = bytes;
    text = text.substr(0, text.find('\0'));
    std::string memoText = normalizeLineBreaks(text);
    // Lone line breaks grow by one byte each, so a file within the capacity
    // can still give a text beyond it.
    if (memoText.size() > MemoCapacity)
        throw EInvalidOperation();
    return memoText;
}

void writeMemoTextToFile(Platform& platform, const std::string& fullName, const std::string& text)
{
    switch (platform.replaceFile(platform.resolveName(fullName), text)) {
    case WriteStatus::Ok: return;
    case WriteStatus::CannotCreate: throw EFCreateError(fullName);
    case WriteStatus::ShortWrite: throw EWriteError();
    }
}

}  // namespace qmel
