#include "tests/support/DialogScript.h"

#include <gtest/gtest.h>

namespace testsupport {

DialogScript::DialogScript() {
    m_previous = platform::SetModalDialogHook([this](platform::CDialog& d) { Run(d); });
}

DialogScript::~DialogScript() {
    platform::SetModalDialogHook(m_previous);
    for (const Expected& e : m_expected)
        ADD_FAILURE() << "expected dialog " << e.templateId << " never shown";
}

DialogScript& DialogScript::Expect(int templateId, Handler handler) {
    m_expected.push_back({templateId, std::move(handler)});
    return *this;
}

DialogScript& DialogScript::ExpectOk(int templateId) {
    return Expect(templateId, [](platform::CDialog& d) { d.ClickButton(platform::IDOK); });
}

DialogScript& DialogScript::ExpectCancel(int templateId) {
    return Expect(templateId, [](platform::CDialog& d) { d.ClickButton(platform::IDCANCEL); });
}

void DialogScript::Run(platform::CDialog& dialog) {
    m_shown.push_back(dialog.GetTemplateId());
    if (m_expected.empty() || m_expected.front().templateId != dialog.GetTemplateId()) {
        ADD_FAILURE() << "unexpected dialog " << dialog.GetTemplateId() << " (\""
                      << dialog.Template().caption << "\")";
        dialog.EndDialog(platform::IDCANCEL);
        return;
    }
    Handler handler = std::move(m_expected.front().handler);
    m_expected.pop_front();
    handler(dialog);
}

}  // namespace testsupport
