// What a picture component file holds, found without trusting it: the format word, the sample
// layout and the number and size of its line records. A file that does not read cleanly to
// its end record is invalid and shows 0 samples and 0 lines.
#pragma once

#include <cstdint>
#include <string>

namespace nimbrel {

class CFileRecord;

struct PictureFileScan {
    // Why a file is invalid; each corrupt kind is told apart so tests and logs can say which.
    enum class Fault {
        None,
        CannotOpen,
        Truncated,        // a header or payload runs past the end of the file
        BadFormatRecord,  // 0x0032 whose length is not 2
        UnevenLines,      // a line record whose length differs from the first
        BadLineLength,    // a line that is not a whole number of sample pairs
        NoEndRecord,
    };

    Fault fault = Fault::CannotOpen;
    uint16_t formatWord = 0;
    bool standardDefinition = false;
    bool interlaced = true;
    bool twelveBit = false;
    int layout = 0;               // 0 4:2:2, 1 4:4:4, 2 single component, 5 G B R
    int bytesPerPosition = 4;     // 4 for two buffers, 6 for three
    int levelSet = 0;             // bits 11-13 of the word
    uint32_t samplesPerLine = 0;  // 0 when invalid
    uint32_t lines = 0;           // 0 when invalid

    bool Valid() const { return fault == Fault::None; }

    // Leaves the file positioned at its start when valid.
    static PictureFileScan Scan(CFileRecord& file);
    static PictureFileScan ScanPath(const std::string& path);
    // The state a format word stands for (old words below 256 hold only the signal code).
    void DeriveFromWord(uint16_t word);
};

}  // namespace nimbrel
