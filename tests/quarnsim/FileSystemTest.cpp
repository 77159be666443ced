#include <gtest/gtest.h>

#include <filesystem>

#include "quarnsim/FileSystem.h"

using quarnsim::FileSystem;
namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quarnsim-fs-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_base = pattern;
        fs::create_directories(m_base + "/root");
        fs::create_directories(m_base + "/outside");
        m_files = FileSystem(m_base + "/root");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_base, ignored);
    }

    std::string m_base;
    FileSystem m_files;
};

}  // namespace

TEST_F(FileSystemTest, InstrumentPathsMapIntoTheRoot) {
    std::string a, b, c;
    ASSERT_TRUE(m_files.Resolve("/F0:/CPU/PRESET/MSTATE.P01", &a));
    ASSERT_TRUE(m_files.Resolve("f0:/CPU//PRESET/MSTATE.P01", &b));
    ASSERT_TRUE(m_files.Resolve("CPU\\PRESET\\MSTATE.P01", &c));
    EXPECT_EQ(a, m_base + "/root/CPU/PRESET/MSTATE.P01");
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    // Names may hold ':' (listings escape it); only a leading "F0:" names the drive.
    ASSERT_TRUE(m_files.Resolve("/F0:/CPU/WIDE 16:9.PIC", &a));
    EXPECT_EQ(a, m_base + "/root/CPU/WIDE 16:9.PIC");
}

TEST_F(FileSystemTest, PathsLeavingTheRootAreRefused) {
    std::string host;
    for (const char* path : {"..", "../outside/x", "CPU/../../outside/x", "/F0:/..\\outside",
                             "CPU/./x", "CPU/a\nb", "CPU/a*"}) {
        EXPECT_FALSE(m_files.Resolve(path, &host)) << path;
        EXPECT_FALSE(m_files.WriteFile(path, "x")) << path;
    }
    fs::create_directory_symlink(m_base + "/outside", m_base + "/root/link");
    EXPECT_FALSE(m_files.WriteFile("link/x", "x"));
    EXPECT_FALSE(fs::exists(m_base + "/outside/x"));
    EXPECT_FALSE(FileSystem().WriteFile("CPU/x", "x"));  // no root, no files
}

TEST_F(FileSystemTest, WriteReadRemove) {
    ASSERT_TRUE(m_files.MakeDirectories("/F0:/Tavix/SIGNAL"));
    std::string binary("a\0b\r\n", 5);
    ASSERT_TRUE(m_files.WriteFile("Tavix/SIGNAL/T.SIG", binary));
    ASSERT_TRUE(m_files.WriteFile("Tavix/SIGNAL/T.SIG", binary + binary));
    std::string data;
    ASSERT_TRUE(m_files.ReadFile("Tavix/SIGNAL/T.SIG", &data));
    EXPECT_EQ(data, binary + binary);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_base + "/root/Tavix/SIGNAL"),
                            fs::directory_iterator()),
              1);  // no temporary left behind
    EXPECT_FALSE(m_files.WriteFile("Nowhere/x", "x"));
    EXPECT_FALSE(m_files.ReadFile("Tavix/SIGNAL", &data));
    EXPECT_TRUE(m_files.RemoveFile("Tavix/SIGNAL/T.SIG"));
    EXPECT_FALSE(m_files.Exists("Tavix/SIGNAL/T.SIG"));
    EXPECT_FALSE(m_files.RemoveFile("Tavix/SIGNAL"));
}
