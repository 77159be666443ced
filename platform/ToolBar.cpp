#include "platform/ToolBar.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/BlockingWait.h"
#include "platform/FrameWnd.h"
#include "platform/StringTable.h"

namespace platform {

namespace {

std::string ToolTipPart(const std::string& text) {
    const auto nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

// Brings the idle message back when the pointer leaves the bar.
class LeaveWatcher : public QObject {
public:
    explicit LeaveWatcher(CToolBar* bar) : QObject(bar->GetWidget()), m_bar(bar) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Leave)
            m_bar->LeaveButtons();
        return false;
    }

private:
    CToolBar* m_bar;
};

}  // namespace

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() {
    m_alive.reset();
    // The bar's widget would outlive this object inside a frame that stays; its actions and
    // timer call back here, so it goes now.
    if (QWidget* w = GetWidget())
        delete w;
}

QToolBar* CToolBar::Bar() const {
    return qobject_cast<QToolBar*>(GetWidget());
}

int CToolBar::CreateEx(CFrameWnd* frame, unsigned, unsigned, int id) {
    QMainWindow* window = frame != nullptr ? frame->Window() : nullptr;
    if (window == nullptr || GetWidget() != nullptr)
        return 0;
    m_frame = frame;
    auto* bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("toolbar%1").arg(id));
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    window->addToolBar(Qt::TopToolBarArea, bar);
    AttachWidget(bar);
    bar->installEventFilter(new LeaveWatcher(this));

    std::weak_ptr<int> alive = m_alive;
    frame->OnCommandId(ID_VIEW_TOOLBAR, [this, alive] {
        if (alive.expired())
            return;
        if (QToolBar* b = Bar())
            b->setVisible(!b->isVisible());
    });
    frame->OnUpdateCommand(ID_VIEW_TOOLBAR, [this, alive](CCmdUI* ui) {
        const bool present = !alive.expired() && Bar() != nullptr;
        ui->Enable(present);
        ui->SetCheck(present && IsVisible() ? 1 : 0);
    });

    // The framework refreshed its bars when the message loop ran dry; a short timer does the
    // same here. During a blocking wait the state cannot change, and the route must not run
    // inside an exchange.
    m_idleTimer = new QTimer(bar);
    m_idleTimer->setInterval(250);
    QObject::connect(m_idleTimer, &QTimer::timeout, bar, [this] {
        if (!InBlockingWait() && IsVisible())
            UpdateButtons();
    });
    m_idleTimer->start();
    return 1;
}

int CToolBar::LoadToolBar(const ToolBarTemplate& toolBar) {
    QToolBar* bar = Bar();
    if (bar == nullptr)
        return 0;
    bar->clear();
    m_buttons.clear();
    bar->setIconSize(toolBar.buttonSize);
    for (const ToolBarButton& button : toolBar.buttons) {
        if (button.id == 0) {
            bar->addSeparator();
            m_buttons.push_back(Button{0, nullptr});
            continue;
        }
        const std::string text = LoadString(button.id);
        QAction* action = bar->addAction(button.icon, ToQString(ToolTipPart(text)));
        action->setToolTip(ToQString(ToolTipPart(text)));
        action->setData(button.id);
        const int id = button.id;
        QObject::connect(action, &QAction::triggered, bar, [this, id] {
            if (m_frame != nullptr)
                m_frame->ExecuteCommand(id);
        });
        QObject::connect(action, &QAction::hovered, bar, [this, id] { HoverButton(id); });
        m_buttons.push_back(Button{id, action});
    }
    UpdateButtons();
    return 1;
}

int CToolBar::GetItemID(int index) const {
    if (index < 0 || index >= GetCount())
        return -1;
    return m_buttons[static_cast<size_t>(index)].id;
}

int CToolBar::CommandToIndex(int id) const {
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].id == id && id != 0)
            return static_cast<int>(i);
    return -1;
}

bool CToolBar::IsButtonEnabled(int id) const {
    const int index = CommandToIndex(id);
    return index >= 0 && m_buttons[static_cast<size_t>(index)].action->isEnabled();
}

bool CToolBar::IsButtonChecked(int id) const {
    const int index = CommandToIndex(id);
    return index >= 0 && m_buttons[static_cast<size_t>(index)].action->isChecked();
}

std::string CToolBar::GetButtonToolTip(int id) const {
    const int index = CommandToIndex(id);
    if (index < 0)
        return {};
    return FromQString(m_buttons[static_cast<size_t>(index)].action->toolTip());
}

bool CToolBar::IsVisible() const {
    QToolBar* bar = Bar();
    return bar != nullptr && !bar->isHidden();
}

void CToolBar::UpdateButtons() {
    if (m_frame == nullptr)
        return;
    for (const Button& button : m_buttons) {
        if (button.action == nullptr)
            continue;
        CCmdUI ui(button.id);
        const bool handled = m_frame->OnCmdMsg(button.id, &ui);
        button.action->setEnabled(handled && ui.m_enabled);
        if (ui.m_checked != 0 || button.action->isCheckable()) {
            button.action->setCheckable(true);
            button.action->setChecked(ui.m_checked != 0);
        }
    }
}

bool CToolBar::ClickButton(int id) {
    UpdateButtons();
    const int index = CommandToIndex(id);
    if (index < 0 || !IsVisible())
        return false;
    QAction* action = m_buttons[static_cast<size_t>(index)].action;
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

bool CToolBar::HoverButton(int id) {
    if (m_frame == nullptr || CommandToIndex(id) < 0)
        return false;
    std::string prompt;
    m_frame->GetMessageString(id, prompt);
    m_frame->SetMessageText(prompt);
    return true;
}

void CToolBar::LeaveButtons() {
    if (m_frame != nullptr)
        m_frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

}  // namespace platform
