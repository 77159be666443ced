// The build lock across processes: a child process holds it while the parent is refused, and
// the kernel frees it when the child dies, without any clean-up by the child.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "platform/NamedMutex.h"
#include "tests/support/LockHolderProcess.h"

using platform::NamedMutex;

namespace {

constexpr char kChildNameVariable[] = "QUARN_NAMED_MUTEX_CHILD_NAME";
constexpr char kHolderTest[] = "NamedMutexChildProcess.HoldsTheLockUntilReleased";

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

// A holder of the lock `name` in another process.
class Holder : public testsupport::LockHolderProcess {
public:
    explicit Holder(const std::string& name)
        : LockHolderProcess(kHolderTest, {std::string(kChildNameVariable) + "=" + name}) {}
};

}  // namespace

// The holder's side of the tests below; it runs only in a process they start.
TEST(NamedMutexChildProcess, HoldsTheLockUntilReleased) {
    const char* name = std::getenv(kChildNameVariable);
    if (name == nullptr || !testsupport::IsLockHolderProcess()) {
        GTEST_SKIP() << "runs only as the holder process of the lock tests";
    }
    NamedMutex mutex(name);
    testsupport::HoldLock(mutex.TryLock() != 0);
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
