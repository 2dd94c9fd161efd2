#pragma once

// The benchmark's data: real directories made once in $TMPDIR (or /tmp) and
// removed with everything in them when the tree goes.

#include <string>

namespace qmel::bench {

class BenchTree {
public:
    BenchTree();
    ~BenchTree();
    BenchTree(const BenchTree&) = delete;
    BenchTree& operator=(const BenchTree&) = delete;

    const std::string& root() const { return root_; }
    // root() + "/" + name, made empty.
    std::string makeDirectory(const std::string& name) const;

private:
    std::string root_;
};

// ROM-like names in no particular order; every matchEvery-th one ends in an
// extension of the default mask, in mixed letter case, the others do not.
void makeRomFiles(const std::string& directory, int count, int matchEvery);
// Subdirectories with ROM-collection-like names.
void makeSubdirectories(const std::string& directory, int count);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace qmel::bench
