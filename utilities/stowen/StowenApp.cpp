#include "utilities/stowen/StowenApp.h"

#include "utilities/stowen/StowenDlg.h"

namespace stowen {

CStowenApp::CStowenApp()
    : CUtilityApp(utilities::UtilityTraits::Stowen(), [](utilities::CUtilityApp& app) {
          return std::unique_ptr<platform::CDialog>(new CStowenDlg(app));
      }) {}

}  // namespace stowen
