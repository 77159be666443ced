// CQuarnErrorDlg: empties the instrument's error queue into a list on opening.
//
// The reader function sends "stat:que:next?" and gives back one reply line; it returns false
// when there is no link, in which case nothing is sent and the list stays empty. Each reply is
// listed as it stands, including the one that ends the loop, so an empty queue shows its one
// "0" line. The loop ends at an error number of 0 (read with its sign: "-113,..." is an error),
// at an empty reply (a failed read), or after kMaxLines lines from an instrument that never
// stops answering.
#pragma once

#include <functional>
#include <string>

#include "platform/Dialog.h"

namespace drenlo {

class CQuarnErrorDlg : public platform::CDialog {
public:
    using ReadNextError = std::function<bool(std::string& reply)>;
    static constexpr int kMaxLines = 1000;

    explicit CQuarnErrorDlg(ReadNextError readNext, platform::CWnd* parent = nullptr);

    platform::BOOL OnInitDialog() override;

private:
    ReadNextError m_readNext;
};

}  // namespace drenlo
