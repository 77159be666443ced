// CCopyAnimation: the moving picture of Mirrak's progress dialog (a sheet travelling from one
// instrument to the other), drawn by the program and played in the animation control's label.
#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QTimer;

namespace mirrak {

class CCopyAnimation : public QObject {
public:
    explicit CCopyAnimation(QLabel* label);
    // Starts playing the animation resource `id`; false when there is no such animation.
    bool Open(int id);
    void Stop();
    int Frame() const { return m_frame; }
    static constexpr int kFrames = 20;

private:
    void Draw();

    QPointer<QLabel> m_label;
    QTimer* m_timer;
    int m_frame = 0;
};

}  // namespace mirrak
