#include "FtpFixture.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

void FtpFixture::TearDown() {
    m_ftp.Close();
    SimulatorFixture::TearDown();
    if (!m_otherRoot.empty()) {
        std::error_code ignored;
        fs::remove_all(m_otherRoot, ignored);
    }
}

void FtpFixture::StartWithFtp(quarnsim::Options options) {
    StartSimulator(std::move(options));
    ASSERT_TRUE(m_sim);
    ASSERT_EQ(m_sim->FtpPort(), 21);
    ASSERT_TRUE(m_ftp.Connect(Address(), m_sim->FtpPort()));
    ASSERT_EQ(Next(m_ftp), "220 Quarn FTP server ready.");
}

std::string FtpFixture::Next(TestClient& control) {
    std::string line;
    if (!control.ReadLine(&line))
        return "<no reply>";
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string FtpFixture::Ask(TestClient& control, const std::string& command) {
    if (!control.SendLine(command))
        return "<no reply>";
    return Next(control);
}

void FtpFixture::LogIn(TestClient& control) {
    std::string reply;
    ASSERT_TRUE(ftptest::Login(control, &reply)) << reply;
}

std::unique_ptr<quarnsim::Simulator> FtpFixture::StartOther(std::string* root) {
    char pattern[] = "/tmp/quarnsim-other-XXXXXX";
    if (!::mkdtemp(pattern))
        return nullptr;
    m_otherRoot = pattern;
    *root = m_otherRoot;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    size_t seed =
        std::hash<std::string>{}(std::string(info->test_suite_name()) + "." + info->name());
    quarnsim::Options options;
    options.root = m_otherRoot;
    options.modules = {{"Tavix", 2}};
    for (size_t attempt = 0; attempt < 64; ++attempt) {
        size_t index = (seed + attempt) % (3 * 254);
        options.address =
            "127.0." + std::to_string(80 + index / 254) + "." + std::to_string(1 + index % 254);
        auto other = std::make_unique<quarnsim::Simulator>(options);
        if (other->Start())
            return other;
    }
    return nullptr;
}

void FtpFixture::Write(const std::string& relative, const std::string& data) const {
    fs::create_directories(fs::path(m_root + "/" + relative).parent_path());
    std::ofstream(m_root + "/" + relative, std::ios::binary) << data;
}

std::string FtpFixture::Read(const std::string& relative) const {
    std::ifstream in(m_root + "/" + relative, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    return data.str();
}

std::string FtpFixture::Pattern(size_t size) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 13 + i / 199) & 0xff);
    return data;
}
