#include "utilities/gorrel/GorrelApp.h"

#include "utilities/gorrel/GorrelDlg.h"

namespace gorrel {

CGorrelApp::CGorrelApp()
    : CUtilityApp(utilities::UtilityTraits::Gorrel(), [](utilities::CUtilityApp& app) {
          return std::unique_ptr<platform::CDialog>(new CGorrelDlg(app));
      }) {}

}  // namespace gorrel
