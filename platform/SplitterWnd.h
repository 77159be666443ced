// CSplitterWnd: a static splitter, panes side by side (or stacked), each holding one view.
//
// CreateStatic puts the splitter into the frame's client area. CreateView makes a view
// (CView::Create) in a pane and adds it to the document; the splitter owns the views. The
// operator drags the bar between panes; GetColumnInfo reads the current widths back, so a
// program can keep them in its settings. Before the window is shown, the widths read back
// are the ideal widths set last (SetColumnInfo or CreateView's size).
//
// Clicking into a pane makes its view the frame's active view (the command route starts
// there); SetActivePane does the same from the program.
#pragma once

#include <QSize>
#include <memory>
#include <vector>

#include "platform/Wnd.h"

class QSplitter;

namespace platform {

class CDocument;
class CFrameWnd;
class CView;

class CSplitterWnd : public CWnd {
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // rows x columns; one of them must be 1 (the programs use 1 x 2). The splitter becomes
    // the frame's central widget. 1/0.
    int CreateStatic(CFrameWnd* frame, int rows, int columns);
    // Creates `view` in the pane; `size` is its ideal size (width for columns, height for
    // rows; the last pane takes the rest whatever its size). 1/0; on failure the view is
    // destroyed.
    int CreateView(int row, int column, std::unique_ptr<CView> view, QSize size,
                   CDocument* document);

    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    CView* GetPane(int row, int column) const;
    // Pane ids as the framework numbered them (AFX_IDW_PANE_FIRST + row * 16 + column).
    int IdFromRowCol(int row, int column) const { return 0xE900 + row * 16 + column; }

    void SetColumnInfo(int column, int ideal, int minimum);
    void GetColumnInfo(int column, int& current, int& minimum) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    // Applies the ideal sizes to the panes.
    void RecalcLayout();

    void SetActivePane(int row, int column);
    QSplitter* Splitter() const;

private:
    int PaneIndex(int row, int column) const;
    void Activate(CView* view);

    CFrameWnd* m_frame = nullptr;
    int m_rows = 0;
    int m_columns = 0;
    std::vector<std::unique_ptr<CView>> m_views;
    std::vector<int> m_ideal;
    std::vector<int> m_minimum;
};

}  // namespace platform
