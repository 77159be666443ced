#include "tests/utilities/support/InstrumentFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/LoopbackSimulator.h"

namespace utilities::testing {

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FilesUnder(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file())
            files.push_back(fs::relative(it->path(), folder).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string PresetBytes(size_t size, int seed) {
    static const char kSpecial[] = {'\0', '\r', '\n', '#', '"', ';', '\xff', '\x80'};
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = i % 7 == 3 ? kSpecial[(i / 7 + seed) % sizeof kSpecial]
                              : static_cast<char>('A' + (i * 31 + seed) % 26);
    }
    return bytes;
}

void InstrumentFixture::TearDown() {
    m_link.Disconnect();
    if (m_sim)
        m_sim->Stop();
}

void InstrumentFixture::StartInstrument(std::vector<quarnsim::ModuleSpec> modules,
                                        bool emptyCatalogComma) {
    ASSERT_TRUE(m_drive.isValid());
    ASSERT_TRUE(m_pc.isValid());
    quarnsim::Options options;
    options.root = m_drive.path().toStdString();
    options.modules = std::move(modules);
    options.emptyCatalogComma = emptyCatalogComma;
    m_sim = testsupport::StartLoopbackSimulator(options, m_address);
    ASSERT_NE(m_sim, nullptr);
}

void InstrumentFixture::SeedDriveFile(const std::string& path, const std::string& bytes) {
    WriteWholeFile(DrivePath(path), bytes);
    m_seeded[path] = bytes;
}

void InstrumentFixture::SeedPcFile(const std::string& path, const std::string& bytes) {
    WriteWholeFile(Pc(path), bytes);
    m_seeded[path] = bytes;
}

void InstrumentFixture::ConnectLink() {
    ASSERT_EQ(m_link.Connect(m_address), 1);
    m_sim->ClearLog();
}

std::vector<std::string> InstrumentFixture::SentLines() const {
    return m_sim->ReceivedLines();
}

}  // namespace utilities::testing
