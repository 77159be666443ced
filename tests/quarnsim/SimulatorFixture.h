#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestClient.h"
#include "quarnsim/Simulator.h"

// Starts a simulator on a loopback address of its own (127.0.77.1 - 127.0.79.254), so tests run
// in parallel on the instrument's real port. The address comes from the test's name; when it is
// taken, the next one is tried.
class SimulatorFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Options to start with; a test may change them before calling StartSimulator.
    quarnsim::Options MakeOptions() const;
    void StartSimulator(quarnsim::Options options);
    void StartSimulator() { StartSimulator(MakeOptions()); }
    void ConnectClient(TestClient& client);

    std::string m_root;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    TestClient m_client;
};
