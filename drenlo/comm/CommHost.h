// ICommHost: what the link and the copy jobs need from Drenlo's windows.
//
// CQuarnComm holds no pointers into the views; the application's windows implement this
// interface (tests implement it with a fake) and hand it to CQuarnComm::SetHost. Every call
// comes on the user-interface thread.
#pragma once

#include <string>

namespace platform {
class CWnd;
}

namespace drenlo {

class ICopyProgress;

class ICommHost {
public:
    virtual ~ICommHost() = default;

    // Connect failed: empty the list view and reset the folder tree.
    virtual void OnConnectFailed() {}
    // The list status texts: "<n> object[s]" and the size / free-memory text.
    virtual void SetListStatusTexts(const std::string& objects, const std::string& sizes) {
        (void)objects;
        (void)sizes;
    }

    // Copy jobs.
    // The window that receives WM_DOWNLOAD_NEXT/DONE and WM_UPLOAD_NEXT/DONE (the list view).
    virtual platform::CWnd* GetListView() { return nullptr; }
    // The instrument folder the list view shows, and whether it holds an item named `listed`
    // (the listed form). Used by CheckDownload when the target is the shown folder.
    virtual std::string GetListFolder() { return std::string(); }
    virtual int ListHasItem(const std::string& listed) {
        (void)listed;
        return 0;
    }
    // Shows the confirmation dialog of a file type (dialogs 131, 163, 164, 165, 172, 173)
    // modally with the file name; returns the button (IDOK to go on).
    virtual int ConfirmFile(int fileType, const std::string& fileName) = 0;
    // Creates the job's modeless copy progress dialog (dialog 130). It destroys itself when it
    // receives WM_TRANSFER_DONE. Null when it cannot be made (the job is not started).
    virtual ICopyProgress* CreateProgressDialog() = 0;
};

}  // namespace drenlo
