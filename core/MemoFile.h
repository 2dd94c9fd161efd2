#pragma once

// The three file operations of the settings files: the existence test, the
// file-to-memo read and the memo-to-file write.

#include "platform/Platform.h"

#include <cstddef>
#include <string>

namespace qmel {

// How much text a memo holds. Generous for a directory; a larger settings
// file is refused before it is read.
inline constexpr std::size_t MemoCapacity = 1 << 20;

// True when name, matched ignoring ASCII case, is a regular file with a
// modification time in the years 1980 to 2107.
bool fileExistenceTest(Platform& platform, const std::string& name);

// A settings file's text as a memo holds it: up to the first NUL byte, line
// breaks made CR LF. Throws EFOpenError (with name as passed) or
// EInvalidOperation when the text does not fit a memo.
std::string readFileToMemoText(Platform& platform, const std::string& name);

// Replaces the file with exactly the text's bytes, keeping the name of an
// existing case variant. Throws EFCreateError (with fullName) or EWriteError.
void writeMemoTextToFile(Platform& platform, const std::string& fullName, const std::string& text);

}  // namespace qmel
