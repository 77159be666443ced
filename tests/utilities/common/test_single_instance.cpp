// The single-instance guard across two processes: this test binary runs itself twice more,
// once as the running program and once as a second start, and the three talk through files
// in a folder of their own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "SkeletonFixture.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "utilities/common/UtilityApp.h"

namespace utilities::testing {
namespace {

constexpr char kModeVariable[] = "QUARN_UTILITY_CHILD";
constexpr char kDirVariable[] = "QUARN_UTILITY_DIR";
constexpr char kNameVariable[] = "QUARN_UTILITY_NAME";

std::string ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

// Appends text to the file. The other process reads a file as soon as it exists, so the file
// appears (or changes) whole: written aside, then renamed over.
void WriteText(const QString& path, const std::string& text) {
    const std::string before = QFile::exists(path) ? ReadText(path) : std::string();
    const QString part = path + ".part";
    {
        QFile file(part);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write((before + text).c_str());
    }
    std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData());
}

std::unique_ptr<CUtilityApp> MakeApp(const std::string& name) {
    return std::make_unique<CUtilityApp>(TestTraits(name), [](CUtilityApp& owner) {
        return std::make_unique<TestMainDlg>(owner.Traits());
    });
}

// The running program: it waits in its main dialog until a raise request has come, notes
// what its dialog showed then, and once the test releases it changes the address and closes
// with OK.
void RunHolder(const QString& dir, const std::string& name) {
    std::unique_ptr<CUtilityApp> app = MakeApp(name);
    platform::SetModalDialogHook([&](platform::CDialog& dialog) {
        auto& main = static_cast<TestMainDlg&>(dialog);
        WriteText(dir + "/ready", "1");
        // Waits, with the event loop running, until the condition holds (or 30 s pass).
        auto wait_until = [](const std::function<bool()>& condition) {
            QEventLoop loop;
            QTimer poll;
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (condition() || std::chrono::steady_clock::now() > give_up)
                    loop.quit();
            });
            poll.start(20);
            loop.exec();
        };
        wait_until([&] { return app->RaiseRequests() > 0; });
        WriteText(dir + "/raised", std::to_string(app->RaiseRequests()) + " " +
                                       main.AddressControlText(IDC_TEST_ADDRESS) + " " +
                                       (dialog.GetWidget()->isVisible() ? "visible" : "hidden"));
        // Stays open until the test has looked at the settings the second start left.
        wait_until([&] { return QFile::exists(dir + "/release"); });
        main.TypeIpAddress(IDC_TEST_ADDRESS, "10.20.30.40");
        main.ClickButton(platform::IDOK);
    });
    WriteText(dir + "/holder-exit", std::to_string(app->Run()));
    platform::SetModalDialogHook({});
}

// The second start: every box is noted and answered OK; a main dialog must never open.
void RunSecond(const QString& dir, const std::string& name) {
    std::unique_ptr<CUtilityApp> app = MakeApp(name);
    platform::SetMessageBoxAnswerer([&](const platform::MessageBoxRecord& record) {
        WriteText(dir + "/boxes", record.text + "|");
        return platform::IDOK;
    });
    platform::SetModalDialogHook(
        [&](platform::CDialog&) { WriteText(dir + "/second-dialog", "opened"); });
    app->SetSettings("6.6.6.6", "/second");
    WriteText(dir + "/second-exit", std::to_string(app->Run()));
    platform::SetModalDialogHook({});
    platform::SetMessageBoxAnswerer({});
}

TEST(UtilityChildProcess, Run) {
    const char* mode = std::getenv(kModeVariable);
    if (mode == nullptr)
        GTEST_SKIP() << "started only by UtilitySingleInstance";
    const QString dir = QString::fromLocal8Bit(std::getenv(kDirVariable));
    const std::string name = std::getenv(kNameVariable);
    platform::Profile::SetRootForTests((dir + "/profile").toStdString());
    if (std::string(mode) == "holder") {
        RunHolder(dir, name);
    } else {
        RunSecond(dir, name);
    }
}

class UtilitySingleInstance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_name = "UtilPair" + std::to_string(::getpid());
    }
    void TearDown() override {
        for (QProcess* process : {&m_holder, &m_second}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    void Launch(QProcess& process, const char* mode) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kModeVariable, mode);
        environment.insert(kDirVariable, m_dir.path());
        environment.insert(kNameVariable, QString::fromStdString(m_name));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QCoreApplication::applicationFilePath(),
                      {"--gtest_filter=UtilityChildProcess.Run"});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    bool WaitForFile(const QString& file, QProcess& process) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < end) {
            if (QFile::exists(m_dir.path() + "/" + file))
                return true;
            if (process.state() == QProcess::NotRunning)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::string Setting(const char* key) const {
        QSettings settings(
            m_dir.path() + "/profile/Harnoq/" + QString::fromStdString(m_name) + ".conf",
            QSettings::IniFormat);
        return settings.value(QString("Settings/") + key).toString().toStdString();
    }

    std::string File(const char* name) const { return ReadText(m_dir.path() + "/" + name); }

    QTemporaryDir m_dir;
    std::string m_name;
    QProcess m_holder;
    QProcess m_second;
};

TEST_F(UtilitySingleInstance, ASecondStartIsRefusedRaisesTheFirstAndWritesNothing) {
    {
        platform::Profile::SetRootForTests((m_dir.path() + "/profile").toStdString());
        platform::Profile profile("Harnoq", m_name);
        profile.WriteString("Settings", "IPAddress", "10.0.0.5");
        profile.WriteString("Settings", "SourcePath", "/seed");
        platform::Profile::SetRootForTests("");
    }
    Launch(m_holder, "holder");
    ASSERT_TRUE(WaitForFile("ready", m_holder));

    Launch(m_second, "second");
    ASSERT_TRUE(m_second.waitForFinished(30000));
    EXPECT_EQ(File("second-exit"), std::to_string(CUtilityApp::kExitRefused));
    EXPECT_EQ(File("boxes"), TestTraits(m_name).RefusalText() + "|");
    EXPECT_EQ(File("second-dialog"), "<none>");
    // The refused start wrote nothing over the running program's values.
    EXPECT_EQ(Setting("IPAddress"), "10.0.0.5");
    EXPECT_EQ(Setting("SourcePath"), "/seed");
    // The running program got exactly the one request, with its dialog as it was.
    ASSERT_TRUE(WaitForFile("raised", m_holder));
    EXPECT_EQ(File("raised"), "1 10.0.0.5 visible");
    EXPECT_EQ(m_holder.state(), QProcess::Running);

    WriteText(m_dir.path() + "/release", "1");
    ASSERT_TRUE(m_holder.waitForFinished(30000));
    EXPECT_EQ(File("holder-exit"), std::to_string(CUtilityApp::kExitNormal));
    EXPECT_EQ(Setting("IPAddress"), "10.20.30.40");
    EXPECT_EQ(Setting("SourcePath"), "/seed");
}

}  // namespace
}  // namespace utilities::testing
