#include "SimulatorFixture.h"

#include <filesystem>
#include <functional>

void SimulatorFixture::SetUp() {
    char pattern[] = "/tmp/quarnsim-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    m_root = pattern;
}

void SimulatorFixture::TearDown() {
    m_client.Close();
    if (m_sim)
        m_sim->Stop();
    m_sim.reset();
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

quarnsim::Options SimulatorFixture::MakeOptions() const {
    quarnsim::Options options;
    options.root = m_root;
    options.modules = {{"Tavix", 1}, {"Kintor", 3}};
    return options;
}

void SimulatorFixture::StartSimulator(quarnsim::Options options) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    size_t seed =
        std::hash<std::string>{}(std::string(info->test_suite_name()) + "." + info->name());
    std::string lastError;
    for (size_t attempt = 0; attempt < 64; ++attempt) {
        size_t index = (seed + attempt) % (3 * 254);
        options.address =
            "127.0." + std::to_string(77 + index / 254) + "." + std::to_string(1 + index % 254);
        m_sim = std::make_unique<quarnsim::Simulator>(options);
        if (m_sim->Start(&lastError)) {
            ConnectClient(m_client);
            return;
        }
    }
    m_sim.reset();
    FAIL() << "no free loopback address: " << lastError;
}

void SimulatorFixture::ConnectClient(TestClient& client) {
    ASSERT_TRUE(client.Connect(m_sim->GetOptions().address, m_sim->CommandPort()));
}
