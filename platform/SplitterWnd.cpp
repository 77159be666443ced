#include "platform/SplitterWnd.h"

#include <QApplication>
#include <QMainWindow>
#include <QSplitter>

#include "platform/Document.h"
#include "platform/FrameWnd.h"
#include "platform/View.h"

namespace platform {

CSplitterWnd::CSplitterWnd() = default;

CSplitterWnd::~CSplitterWnd() {
    if (m_frame != nullptr) {
        for (auto& view : m_views)
            if (view && m_frame->GetActiveView() == view.get())
                m_frame->SetActiveView(nullptr);
    }
    // The views go before the widgets they sit in; then the splitter's widget, whose focus
    // connection calls back here, unless the frame's window took it already.
    m_views.clear();
    if (QWidget* w = GetWidget())
        delete w;
}

QSplitter* CSplitterWnd::Splitter() const {
    return qobject_cast<QSplitter*>(GetWidget());
}

int CSplitterWnd::CreateStatic(CFrameWnd* frame, int rows, int columns) {
    if (frame == nullptr || frame->Window() == nullptr || GetWidget() != nullptr)
        return 0;
    if (rows < 1 || columns < 1 || (rows > 1 && columns > 1))
        return 0;
    m_frame = frame;
    m_rows = rows;
    m_columns = columns;
    const int panes = rows * columns;
    m_views.resize(static_cast<size_t>(panes));
    m_ideal.assign(static_cast<size_t>(panes), 0);
    m_minimum.assign(static_cast<size_t>(panes), 0);
    auto* splitter = new QSplitter(rows > 1 ? Qt::Vertical : Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(4);
    AttachWidget(splitter);
    frame->Window()->setCentralWidget(splitter);
    // A click anywhere into a pane makes its view the active one.
    QObject::connect(qApp, &QApplication::focusChanged, splitter, [this](QWidget*, QWidget* now) {
        for (QWidget* w = now; w != nullptr; w = w->parentWidget()) {
            for (auto& view : m_views)
                if (view && view->GetWidget() == w) {
                    Activate(view.get());
                    return;
                }
        }
    });
    return 1;
}

int CSplitterWnd::PaneIndex(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return -1;
    return m_rows > 1 ? row : column;
}

int CSplitterWnd::CreateView(int row, int column, std::unique_ptr<CView> view, QSize size,
                             CDocument* document) {
    const int index = PaneIndex(row, column);
    QSplitter* splitter = Splitter();
    if (index < 0 || splitter == nullptr || !view || m_views[static_cast<size_t>(index)])
        return 0;
    if (document != nullptr)
        document->AddView(view.get());
    if (!view->Create(splitter)) {
        if (view->GetWidget() != nullptr)
            view->DestroyWindow();
        if (document != nullptr)
            document->RemoveView(view.get());
        return 0;
    }
    splitter->insertWidget(std::min(index, splitter->count()), view->GetWidget());
    m_ideal[static_cast<size_t>(index)] = m_rows > 1 ? size.height() : size.width();
    m_views[static_cast<size_t>(index)] = std::move(view);
    // When the frame is resized only the last pane changes, as with the framework's splitter.
    for (int i = 0; i < splitter->count(); ++i)
        splitter->setStretchFactor(i, i == splitter->count() - 1 ? 1 : 0);
    RecalcLayout();
    return 1;
}

CView* CSplitterWnd::GetPane(int row, int column) const {
    const int index = PaneIndex(row, column);
    return index < 0 ? nullptr : m_views[static_cast<size_t>(index)].get();
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum) {
    if (m_rows != 1 || column < 0 || column >= m_columns)
        return;
    m_ideal[static_cast<size_t>(column)] = std::max(0, ideal);
    m_minimum[static_cast<size_t>(column)] = std::max(0, minimum);
}

void CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const {
    current = 0;
    minimum = 0;
    if (m_rows != 1 || column < 0 || column >= m_columns)
        return;
    minimum = m_minimum[static_cast<size_t>(column)];
    current = m_ideal[static_cast<size_t>(column)];
    QSplitter* splitter = Splitter();
    const CView* view = m_views[static_cast<size_t>(column)].get();
    if (splitter != nullptr && splitter->isVisible() && view != nullptr &&
        view->GetWidget() != nullptr)
        current = view->GetWidget()->width();
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
    if (m_columns != 1 || row < 0 || row >= m_rows)
        return;
    m_ideal[static_cast<size_t>(row)] = std::max(0, ideal);
    m_minimum[static_cast<size_t>(row)] = std::max(0, minimum);
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
    current = 0;
    minimum = 0;
    if (m_columns != 1 || row < 0 || row >= m_rows)
        return;
    minimum = m_minimum[static_cast<size_t>(row)];
    current = m_ideal[static_cast<size_t>(row)];
    QSplitter* splitter = Splitter();
    const CView* view = m_views[static_cast<size_t>(row)].get();
    if (splitter != nullptr && splitter->isVisible() && view != nullptr &&
        view->GetWidget() != nullptr)
        current = view->GetWidget()->height();
}

void CSplitterWnd::RecalcLayout() {
    QSplitter* splitter = Splitter();
    if (splitter == nullptr)
        return;
    const int panes = static_cast<int>(m_views.size());
    const int total = m_rows > 1 ? splitter->height() : splitter->width();
    QList<int> sizes;
    int used = 0;
    for (int i = 0; i < panes; ++i) {
        if (!m_views[static_cast<size_t>(i)])
            continue;
        const int ideal = m_ideal[static_cast<size_t>(i)];
        if (i == panes - 1) {
            // The last pane takes what is left.
            sizes.push_back(std::max(total - used, std::max(ideal, 1)));
        } else {
            sizes.push_back(ideal);
            used += ideal + splitter->handleWidth();
        }
        if (QWidget* w = m_views[static_cast<size_t>(i)]->GetWidget()) {
            const int minimum = m_minimum[static_cast<size_t>(i)];
            if (m_rows > 1)
                w->setMinimumHeight(minimum);
            else
                w->setMinimumWidth(minimum);
        }
    }
    splitter->setSizes(sizes);
}

void CSplitterWnd::SetActivePane(int row, int column) {
    if (CView* view = GetPane(row, column)) {
        Activate(view);
        if (QWidget* w = view->GetWidget())
            w->setFocus();
    }
}

void CSplitterWnd::Activate(CView* view) {
    if (m_frame != nullptr && m_frame->GetActiveView() != view)
        m_frame->SetActiveView(view);
}

}  // namespace platform
