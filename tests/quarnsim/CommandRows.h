#pragma once

#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "TestClient.h"

// Table rows for a module's command set: one line as a client sends it, what it answers (null
// for a line without queries) and what "SYST:ERR?" says after it.
struct CommandRow {
    std::string line;
    const char* reply;
    const char* error;
};

inline const char* const kNoError = "0,\"No error\"";
inline const char* const kOutOfRangeError = "-222,\"Data out of range\"";
inline const char* const kIllegalValueError = "-224,\"Illegal parameter value\"";
inline const char* const kDataTypeError = "-104,\"Data type error\"";
inline const char* const kSuffixError = "-114,\"Header suffix out of range\"";
inline const char* const kUndefinedHeaderError = "-113,\"Undefined header\"";

// Runs the rows in order and returns the whole exchange and what it should have been, so one
// comparison shows each line with what came back.
inline void RunCommandRows(TestClient& client, const std::vector<CommandRow>& rows,
                           std::vector<std::string>* expected, std::vector<std::string>* actual) {
    for (const CommandRow& row : rows) {
        std::string reply;
        std::string error;
        if (row.reply) {
            reply = client.Query(row.line);
            error = client.Query("SYST:ERR?");
        } else {
            error = client.Query(row.line + "\r\nSYST:ERR?");
        }
        expected->push_back(row.line + " -> " + (row.reply ? row.reply : "") + " | " + row.error);
        actual->push_back(row.line + " -> " + reply + " | " + error);
    }
}

// A simulator holding the modules a model's tests need, and a client that runs rows against it.
class ModuleRowsTest : public SimulatorFixture {
protected:
    explicit ModuleRowsTest(std::vector<quarnsim::ModuleSpec> modules)
        : m_modules(std::move(modules)) {}

    void SetUp() override {
        SimulatorFixture::SetUp();
        quarnsim::Options options = MakeOptions();
        options.modules = m_modules;
        StartSimulator(options);
        ASSERT_NE(m_sim, nullptr);
    }

    void Expect(const std::vector<CommandRow>& rows) {
        std::vector<std::string> expected;
        std::vector<std::string> actual;
        RunCommandRows(m_client, rows, &expected, &actual);
        EXPECT_EQ(actual, expected);
    }

private:
    std::vector<quarnsim::ModuleSpec> m_modules;
};
