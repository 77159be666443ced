#include "LinkFixture.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "tests/support/LoopbackSimulator.h"

namespace utilities::testing {

void LinkFixture::SetUp() {
    ASSERT_TRUE(m_drive.isValid());
    ASSERT_TRUE(m_pc.isValid());
    m_previousRecorder =
        SetBeepRecorderForTests([this](platform::UINT type) { m_beeps.push_back(type); });
}

void LinkFixture::TearDown() {
    m_link.Disconnect();
    if (m_sim)
        m_sim->Stop();
    SetBeepRecorderForTests(std::move(m_previousRecorder));
}

bool LinkFixture::StartSimulator() {
    quarnsim::Options options;
    options.root = m_drive.path().toStdString();
    options.ftpEnabled = false;
    options.replyTerminator = "\r\n";
    options.modules = {{"Tavix", 1}, {"Sormet", 3}};
    m_sim = testsupport::StartLoopbackSimulator(options, m_address);
    EXPECT_TRUE(m_sim != nullptr);
    return m_sim != nullptr;
}

void LinkFixture::ConnectLink() {
    ASSERT_TRUE(StartSimulator());
    ASSERT_EQ(m_link.Connect(m_address), 1);
}

std::string LinkFixture::DrivePath(const std::string& relative) const {
    return m_drive.path().toStdString() + "/" + relative;
}

std::string LinkFixture::PcPath(const std::string& name) const {
    return m_pc.path().toStdString() + "/" + name;
}

void LinkFixture::WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string LinkFixture::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool LinkFixture::Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string LinkFixture::Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    return bytes;
}

}  // namespace utilities::testing
