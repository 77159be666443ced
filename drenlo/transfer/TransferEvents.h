// Messages of the copy jobs, and what the copy progress dialog offers them.
//
// A job runs one file at a time on a worker thread with its own connection. The worker never
// touches a window: it reports by posting the messages below, and the windows call back into
// CQuarnComm on the user-interface thread.
//
//  message               number          to                    wParam / lParam
//  WM_TRANSFER_DONE      WM_USER+10 1034 progress dialog,      wParam 1: relist the folder
//                                        which forwards it to  (some data reached the
//                                        the list view, then   instrument), 0: no relist.
//                                        destroys itself
//  WM_DOWNLOAD_NEXT      WM_USER+13 1037 list view (sent by    the previous file's result;
//                                        CheckDownload, then   handler: DownloadNext(wParam)
//                                        posted by the view)
//  WM_DOWNLOAD_DONE      WM_USER+14 1038 list view (posted by  1 the data loop ran, 0 not;
//                                        the worker)           handler: OnWorkerDone(), wait
//                                                              500 ms, Pause(), post
//                                                              WM_DOWNLOAD_NEXT with wParam
//  WM_UPLOAD_NEXT        WM_USER+15 1039 list view             handler: UploadNext()
//  WM_UPLOAD_DONE        WM_USER+16 1040 list view (posted by  handler: OnWorkerDone(), wait
//                                        the worker)           100 ms, post WM_UPLOAD_NEXT
//  WM_TRANSFER_PROGRESS  WM_USER+20 1044 progress dialog       lParam: bytes moved so far
//                                        (posted by worker)    handler: UpdateRemainingTime
//  WM_TRANSFER_FULL      WM_USER+21 1045 progress dialog       handler: SetProgressFull
//                                        (posted by worker)
//
// Posted messages to a window that is gone are dropped by the layer, so a worker's last
// progress report can never reach a destroyed dialog.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace platform {
class CWnd;
}

namespace drenlo {

constexpr platform::UINT WM_TRANSFER_DONE = platform::WM_USER + 10;
constexpr platform::UINT WM_DOWNLOAD_NEXT = platform::WM_USER + 13;
constexpr platform::UINT WM_DOWNLOAD_DONE = platform::WM_USER + 14;
constexpr platform::UINT WM_UPLOAD_NEXT = platform::WM_USER + 15;
constexpr platform::UINT WM_UPLOAD_DONE = platform::WM_USER + 16;
constexpr platform::UINT WM_TRANSFER_PROGRESS = platform::WM_USER + 20;
constexpr platform::UINT WM_TRANSFER_FULL = platform::WM_USER + 21;

// Implemented by the copy progress dialog (CCopyProgressDlg). Its Cancel button calls
// CQuarnComm::CancelTransfer; Escape and the close box do the same and never close it.
class ICopyProgress {
public:
    virtual ~ICopyProgress() = default;
    // The dialog's window, target of WM_TRANSFER_DONE, WM_TRANSFER_PROGRESS, WM_TRANSFER_FULL.
    virtual platform::CWnd* GetProgressWindow() = 0;
    // Starts the display of one file: the name (with the "   [k/n]" counter when the job has
    // several), its size, the direction text ("From 'x' to 'Quarn:/F0:/y'"), and whether to
    // show the dialog. Re-enables Cancel.
    virtual void StartProgress(const std::string& fileName, std::uint64_t total,
                               const std::string& directionText, int show) = 0;
};

}  // namespace drenlo
