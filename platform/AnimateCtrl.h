// CAnimateCtrl: plays an animation the program draws itself in a dialog's animation control.
//
// The programs have no video clips to show: each draws the frames of its own picture. What
// every such animation shares lives here: the timer, the frame number that wraps round to the
// first frame, and a fresh transparent picture of the control's current size for each frame.
// The control is the label a dialog template's animation item becomes (ControlsHost); the
// object belongs to it and goes with it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <functional>

class QLabel;
class QPainter;
class QTimer;

namespace platform {

class CAnimateCtrl : public QObject {
public:
    // Paints frame `frame` (0 .. frames - 1) of `frames` on a transparent picture of `size`,
    // with antialiasing on.
    using FramePainter = std::function<void(QPainter& painter, QSize size, int frame, int frames)>;

    // What a program plays: the animation resource id it answers to, how many frames, how long
    // each stays up, and how to paint one.
    struct Clip {
        int id = 0;
        int frames = 1;
        int intervalMs = 100;
        FramePainter paint;
    };

    CAnimateCtrl(QLabel* label, Clip clip);
    // Starts playing from the first frame; false when `id` is not the clip's or the control is
    // gone.
    bool Open(int id);
    void Stop();

private:
    void Draw();

    QPointer<QLabel> m_label;
    Clip m_clip;
    QTimer* m_timer;
    int m_frame = 0;
};

}  // namespace platform
