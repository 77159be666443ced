// What the simulator has found out about its drive, kept until anything under the root changes,
// so that a catalogue of thousands of files does not cost a look at every file, and a walk of
// the whole drive, at every listing. The kernel's change notices cover every writer alike: the
// simulator's commands, its FTP server and a test laying files out on the disk itself. A change
// is noted before the call that made it returns, so anything asked after it is found out afresh.
// Where a folder cannot be watched (no notice instance or watch left), nothing found there is
// kept and every question goes to the disk, as it did before anything was kept.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace quarnsim {

class DriveWatch {
public:
    explicit DriveWatch(std::string root);
    ~DriveWatch();
    DriveWatch(const DriveWatch&) = delete;
    DriveWatch& operator=(const DriveWatch&) = delete;

    // Bytes of the regular files under the root; links are not followed.
    uint64_t UsedBytes();

    // Before it reads a folder's entries, a look watches the folder with this; false when it
    // cannot, and then the look's answer is not kept.
    using Watcher = std::function<bool(const std::string& folder)>;

    // What `look` answers, kept under `key` until anything under the root changes. A look that
    // depends on more than the entries of the folders it watched (a link's target) clears
    // `keep`.
    template <typename Answer>
    Answer Remember(const std::string& key,
                    const std::function<Answer(const Watcher& watch, bool& keep)>& look) {
        std::lock_guard lock(m_mutex);
        Sync();
        if (auto kept = m_kept.find(key); kept != m_kept.end())
            return std::any_cast<const Answer&>(kept->second);
        bool keep = m_notices >= 0;
        Answer answer =
            look([&](const std::string& folder) { return keep = keep && Watch(folder); }, keep);
        if (keep)
            m_kept.emplace(key, answer);
        return answer;
    }

private:
    // Reads every notice waiting; any change forgets all that was kept.
    void Sync();
    void Forget();
    bool Watch(const std::string& folder);
    // Walks the drive, watching each folder before the walk reads it; false when a part was
    // not counted or not watched.
    bool Count(uint64_t* bytes);

    std::mutex m_mutex;
    const std::string m_root;
    int m_notices = -1;
    std::unordered_set<std::string> m_watched;
    std::unordered_map<std::string, std::any> m_kept;
    bool m_counted = false;
    uint64_t m_bytes = 0;
};

}  // namespace quarnsim
