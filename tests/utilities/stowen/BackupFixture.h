// A simulated instrument with preset files on its drive, a PC folder to back up into, and the
// link connected to the instrument. Every message box must be expected through m_boxes.
#pragma once

#include "tests/utilities/support/InstrumentFixture.h"

namespace stowen::testing {

using utilities::testing::FilesUnder;
using utilities::testing::PresetBytes;
using utilities::testing::ReadWholeFile;
using utilities::testing::WriteWholeFile;

class BackupFixture : public utilities::testing::InstrumentFixture {
protected:
    // Puts a file on the instrument's drive ("CPU/PRESET/MSTATE.P00") and remembers it.
    void SeedFile(const std::string& path, const std::string& bytes) { SeedDriveFile(path, bytes); }
};

}  // namespace stowen::testing
