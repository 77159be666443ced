// A simulated instrument, a backup folder on the PC to restore from, and the link connected
// to the instrument. Every message box must be expected through m_boxes.
#pragma once

#include "tests/utilities/support/InstrumentFixture.h"

namespace gorrel::testing {

using utilities::testing::FilesUnder;
using utilities::testing::PresetBytes;
using utilities::testing::ReadWholeFile;
using utilities::testing::WriteWholeFile;

class RestoreFixture : public utilities::testing::InstrumentFixture {
protected:
    // Puts a file into the backup folder ("CPU/PRESET/MSTATE.P00") and remembers it.
    void SeedFile(const std::string& path, const std::string& bytes) { SeedPcFile(path, bytes); }
};

}  // namespace gorrel::testing
