// Drops that arrive while the user-interface thread waits in a blocking socket call: the wait
// still delivers drag and drop events, so the target itself must refuse them, or a program's
// drop handler would start a second exchange on the connection that is waiting.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <chrono>
#include <thread>

#include "platform/BlockingWait.h"
#include "platform/DropTarget.h"
#include "platform/Socket.h"
#include "platform/Wnd.h"
#include "tests/platform/test_socket_peer.h"

namespace platform {
namespace {

class DropWnd : public CWnd {
public:
    DropWnd() {
        AttachWidget(new QWidget);
        GetWidget()->resize(200, 200);
        target.Register(this);
        target.SetDragOverHandler([this](const DropData&, QPoint) -> unsigned {
            ++asked;
            return DROPEFFECT_COPY;
        });
        target.SetDropHandler([this](const DropData&, unsigned, QPoint) {
            ++dropped;
            droppedDuringWait = droppedDuringWait || InBlockingWait();
            return true;
        });
    }
    ~DropWnd() override { target.Revoke(); }

    CDropTarget target;
    int asked = 0;
    int dropped = 0;
    bool droppedDuringWait = false;
};

TEST(DropTarget, DropsDuringABlockingWaitAreRefusedWithoutAskingTheProgram) {
    platform_test::SlowExchange wait("127.0.44.1");
    ASSERT_TRUE(wait.Connected());
    DropWnd wnd;
    const DropData files = DropData::Files({"/tmp/A.PIC"});
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/A.PIC")});

    bool ran = false;
    unsigned simulatedOver = DROPEFFECT_COPY;
    bool simulatedDrop = true;
    bool realMoveAccepted = true;
    bool realDropAccepted = true;
    QTimer::singleShot(20, [&] {
        ran = true;
        simulatedOver = wnd.target.SimulateDragOver(files, QPoint(10, 10));
        simulatedDrop = wnd.target.SimulateDrop(files, QPoint(10, 10));
        // The window system's own events, as the blocking hook delivers them.
        QWidget* area = wnd.GetWidget();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        QDragMoveEvent move(QPoint(12, 12), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
        realMoveAccepted = move.isAccepted() && move.dropAction() != Qt::IgnoreAction;
        QDropEvent drop(QPointF(12, 12), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &drop);
        realDropAccepted = drop.isAccepted();
    });
    ASSERT_TRUE(wait.Wait());
    ASSERT_TRUE(ran) << "the timer did not fire during the wait";
    EXPECT_EQ(simulatedOver, DROPEFFECT_NONE);
    EXPECT_FALSE(simulatedDrop);
    EXPECT_FALSE(realMoveAccepted);
    EXPECT_FALSE(realDropAccepted);
    EXPECT_EQ(wnd.asked, 0);
    EXPECT_EQ(wnd.dropped, 0);
    EXPECT_FALSE(wnd.droppedDuringWait);

    // Once the wait is over the same drop is taken.
    EXPECT_EQ(wnd.target.SimulateDragOver(files, QPoint(10, 10)), DROPEFFECT_COPY);
    EXPECT_TRUE(wnd.target.SimulateDrop(files, QPoint(10, 10)));
    EXPECT_EQ(wnd.dropped, 1);
}

}  // namespace
}  // namespace platform
