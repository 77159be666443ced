#include "corvane/modules/common/ModuleView.h"

#include <utility>

#include "corvane/modules/common/ModuleDoc.h"
#include "platform/Controls.h"
#include "platform/MdiChildWnd.h"
#include "platform/MessageBox.h"
#include "resources/corvane/ModuleForms.h"

namespace corvane {

CModuleView::CModuleView(const platform::DialogTemplate& formTemplate)
    : platform::CFormView(formTemplate) {}

// The pages are members of the model's view and are gone by now; each took its window along.
CModuleView::~CModuleView() = default;

CModuleDoc* CModuleView::GetModuleDoc() const {
    return dynamic_cast<CModuleDoc*>(GetDocument());
}

platform::CDialog* CModuleView::Page(int index) const {
    if (index < 0 || index >= PageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)].page;
}

int CModuleView::ShownPage() const {
    for (int i = 0; i < PageCount(); ++i) {
        platform::CDialog* page = Page(i);
        if (page->IsWindow() && page->GetWidget()->isVisibleTo(GetWidget()))
            return i;
    }
    return -1;
}

void CModuleView::AddPage(platform::CDialog* page, const std::string& tabText) {
    m_pages.push_back({page, tabText});
}

void CModuleView::BindChannelMessage(const ChannelMessage& message,
                                     std::function<void(int channel, int value)> take) {
    OnMessage(message.number,
              [message, take = std::move(take)](platform::WPARAM wParam, platform::LPARAM lParam) {
                  int channel = 0;
                  int value = 0;
                  message.Unpack(wParam, lParam, channel, value);
                  take(channel, value);
                  return platform::LRESULT{0};
              });
}

void CModuleView::BindTextMessage(platform::UINT number,
                                  std::function<void(int index, const std::string& text)> take) {
    OnMessage(number, [take = std::move(take)](platform::WPARAM wParam, platform::LPARAM lParam) {
        if (const auto* text = reinterpret_cast<const char*>(lParam))
            take(static_cast<int>(static_cast<platform::LPARAM>(wParam)), std::string(text));
        return platform::LRESULT{0};
    });
}

void CModuleView::BindDoubleMessage(platform::UINT number, std::function<void(double value)> take) {
    OnMessage(number, [take = std::move(take)](platform::WPARAM, platform::LPARAM lParam) {
        if (const auto* value = reinterpret_cast<const double*>(lParam))
            take(*value);
        return platform::LRESULT{0};
    });
}

void CModuleView::OnInitialUpdate() {
    platform::CFormView::OnInitialUpdate();
    if (platform::CMDIChildWnd* frame = GetParentFrame())
        frame->SetFixedFrame();
    ResizeParentToFit();

    for (int i = 0; i < PageCount(); ++i)
        InsertTabItem(IDC_MODULE_TAB, i, m_pages[static_cast<size_t>(i)].tabText);
    const QRect area = GetTabDisplayRect(IDC_MODULE_TAB);
    PushPageValues();
    for (const PageEntry& entry : m_pages) {
        entry.page->Create(this);
        if (!entry.page->IsWindow())
            continue;
        // Over the tab's display area, whatever the font made of the template's position.
        entry.page->MoveWindow(area.x(), area.y(), area.width(), area.height());
        entry.page->GetWidget()->raise();
    }
    SetTabCurSel(IDC_MODULE_TAB, 0);
    ShowPage(0);

    OnInitialUpdateForm();
    GotoDlgCtrl(IDC_MODULE_OK);
    UpdateData(platform::FALSE);
}

void CModuleView::OnUpdate(platform::CView*, platform::LPARAM, void*) {
    if (CModuleDoc* doc = GetModuleDoc())
        EnableDlgItem(IDC_MODULE_APPLY, doc->IsModified());
}

void CModuleView::ShowPage(int index) {
    for (const PageEntry& entry : m_pages)
        if (entry.page->IsWindow())
            entry.page->ShowWindow(false);
    if (platform::CDialog* page = Page(index); page != nullptr && page->IsWindow())
        page->ShowWindow(true);
}

void CModuleView::DestroyPages() {
    for (const PageEntry& entry : m_pages)
        if (entry.page->IsWindow())
            entry.page->DestroyWindow();
}

platform::BOOL CModuleView::OnNotify(int id, int code, void* data, platform::LRESULT* result) {
    if (id == IDC_MODULE_TAB && code == platform::TCN_SELCHANGE) {
        ShowPage(GetTabCurSel(IDC_MODULE_TAB));
        if (result != nullptr)
            *result = 0;
        return platform::TRUE;
    }
    return platform::CFormView::OnNotify(id, code, data, result);
}

platform::BOOL CModuleView::OnCommand(int id, int code) {
    if (code == platform::BN_CLICKED) {
        switch (id) {
            case IDC_MODULE_OK:
                OnOk();
                return platform::TRUE;
            case IDC_MODULE_CANCEL:
                OnCancelButton();
                return platform::TRUE;
            case IDC_MODULE_APPLY:
                if (CModuleDoc* doc = GetModuleDoc())
                    doc->Apply();
                OnApplied();
                return platform::TRUE;
            default:
                break;
        }
    }
    return platform::CFormView::OnCommand(id, code);
}

platform::LRESULT CModuleView::WindowProc(platform::UINT message, platform::WPARAM wParam,
                                          platform::LPARAM lParam) {
    if (message == platform::WM_DESTROY)
        DestroyPages();
    return platform::CFormView::WindowProc(message, wParam, lParam);
}

void CModuleView::OnApplied() {
    if (CModuleDoc* doc = GetModuleDoc())
        EnableDlgItem(IDC_MODULE_APPLY, doc->IsModified());
}

void CModuleView::OnOk() {
    CloseFrame();
}

void CModuleView::OnCancelButton() {
    CModuleDoc* doc = GetModuleDoc();
    if (doc != nullptr && doc->IsModified()) {
        const int answer = doc->AskApplyQuestion();
        if (answer == platform::IDCANCEL)
            return;
        if (answer == platform::IDYES)
            doc->Apply();
        // Answered: the frame's own close must not ask a second time, even when the apply
        // failed half-way.
        doc->SetModifiedFlag(false);
    }
    CloseFrame();
}

void CModuleView::CloseFrame() {
    if (platform::CMDIChildWnd* frame = GetParentFrame())
        frame->SendMessage(platform::WM_CLOSE);
}

}  // namespace corvane
