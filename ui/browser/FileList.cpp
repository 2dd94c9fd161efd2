#include "ui/browser/FileList.h"

#include "core/Errors.h"
#include "platform/WildcardMatch.h"
#include "ui/browser/NameOrder.h"

#include <string_view>

namespace qmel {

namespace {

// One pattern of the mask. "*" and a literal tail ("*.gb") is by far the
// common case: comparing the tail gives what wildcardMatch would, without
// trying every position of the name.
class MaskPiece {
public:
    explicit MaskPiece(std::string_view pattern)
        : pattern_(pattern),
          literalTail_(pattern.starts_with('*') && pattern.find_first_of("*?", 1) == std::string_view::npos)
    {
    }

    bool matches(std::string_view name) const
    {
        if (!literalTail_)
            return wildcardMatch(pattern_, name);
        const std::string_view tail = pattern_.substr(1);
        return name.size() >= tail.size() && equalIgnoringCase(name.substr(name.size() - tail.size()), tail);
    }

private:
    std::string_view pattern_;
    bool literalTail_;
};

std::vector<MaskPiece> maskPieces(std::string_view mask)
{
    std::vector<MaskPiece> pieces;
    std::size_t start = 0;
    while (true) {
        const auto semicolon = mask.find(';', start);
        const auto piece = mask.substr(start, semicolon == std::string_view::npos ? mask.npos : semicolon - start);
        if (!piece.empty())
            pieces.emplace_back(piece);
        if (semicolon == std::string_view::npos)
            return pieces;
        start = semicolon + 1;
    }
}

bool isListedFile(const DirectoryEntry& entry)
{
    return !entry.directory && !entry.hidden && !entry.system;
}

}  // namespace

FileList::FileList(Platform& platform, FileEdit& fileEdit)
    : platform_(platform), fileEdit_(fileEdit), directory_(platform.currentDirectory())
{
}

void FileList::setMask(std::string mask)
{
    mask_ = std::move(mask);
    refresh();
}

void FileList::createWindow(std::optional<DirectoryListing> listing)
{
    windowCreated_ = true;
    refreshFrom(std::move(listing));
}

bool FileList::isSameDirectory(const std::string& directory)
{
    if (directory == directory_)
        return true;
    // Letter case counts on a case-sensitive volume: /roms/GB and /roms/gb
    // are two directories there.
    return equalIgnoringCase(directory, directory_) && !platform_.caseFlags(directory).caseSensitive;
}

void FileList::directoryChange(const std::string& directory, std::optional<DirectoryListing> listing)
{
    if (isSameDirectory(directory))
        return;
    if (const int error = platform_.changeDirectory(directory); error != 0)
        throw EInOutError(errorCodeForUser(error));
    directory_ = platform_.currentDirectory();
    refreshFrom(std::move(listing));
}

void FileList::refresh()
{
    refreshFrom(std::nullopt);
}

void FileList::refreshFrom(std::optional<DirectoryListing> listing)
{
    if (!windowCreated_)
        return;
    if (const int error = platform_.changeDirectory(directory_); error != 0)
        throw EInOutError(errorCodeForUser(error));

    notify(observers_.rowsAboutToChange);
    rows_.clear();
    selectedRow_.reset();
    std::vector<DirectoryEntry> entries;
    // One read per refresh, whatever the number of patterns, none when the
    // directory list has just read the directory; an unreadable directory
    // lists nothing.
    if (listing && listing->directory == directory_)
        entries = std::move(listing->entries);
    else
        platform_.listDirectory(directory_, entries);
    const std::vector<MaskPiece> pieces = maskPieces(mask_);
    for (auto& entry : entries) {
        if (!isListedFile(entry))
            continue;
        // A name gets a row for every pattern it matches; the sort puts the
        // rows in their places, so the order they are added in does not count.
        std::size_t matches = 0;
        for (const MaskPiece& piece : pieces)
            matches += piece.matches(entry.name);
        for (std::size_t i = 1; i < matches; ++i)
            rows_.push_back(entry.name);
        if (matches > 0)
            rows_.push_back(std::move(entry.name));
    }
    sortIgnoringCase(rows_);
    notify(observers_.rowsChanged);
    notify(observers_.selectionChanged);
    reportSelection();
}

void FileList::select(std::size_t index)
{
    if (index >= rows_.size())
        return;
    if (selectedRow_ != index) {
        selectedRow_ = index;
        notify(observers_.selectionChanged);
    }
    if (lastReportedRow_ != index)
        reportSelection();
}

void FileList::doubleClick(std::size_t index)
{
    if (index >= rows_.size())
        return;
    select(index);
    notify(onDoubleClick_);
}

void FileList::reportSelection()
{
    lastReportedRow_ = selectedRow_;
    fileEdit_.setFileEditText(selectedRow_ ? rows_[*selectedRow_] : mask_);
}

}  // namespace qmel
