// The utilities' link against a simulated instrument on a loopback address of its own, with
// every box and beep recorded.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "quarnsim/Simulator.h"
#include "tests/support/BoxScript.h"
#include "utilities/common/QuarnComm.h"
#include "utilities/common/UtilityBeep.h"

namespace utilities::testing {

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the simulator with its drive in m_drive; false (and a test failure) otherwise.
    bool StartSimulator();
    void ConnectLink();

    std::string DrivePath(const std::string& relative) const;
    std::string PcPath(const std::string& name) const;
    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);
    // Bytes that are not all alike, so a shifted copy shows.
    static std::string Pattern(std::size_t size);

    QTemporaryDir m_drive;
    QTemporaryDir m_pc;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    std::string m_address;
    CQuarnComm m_link;
    testsupport::BoxScript m_boxes;
    std::vector<platform::UINT> m_beeps;

private:
    BeepRecorder m_previousRecorder;
};

}  // namespace utilities::testing
