// The build lock across processes: a child process holds it while the parent is refused, and
// the kernel frees it when the child dies, without any clean-up by the child.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/NamedMutex.h"

using platform::NamedMutex;

namespace {

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

// A child that takes the lock, reports the outcome on `ready` and holds it until `release`
// closes (or the test ends it with a signal).
pid_t StartHolder(const std::string& name, int& readyRead, int& releaseWrite) {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        NamedMutex mutex(name);
        const char result = mutex.TryLock() ? '1' : '0';
        if (::write(ready[1], &result, 1) != 1) {
            ::_exit(2);
        }
        char byte;
        while (::read(release[0], &byte, 1) < 0 && errno == EINTR) {
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    readyRead = ready[0];
    releaseWrite = release[1];
    return pid;
}

char ReadByte(int fd) {
    char byte = 0;
    while (::read(fd, &byte, 1) < 0 && errno == EINTR) {
    }
    return byte;
}

}  // namespace

TEST_F(NamedMutexTest, AnotherProcessHoldingTheLockRefusesUntilItDies) {
    int ready = -1;
    int release = -1;
    const pid_t child = StartHolder("Nimbrel", ready, release);
    ASSERT_GT(child, 0);
    ASSERT_EQ(ReadByte(ready), '1');

    NamedMutex mine("Nimbrel");
    EXPECT_EQ(mine.TryLock(), 0);
    EXPECT_FALSE(mine.IsLocked());

    // Killed, not asked to let go: the kernel alone must free the lock.
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(ready);
    ::close(release);
    EXPECT_EQ(mine.TryLock(), 1);
    EXPECT_TRUE(mine.IsLocked());
}

TEST_F(NamedMutexTest, ChildIsRefusedWhileWeHoldAndFreeAfterUnlock) {
    NamedMutex mine("Nimbrel");
    ASSERT_EQ(mine.TryLock(), 1);
    EXPECT_EQ(mine.TryLock(), 1) << "taking it again while held is not a second holder";

    int ready = -1;
    int release = -1;
    pid_t child = StartHolder("Nimbrel", ready, release);
    ASSERT_GT(child, 0);
    EXPECT_EQ(ReadByte(ready), '0');
    ::close(release);
    ::waitpid(child, nullptr, 0);
    ::close(ready);

    mine.Unlock();
    child = StartHolder("Nimbrel", ready, release);
    ASSERT_GT(child, 0);
    EXPECT_EQ(ReadByte(ready), '1');
    ::close(release);
    ::waitpid(child, nullptr, 0);
    ::close(ready);
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
