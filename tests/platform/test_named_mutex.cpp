// The build lock across processes: a child process holds it while the parent is refused, and
// the kernel frees it when the child dies, without any clean-up by the child.
//
// The holder is a fresh run of this test binary: this process has threads (Qt's among them),
// so a forked child may make only async-signal-safe calls until it execs, and taking a lock
// allocates. Every wait of the parent is bounded, and a holder that does not answer is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/NamedMutex.h"
#include "platform/RuntimeDirectory.h"

extern char** environ;

using platform::NamedMutex;

namespace {

constexpr char kChildNameVariable[] = "QUARN_NAMED_MUTEX_CHILD_NAME";
constexpr char kChildFdsVariable[] = "QUARN_NAMED_MUTEX_CHILD_FDS";
constexpr char kChildTest[] = "--gtest_filter=NamedMutexChildProcess.HoldsTheLockUntilReleased";
constexpr int kAnswerTimeoutMs = 20000;
constexpr int kExitTimeoutMs = 10000;

// Lock files of these tests live in a folder of their own, so a Nimbrel or another test
// running at the same time cannot hold one of our names.
class NamedMutexTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        m_hadOld = old != nullptr;
        if (m_hadOld) {
            m_old = old;
        }
        setenv("XDG_RUNTIME_DIR", m_dir.path().toStdString().c_str(), 1);
    }
    void TearDown() override {
        if (m_hadOld) {
            setenv("XDG_RUNTIME_DIR", m_old.c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    }
    std::string Dir() const { return m_dir.path().toStdString(); }

    QTemporaryDir m_dir;
    bool m_hadOld = false;
    std::string m_old;
};

// True when the process ended within timeoutMs; otherwise it is killed and reaped.
bool WaitForExit(pid_t pid, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = ::waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return false;
}

// A child that takes the lock, reports the outcome and holds it until Release (or Kill).
class Holder {
public:
    explicit Holder(const std::string& name) {
        int ready[2];
        int release[2];
        // Close-on-exec, so no other process started meanwhile keeps an end open.
        if (::pipe2(ready, O_CLOEXEC) != 0) {
            return;
        }
        if (::pipe2(release, O_CLOEXEC) != 0) {
            ::close(ready[0]);
            ::close(ready[1]);
            return;
        }
        // Everything the child needs is made before the fork.
        std::string self = "/proc/self/exe";
        std::string filter = kChildTest;
        std::vector<std::string> env;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string text = *entry;
            if (text.rfind(kChildNameVariable, 0) != 0 && text.rfind(kChildFdsVariable, 0) != 0) {
                env.push_back(text);
            }
        }
        env.push_back(std::string(kChildNameVariable) + "=" + name);
        env.push_back(std::string(kChildFdsVariable) + "=" + std::to_string(ready[1]) + "," +
                      std::to_string(release[0]));
        std::vector<char*> argv{self.data(), filter.data(), nullptr};
        std::vector<char*> envp;
        for (std::string& text : env) {
            envp.push_back(text.data());
        }
        envp.push_back(nullptr);

        m_pid = ::fork();
        if (m_pid == 0) {
            ::fcntl(ready[1], F_SETFD, 0);
            ::fcntl(release[0], F_SETFD, 0);
            ::execve(self.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(ready[1]);
        ::close(release[0]);
        if (m_pid < 0) {
            ::close(ready[0]);
            ::close(release[1]);
            return;
        }
        m_ready = ready[0];
        m_release = release[1];
    }
    ~Holder() {
        Release();
        if (m_pid > 0) {
            WaitForExit(m_pid, kExitTimeoutMs);
        }
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    bool Started() const { return m_pid > 0; }
    // '1' holder, '0' refused; 0 when the child did not answer in time (it is then killed).
    char Answer() {
        pollfd ready{m_ready, POLLIN, 0};
        int polled;
        while ((polled = ::poll(&ready, 1, kAnswerTimeoutMs)) < 0 && errno == EINTR) {
        }
        char byte = 0;
        if (polled != 1 || ::read(m_ready, &byte, 1) != 1) {
            Kill();
            return 0;
        }
        return byte;
    }
    // Lets the child go; true when it ended in time.
    bool Release() {
        if (m_release >= 0) {
            ::close(m_release);
            m_release = -1;
        }
        return Reap();
    }
    // Killed, not asked to let go: the kernel alone frees what it held.
    void Kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
        }
        Reap();
    }

private:
    bool Reap() {
        if (m_ready >= 0) {
            ::close(m_ready);
            m_ready = -1;
        }
        if (m_pid <= 0) {
            return true;
        }
        const bool ended = WaitForExit(m_pid, kExitTimeoutMs);
        m_pid = -1;
        return ended;
    }

    pid_t m_pid = -1;
    int m_ready = -1;
    int m_release = -1;
};

}  // namespace

// The holder's side of the tests below; it runs only in a process they start.
TEST(NamedMutexChildProcess, HoldsTheLockUntilReleased) {
    const char* name = std::getenv(kChildNameVariable);
    const char* fds = std::getenv(kChildFdsVariable);
    if (name == nullptr || fds == nullptr) {
        GTEST_SKIP() << "runs only as the holder process of the lock tests";
    }
    char* rest = nullptr;
    const int ready = static_cast<int>(std::strtol(fds, &rest, 10));
    const int release = static_cast<int>(std::strtol(rest + 1, nullptr, 10));
    NamedMutex mutex(name);
    const char result = mutex.TryLock() ? '1' : '0';
    if (::write(ready, &result, 1) != 1) {
        ::_exit(2);
    }
    // Until the parent closes its end or goes away; a minute at most, so no orphan lingers.
    pollfd wait{release, POLLIN, 0};
    while (::poll(&wait, 1, 60000) < 0 && errno == EINTR) {
    }
    ::_exit(0);
}

TEST_F(NamedMutexTest, AnotherProcessHoldingTheLockRefusesUntilItDies) {
    Holder child("Nimbrel");
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.Answer(), '1');

    NamedMutex mine("Nimbrel");
    EXPECT_EQ(mine.TryLock(), 0);
    EXPECT_FALSE(mine.IsLocked());

    child.Kill();
    EXPECT_EQ(mine.TryLock(), 1);
    EXPECT_TRUE(mine.IsLocked());
}

TEST_F(NamedMutexTest, ChildIsRefusedWhileWeHoldAndFreeAfterUnlock) {
    NamedMutex mine("Nimbrel");
    ASSERT_EQ(mine.TryLock(), 1);
    EXPECT_EQ(mine.TryLock(), 1) << "taking it again while held is not a second holder";

    {
        Holder refused("Nimbrel");
        ASSERT_TRUE(refused.Started());
        EXPECT_EQ(refused.Answer(), '0');
        EXPECT_TRUE(refused.Release());
    }

    mine.Unlock();
    Holder holder("Nimbrel");
    ASSERT_TRUE(holder.Started());
    EXPECT_EQ(holder.Answer(), '1');
    EXPECT_TRUE(holder.Release());
}

TEST_F(NamedMutexTest, SecondObjectInTheSameProcessIsAnotherHolderAndTheObjectsEndReleases) {
    {
        NamedMutex first("quarn-test");
        ASSERT_EQ(first.TryLock(), 1);
        NamedMutex second("quarn-test");
        EXPECT_EQ(second.TryLock(), 0);
        NamedMutex other("quarn-test-2");
        EXPECT_EQ(other.TryLock(), 1) << "names are independent";
    }
    NamedMutex again("quarn-test");
    EXPECT_EQ(again.TryLock(), 1);
}

TEST_F(NamedMutexTest, NamesCannotLeaveTheLockFolder) {
    EXPECT_EQ(NamedMutex::LockDirectory(), Dir());
    EXPECT_EQ(NamedMutex::LockPathFor("Nimbrel"), Dir() + "/Nimbrel.lock");
    EXPECT_EQ(NamedMutex::LockPathFor("../../etc/x"), Dir() + "/.._.._etc_x.lock");
    EXPECT_EQ(NamedMutex::LockPathFor(""), Dir() + "/_.lock");
    EXPECT_EQ(NamedMutex::LockPathFor(".."), Dir() + "/_.lock");
    EXPECT_EQ(NamedMutex::LockPathFor("a b\n"), Dir() + "/a_b_.lock");

    NamedMutex hostile("../../x");
    ASSERT_EQ(hostile.TryLock(), 1);
    EXPECT_EQ(hostile.LockPath().rfind(Dir() + "/", 0), 0u);
}

TEST_F(NamedMutexTest, UnusableRuntimeFolderFallsBackToTmpPerUser) {
    setenv("XDG_RUNTIME_DIR", "relative/dir", 1);
    EXPECT_EQ(NamedMutex::LockDirectory(), "/tmp");
    EXPECT_EQ(NamedMutex::LockPathFor("N"), "/tmp/N." + std::to_string(::getuid()) + ".lock");
    setenv("XDG_RUNTIME_DIR", (Dir() + "/missing").c_str(), 1);
    EXPECT_EQ(NamedMutex::LockDirectory(), "/tmp");
}

TEST_F(NamedMutexTest, PlantedLinkIsNotFollowed) {
    const std::string victim = Dir() + "/victim";
    ASSERT_EQ(::symlink(victim.c_str(), (Dir() + "/Trap.lock").c_str()), 0);
    NamedMutex trap("Trap");
    EXPECT_EQ(trap.TryLock(), 0);
    EXPECT_NE(::access(victim.c_str(), F_OK), 0) << "the link's target must not be created";
}

// Started without XDG_RUNTIME_DIR a program takes a folder of this user's own, private as a
// runtime folder must be, and its locks live there; the same user always gets the same one.
TEST_F(NamedMutexTest, WithoutARuntimeFolderThePrivateOneOfTheUserIsTaken) {
    const std::string folder = Dir() + "/quarn-runtime-" + std::to_string(::getuid());
    const std::string elsewhere = Dir() + "/elsewhere";
    ASSERT_EQ(::mkdir(elsewhere.c_str(), 0700), 0);
    struct Case {
        const char* name;
        std::function<void()> prepare;
        bool taken;
    };
    const Case cases[] = {
        {"no folder yet", [] {}, true},
        {"the same folder again", [] {}, true},
        {"one of ours left open to others", [&] { ASSERT_EQ(::chmod(folder.c_str(), 0755), 0); },
         true},
        {"a link planted under its name",
         [&] {
             ASSERT_EQ(::rmdir(folder.c_str()), 0);
             ASSERT_EQ(::symlink(elsewhere.c_str(), folder.c_str()), 0);
         },
         false},
    };
    for (const Case& c : cases) {
        c.prepare();
        unsetenv("XDG_RUNTIME_DIR");
        const std::string taken = platform::EnsureRuntimeDirectory(Dir());
        const char* variable = std::getenv("XDG_RUNTIME_DIR");
        if (!c.taken) {
            EXPECT_EQ(taken, "") << c.name;
            EXPECT_EQ(variable, nullptr) << c.name;
            continue;
        }
        EXPECT_EQ(taken, folder) << c.name;
        ASSERT_NE(variable, nullptr) << c.name;
        EXPECT_EQ(std::string(variable), folder) << c.name;
        struct stat info {};
        ASSERT_EQ(::lstat(folder.c_str(), &info), 0) << c.name;
        EXPECT_TRUE(S_ISDIR(info.st_mode)) << c.name;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << c.name;
        EXPECT_EQ(info.st_uid, ::getuid()) << c.name;
        EXPECT_EQ(NamedMutex::LockPathFor("Stowen"), folder + "/Stowen.lock") << c.name;
    }
    // A runtime folder the environment already names is kept.
    setenv("XDG_RUNTIME_DIR", elsewhere.c_str(), 1);
    EXPECT_EQ(platform::EnsureRuntimeDirectory(Dir()), elsewhere);
    EXPECT_EQ(std::string(std::getenv("XDG_RUNTIME_DIR")), elsewhere);
}
