// backup.cfg as any file in a folder picked for a restore could read.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "utilities/common/ModuleCatalog.h"
#include "utilities/gorrel/RestoreInfo.h"

namespace {
// Plain bytes, not a std::string: the exit handler runs after static objects are gone.
char g_folder[64];
char g_file[80];

void RemoveFolder() {
    std::remove(g_file);
    rmdir(g_folder);
}

const char* Folder() {
    if (g_folder[0] == '\0') {
        // Memory-backed when the machine has it: the target writes a file per input.
        std::snprintf(g_folder, sizeof g_folder, "/dev/shm/backup-cfg-fuzz-XXXXXX");
        if (mkdtemp(g_folder) == nullptr) {
            std::snprintf(g_folder, sizeof g_folder, "/tmp/backup-cfg-fuzz-XXXXXX");
            if (mkdtemp(g_folder) == nullptr)
                std::abort();
        }
        std::snprintf(g_file, sizeof g_file, "%s/backup.cfg", g_folder);
        std::atexit(RemoveFolder);
    }
    return g_folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = gorrel::CRestoreInfo::FilePath(Folder());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::string bytes(reinterpret_cast<const char*>(data), size);

    gorrel::CRestoreInfo info;
    gorrel::CRestoreInfo::ReadResult result = info.Read(Folder());
    if (size == 0) {
        if (result != gorrel::CRestoreInfo::ReadResult::kEmpty)
            __builtin_trap();
        return 0;
    }
    if (result != gorrel::CRestoreInfo::ReadResult::kRead)
        __builtin_trap();
    const size_t kept =
        size < gorrel::CRestoreInfo::kMaxBytes ? size : gorrel::CRestoreInfo::kMaxBytes;
    if (info.Text() != bytes.substr(0, kept))
        __builtin_trap();
    // Only a file within the limit matches, and then only its own bytes.
    if (info.Matches(bytes) != (size <= gorrel::CRestoreInfo::kMaxBytes))
        __builtin_trap();
    if (info.Matches(bytes + "x"))
        __builtin_trap();
    utilities::CModuleCatalog(info.Text()).SlotModels();
    return 0;
}
