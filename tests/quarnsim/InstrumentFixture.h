#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "quarnsim/Instrument.h"

// An instrument driven line by line, without a server, whose drive is a fresh temporary
// folder that goes with the test.
class InstrumentFixture : public ::testing::Test {
protected:
    explicit InstrumentFixture(std::vector<quarnsim::ModuleSpec> modules)
        : m_modules(std::move(modules)) {}

    void SetUp() override {
        char pattern[] = "/tmp/quarnsim-drive-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_root = pattern;
    }
    void TearDown() override {
        m_instrument.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // The drive and the modules; a test may change them before calling Start.
    quarnsim::Options MakeOptions() const {
        quarnsim::Options options;
        options.root = m_root;
        options.modules = m_modules;
        return options;
    }
    void Start(quarnsim::Options options) {
        m_instrument = std::make_unique<quarnsim::Instrument>(std::move(options));
        std::string error;
        ASSERT_TRUE(m_instrument->Initialize(&error)) << error;
    }
    void Start() { Start(MakeOptions()); }

    // The reply to `line`; none when the line has no query.
    std::optional<std::string> Run(const std::string& line) {
        std::string reply;
        if (!m_instrument->ProcessLine(m_session, line, &reply))
            return std::nullopt;
        return reply;
    }
    std::string NextError() { return Run("SYST:ERR?").value_or("<none>"); }

    // Files of the drive, by their path below its folder.
    void Write(const std::string& relative, const std::string& data) const {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << data;
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(Path(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(Path(relative));
    }
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

    const std::vector<quarnsim::ModuleSpec> m_modules;
    std::string m_root;
    std::unique_ptr<quarnsim::Instrument> m_instrument;
    quarnsim::Session m_session;
};
