// The catalogue reader against the simulator's drive: what it reads, and exactly which
// queries it sends to read it (the simulator's command log).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "corvane/core/InstrumentLink.h"
#include "corvane/modules/video/CatalogLocators.h"
#include "corvane/modules/video/CatalogReader.h"
#include "platform/Numbers.h"
#include "tests/support/ItemsNamingNothing.h"
#include "tests/support/LoopbackSimulator.h"

namespace corvane {
namespace {

// Every exchange gives up after this long, so a reply that never comes fails the test.
constexpr int kLinkWaitMs = 5000;

// A bare line link to the simulator's command port.
class SocketLink : public IInstrumentLink {
public:
    ~SocketLink() override {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool Connect(const std::string& address, uint16_t port) {
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_port = htons(port);
        if (::inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1)
            return false;
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        return m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0;
    }
    int SendCommand(const std::string& command) override {
        const std::string line = command + "\n";
        size_t sent = 0;
        while (sent < line.size()) {
            if (!Wait(POLLOUT))
                return 0;
            const ssize_t n = ::send(m_fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return 0;
            sent += static_cast<size_t>(n);
        }
        return 1;
    }
    int Query(const std::string& command, std::string& reply) override {
        if (!SendCommand(command))
            return 0;
        size_t end;
        while ((end = m_buffer.find('\n')) == std::string::npos) {
            char chunk[4096];
            if (!Wait(POLLIN))
                return 0;
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return 0;
            m_buffer.append(chunk, static_cast<size_t>(n));
        }
        reply = m_buffer.substr(0, end);
        m_buffer.erase(0, end + 1);
        return 1;
    }

private:
    bool Wait(short events) const {
        pollfd fd{m_fd, events, 0};
        return ::poll(&fd, 1, kLinkWaitMs) == 1;
    }

    int m_fd = -1;
    std::string m_buffer;
};

class RecordingProgress : public ICatalogProgress {
public:
    void SetRange(int lower, int upper) override { range = {lower, upper}; }
    void SetStep(int value) override { step = value; }
    void StepIt() override { ++steps; }
    std::pair<int, int> range{-1, -1};
    int step = 0;
    int steps = 0;
};

const std::string kModel = "/F0:/Sormet";
const std::string kSignal = kModel + "/SIGNAL";
const std::string kPicture = kModel + "/PICTURE";
const std::string kLogo = kModel + "/LOGO";

std::string Cat(const std::string& path) {
    return "MMEM:CAT? \"" + path + "\"";
}

class CatalogReaderSim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        quarnsim::Options options;
        options.root = m_temp.path().toStdString() + "/drive";
        options.commandPort = 0;
        options.ftpEnabled = false;
        options.modules = {{"Sormet", 1}};
        m_sim = testsupport::StartLoopbackSimulator(options, m_address);
        ASSERT_TRUE(m_sim);
        ASSERT_TRUE(m_link.Connect(m_address, m_sim->CommandPort()));
        m_reader.SetLink(&m_link);
    }

    // Paths under the model's folder; one ending in '/' is a folder.
    void Seed(const std::vector<std::string>& paths) {
        quarnsim::FileSystem& files = m_sim->GetInstrument().Files();
        for (const std::string& path : paths) {
            const std::string full = kModel + "/" + path;
            if (full.back() == '/')
                ASSERT_TRUE(files.MakeDirectories(full)) << full;
            else
                ASSERT_TRUE(files.MakeDirectories(full.substr(0, full.rfind('/'))) &&
                            files.WriteFile(full, "data"))
                    << full;
        }
    }

    std::vector<std::string> TakeLines() {
        std::vector<std::string> lines = m_sim->ReceivedLines();
        m_sim->ClearLog();
        return lines;
    }

    QTemporaryDir m_temp;
    std::string m_address;
    std::unique_ptr<quarnsim::Simulator> m_sim;
    SocketLink m_link;
    CCatalogReader m_reader;
};

TEST_F(CatalogReaderSim, ReadsTheSignalTreeLevelByLevel) {
    Seed({"SIGNAL/README.txt", "SIGNAL/525-270/APL/x.cmp", "SIGNAL/525-270/BARS/y.cmp",
          "SIGNAL/525-270/apl/Lower.cmp", "SIGNAL/525-270/Color Bars/100-75.cmp",
          "SIGNAL/525-270/Color Bars/Ramp.CMP", "SIGNAL/525-270/Color Bars/Time:Code.cmp",
          "SIGNAL/525-270/Color Bars/notes.txt", "SIGNAL/525-270/Color Bars/Sub/",
          "SIGNAL/625-270/"});
    RecordingProgress progress;
    SignalTree tree;
    ASSERT_EQ(m_reader.ReadSignalTree(tree, &progress, 29, kSignal), 1);

    EXPECT_EQ(TakeLines(), (std::vector<std::string>{
                               Cat(kSignal),
                               Cat(kSignal + "/525-270"),
                               Cat(kSignal + "/525-270/Color^Bars"),
                               Cat(kSignal + "/525-270/apl"),
                               Cat(kSignal + "/625-270"),
                           }));
    // Every entry of the root listing counts, the file as well as the two formats.
    EXPECT_EQ(progress.range, std::make_pair(0, 3 * 32 + 29));
    EXPECT_EQ(progress.step, 1);
    EXPECT_EQ(progress.steps, 2);

    ASSERT_EQ(tree.size(), 2u);
    // The module lays its format folders out itself and lists them as named.
    EXPECT_EQ(tree[0].name, "525-270");
    EXPECT_EQ(tree[1].name, "625-270");
    EXPECT_TRUE(tree[1].sets.empty());
    ASSERT_EQ(tree[0].sets.size(), 2u);
    EXPECT_EQ(tree[0].sets[0].name, "Color^Bars");
    EXPECT_EQ(tree[0].sets[1].name, "apl");
    std::vector<std::pair<std::string, std::string>> files;
    for (const CatalogFile& file : tree[0].sets[0].files)
        files.emplace_back(file.fileName, file.displayName);
    EXPECT_EQ(files, (std::vector<std::pair<std::string, std::string>>{
                         {"100`h75.cmp", "100-75"},
                         {"Ramp.CMP", "Ramp"},
                         {"Time`cCode.cmp", "Time:Code"},
                     }));

    // The active-signal path names the levels as they were listed.
    const std::optional<SignalLocation> active =
        LocateSignal("\"/525-270/Color^Bars/Time`cCode.cmp\"", tree);
    ASSERT_TRUE(active);
    EXPECT_EQ(active->format, 0);
    EXPECT_EQ(active->set, 0);
    EXPECT_EQ(active->signal, 2);
}

TEST_F(CatalogReaderSim, ReadsPictureFoldersAndLogos) {
    Seed({"PICTURE/Cards/Grey.pic", "PICTURE/Cards/Zone-1.PIC", "PICTURE/Cards/readme.txt",
          "PICTURE/Empty/", "PICTURE/loose.pic", "LOGO/STATION.lgo", "LOGO/ID.LGO",
          "LOGO/notes.txt", "LOGO/Sub/"});
    RecordingProgress progress;
    PictureCatalog pictures;
    ASSERT_EQ(m_reader.ReadPictureCatalog(pictures, &progress, kPicture), 1);
    LogoSettings logo;
    ASSERT_EQ(m_reader.ReadLogoList(kLogo, logo), 1);

    EXPECT_EQ(TakeLines(), (std::vector<std::string>{Cat(kPicture), Cat(kPicture + "/Cards"),
                                                     Cat(kPicture + "/Empty"), Cat(kLogo)}));
    EXPECT_EQ(progress.range, std::make_pair(-1, -1));  // the signal read sets it
    EXPECT_EQ(progress.steps, 2);
    ASSERT_EQ(pictures.folders.size(), 2u);
    ASSERT_EQ(pictures.folders[0].files.size(), 2u);
    EXPECT_EQ(pictures.folders[0].files[1].fileName, "Zone`h1.PIC");
    EXPECT_EQ(pictures.folders[0].files[1].displayName, "Zone-1");
    EXPECT_TRUE(pictures.folders[1].files.empty());
    EXPECT_EQ(logo.logos, (std::vector<std::string>{"ID.LGO", "STATION.lgo"}));

    const std::optional<PictureLocation> active =
        LocatePicture("\"/../PICTURE/Cards/Zone`h1.PIC\"", pictures);
    ASSERT_TRUE(active);
    EXPECT_EQ(active->folder, 0);
    EXPECT_EQ(active->file, 1);
}

std::vector<std::string> Numbered(const std::string& pattern, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back(platform::Format(pattern.c_str(), i));
    return paths;
}

// The first 32 folders or files of a level (64 logos) are read; the rest are never asked for.
TEST_F(CatalogReaderSim, TakesTheFirstEntriesOfEachLevelAndSkipsHiddenSets) {
    struct Case {
        const char* name;
        std::vector<std::string> seed;
        std::function<size_t(CCatalogReader&)> read;  // entries of the level looked at
        size_t entries;
        size_t queries;
    };
    auto formats = [](CCatalogReader& reader) {
        SignalTree tree;
        EXPECT_EQ(reader.ReadSignalTree(tree, nullptr, 0, kSignal), 1);
        return tree.size();
    };
    auto sets = [](CCatalogReader& reader) {
        SignalTree tree;
        EXPECT_EQ(reader.ReadSignalTree(tree, nullptr, 0, kSignal), 1);
        return tree.empty() ? size_t{99} : tree[0].sets.size();
    };
    auto signalFiles = [](CCatalogReader& reader) {
        SignalTree tree;
        EXPECT_EQ(reader.ReadSignalTree(tree, nullptr, 0, kSignal), 1);
        return tree.empty() || tree[0].sets.empty() ? size_t{99} : tree[0].sets[0].files.size();
    };
    auto folders = [](CCatalogReader& reader) {
        PictureCatalog catalog;
        EXPECT_EQ(reader.ReadPictureCatalog(catalog, nullptr, kPicture), 1);
        return catalog.folders.size();
    };
    auto pictures = [](CCatalogReader& reader) {
        PictureCatalog catalog;
        EXPECT_EQ(reader.ReadPictureCatalog(catalog, nullptr, kPicture), 1);
        return catalog.folders.empty() ? size_t{99} : catalog.folders[0].files.size();
    };
    auto logos = [](CCatalogReader& reader) {
        LogoSettings logo;
        EXPECT_EQ(reader.ReadLogoList(kLogo, logo), 1);
        return logo.logos.size();
    };
    const std::vector<std::string> hidden = {"SIGNAL/F/APL/a.cmp", "SIGNAL/F/BARS/b.cmp"};
    std::vector<std::string> hiddenAndLower = hidden;
    hiddenAndLower.push_back("SIGNAL/F/apl/c.cmp");
    hiddenAndLower.push_back("SIGNAL/F/Bars/d.cmp");
    const Case cases[] = {
        {"root without folders", {"SIGNAL/only.cmp"}, formats, 0, 1},
        {"33 formats", Numbered("SIGNAL/F%02d/", 33), formats, 32, 1 + 32},
        {"only APL and BARS", hidden, sets, 0, 2},
        {"exact case only", hiddenAndLower, sets, 2, 4},
        {"33 signal sets", Numbered("SIGNAL/F/S%02d/", 33), sets, 32, 2 + 32},
        {"33 signals", Numbered("SIGNAL/F/S/N%02d.cmp", 33), signalFiles, 32, 3},
        {"33 picture folders", Numbered("PICTURE/P%02d/", 33), folders, 32, 1 + 32},
        {"33 pictures", Numbered("PICTURE/P/Q%02d.pic", 33), pictures, 32, 2},
        {"65 logos", Numbered("LOGO/L%02d.lgo", 65), logos, 64, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string drive = m_temp.path().toStdString() + "/drive/Sormet/";
        for (const char* folder : {"SIGNAL", "PICTURE", "LOGO"}) {
            std::error_code ignored;
            std::filesystem::remove_all(drive + folder, ignored);
            std::filesystem::create_directories(drive + folder, ignored);
        }
        Seed(c.seed);
        TakeLines();
        EXPECT_EQ(c.read(m_reader), c.entries);
        EXPECT_EQ(TakeLines().size(), c.queries);
    }
}

// Garbled or empty listings fail the read at once: nothing further is asked, and the tree
// is left empty rather than half read.
TEST_F(CatalogReaderSim, AGarbledOrEmptyListingFailsTheRead) {
    Seed({"SIGNAL/F/S/a.cmp", "PICTURE/P/a.pic", "LOGO/a.lgo"});
    auto signalTree = [](CCatalogReader& reader) {
        SignalTree tree{{"stale", {}}};
        const int result = reader.ReadSignalTree(tree, nullptr, 0, kSignal);
        return result != 0 || !tree.empty();
    };
    auto pictures = [](CCatalogReader& reader) {
        PictureCatalog catalog;
        catalog.folders.push_back({"stale", {}});
        const int result = reader.ReadPictureCatalog(catalog, nullptr, kPicture);
        return result != 0 || !catalog.folders.empty();
    };
    auto logos = [](CCatalogReader& reader) {
        LogoSettings logo;
        logo.logos = {"KEEP.lgo"};
        const int result = reader.ReadLogoList(kLogo, logo);
        return result != 0 || logo.logos != std::vector<std::string>{"KEEP.lgo"};
    };
    struct Case {
        const char* name;
        std::string query;
        std::string answer;
        std::function<bool(CCatalogReader&)> readGoesWrong;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"unpaired quote in the signal root",
         Cat(kSignal),
         "10,20,\"F/\",DIR,0,\"G/",
         signalTree,
         {Cat(kSignal)}},
        {"empty signal root", Cat(kSignal), "", signalTree, {Cat(kSignal)}},
        {"empty format listing",
         Cat(kSignal + "/F"),
         "",
         signalTree,
         {Cat(kSignal), Cat(kSignal + "/F")}},
        {"empty signal set listing",
         Cat(kSignal + "/F/S"),
         "",
         signalTree,
         {Cat(kSignal), Cat(kSignal + "/F"), Cat(kSignal + "/F/S")}},
        {"unpaired quote in the picture root",
         Cat(kPicture),
         "1,2,\"P/",
         pictures,
         {Cat(kPicture)}},
        {"empty picture folder listing",
         Cat(kPicture + "/P"),
         "",
         pictures,
         {Cat(kPicture), Cat(kPicture + "/P")}},
        {"empty logo listing", Cat(kLogo), "", logos, {Cat(kLogo)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sim->ClearReplyOverrides();
        m_sim->SetReplyOverride(c.query, c.answer);
        TakeLines();
        EXPECT_FALSE(c.readGoesWrong(m_reader));
        EXPECT_EQ(TakeLines(), c.lines);
    }
}

// An item of any level that names nothing in the folder listed is neither read nor asked
// for: the level reads, and every later read goes, exactly as with the good items alone.
TEST_F(CatalogReaderSim, ItemsNamingNothingAreLeftOutAtEveryLevel) {
    Seed({"SIGNAL/F/S/a.cmp", "SIGNAL/G/", "PICTURE/P/a.pic", "PICTURE/Q/", "LOGO/a.lgo"});
    auto signalTree = [](CCatalogReader& reader) {
        SignalTree tree;
        std::string text = std::to_string(reader.ReadSignalTree(tree, nullptr, 0, kSignal));
        for (const SignalSet& format : tree) {
            text += " " + format.name + "[";
            for (const CatalogFolder& set : format.sets) {
                text += set.name + "(";
                for (const CatalogFile& file : set.files)
                    text += file.fileName + "=" + file.displayName + ";";
                text += ")";
            }
            text += "]";
        }
        return text;
    };
    auto pictures = [](CCatalogReader& reader) {
        PictureCatalog catalog;
        std::string text = std::to_string(reader.ReadPictureCatalog(catalog, nullptr, kPicture));
        for (const CatalogFolder& folder : catalog.folders) {
            text += " " + folder.name + "(";
            for (const CatalogFile& file : folder.files)
                text += file.fileName + "=" + file.displayName + ";";
            text += ")";
        }
        return text;
    };
    auto logos = [](CCatalogReader& reader) {
        LogoSettings logo;
        std::string text = std::to_string(reader.ReadLogoList(kLogo, logo));
        for (const std::string& name : logo.logos) text += " " + name;
        return text;
    };
    struct Case {
        std::string query;
        std::vector<std::string> good;
        std::function<std::string(CCatalogReader&)> read;
    };
    const Case cases[] = {
        {Cat(kSignal), {"F/", "notes.txt", "G/"}, signalTree},
        {Cat(kSignal + "/F"), {"S/", "x.cmp"}, signalTree},
        {Cat(kSignal + "/F/S"), {"a.cmp", "b`hc`sd.cmp", "Sub/"}, signalTree},
        {Cat(kPicture), {"P/", "loose.pic", "Q/"}, pictures},
        {Cat(kPicture + "/P"), {"a.pic", "b`sc.PIC"}, pictures},
        {Cat(kLogo), {"a.lgo", "B`sC.LGO", "Sub/"}, logos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        m_sim->ClearReplyOverrides();
        m_sim->SetReplyOverride(c.query, testsupport::CatalogueReply(c.good));
        TakeLines();
        const std::string alone = c.read(m_reader);
        const std::vector<std::string> aloneLines = TakeLines();
        m_sim->SetReplyOverride(
            c.query, testsupport::CatalogueReply(testsupport::AmongItemsNamingNothing(c.good)));
        EXPECT_EQ(c.read(m_reader), alone);
        EXPECT_EQ(TakeLines(), aloneLines);
        EXPECT_EQ(alone.substr(0, 1), "1");
    }
}

// Each setting read sends its compound query as one line and takes the answers in order.
TEST_F(CatalogReaderSim, ReadsTheSharedSettingsWithOneCompoundQueryEach) {
    using Answers = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* name;
        Answers answers;
        std::function<std::string(CCatalogReader&)> read;  // result and fields as text
        std::string expected;
        std::vector<std::string> lines;
    };
    auto moving = [](CCatalogReader& reader) {
        MovingPictureSettings s;
        const int result = reader.ReadMovingPictureSettings(s);
        return platform::Format("%d:%d,%d,%d,%d", result, s.horizontalStep, s.verticalStep,
                                s.period, s.random);
    };
    auto logo = [](CCatalogReader& reader) {
        LogoSettings s;
        s.selected = "OLD.lgo";
        const int result = reader.ReadLogoSettings(s);
        return platform::Format("%d:%g,%g,%d,%s", result, s.horizontal, s.vertical, s.state,
                                s.selected.c_str());
    };
    auto text = [](CCatalogReader& reader) {
        TextSettings s;
        const int result = reader.ReadTextSettings(s);
        return platform::Format("%d:%d,%d,%d,%s", result, s.horizontal, s.vertical, s.state,
                                s.text.c_str());
    };
    auto circle = [](CCatalogReader& reader) {
        CircleSettings s;
        const int result = reader.ReadCircleSettings(s);
        return platform::Format("%d:%d,%d,%d,%d", result, s.state, s.diameter, s.horizontal,
                                s.vertical);
    };
    auto group = [](int output, int index) {
        return [=](CCatalogReader& reader) {
            AudioGroupSettings s;
            const int result = output == 1 ? reader.ReadOutput1AudioGroup(s, index)
                                           : reader.ReadOutput2AudioGroup(s, index);
            return platform::Format("%d:%d,%d,%d,%d", result, s.state, s.bits, s.preEmphasis,
                                    s.sampling);
        };
    };
    auto channel = [](int output, int number) {
        return [=](CCatalogReader& reader) {
            AudioChannelSettings s;
            const int result = output == 1 ? reader.ReadOutput1AudioChannel(s, number)
                                           : reader.ReadOutput2AudioChannel(s, number);
            return platform::Format("%d:%d,%d,%d", result, s.amplitude, s.frequency, s.click);
        };
    };
    const Answers logoPosition = {{"OUTP1:LOGO:POS:HOR?", "-12.5"},
                                  {"OUTP1:LOGO:POS:VERT?", "-50"}};
    auto with = [](Answers answers, Answers more) {
        answers.insert(answers.end(), more.begin(), more.end());
        return answers;
    };
    const std::string logoQuery = "OUTP1:LOGO:POS:HOR?;VERT?;:OUTP1:LOGO:STAT?";
    const std::string textQuery = "OUTP1:TEXT:POS:HOR?;VERT?;:OUTP1:TEXT:STAT?";
    const Answers textPosition = {
        {"OUTP1:TEXT:POS:HOR?", "10.7"}, {"OUTP1:TEXT:POS:VERT?", "20"}, {"OUTP1:TEXT:STAT?", "1"}};
    const Case cases[] = {
        {"moving picture",
         {{"OUTP1:MOV:HOR?", "4"},
          {"OUTP1:MOV:VERT?", "-2"},
          {"OUTP1:MOV:PER?", "3"},
          {"OUTP1:MOV:RAND:STAT?", "1"}},
         moving,
         "1:4,-2,3,1",
         {"OUTP1:MOV:HOR?;VERT?;PER?;:OUTP1:MOV:RAND:STAT?"}},
        {"logo on asks for the selection",
         with(logoPosition, {{"OUTP1:LOGO:STAT?", "1"}, {"OUTP1:LOGO:SEL?", "\"STATION.lgo\""}}),
         logo,
         "1:-12.5,-50,1,STATION.lgo",
         {logoQuery, "OUTP1:LOGO:SEL?"}},
        {"logo off has no selection",
         with(logoPosition, {{"OUTP1:LOGO:STAT?", "0"}}),
         logo,
         "1:-12.5,-50,0,",
         {logoQuery}},
        {"logo selection without quotes",
         with(logoPosition, {{"OUTP1:LOGO:STAT?", "1"}, {"OUTP1:LOGO:SEL?", "STATION.lgo"}}),
         logo,
         "0:-12.5,-50,1,OLD.lgo",
         {logoQuery, "OUTP1:LOGO:SEL?"}},
        {"text with a semicolon inside its quotes",
         with(textPosition, {{"OUTP1:TEXT:DATA?", "\"CAM 1; studio\""}}),
         text,
         "1:10,20,1,CAM 1; studio",
         {textQuery, "OUTP1:TEXT:DATA?"}},
        {"text without quotes",
         with(textPosition, {{"OUTP1:TEXT:DATA?", "CAM"}}),
         text,
         "0:10,20,1,",
         {textQuery, "OUTP1:TEXT:DATA?"}},
        {"circle",
         {{"OUTP1:CIRC:STAT?", "1"},
          {"OUTP1:CIRC:DIAM?", "40"},
          {"OUTP1:CIRC:POS:HOR?", "-7"},
          {"OUTP1:CIRC:POS:VERT?", "8"}},
         circle,
         "1:1,40,-7,8",
         {"OUTP1:CIRC:STAT?;DIAM?;POS:HOR?;VERT?"}},
        {"output 1 group 1",
         {{"OUTP1:EAUD:GRO1:STAT?", "1"},
          {"OUTP1:EAUD:GRO1:NBIT?", "24"},
          {"OUTP1:EAUD:GRO1:PRE?", "CD"},
          {"OUTP1:EAUD:GRO1:SAMPLI?", "NOFR"}},
         group(1, 0),
         "1:1,24,1,1",
         {"OUTP1:EAUD:GRO1:STAT?;:OUTP1:EAUD:GRO1:NBIT?;:OUTP1:EAUD:GRO1:PRE?;"
          ":OUTP1:EAUD:GRO1:SAMPLI?"}},
        {"output 2 group 4",
         {{"OUTP2:EAUD:GRO4:STAT?", "0"},
          {"OUTP2:EAUD:GRO4:NBIT?", "20"},
          {"OUTP2:EAUD:GRO4:PRE?", "CCIT"},
          {"OUTP2:EAUD:GRO4:SAMPLI?", "ASYN"}},
         group(2, 3),
         "1:0,20,2,2",
         {"OUTP2:EAUD:GRO4:STAT?;:OUTP2:EAUD:GRO4:NBIT?;:OUTP2:EAUD:GRO4:PRE?;"
          ":OUTP2:EAUD:GRO4:SAMPLI?"}},
        {"group index out of range sends nothing", {}, group(1, 4), "0:0,0,0,0", {}},
        {"output 1 channel 1",
         {{"OUTP1:EAUD:CHAN1:AMPL?", "-12"},
          {"OUTP1:EAUD:CHAN1:FREQ?", "1000"},
          {"OUTP1:EAUD:CHAN1:CLIC?", "3"}},
         channel(1, 1),
         "1:-12,13,3",
         {"OUTP1:EAUD:CHAN1:AMPL?;:OUTP1:EAUD:CHAN1:FREQ?;:OUTP1:EAUD:CHAN1:CLIC?"}},
        {"output 2 channel 16",
         {{"OUTP2:EAUD:CHAN16:AMPL?", "-60"},
          {"OUTP2:EAUD:CHAN16:FREQ?", "-1"},
          {"OUTP2:EAUD:CHAN16:CLIC?", "0"}},
         channel(2, 16),
         "1:-60,0,0",
         {"OUTP2:EAUD:CHAN16:AMPL?;:OUTP2:EAUD:CHAN16:FREQ?;:OUTP2:EAUD:CHAN16:CLIC?"}},
        {"channel 0 sends nothing", {}, channel(1, 0), "0:0,0,0", {}},
        {"channel 17 sends nothing", {}, channel(2, 17), "0:0,0,0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sim->ClearReplyOverrides();
        for (const auto& [query, answer] : c.answers) m_sim->SetReplyOverride(query, answer);
        TakeLines();
        EXPECT_EQ(c.read(m_reader), c.expected);
        EXPECT_EQ(TakeLines(), c.lines);
    }
}

TEST_F(CatalogReaderSim, AReplyShortOfAnAnswerFailsTheRead) {
    m_sim->ReplaceNextReply("3;4\n");
    MovingPictureSettings moving;
    EXPECT_EQ(m_reader.ReadMovingPictureSettings(moving), 0);
    EXPECT_EQ(moving.horizontalStep, 3);
    EXPECT_EQ(moving.verticalStep, 4);
    EXPECT_EQ(moving.period, 0);
}

}  // namespace
}  // namespace corvane
