#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/Catalog.h"

namespace quarnsim {

// The instrument's drive "/F0:/", kept in a real folder so tests can seed and inspect files.
// Every path the instrument is handed goes through Resolve, which keeps it inside the root.
class FileSystem {
public:
    explicit FileSystem(std::string root = {});

    bool Enabled() const { return !m_root.empty(); }
    const std::string& Root() const { return m_root; }

    // "/F0:/CPU/PRESET/MSTATE.P01", "F0:/CPU", "CPU\\PRESET" ... -> host path. Returns 0 for a
    // path that would leave the root or holds a name no instrument file can have.
    int Resolve(std::string_view instrumentPath, std::string* hostPath) const;

    int MakeDirectories(std::string_view instrumentPath);
    // Writes through a temporary file and a rename, so a failed write leaves the old file whole.
    int WriteFile(std::string_view instrumentPath, std::string_view data);
    int ReadFile(std::string_view instrumentPath, std::string* data) const;
    int RemoveFile(std::string_view instrumentPath);
    bool Exists(std::string_view instrumentPath) const;
    bool IsFolder(std::string_view instrumentPath) const;

    // Folders first, then files, each sorted by name. Links are left out: they could lead out
    // of the root. Returns 0 when the path is no folder.
    int List(std::string_view instrumentPath, std::vector<CatalogEntry>* entries) const;
    // Bytes of all files under the root, counted now: for decisions such as whether a file
    // still fits.
    uint64_t UsedBytes() const;
    // The same figure for a listing to show. Counting walks the whole drive, which a catalogue
    // of thousands of files would pay at every listing, so the count is kept until anything
    // may have changed the drive (NoteChange) and for kListedBytesAge at most, so that files a
    // test lays out on the disk itself show within that time.
    uint64_t ListedUsedBytes() const;
    static constexpr std::chrono::milliseconds kListedBytesAge{250};
    // Something other than this class's own writes may have changed the drive.
    void NoteChange() const { m_listed->generation.fetch_add(1); }

private:
    struct ListedBytes {
        std::atomic<uint64_t> generation{0};
        std::mutex mutex;
        uint64_t bytes = 0;
        uint64_t countedGeneration = 0;
        std::chrono::steady_clock::time_point countedAt{};
        bool valid = false;
    };

    std::string m_root;
    // Shared by copies, which stand for the same drive.
    std::shared_ptr<ListedBytes> m_listed = std::make_shared<ListedBytes>();
};

}  // namespace quarnsim
