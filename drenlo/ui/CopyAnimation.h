// CCopyAnimation: the moving picture of the copy progress dialog (a sheet flying from one
// folder to the other), drawn by the program itself and played in a label by a timer.
#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QTimer;

namespace drenlo {

class CCopyAnimation : public QObject {
public:
    explicit CCopyAnimation(QLabel* label);
    // Starts playing the animation resource `id`; false when there is no such animation.
    bool Open(int id);
    void Stop();
    int Frame() const { return m_frame; }
    static constexpr int kFrames = 16;

private:
    void Draw();

    QPointer<QLabel> m_label;
    QTimer* m_timer;
    int m_frame = 0;
};

}  // namespace drenlo
