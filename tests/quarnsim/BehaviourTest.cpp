#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SimulatorFixture.h"
#include "quarnsim/ErrorQueue.h"
#include "quarnsim/FileSystem.h"
#include "quarnsim/HeaderTree.h"
#include "quarnsim/ModelTable.h"

using namespace quarnsim;

namespace {

const char* const kNoError = "0,\"No error\"";

// Integers take 1 to 9, choices "ON" alone.
ParameterDef Parameter(const char* header, ParameterKind kind, const char* defaultValue) {
    ParameterDef parameter;
    parameter.header = header;
    parameter.kind = kind;
    parameter.minimum = 1;
    parameter.maximum = 9;
    parameter.choices = {{"ON", "ON"}};
    parameter.defaultValue = defaultValue;
    return parameter;
}

int LinesOf(const ModuleState& module, int output) {
    return module.Value("OUTP" + std::to_string(output) + ":STAN") == "NTSC" ? 525 : 625;
}

// A video-like model that needs every part of the behaviour: the line range follows the output's
// standard, a change of standard pulls the line back into range, the logo is chosen with a
// command of its own among the files of the model's folder, and the logo catalogue is a list.
ModelTable BehaviourModel() {
    ModelTable table("Testa");
    ParameterDef standard;
    standard.header = "OUTPut#{1-2}:STANdard";
    standard.kind = ParameterKind::Choice;
    standard.defaultValue = "PAL";
    standard.choices = {{"PAL", "PAL"}, {"NTSC", "NTSC"}};
    table.Add(standard);
    ParameterDef line;
    line.header = "OUTPut#{1-2}:POSition:LINE";
    line.minimum = 1;
    line.maximum = 625;
    line.defaultValue = "23";
    table.Add(line);
    ParameterDef logo;
    logo.header = "OUTPut#{1-2}:LOGO:SELect";
    logo.kind = ParameterKind::Text;
    logo.settable = false;  // set through the handler below
    table.Add(logo);

    ModelBehaviour& behaviour = table.Behaviour();
    behaviour.Limits("OUTPut#{1-2}:POSition:LINE",
                     [](const ModuleState& module, const std::vector<int>& suffixes) {
                         return ParameterLimits{1, double(LinesOf(module, suffixes[0])), {}};
                     });
    behaviour.OnSet("OUTPut#{1-2}:STANdard",
                    [](ModuleState& module, const std::vector<int>& suffixes, const std::string&) {
                        std::string line = "OUTP" + std::to_string(suffixes[0]) + ":POS:LINE";
                        int lines = LinesOf(module, suffixes[0]);
                        if (std::stoi(module.Value(line)) > lines)
                            module.Store(line, std::to_string(lines));
                    });
    behaviour.Handle("OUTPut#{1-2}:LOGO:SELect", [](CommandContext& c, ModuleState& module) {
        if (!module.ExpectArguments(c, 1))
            return 0;
        const Argument& name = c.command.arguments[0];
        if (name.kind != Argument::Kind::Quoted) {
            module.PushError(err::kDataTypeError, "Data type error");
            return 0;
        }
        if (!module.Files().Exists(module.Folder() + "/LOGO/" + name.text)) {
            module.PushError(err::kFileNameNotFound, "File name not found");
            return 0;
        }
        return module.Store("OUTP" + std::to_string(c.suffixes[0]) + ":LOGO:SEL", name.text);
    });
    behaviour.List("OUTPut#{1-2}:LOGO:CATalog?",
                   [](const ModuleState& module, const std::vector<int>&) {
                       std::vector<CatalogEntry> entries;
                       module.Files().List(module.Folder() + "/LOGO", &entries);
                       std::vector<std::string> logos;
                       for (const CatalogEntry& entry : entries) {
                           if (!entry.folder && entry.name.ends_with(".LGO"))
                               logos.push_back(entry.name);
                       }
                       return logos;
                   });
    return table;
}

class BehaviourTest : public SimulatorFixture {
protected:
    void StartWithModel() {
        Options options = MakeOptions();
        options.modules.push_back({"Testa", 2});
        options.modules.push_back({"Testa", 4});
        StartSimulator(options);
        ASSERT_NE(m_sim, nullptr);
        m_sim->GetInstrument().AddModelTable(BehaviourModel());
        for (const char* file : {"STATION.LGO", "CLOCK.LGO", "NOTES.TXT"})
            std::ofstream(m_root + "/Testa/LOGO/" + file) << "logo";
        std::filesystem::create_directory(m_root + "/Testa/LOGO/OLD.LGO");
    }
};

struct Exchange {
    const char* line;
    const char* reply;  // null for a line without queries
    const char* error;  // what "SYST:ERR?" answers next
};

void RunExchanges(TestClient& client, const std::vector<Exchange>& exchanges) {
    for (const Exchange& e : exchanges) {
        if (e.reply) {
            EXPECT_EQ(client.Query(e.line), e.reply) << e.line;
        } else {
            EXPECT_TRUE(client.SendLine(e.line)) << e.line;
        }
        EXPECT_EQ(client.Query("SYST:ERR?"), e.error) << e.line;
    }
}

}  // namespace

TEST_F(BehaviourTest, ARangeFollowsAnotherParameterAndASetPullsItBack) {
    StartWithModel();
    RunExchanges(m_client,
                 {
                     {"INST:SEL \"Testa:2\"", nullptr, kNoError},
                     {"OUTP2:STAN?;:OUTP2:POS:LINE?", "PAL;23", kNoError},
                     {"OUTP2:POS:LINE 625", nullptr, kNoError},
                     {"OUTP2:POS:LINE 626", nullptr, "-222,\"Data out of range\""},
                     {"OUTP2:STAN NTSC", nullptr, kNoError},
                     // The set pulled the line into the NTSC range; output 1 kept its own.
                     {"OUTP2:POS:LINE?;:OUTP1:POS:LINE?", "525;23", kNoError},
                     {"OUTP2:POS:LINE 526", nullptr, "-222,\"Data out of range\""},
                     {"OUTP1:POS:LINE 600", nullptr, kNoError},
                     {"OUTP2:POS:LINE 0", nullptr, "-222,\"Data out of range\""},
                     // A wider range leaves a line that fits alone.
                     {"OUTP2:STAN PAL;:OUTP2:POS:LINE?", "525", kNoError},
                     {"OUTP2:STAN SECAM", nullptr, "-224,\"Illegal parameter value\""},
                     {"OUTP2:STAN?;:OUTP2:POS:LINE?", "PAL;525", kNoError},
                     {"OUTP1:STAN NTSC;:OUTP1:POS:LINE?", "525", kNoError},
                 });
    Instrument& instrument = m_sim->GetInstrument();
    // The test control checks against the range the module's state gives now.
    EXPECT_FALSE(instrument.SetModuleSetting(2, "OUTP1:POS:LINE", "600"));
    EXPECT_TRUE(instrument.SetModuleSetting(2, "OUTP2:POS:LINE", "600"));
    EXPECT_EQ(instrument.ModuleSetting(2, "OUTP1:POS:LINE"), "525");
    // The other module of the model kept its defaults throughout.
    RunExchanges(m_client,
                 {
                     {"INST:SEL \"Testa:4\"", nullptr, kNoError},
                     {"OUTP1:STAN?;:OUTP1:POS:LINE?;:OUTP2:POS:LINE?", "PAL;23;23", kNoError},
                 });
}

TEST_F(BehaviourTest, ACustomCommandAndAListReplyWorkOnTheModulesOwnFiles) {
    StartWithModel();
    RunExchanges(
        m_client,
        {
            {"OUTP1:LOGO:CAT?", "", "-113,\"Undefined header\""},  // the controller is selected
            {"INST:SEL \"Testa:2\"", nullptr, kNoError},
            {"OUTP1:LOGO:CAT?;:OUTP2:LOGO:CAT?",
             "\"CLOCK.LGO\",\"STATION.LGO\";"
             "\"CLOCK.LGO\",\"STATION.LGO\"",
             kNoError},
            {"OUTP1:LOGO:SEL?", "\"\"", kNoError},
            {"OUTP1:LOGO:SEL \"CLOCK.LGO\"", nullptr, kNoError},
            {"OUTP1:LOGO:SEL?;:OUTP2:LOGO:SEL?", "\"CLOCK.LGO\";\"\"", kNoError},
            // Refusals push their error and keep the logo chosen before.
            {"OUTP1:LOGO:SEL \"GONE.LGO\"", nullptr, "-256,\"File name not found\""},
            {"OUTP1:LOGO:SEL CLOCK.LGO", nullptr, "-104,\"Data type error\""},
            {"OUTP1:LOGO:SEL", nullptr, "-109,\"Missing parameter\""},
            {"OUTP1:LOGO:SEL \"A\",\"B\"", nullptr, "-108,\"Parameter not allowed\""},
            {"OUTP1:LOGO:CAT? 1", "", "-108,\"Parameter not allowed\""},
            {"OUTP3:LOGO:CAT?", "", "-114,\"Header suffix out of range\""},
            {"OUTP1:LOGO:SEL?", "\"CLOCK.LGO\"", kNoError},
            {"OUTP2:LOGO:SEL \"STATION.LGO\";:OUTP2:LOGO:SEL?", "\"STATION.LGO\"", kNoError},
            {"INST:SEL \"Testa:4\"", nullptr, kNoError},
            {"OUTP1:LOGO:SEL?;:OUTP2:LOGO:SEL?", "\"\";\"\"", kNoError},
        });
    EXPECT_EQ(m_sim->GetInstrument().ModuleSetting(2, "OUTP1:LOGO:SEL"), "CLOCK.LGO");

    std::filesystem::remove_all(m_root + "/Testa/LOGO");
    RunExchanges(m_client, {{"OUTP1:LOGO:CAT?", "", kNoError}});
}

TEST(ModelTableCheck, EveryModelIsWellFormedAndSlipsAreNamed) {
    for (const std::string& model : ModelTable::KnownModels()) {
        std::string error;
        EXPECT_TRUE(ModelTable::ForModel(model).Check(&error)) << error;
    }

    struct Slip {
        const char* name;
        void (*spoil)(ModelTable&);
        const char* named;  // what the error must mention
    } const slips[] = {
        {"rule for a header not in the table",
         [](ModelTable& t) { t.Behaviour().Limits("OUTPut#{1-2}:POSition:LIN", nullptr); },
         "OUTPut#{1-2}:POSition:LIN"},
        {"reaction for a header not in the table",
         [](ModelTable& t) { t.Behaviour().OnSet("OUTPut:STANdard", nullptr); }, "OUTPut:STAN"},
        {"unreadable command pattern",
         [](ModelTable& t) { t.Behaviour().Handle("OUTPut#{2-1}:LOGO?", nullptr); },
         "OUTPut#{2-1}:LOGO?"},
        {"default outside the range",
         [](ModelTable& t) { t.Add(Parameter("OUTPut:LEVel", ParameterKind::Integer, "0")); },
         "OUTPut:LEVel"},
        {"choice default that is no reply",
         [](ModelTable& t) { t.Add(Parameter("OUTPut:MODE", ParameterKind::Choice, "OFF")); },
         "OUTPut:MODE"},
        {"unreadable parameter header",
         [](ModelTable& t) { t.Add(Parameter("OUTPut:BAD-NAME", ParameterKind::Text, "")); },
         "BAD-NAME"},
    };
    for (const Slip& slip : slips) {
        ModelTable table = BehaviourModel();
        std::string error;
        ASSERT_TRUE(table.Check(&error)) << error;
        slip.spoil(table);
        EXPECT_FALSE(table.Check(&error)) << slip.name;
        EXPECT_NE(error.find(slip.named), std::string::npos) << slip.name << ": " << error;
    }
}
