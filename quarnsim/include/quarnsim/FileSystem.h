#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quarnsim/Catalog.h"

namespace quarnsim {

class DriveWatch;

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
    // Bytes of all files under the root, links left out: what listings show and what decides
    // whether a file still fits.
    uint64_t UsedBytes() const;

private:
    using Watcher = std::function<bool(const std::string& folder)>;
    // Resolve and its kind of entry as found on the disk now, each folder looked at watched.
    int Resolve(std::string_view instrumentPath, std::string* hostPath, const Watcher& watch,
                bool& keep) const;
    int Look(std::string_view instrumentPath) const;
    static int ListFolder(const std::string& host, std::vector<CatalogEntry>* entries);

    std::string m_root;
    // What is known of the drive, shared by copies, which stand for the same drive.
    std::shared_ptr<DriveWatch> m_watch;
};

}  // namespace quarnsim
