// A picture file as Nimbrel's preview reads it: any bytes must end as a clear "invalid" or a
// set of lines that all read back, never as a read past the data.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "nimbrel/CBitmapMakeMng.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        char name[] = "/tmp/picture_record_fuzz.XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0) {
            close(fd);
        }
        return std::string(name);
    }();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    nimbrel::CBitmapMakeMng reader(path, "/nonexistent/Nimbrel.ini");
    if (reader.Scan().Valid() &&
        static_cast<uint64_t>(reader.SamplesPerLine()) * reader.Lines() > size) {
        __builtin_trap();
    }
    std::vector<nimbrel::Bgr> row;
    for (uint32_t line = 0; line < reader.Lines(); ++line) {
        if (!reader.ReadLine(line, row) || row.size() != reader.SamplesPerLine()) {
            __builtin_trap();
        }
    }
    if (reader.ReadLine(reader.Lines(), row)) {
        __builtin_trap();
    }
    return 0;
}
