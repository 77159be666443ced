// CModuleView: what every module view shares.
//
// The view is a form on the model's template with tab control 1008, OK 1121, Cancel 1122 and
// Apply 3. Its tab pages are members of the model's view, registered here in tab order with
// AddPage from the model's constructor; they are created modeless over the tab's display area
// in the initial update, switched by the tab control and destroyed with the view. OK closes
// the window (the frame then asks the document), Cancel asks first when there are changes,
// Apply runs the document's Apply and then the model's follow-up.
//
// Pages never reach the document: the model's view hands each page its values in
// PushPageValues, just before the pages are created, and binds the messages of each page
// family's table to what it does with them (BindChannelSetters), so a family shared by several
// models serves each with that model's numbers and document.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "corvane/pages/common/ChannelMessage.h"
#include "platform/Dialog.h"
#include "platform/FormView.h"

namespace corvane {

class CModuleDoc;

class CModuleView : public platform::CFormView {
public:
    explicit CModuleView(const platform::DialogTemplate& formTemplate);
    ~CModuleView() override;

    void OnInitialUpdate() override;
    void OnUpdate(platform::CView* sender, platform::LPARAM hint, void* hintObject) override;
    platform::BOOL OnCommand(int id, int code) override;
    platform::BOOL OnNotify(int id, int code, void* data, platform::LRESULT* result) override;
    platform::LRESULT WindowProc(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam) override;

    CModuleDoc* GetModuleDoc() const;
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    platform::CDialog* Page(int index) const;
    // The page shown, -1 when none is.
    int ShownPage() const;

protected:
    // Registers a page (a member of the model's view) for the tab `tabText`, in tab order.
    void AddPage(platform::CDialog* page, const std::string& tabText);

    // One message of a page family's table and the document setter that takes its channel and
    // value.
    template <class Doc>
    struct ChannelSetter {
        ChannelMessage message;
        void (Doc::*set)(int channel, int value);
    };
    // Binds every message of `table` to its setter on the view's document (nothing is set
    // while the view has no document of that class).
    template <class Doc>
    void BindChannelSetters(std::initializer_list<ChannelSetter<Doc>> table) {
        for (const ChannelSetter<Doc>& entry : table)
            BindChannelMessage(entry.message, [this, set = entry.set](int channel, int value) {
                if (auto* doc = dynamic_cast<Doc*>(GetDocument()))
                    (doc->*set)(channel, value);
            });
    }
    void BindChannelMessage(const ChannelMessage& message,
                            std::function<void(int channel, int value)> take);
    // A message carrying an index in wParam and a text at the address in lParam (a page's
    // own copy, valid only during the send). A message without a text takes nothing.
    void BindTextMessage(platform::UINT number,
                         std::function<void(int index, const std::string& text)> take);
    // A message carrying a double at the address in lParam; one without an address takes
    // nothing.
    void BindDoubleMessage(platform::UINT number, std::function<void(double value)> take);

    // One message that carries a single value (where the message's order says) and the
    // document setter that takes it.
    template <class Doc>
    struct ValueSetter {
        ChannelMessage message;
        void (Doc::*set)(int value);
    };
    template <class Doc>
    void BindValueSetters(std::initializer_list<ValueSetter<Doc>> table) {
        for (const ValueSetter<Doc>& entry : table)
            BindChannelMessage(entry.message, [this, set = entry.set](int, int value) {
                if (auto* doc = dynamic_cast<Doc*>(GetDocument()))
                    (doc->*set)(value);
            });
    }
    // The model hands its pages the document's values, before the pages are created.
    virtual void PushPageValues() {}
    // The model's part of the initial update, after the pages exist and before the focus goes
    // to OK and the controls are written: loading the form's own controls.
    virtual void OnInitialUpdateForm() {}
    // After the document's Apply. The default enables Apply only while changes remain.
    virtual void OnApplied();
    virtual void OnOk();
    virtual void OnCancelButton();
    // Hides every page and shows the one of tab `index`; an index outside the list shows none.
    void ShowPage(int index);
    void DestroyPages();
    void CloseFrame();

private:
    struct PageEntry {
        platform::CDialog* page;
        std::string tabText;
    };
    std::vector<PageEntry> m_pages;
};

}  // namespace corvane
