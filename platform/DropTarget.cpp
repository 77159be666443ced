#include "platform/DropTarget.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "platform/BlockingWait.h"
#include "platform/Wnd.h"

namespace platform {

DropData DropData::FromMimeData(const QMimeData* mime) {
    DropData data;
    if (mime == nullptr)
        return data;
    if (mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (!url.isLocalFile())
                continue;
            const QString path = url.toLocalFile();
            if (path.isEmpty())
                continue;
            const QByteArray bytes = QFile::encodeName(path);
            data.files.emplace_back(bytes.constData(), static_cast<size_t>(bytes.size()));
        }
        // Files from elsewhere (a web page's link) are no text drop either.
        data.kind = data.files.empty() ? DropKind::None : DropKind::Files;
        return data;
    }
    if (mime->hasText()) {
        const QByteArray bytes = mime->text().toUtf8();
        data.text.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        data.kind = DropKind::Text;
    }
    return data;
}

DropData DropData::Files(std::vector<std::string> paths) {
    DropData data;
    data.files = std::move(paths);
    data.kind = data.files.empty() ? DropKind::None : DropKind::Files;
    return data;
}

DropData DropData::Text(std::string text) {
    DropData data;
    data.text = std::move(text);
    data.kind = DropKind::Text;
    return data;
}

class CDropTarget::Filter : public QObject {
public:
    Filter(CDropTarget* target, QObject* parent) : QObject(parent), m_target(target) {}
    void Detach() { m_target = nullptr; }

    bool eventFilter(QObject*, QEvent* event) override {
        if (m_target == nullptr)
            return false;
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                const DropData data = DropData::FromMimeData(drag->mimeData());
                const unsigned effect = m_target->DragOver(data, drag->position().toPoint());
                if (effect == DROPEFFECT_NONE) {
                    drag->setDropAction(Qt::IgnoreAction);
                    // An accepted enter keeps the moves coming, so the answer can change with
                    // the position; an ignored move marks this position as no place to drop.
                    if (event->type() == QEvent::DragEnter)
                        drag->accept();
                    else
                        drag->ignore();
                } else {
                    drag->setDropAction(effect == DROPEFFECT_MOVE ? Qt::MoveAction
                                                                  : Qt::CopyAction);
                    drag->accept();
                }
                return true;
            }
            case QEvent::DragLeave:
                m_target->DragLeave();
                return true;
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const DropData data = DropData::FromMimeData(drop->mimeData());
                const bool done = m_target->Drop(data, drop->position().toPoint());
                if (done) {
                    drop->setDropAction(Qt::CopyAction);
                    drop->accept();
                } else {
                    drop->ignore();
                }
                return true;
            }
            default:
                return false;
        }
    }

private:
    CDropTarget* m_target;
};

CDropTarget::CDropTarget() = default;

CDropTarget::~CDropTarget() {
    Revoke();
}

int CDropTarget::Register(CWnd* window, QWidget* area) {
    if (window == nullptr || window->GetWidget() == nullptr)
        return 0;
    Revoke();
    m_window = window;
    m_area = area != nullptr ? area : window->GetWidget();
    m_area->setAcceptDrops(true);
    m_filter = new Filter(this, m_area);
    m_area->installEventFilter(m_filter);
    return 1;
}

void CDropTarget::Revoke() {
    if (Filter* filter = m_filter.data()) {
        filter->Detach();
        if (!m_area.isNull()) {
            m_area->removeEventFilter(filter);
            m_area->setAcceptDrops(false);
        }
        delete filter;
    }
    m_filter.clear();
    m_area.clear();
    m_window = nullptr;
    m_inside = false;
    m_lastEffect = DROPEFFECT_NONE;
}

QPoint CDropTarget::ToWindow(QPoint areaPoint) const {
    QWidget* windowWidget = m_window != nullptr ? m_window->GetWidget() : nullptr;
    if (m_area.isNull() || windowWidget == nullptr || m_area.data() == windowWidget)
        return areaPoint;
    return windowWidget->mapFromGlobal(m_area->mapToGlobal(areaPoint));
}

unsigned CDropTarget::DragOver(const DropData& data, QPoint point) {
    m_inside = true;
    m_lastEffect = DROPEFFECT_NONE;
    // The blocking hook still delivers drag and drop events; a handler that answered here
    // could start a second exchange on a connection that is waiting for its reply.
    if (InBlockingWait())
        return m_lastEffect;
    if (data.kind != DropKind::None && m_dragOver)
        m_lastEffect = m_dragOver(data, ToWindow(point));
    return m_lastEffect;
}

void CDropTarget::DragLeave() {
    if (!m_inside)
        return;
    m_inside = false;
    m_lastEffect = DROPEFFECT_NONE;
    if (m_dragLeave)
        m_dragLeave();
}

bool CDropTarget::Drop(const DropData& data, QPoint point) {
    // The answer for the drop's own position decides, as the last drag-over did on Windows.
    const unsigned effect = DragOver(data, point);
    m_inside = false;
    if (effect == DROPEFFECT_NONE || !m_drop) {
        if (m_dragLeave)
            m_dragLeave();
        return false;
    }
    return m_drop(data, effect, ToWindow(point));
}

unsigned CDropTarget::SimulateDragOver(const DropData& data, QPoint point) {
    if (m_window == nullptr)
        return DROPEFFECT_NONE;
    m_inside = true;
    m_lastEffect = DROPEFFECT_NONE;
    if (InBlockingWait())
        return m_lastEffect;
    if (data.kind != DropKind::None && m_dragOver)
        m_lastEffect = m_dragOver(data, point);
    return m_lastEffect;
}

bool CDropTarget::SimulateDrop(const DropData& data, QPoint point) {
    if (m_window == nullptr)
        return false;
    const unsigned effect = SimulateDragOver(data, point);
    m_inside = false;
    if (effect == DROPEFFECT_NONE || !m_drop) {
        if (m_dragLeave)
            m_dragLeave();
        return false;
    }
    return m_drop(data, effect, point);
}

void CDropTarget::SimulateDragLeave() {
    DragLeave();
}

}  // namespace platform
