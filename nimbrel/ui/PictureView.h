// The picture of a view window, drawn as it is. A label would draw its picture the way the
// style shows a disabled icon while the main form is disabled behind a modal window (the tool,
// the progress form), and every picture would turn grey though nothing about it changed.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace nimbrel {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    // Takes the picture and sizes the view to it.
    void SetPixmap(const QPixmap& pixmap);
    const QPixmap& Pixmap() const { return m_pixmap; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
};

}  // namespace nimbrel
