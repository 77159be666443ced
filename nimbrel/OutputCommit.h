// Replaces a set of files as one: each new file is first staged under a fresh name in its
// target's folder (renamed there, or copied and synced when it lies on another file system),
// and only when every one is staged are they moved over their targets. An old target is
// kept under a link until the set is complete, so a failure part way puts every old file back.
#pragma once

#include <string>
#include <vector>

namespace nimbrel {

class OutputCommit {
public:
    // source: an absolute path of a finished file; target: where it is to end up.
    void Add(const std::string& source, const std::string& target);
    // 1 when every target now holds its new file, 0 otherwise (errno tells why); on 0 every
    // target is as it was, nothing staged is left and every source is back under its name.
    // After 1, a source that had to be copied (another file system) is still there for its
    // owner to remove.
    int Commit();

private:
    struct Item {
        std::string source;
        std::string target;
        std::string staged;
        std::string backup;
        bool moved = false;
        bool committed = false;
    };
    bool Stage(Item& item);
    bool KeepOld(Item& item);
    void Rollback();

    std::vector<Item> m_items;
};

}  // namespace nimbrel
