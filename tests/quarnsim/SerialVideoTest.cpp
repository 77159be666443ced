// The serial video generators as their editors meet them on the command port: every setting's
// default, a set and its query, refusals, compound queries with relative headers, signal loads
// with the active signal and the output standard that follows them, and their file trees.
#include <gtest/gtest.h>

#include <string>

#include "SimulatorFixture.h"
#include "quarnsim/VideoFiles.h"

namespace {

constexpr int kSormet = 2;
constexpr int kUlmeth = 3;

struct Exchange {
    int slot;
    const char* line;
    const char* reply = nullptr;  // null: the line is only sent, as it holds no query
    const char* error = nullptr;  // the first queued error afterwards; null: none
};

class SerialVideoTest : public SimulatorFixture {
protected:
    void Start(bool demo) {
        quarnsim::Options options = MakeOptions();
        options.modules = {{"Tavix", 1}, {"Sormet", kSormet}, {"Ulmeth", kUlmeth}};
        options.demoFiles = demo;
        StartSimulator(options);
    }

    // Runs each exchange on the module of its slot; says which one went wrong.
    void Check(const std::vector<Exchange>& exchanges) {
        for (const Exchange& exchange : exchanges) {
            SCOPED_TRACE(exchange.line);
            const char* model = exchange.slot == kSormet ? "Sormet" : "Ulmeth";
            ASSERT_TRUE(m_client.SendLine("INST:SEL \"" + std::string(model) + ":" +
                                          std::to_string(exchange.slot) + "\""));
            ASSERT_TRUE(m_client.SendLine("*CLS"));
            if (exchange.reply) {
                EXPECT_EQ(m_client.Query(exchange.line), exchange.reply);
            } else {
                ASSERT_TRUE(m_client.SendLine(exchange.line));
            }
            if (exchange.error) {
                std::string error = m_client.Query("SYST:ERR?");
                EXPECT_EQ(error.substr(0, error.find(',')), exchange.error);
            }
            EXPECT_EQ(m_client.Query("SYST:ERR?"), "0,\"No error\"");
        }
    }
};

TEST_F(SerialVideoTest, SettingsAnswerTheirDefaultsTakeSetsAndRefuseWhatDoesNotFit) {
    Start(false);
    Check({
        // Defaults, read the way the editors read them.
        {kSormet, "OUTP1:STAN?;:OUTP2:STAN?;:OUTP2:SIGN?;:OUTP:CONF?", "D1_NTSC;D1_NTSC;BLAC;1"},
        {kSormet, "SENS1:CORR:MDEL:VERT?;HOR?", "0;0.00000000"},
        {kSormet, "OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?", "0;0;1;0"},
        {kSormet, "OUTP1:OVER:BLIN:STAT?;PER?", "0;0.5"},
        {kSormet, "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?;SEL?", "-10.0;-10.0;0;\"\""},
        {kSormet, "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?;DATA?", "5;90;0;\"QUARN\""},
        {kSormet, "OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "0;80;0;0"},
        {kSormet,
         "OUTP1:EAUD:GRO1:STAT?;:OUTP1:EAUD:GRO1:NBIT?;:OUTP1:EAUD:GRO1:PRE?;:OUTP1:EAUD:GRO1:"
         "SAMPLI?",
         "0;24;OFF;FRAM"},
        {kSormet, "OUTP2:EAUD:CHAN16:AMPL?;:OUTP2:EAUD:CHAN16:FREQ?;:OUTP2:EAUD:CHAN16:CLIC?",
         "-20;1000;0"},
        {kSormet,
         "OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?;:OUTP1:VID:NBIT?;:OUTP1:VID:"
         "EDH:STAT?;:OUTP1:VID:AVT:STAT?",
         "1;1;1;10;1;0"},
        {kSormet,
         "SENS2:CORR:MDEL:VERT?;:SENS2:CORR:MDEL:HOR?;:OUTP2:VID:EDH:STAT?;:OUTP2:VID:NBIT?",
         "0;0.00000000;1;10"},
        {kUlmeth, "OUTP1:STAN?;:OUTP2:STAN?;:OUTP2:SIGN?;:OUTP:CONF?",
         "HD1080_59I;HD1080_59I;BLAC;1"},
        {kUlmeth, "OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?;:OUTP1:VID:AVT:STAT?",
         "1;1;1;0"},
        // The HD generator sets neither word length nor EDH.
        {kUlmeth, "OUTP1:VID:NBIT?", "", "-113"},
        {kUlmeth, "OUTP2:VID:EDH:STAT 1", nullptr, "-113"},
        {kSormet, "OUTP:CONF 0", nullptr, "-113"},  // the option is fitted or not

        // Sets, in long and short forms and any case, and the queries that read them back.
        {kSormet, "OUTP1:MOV:HOR 252;VERT -255;PER 16;RAND:STAT 1"},
        {kSormet, "OUTP1:MOV:HOR?;VERT?;PER?;RAND:STAT?", "252;-255;16;1"},
        {kSormet, "OUTP1:MOV:HOR 6", nullptr, "-224"},  // steps of 4 only
        {kSormet, "OUTP1:MOV:HOR 256", nullptr, "-222"},
        {kSormet, "OUTP1:MOV:PER 0", nullptr, "-222"},
        {kSormet, "output1:overlay:blink:state 1;period 1.0"},
        {kSormet, "OUTP1:OVER:BLIN:STAT?;PER?", "1;1.0"},
        {kSormet, "OUTP1:OVER:BLIN:PER 2.0", nullptr, "-222"},
        {kSormet, "OUTP1:OVER:BLIN:PER 0.7", nullptr, "-224"},
        {kUlmeth, "OUTP1:LOGO:POS:HOR -55.5;VERT -100;:OUTP1:LOGO:STAT 1"},
        {kUlmeth, "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?", "-55.5;-100.0;1"},
        {kUlmeth, "OUTP1:LOGO:POS:HOR 0.1", nullptr, "-222"},
        {kUlmeth, "OUTP1:LOGO:POS:VERT nan", nullptr, "-104"},
        {kUlmeth, "OUTP1:LOGO:SAVE;:OUTP1:TEXT:SAVE"},
        {kUlmeth, "OUTP1:LOGO:SAVE 1", nullptr, "-108"},
        {kUlmeth, "OUTP1:TEXT:DATA \"NEWS; 24?\";STAT 1;POS:HOR 100;VERT 0"},
        {kUlmeth, "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?;DATA?", "100;0;1;\"NEWS; 24?\""},
        {kUlmeth, "OUTP1:TEXT:POS:HOR 101", nullptr, "-222"},
        {kSormet, "OUTP1:CIRC:STAT 1;DIAM 100;POS:HOR -50;VERT 50"},
        {kSormet, "OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?", "1;100;-50;50"},
        {kSormet, "OUTP1:CIRC:POS:VERT -51", nullptr, "-222"},
        {kSormet, "OUTP1:CIRC:DIAM 101", nullptr, "-222"},
        {kSormet, "OUTP1:EAUD:GRO4:PRE CCIT;NBIT 20;SAMPLI ASYN;STAT 1"},
        {kSormet, "OUTP1:EAUD:GRO4:STAT?;NBIT?;PRE?;SAMPLI?", "1;20;CCIT;ASYN"},
        {kSormet, "OUTP1:EAUD:GRO1:STAT?", "0"},  // groups and outputs keep their own
        {kSormet, "OUTP2:EAUD:GRO4:PRE?", "OFF"},
        {kSormet, "OUTP1:EAUD:GRO1:PRE CCITT", nullptr, "-224"},
        {kSormet, "OUTP1:EAUD:GRO1:NBIT 22", nullptr, "-224"},
        {kSormet, "OUTP1:EAUD:GRO5:STAT?", "", "-114"},
        {kUlmeth, "OUTP2:EAUD:CHAN13:AMPL -60;FREQ -1;CLIC 4"},
        {kUlmeth, "OUTP2:EAUD:CHAN13:AMPL?;FREQ?;CLIC?", "-60;-1;4"},
        {kUlmeth, "OUTP2:EAUD:CHAN13:FREQ 440", nullptr, "-224"},  // not a tone of the list
        {kUlmeth, "OUTP2:EAUD:CHAN13:AMPL -61", nullptr, "-222"},
        {kUlmeth, "OUTP2:EAUD:CHAN13:CLIC 5", nullptr, "-222"},
        {kUlmeth, "OUTP2:EAUD:CHAN17:CLIC 1", nullptr, "-114"},
        {kSormet, "OUTP1:VID:Y:STAT 0;:OUTP1:VID:PB:STAT 0;:OUTP1:VID:NBIT 8;EDH:STAT 0"},
        {kSormet, "OUTP1:VID:AVT:STAT 1"},
        {kSormet,
         "OUTP1:VID:Y:STAT?;:OUTP1:VID:PB:STAT?;:OUTP1:VID:PR:STAT?;:OUTP1:VID:NBIT?;EDH:STAT?;"
         ":OUTP1:VID:AVT:STAT?",
         "0;0;1;8;0;1"},
        // A relative header continues below the last node's parent.
        {kSormet, "OUTP1:VID:Y:STAT?;PB:STAT?", "0;", "-113"},
        {kSormet, "OUTP1:VID:NBIT 9", nullptr, "-224"},
        {kSormet, "OUTP2:SIGN WHIT;:OUTP2:VID:EDH:STAT 0;:OUTP2:VID:NBIT 8"},
        {kSormet, "OUTP2:SIGN?;:OUTP2:VID:EDH:STAT?;:OUTP2:VID:NBIT?", "WHIT;0;8"},
        {kSormet, "OUTP2:SIGN FF40P", nullptr, "-224"},
        {kSormet, "OUTP1:SIGN GRAY", nullptr, "-114"},

        // Timing reaches one frame in lines and one line in time, by each output's standard.
        {kSormet, "SENS1:CORR:MDEL:VERT -525;HOR 63.55556363"},
        {kSormet, "SENS1:CORR:MDEL:VERT?;HOR?", "-525;63.55556363"},
        {kSormet, "SENS1:CORR:MDEL:VERT 526", nullptr, "-222"},
        {kSormet, "SENS1:CORR:MDEL:HOR -63.6", nullptr, "-222"},
        {kSormet, "OUTP2:STAN D1_PAL;:SENS2:CORR:MDEL:VERT 1250;HOR -64"},
        {kSormet, "SENS2:CORR:MDEL:VERT?;HOR?", "1250;-64.00000000"},
        {kSormet, "SENS1:CORR:MDEL:VERT 1250", nullptr, "-222"},  // output 1 is still 525
        {kSormet, "OUTP2:STAN HD1080_50I", nullptr, "-224"},
        {kUlmeth, "SENS1:CORR:MDEL:VERT 562;HOR -29.65925926"},  // 2200 periods at 74.25/1.001
        {kUlmeth, "SENS1:CORR:MDEL:HOR 29.66", nullptr, "-222"},
        {kUlmeth, "OUTP2:STAN HD720_25P;:SENS2:CORR:MDEL:VERT 375;HOR 53.33333333"},
        {kUlmeth, "SENS2:CORR:MDEL:VERT 376", nullptr, "-222"},
        {kUlmeth, "SENS2:CORR:MDEL:HOR 53.34", nullptr, "-222"},
        {kUlmeth, "OUTP2:STAN D1_PAL", nullptr, "-224"},
    });
}

TEST_F(SerialVideoTest, LoadsSetTheActiveSignalAndTheStandardFollowsItsFormatFolder) {
    Start(true);
    Check({
        {kSormet, "MMEM:SIGN:ACT? 2;:OUTP1:STAN?",
         "\"/525-270/Colour^Bars/Bars^100`h0`h100`h0.cmp\";D1_NTSC"},
        // Names go back as they were listed: format folders as named, the rest escaped.
        {kSormet, "MMEM:LOAD:SIGN 2,\"/525-143/Linearity/Ramp^Y.cmp\""},
        {kSormet, "MMEM:SIGN:ACT? 2;:OUTP1:STAN?", "\"/525-143/Linearity/Ramp^Y.cmp\";D2_NTSC"},
        // 525-143 moves the picture vertically in steps of 2 up to 244.
        {kSormet, "OUTP1:MOV:VERT 244"},
        {kSormet, "OUTP1:MOV:VERT 3", nullptr, "-224"},
        {kSormet, "OUTP1:MOV:VERT 246", nullptr, "-222"},
        // A frame picture leaves the standard as it is and answers from the SIGNAL folder.
        {kSormet, "MMEM:LOAD:SIGN 2,\"/PICTURE/Test^Cards/Circle^Pattern^16`c9.pic\""},
        {kSormet, "MMEM:SIGN:ACT? 2;:OUTP1:STAN?",
         "\"/../PICTURE/Test^Cards/Circle^Pattern^16`c9.pic\";D2_NTSC"},
        // The sets a reader passes over still load.
        {kSormet, "MMEM:LOAD:SIGN 2,\"/625-270/APL/APL^50%.cmp\""},
        {kSormet, "MMEM:SIGN:ACT? 2;:OUTP1:STAN?", "\"/625-270/APL/APL^50%.cmp\";D1_PAL"},
        // What cannot be loaded is refused with -256 and changes nothing.
        {kSormet, "MMEM:LOAD:SIGN 2,\"/525-143/Linearity/Nothing.cmp\"", nullptr, "-256"},
        {kSormet, "MMEM:LOAD:SIGN 2,\"/525-143/Linearity\"", nullptr, "-256"},
        {kSormet, "MMEM:LOAD:SIGN 2,\"/525-143/../../Ramp^Y.cmp\"", nullptr, "-256"},
        {kSormet, "MMEM:LOAD:SIGN 2,\"/PICTURE/Test^Cards/../Harbour^at^Dusk.pic\"", nullptr,
         "-256"},
        {kSormet, "MMEM:LOAD:SIGN 2,\"/PICTURE/Landscapes/Harbour^at^Dusk.cmp\"", nullptr, "-256"},
        {kSormet, "MMEM:LOAD:SIGN 2,\"/1080 60i/Linearity/Ramp^Y.cmp\"", nullptr, "-256"},
        {kSormet, "MMEM:SIGN:ACT? 2;:OUTP1:STAN?", "\"/625-270/APL/APL^50%.cmp\";D1_PAL"},
        // The slot names the module, whichever is selected; one without signals has none.
        {kSormet, "MMEM:LOAD:SIGN 3,\"/720 25p/Colour^Bars/Bars^75`h0`h75`h0.cmp\""},
        {kUlmeth, "MMEM:SIGN:ACT? 3;:OUTP1:STAN?",
         "\"/720 25p/Colour^Bars/Bars^75`h0`h75`h0.cmp\";HD720_25P"},
        {kUlmeth, "MMEM:SIGN:ACT? 2", "\"/625-270/APL/APL^50%.cmp\""},
        {kUlmeth, "MMEM:SIGN:ACT? 1", "", "-224"},
        {kUlmeth, "MMEM:SIGN:ACT? 4", "", "-224"},
        {kUlmeth, "MMEM:SIGN:ACT?", "", "-109"},
        {kUlmeth, "MMEM:LOAD:SIGN 1,\"/a/b/c.cmp\"", nullptr, "-224"},
        // A logo is chosen by its listed name among the LOGO folder's files.
        {kUlmeth, "OUTP1:LOGO:SEL \"Channel`h5^News.lgo\""},
        {kUlmeth, "OUTP1:LOGO:SEL?", "\"Channel`h5^News.lgo\""},
        {kUlmeth, "OUTP1:LOGO:SEL \"Missing.lgo\"", nullptr, "-256"},
        {kUlmeth, "OUTP1:LOGO:SEL \"../PICTURE/Landscapes/Harbour^at^Dusk.pic\"", nullptr, "-256"},
        {kUlmeth, "OUTP1:LOGO:SEL?", "\"Channel`h5^News.lgo\""},
    });
}

TEST_F(SerialVideoTest, FormatFoldersAreListedAsNamedAndEverythingElseEscaped) {
    Start(true);
    struct Listing {
        const char* folder;
        const char* entries;  // the listing after its byte counts
    };
    const Listing listings[] = {
        {"/F0:/Sormet/SIGNAL",
         "\"525-143/\",DIR,0,\"525-270/\",DIR,0,\"625-270/\",DIR,0,\"BARS`h100.CMP\",BIN,48000,"
         "\"MULTIBURST.DNL\",BIN,70000,\"Ramp^Y.CMP\",BIN,12345,\"TONE^SWEEP.SEQ\",BIN,2048"},
        {"/F0:/Sormet/SIGNAL/525-143",
         "\"APL/\",DIR,0,\"BARS/\",DIR,0,\"Colour^Bars/\",DIR,0,\"Linearity/\",DIR,0,"
         "\"Pulse^and^Bar/\",DIR,0"},
        {"/F0:/Ulmeth/SIGNAL/1080 59.94i/Colour^Bars",
         "\"Bars^100`h0`h100`h0.cmp\",BIN,3988,\"Bars^75`h0`h75`h0.cmp\",BIN,3794"},
        {"/F0:/Ulmeth/PICTURE/Test^Cards",
         "\"Circle^Pattern^16`c9.pic\",BIN,4279,\"Zone^Plate^Circular.pic\",BIN,4279"},
    };
    for (const Listing& listing : listings) {
        std::string reply = m_client.Query("MMEM:CAT? \"" + std::string(listing.folder) + "\"");
        size_t first = reply.find(',', reply.find(',') + 1);
        EXPECT_EQ(reply.substr(first + 1), listing.entries) << listing.folder;
    }
    std::string formats = m_client.Query("MMEM:CAT? \"/F0:/Ulmeth/SIGNAL\"");
    for (const char* folder : {"\"1080 59.94i/\"", "\"1080 23.98sF/\"", "\"720 23.98p/\""})
        EXPECT_NE(formats.find(folder), std::string::npos) << folder;
    EXPECT_EQ(formats.find("720 24p"), std::string::npos);  // a standard without signals
    std::string logos = m_client.Query("MMEM:CAT? \"/F0:/Ulmeth/LOGO\"");
    EXPECT_NE(logos.find("\"Channel`h5^News.lgo\",BIN"), std::string::npos) << logos;
}

TEST_F(SerialVideoTest, TestsLayOutTreesWithEmptyLevels) {
    quarnsim::VideoFileTree tree;
    tree.formats = {{"525-143", {{"Empty", {}}, {"Full", {"A-1.cmp", "b.CMP"}}}}, {"625-270", {}}};
    tree.pictures = {{"No Pictures", {}}};
    ASSERT_TRUE(quarnsim::SeedVideoFiles(m_root, "Sormet", tree));
    Start(false);
    const std::pair<const char*, const char*> listings[] = {
        {"/F0:/Sormet/SIGNAL", "\"525-143/\",DIR,0,\"625-270/\",DIR,0"},
        {"/F0:/Sormet/SIGNAL/625-270", ""},
        {"/F0:/Sormet/SIGNAL/525-143/Empty", ""},
        {"/F0:/Sormet/SIGNAL/525-143/Full", "\"A`h1.cmp\",BIN,33,\"b.CMP\",BIN,31"},
        {"/F0:/Sormet/PICTURE", "\"No^Pictures/\",DIR,0"},
        {"/F0:/Sormet/LOGO", ""},
    };
    for (const auto& [folder, entries] : listings) {
        std::string reply = m_client.Query("MMEM:CAT? \"" + std::string(folder) + "\"");
        size_t first = reply.find(',', reply.find(',') + 1);
        EXPECT_EQ(first == std::string::npos ? "" : reply.substr(first + 1), entries) << folder;
    }
    ASSERT_TRUE(m_client.SendLine("MMEM:LOAD:SIGN 2,\"/525-143/Full/A`h1.cmp\""));
    EXPECT_EQ(m_client.Query("MMEM:SIGN:ACT? 2;:SYST:ERR?"),
              "\"/525-143/Full/A`h1.cmp\";0,\"No error\"");
}

}  // namespace

namespace {

// The demo's active signal and logo are files its own listings show, so an editor opens on it.
TEST_F(SerialVideoTest, TheDemoInstrumentNamesFilesItLists) {
    quarnsim::Options options = MakeOptions();
    options.modules = {{"Sormet", kSormet}, {"Ulmeth", kUlmeth}};
    quarnsim::ApplyDemo(options);
    StartSimulator(options);
    for (const char* model : {"Sormet", "Ulmeth"}) {
        SCOPED_TRACE(model);
        int slot = std::string(model) == "Sormet" ? kSormet : kUlmeth;
        ASSERT_TRUE(m_client.SendLine("INST:SEL \"" + std::string(model) + ":" +
                                      std::to_string(slot) + "\""));
        EXPECT_EQ(m_client.Query("OUTP1:LOGO:STAT?;SEL?"), "1;\"Station^Bug.lgo\"");
        std::string root = "/F0:/" + std::string(model);
        EXPECT_NE(m_client.Query("MMEM:CAT? \"" + root + "/LOGO\"").find("\"Station^Bug.lgo\""),
                  std::string::npos);
        std::string active = m_client.Query("MMEM:SIGN:ACT? " + std::to_string(slot));
        ASSERT_GT(active.size(), 2u);
        std::string path = active.substr(1, active.size() - 2);
        size_t leaf = path.find_last_of('/');
        std::string listing =
            m_client.Query("MMEM:CAT? \"" + root + "/SIGNAL" + path.substr(0, leaf) + "\"");
        EXPECT_NE(listing.find("\"" + path.substr(leaf + 1) + "\""), std::string::npos)
            << active << " in " << listing;
        EXPECT_EQ(m_client.Query("SYST:ERR?"), "0,\"No error\"");
    }
}

}  // namespace
