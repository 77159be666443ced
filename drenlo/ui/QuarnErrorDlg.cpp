#include "drenlo/ui/QuarnErrorDlg.h"

#include "platform/Numbers.h"
#include "platform/WaitCursor.h"
#include "resources/drenlo/Resource.h"

namespace drenlo {

CQuarnErrorDlg::CQuarnErrorDlg(ReadNextError readNext, platform::CWnd* parent)
    : CDialog(QuarnErrorDialogTemplate(), parent), m_readNext(std::move(readNext)) {}

platform::BOOL CQuarnErrorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_readNext)
        return platform::TRUE;
    platform::CWaitCursor wait;
    for (int line = 0; line < kMaxLines; ++line) {
        std::string reply;
        if (!m_readNext(reply))
            break;
        if (AddString(IDC_ERROR_LIST, reply) < 0)
            break;
        if (reply.empty() || platform::StrToLong(reply.c_str()) == 0)
            break;
    }
    return platform::TRUE;
}

}  // namespace drenlo
