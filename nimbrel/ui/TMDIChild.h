// A picture window of the main form: the picture of one view slot over its own status bar.
// The window keeps its own copy of the picture it shows, which is what "save" writes, so the
// slot's bitmap may be replaced or dropped without leaving the window pointing at freed
// pixels. Closing it frees it; the main form hears of it through Closed.
#pragma once

#include <QMdiSubWindow>

#include "platform/Bitmap.h"

class QStatusBar;

namespace nimbrel {

class PictureView;

class TMDIChild : public QMdiSubWindow {
    Q_OBJECT
public:
    TMDIChild(int slot, QWidget* parent = nullptr);

    int Slot() const { return m_slot; }
    // The window's caption for the slot and file ("  BMP View - %s  " and its siblings).
    static QString CaptionFor(int slot, const std::string& path);
    void SetPath(const std::string& path);
    void SetPicture(platform::Bitmap picture);
    const platform::Bitmap& Picture() const { return m_picture; }
    void SetStatus(const QString& text);
    QString Status() const;
    // The picture whole with the status bar below it, up to a size that leaves room for the
    // other windows; the cascade sizes windows by it.
    QSize sizeHint() const override;

signals:
    void Closed(int slot);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int m_slot;
    platform::Bitmap m_picture;
    PictureView* m_image = nullptr;
    QStatusBar* m_status = nullptr;
};

}  // namespace nimbrel
