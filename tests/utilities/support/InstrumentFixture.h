// A simulated instrument with its drive in a folder of its own, a PC folder beside it, and the
// link connected to the instrument: what the backup and the restore tests start from. Every
// message box must be expected through m_boxes.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "quarnsim/Simulator.h"
#include "tests/support/BoxScript.h"
#include "utilities/common/QuarnComm.h"

namespace utilities::testing {

// Reads a whole file; "<missing>" when it does not open.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// Every file under folder, as "relative/path", sorted.
std::vector<std::string> FilesUnder(const std::string& folder);
// Bytes no text transfer would survive: NUL, CR LF, '#', '"' and high bytes.
std::string PresetBytes(size_t size, int seed);

class InstrumentFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the simulator with these modules; its drive is m_drive. `emptyCatalogComma`: an
    // empty folder is listed as "<used>,<free>," rather than "<used>,<free>".
    void StartInstrument(std::vector<quarnsim::ModuleSpec> modules, bool emptyCatalogComma = false);
    // Puts a file on the instrument's drive ("CPU/PRESET/MSTATE.P00") and remembers it.
    void SeedDriveFile(const std::string& path, const std::string& bytes);
    // Puts a file into the PC folder ("CPU/PRESET/MSTATE.P00") and remembers it.
    void SeedPcFile(const std::string& path, const std::string& bytes);
    void ConnectLink();
    std::string PcFolder() const { return m_pc.path().toStdString() + "/backup"; }
    std::string Pc(const std::string& relative) const { return PcFolder() + "/" + relative; }
    std::string DrivePath(const std::string& relative) const {
        return m_drive.path().toStdString() + "/" + relative;
    }
    std::string DriveFile(const std::string& relative) const {
        return ReadWholeFile(DrivePath(relative));
    }
    std::vector<std::string> SentLines() const;

    QTemporaryDir m_drive;
    QTemporaryDir m_pc;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    std::string m_address;
    // What was seeded, by relative path.
    std::map<std::string, std::string> m_seeded;
    utilities::CQuarnComm m_link;
    testsupport::BoxScript m_boxes;
};

}  // namespace utilities::testing
