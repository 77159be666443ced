#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimulatorFixture.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class BlockTransferTest : public SimulatorFixture {
protected:
    std::string Read(const std::string& relative) const {
        std::ifstream in(m_root + "/" + relative, std::ios::binary);
        std::stringstream data;
        data << in.rdbuf();
        return data.str();
    }
    void Write(const std::string& relative, const std::string& data) const {
        fs::create_directories(fs::path(m_root + "/" + relative).parent_path());
        std::ofstream(m_root + "/" + relative, std::ios::binary) << data;
    }
    bool Exists(const std::string& relative) const { return fs::exists(m_root + "/" + relative); }
    // Anything but the file itself in its folder, such as a temporary left behind.
    size_t FilesIn(const std::string& relative) const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_root + "/" + relative),
                                                 fs::directory_iterator()));
    }
    static std::string Pattern(size_t size) {
        std::string data(size, '\0');
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
        return data;
    }
    // Reads one block reply: '#', n, n digits, then exactly that many bytes.
    bool ReadBlock(TestClient& client, std::string* header, std::string* data) {
        std::string line;
        if (!client.ReadLine(&line) || line.size() < 2 || line[0] != '#')
            return false;
        size_t digits = static_cast<size_t>(line[1] - '0');
        *header = line.substr(0, 2 + digits);
        size_t length = std::stoul(line.substr(2, digits));
        std::string rest = line.substr(2 + digits) + "\n";
        while (rest.size() < length + 1) {
            std::string more;
            if (!client.ReadLine(&more))
                return false;
            rest += more + "\n";
        }
        *data = rest.substr(0, length);
        return rest.size() == length + 1;  // the line end after the block, nothing else
    }
};

}  // namespace

TEST_F(BlockTransferTest, DownloadInTheUtilitysChunksArrivesWhole) {
    StartSimulator();
    std::string file = Pattern(70000);
    ASSERT_TRUE(m_client.Send("mmem:data \"/F0:/Tavix/PICTURE/a.pic\",#570000"));
    for (size_t at = 0; at < file.size(); at += 32768)
        ASSERT_TRUE(m_client.Send(file.substr(at, 32768)));
    ASSERT_TRUE(m_client.Send("\r\n"));
    EXPECT_EQ(m_client.Query("stat:que:next?"), "0,\"No error\"");
    EXPECT_EQ(Read("Tavix/PICTURE/a.pic"), file);
    EXPECT_EQ(FilesIn("Tavix/PICTURE"), 1u);
    auto log = m_sim->ReceivedLines();
    ASSERT_GE(log.size(), 1u);
    EXPECT_EQ(log[0], "mmem:data \"/F0:/Tavix/PICTURE/a.pic\",#570000");

    // A download file goes to working memory with no name at all.
    std::string dnl = Pattern(65536);
    ASSERT_TRUE(m_client.Send("mmem:load:download #565536" + dnl + "\r\n"));
    EXPECT_EQ(m_client.Query("stat:que:next?"), "0,\"No error\"");
    auto loads = m_sim->Loads();
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].kind, "DOWNLOAD");
    EXPECT_EQ(loads[0].data, dnl);
}

TEST_F(BlockTransferTest, ABlockCutShortWritesNothing) {
    StartSimulator();
    Write("Tavix/PICTURE/old.pic", "old contents");
    TestClient client;
    ConnectClient(client);
    ASSERT_TRUE(client.Send("mmem:data \"/F0:/Tavix/PICTURE/old.pic\",#3100" + Pattern(60)));
    client.Close();
    // Complete data without the line end are no complete message either.
    ConnectClient(client);
    ASSERT_TRUE(client.Send("mmem:data \"/F0:/Tavix/PICTURE/new.pic\",#15abcde"));
    client.Close();
    EXPECT_EQ(m_client.Query("*opc?"), "1");
    EXPECT_EQ(Read("Tavix/PICTURE/old.pic"), "old contents");
    EXPECT_FALSE(Exists("Tavix/PICTURE/new.pic"));

    // The instrument drops the connection in the middle of a block.
    m_sim->CloseAfterReceivedBytes(40000);
    ConnectClient(client);
    std::string file = Pattern(100000);
    client.Send("mmem:data \"/F0:/Tavix/PICTURE/old.pic\",#6100000" + file + "\r\n");
    std::string rest;
    EXPECT_TRUE(client.ReadUntilClosed(&rest));
    ConnectClient(m_client);
    EXPECT_EQ(m_client.Query("*opc?"), "1");
    EXPECT_EQ(Read("Tavix/PICTURE/old.pic"), "old contents");
    EXPECT_EQ(FilesIn("Tavix/PICTURE"), 1u);
}

TEST_F(BlockTransferTest, UploadAnswersTheBlockThenOneLineEnd) {
    StartSimulator();
    std::string file(123, 'x');
    Write("Tavix/SIGNAL/S.CMP", file + "tail");
    std::string header, data;
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/Tavix/SIGNAL/S.CMP\""));
    ASSERT_TRUE(ReadBlock(m_client, &header, &data));
    EXPECT_EQ(header, "#3127");
    EXPECT_EQ(data, file + "tail");

    // Missing file: an empty line, and the reason in the queue.
    EXPECT_EQ(m_client.Query("mmem:data? \"/F0:/Tavix/SIGNAL/NONE.CMP\""), "");
    EXPECT_EQ(m_client.Query("stat:que:next?"), "-256,\"File name not found\"");

    // A header that disagrees with the listing's size, once.
    m_sim->SetBlockLengthSkew("/F0:/Tavix/SIGNAL/S.CMP", -4);
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/Tavix/SIGNAL/S.CMP\""));
    std::string line;
    ASSERT_TRUE(m_client.ReadLine(&line));
    EXPECT_EQ(line.substr(0, 5), "#3123");
    EXPECT_EQ(line.size(), 5u + 127u);
}

TEST_F(BlockTransferTest, AClientLeavingInTheMiddleOfALargeReplyHarmsNothing) {
    StartSimulator();
    std::string file = Pattern(6 << 20);
    Write("Tavix/PICTURE/BIG.PIC", file);
    TestClient leaving;
    ConnectClient(leaving);
    ASSERT_TRUE(leaving.SendLine("mmem:data? \"/F0:/Tavix/PICTURE/BIG.PIC\""));
    std::string first;
    ASSERT_TRUE(leaving.ReadLine(&first));  // some of it, then away with unread data
    leaving.Close();

    std::string header, data;
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/Tavix/PICTURE/BIG.PIC\""));
    ASSERT_TRUE(ReadBlock(m_client, &header, &data));
    EXPECT_EQ(header, "#7" + std::to_string(file.size()));
    EXPECT_TRUE(data == file);
}

TEST_F(BlockTransferTest, LargeBlocksGoBothWays) {
    quarnsim::Options options = MakeOptions();
    options.memoryCapacity = 1 << 30;
    StartSimulator(options);
    std::string file = Pattern(8 << 20);
    std::string length = std::to_string(file.size());
    ASSERT_TRUE(m_client.Send("mmem:data \"/F0:/Kintor/BIG.PIC\",#" +
                              std::to_string(length.size()) + length));
    for (size_t at = 0; at < file.size(); at += 32768)
        ASSERT_TRUE(m_client.Send(std::string_view(file).substr(at, 32768)));
    ASSERT_TRUE(m_client.Send("\r\n"));
    EXPECT_EQ(m_client.Query("stat:que:next?"), "0,\"No error\"");
    EXPECT_TRUE(Read("Kintor/BIG.PIC") == file);
    std::string header, data;
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/Kintor/BIG.PIC\""));
    ASSERT_TRUE(ReadBlock(m_client, &header, &data));
    EXPECT_TRUE(data == file);
}

TEST_F(BlockTransferTest, SwallowedStalledAndPacedReplies) {
    StartSimulator();
    m_sim->SwallowNextReply();
    ASSERT_TRUE(m_client.SendLine("*idn?"));
    EXPECT_EQ(m_client.Query("*opc?"), "1");  // the first answer never came

    Write("Tavix/LOGO/L.LGO", Pattern(5000));
    m_sim->SetReplyPacing(1000, 1ms);
    std::string header, data;
    ASSERT_TRUE(m_client.SendLine("mmem:data? \"/F0:/Tavix/LOGO/L.LGO\""));
    ASSERT_TRUE(ReadBlock(m_client, &header, &data));
    EXPECT_EQ(data, Pattern(5000));
    m_sim->SetReplyPacing(0, 0ms);

    TestClient stalled;
    ConnectClient(stalled);
    stalled.SetGuardMilliseconds(300);
    m_sim->StallNextReplyAfter(3);
    ASSERT_TRUE(stalled.SendLine("*idn?"));
    std::string line;
    EXPECT_FALSE(stalled.ReadLine(&line));
    ASSERT_TRUE(stalled.SendLine("*opc?"));
    EXPECT_FALSE(stalled.ReadLine(&line));
    stalled.Close();
    EXPECT_EQ(m_client.Query("*opc?"), "1");  // other connections go on
}
