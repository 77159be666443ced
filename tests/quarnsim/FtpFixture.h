#pragma once

#include <memory>
#include <string>

#include "FtpTestSupport.h"
#include "SimulatorFixture.h"

// A simulator with its FTP server and a control connection to it (not yet logged in).
class FtpFixture : public SimulatorFixture {
protected:
    void TearDown() override;

    void StartWithFtp(quarnsim::Options options);
    void StartWithFtp() { StartWithFtp(MakeOptions()); }
    const std::string& Address() const { return m_sim->GetOptions().address; }

    // One reply line without its CR LF; "<no reply>" when none came.
    static std::string Next(TestClient& control);
    static std::string Ask(TestClient& control, const std::string& command);
    void LogIn(TestClient& control);

    // A second simulator on another address, with a tree of its own.
    std::unique_ptr<quarnsim::Simulator> StartOther(std::string* root);

    void Write(const std::string& relative, const std::string& data) const;
    std::string Read(const std::string& relative) const;
    static std::string Pattern(size_t size);

    TestClient m_ftp;
    std::string m_otherRoot;
};
