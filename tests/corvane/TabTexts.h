// The texts of a window's tabs, as the operator reads them.
#pragma once

#include <QTabBar>
#include <string>
#include <vector>

#include "platform/Wnd.h"

namespace corvane::testing {

inline std::vector<std::string> TabTexts(platform::CWnd& view) {
    std::vector<std::string> texts;
    if (auto* bar = view.GetWidget()->findChild<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i) texts.push_back(bar->tabText(i).toStdString());
    return texts;
}

}  // namespace corvane::testing
