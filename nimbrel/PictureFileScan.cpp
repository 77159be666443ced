#include "nimbrel/PictureFileScan.h"

#include <unistd.h>

#include "nimbrel/CFileRecord.h"

namespace nimbrel {

namespace {

// Skips a payload only when the file really holds it; seeking past the end would succeed and
// hide a truncated file.
bool SkipPayload(CFileRecord& file, uint32_t length) {
    const int64_t here = file.Tell();
    if (here < 0 || static_cast<uint64_t>(here) + length > file.FileSize()) {
        return false;
    }
    return file.Seek(length, SEEK_CUR) >= 0;
}

}  // namespace

void PictureFileScan::DeriveFromWord(uint16_t word) {
    formatWord = word;
    if (word < 256) {
        standardDefinition = word == 16;
        interlaced = !(word == 1 || word == 3 || word == 4 || word == 6 || word == 8 || word == 9);
        twelveBit = false;
        levelSet = 0;
        layout = 0;
    } else {
        standardDefinition = (word & 0x8000) != 0;
        interlaced = (word & 0x4000) == 0;
        levelSet = (word >> 11) & 7;
        twelveBit = levelSet != 0;
        layout = ((word & 0x0400) ? 1 : 0) + ((word & 0x0200) ? 4 : 0);
        if (layout == 4) {
            layout = 2;
        }
    }
    bytesPerPosition = (layout == 1 || layout == 5) ? 6 : 4;
}

PictureFileScan PictureFileScan::ScanPath(const std::string& path) {
    CFileRecord file(false, path, CFileRecord::Mode::Read);
    return Scan(file);
}

PictureFileScan PictureFileScan::Scan(CFileRecord& file) {
    PictureFileScan scan;
    if (!file.IsOpen()) {
        return scan;
    }
    uint16_t id = 0;
    uint32_t length = 0;
    uint16_t word = 0;
    for (;;) {
        if (file.ReadRecordHeader(id, length) != 0) {
            scan.fault = Fault::Truncated;
            return scan;
        }
        if (id == kRecordFormat) {
            unsigned char bytes[2];
            if (length != 2) {
                scan.fault = Fault::BadFormatRecord;
                return scan;
            }
            if (!file.ReadAll(bytes, 2)) {
                scan.fault = Fault::Truncated;
                return scan;
            }
            word = ReadBig16(bytes);
            break;
        }
        if (id == kRecordEnd) {
            break;
        }
        if (!SkipPayload(file, length)) {
            scan.fault = Fault::Truncated;
            return scan;
        }
    }
    scan.DeriveFromWord(word);

    if (file.Seek(0, SEEK_SET) != 0) {
        scan.fault = Fault::Truncated;
        return scan;
    }
    uint32_t samples = 0;
    uint32_t lines = 0;
    const uint32_t perPosition = static_cast<uint32_t>(scan.bytesPerPosition);
    for (;;) {
        if (file.ReadRecordHeader(id, length) != 0) {
            scan.fault = Fault::NoEndRecord;
            return scan;
        }
        if (id == kRecordEnd) {
            break;
        }
        if (id == kRecordLine) {
            if (lines == 0) {
                // A line must be whole sample positions, and the preview converts them in pairs:
                // a remainder or an odd count would make it read past the payload.
                if (length == 0 || length % perPosition != 0 || (length / perPosition) % 2 != 0) {
                    scan.fault = Fault::BadLineLength;
                    return scan;
                }
                samples = length / perPosition;
            } else if (length != samples * perPosition) {
                scan.fault = Fault::UnevenLines;
                return scan;
            }
            ++lines;
        }
        if (!SkipPayload(file, length)) {
            scan.fault = Fault::Truncated;
            return scan;
        }
    }
    if (file.Seek(0, SEEK_SET) != 0) {
        scan.fault = Fault::Truncated;
        return scan;
    }
    scan.fault = Fault::None;
    scan.samplesPerLine = samples;
    scan.lines = lines;
    return scan;
}

}  // namespace nimbrel
