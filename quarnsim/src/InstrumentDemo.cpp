// Demo files, so the file utility has something to show on a fresh drive. The MSTATE preset
// files come from the demo presets themselves, in the form the preset store reads back.
#include <cstdint>

#include "quarnsim/Instrument.h"

namespace quarnsim {
namespace {

struct DemoFile {
    const char* folder;  // under the model's folder
    const char* name;
    size_t size;
};

// Names with '-', ':' and blanks show the listing's escapes; sizes from a few bytes to more
// than one 32 KiB transfer chunk show the copy progress.
const DemoFile kModelFiles[] = {
    {"SIGNAL", "BARS-100.CMP", 48000},   {"SIGNAL", "Ramp Y.CMP", 12345},
    {"SIGNAL", "MULTIBURST.DNL", 70000}, {"SIGNAL", "TONE SWEEP.SEQ", 2048},
    {"PICTURE", "TESTCARD.PIC", 150000}, {"PICTURE", "Zone Plate.PIC", 65536},
    {"PICTURE", "WIDE 16:9.PIC", 40000}, {"LOGO", "HARNOQ.LGO", 8192},
    {"LOGO", "STATION-ID.LGO", 3000},    {"PRESET", "STUDIO-A.PST", 512},
    {"PRESET", "LINE UP.PST", 600},
};

const DemoFile kControllerFiles[] = {
    {"", "UPDATE.DNL", 100000},
    {"", "README.TXT", 300},
};

// Reproducible bytes that are not all alike, so a copy that shifts or drops bytes shows.
std::string DemoBytes(const std::string& name, size_t size) {
    uint32_t state = 2166136261u;
    for (char c : name) state = (state ^ static_cast<unsigned char>(c)) * 16777619u;
    std::string data(size, '\0');
    for (char& c : data) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return data;
}

}  // namespace

void Instrument::SeedDemoFiles() {
    auto seed = [this](const std::string& folder, const DemoFile& file) {
        std::string path =
            folder + (*file.folder ? "/" + std::string(file.folder) : "") + "/" + file.name;
        if (m_files.Exists(path))
            return;  // a file the operator changed or a preset stored stays as it is
        m_files.MakeDirectories(path.substr(0, path.find_last_of('/')));
        m_files.WriteFile(path, DemoBytes(file.name, file.size));
    };
    for (const DemoFile& file : kControllerFiles) seed("CPU", file);
    for (const ModuleSpec& module : m_options.modules) {
        for (const DemoFile& file : kModelFiles) seed(module.model, file);
        // The model's own files, such as a video generator's signal tree.
        ModelTable table = ModelTable::ForModel(module.model);
        for (const std::string& path : table.Behaviour().DemoFilePaths()) {
            if (path.back() == '/') {
                m_files.MakeDirectories(module.model + "/" + path);  // an empty level stays
                continue;
            }
            size_t slash = path.find_last_of('/');
            std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
            std::string name = path.substr(slash + 1);
            seed(module.model, {folder.c_str(), name.c_str(), 2048 + name.size() * 97});
        }
    }
}

}  // namespace quarnsim
