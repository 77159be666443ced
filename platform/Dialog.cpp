#include "platform/Dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <utility>

#include "platform/DataExchange.h"
#include "platform/WaitCursor.h"

namespace platform {

namespace {

ModalDialogHook& Hook() {
    static ModalDialogHook hook;
    return hook;
}

bool TakesDefaultFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Edit:
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
        case ControlKind::ComboDropDownList:
        case ControlKind::ComboDropDown:
        case ControlKind::ListBox:
        case ControlKind::IpAddress:
        case ControlKind::ListView:
        case ControlKind::TreeView:
            return true;
        default:
            return false;
    }
}

}  // namespace

// The widget behind a CDialog. It turns the keys and the close box into the commands the
// dialog manager sends, so that every way out of a dialog passes through OnOK / OnCancel.
class DialogWidget : public QDialog {
public:
    DialogWidget(CDialog* dialog, QWidget* parent, bool child)
        : QDialog(parent, child ? Qt::Widget
                                : Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                      Qt::WindowCloseButtonHint),
          m_dialog(dialog),
          m_child(child) {
        // QDialog makes itself a window whatever the flags say; a page is not one.
        if (child)
            setWindowFlags(Qt::Widget);
    }

    void Detach() { m_dialog = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        const bool escape = key == Qt::Key_Escape;
        if (!enter && !escape) {
            QDialog::keyPressEvent(event);
            return;
        }
        if (m_child || m_dialog == nullptr) {
            event->ignore();  // the window around a child dialog decides
            return;
        }
        if (enter)
            m_dialog->PressEnter();
        else
            m_dialog->PressEscape();
    }

    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (m_dialog != nullptr && !m_child)
            m_dialog->PressEscape();
    }

    // QDialog's own ways out (accept/reject from Qt internals) take the same road.
    void reject() override {
        if (m_dialog != nullptr && !m_child)
            m_dialog->PressEscape();
    }
    void accept() override {
        if (m_dialog != nullptr && !m_child)
            m_dialog->PressEnter();
    }

private:
    CDialog* m_dialog;
    bool m_child;
};

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : m_template(dialogTemplate), m_parent(parent) {}

CDialog::~CDialog() {
    if (auto* w = dynamic_cast<DialogWidget*>(GetWidget()))
        w->Detach();
    ForgetControls();
    if (QWidget* w = GetWidget())
        delete w;
}

void CDialog::BuildWidget(CWnd* parent, bool child) {
    QWidget* parentWidget = parent != nullptr ? parent->GetWidget() : nullptr;
    if (parentWidget == nullptr && !child)
        parentWidget = QApplication::activeWindow();
    auto* widget = new DialogWidget(this, parentWidget, child);
    widget->setWindowTitle(ToQString(m_template.caption));
    const QRect rect = MapDialogRect(
        QRect(m_template.x, m_template.y, m_template.cx, m_template.cy), widget->font());
    if (child)
        widget->setGeometry(rect);
    else
        widget->setFixedSize(rect.size());
    AttachWidget(widget);
    BuildControls(m_template, widget, this);
}

int CDialog::DoModal() {
    m_modal = true;
    m_ended = false;
    m_result = IDCANCEL;
    BuildWidget(m_parent, false);
    QWidget* widget = GetWidget();
    widget->setWindowModality(Qt::ApplicationModal);
    if (OnInitDialog() != FALSE && !m_ended) {
        for (const ControlTemplate& c : m_template.controls) {
            if (TakesDefaultFocus(c.kind) && IsDlgItemEnabled(c.id) && IsDlgItemVisible(c.id)) {
                GotoDlgCtrl(c.id);
                break;
            }
        }
    }
    PushModalArrowCursor();
    if (!m_ended && IsWindow()) {
        GetWidget()->show();
        if (ModalDialogHook hook = Hook()) {
            hook(*this);
        } else {
            QEventLoop loop;
            // If the window goes with its parent, the loop must not outlive it.
            QObject::connect(GetWidget(), &QObject::destroyed, &loop, &QEventLoop::quit);
            m_loop = &loop;
            if (!m_ended)
                loop.exec(QEventLoop::DialogExec);
            m_loop = nullptr;
        }
    }
    PopModalArrowCursor();
    const int result = m_ended ? m_result : IDCANCEL;
    DestroyWindow();
    m_modal = false;
    return result;
}

BOOL CDialog::Create(CWnd* parent) {
    if (parent != nullptr)
        m_parent = parent;
    const bool child = (m_template.style & WS_CHILD) != 0;
    if (child && (m_parent == nullptr || m_parent->GetWidget() == nullptr))
        return FALSE;
    m_modal = false;
    m_ended = false;
    BuildWidget(m_parent, child);
    OnInitDialog();
    // A child widget would otherwise appear with its parent.
    if (IsWindow())
        GetWidget()->setVisible((m_template.style & WS_VISIBLE) != 0);
    return IsWindow() ? TRUE : FALSE;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (m_loop != nullptr) {
        m_loop->quit();
    } else if (!m_modal) {
        if (QWidget* w = GetWidget())
            w->hide();
    }
}

void CDialog::DestroyWindow() {
    if (m_loop != nullptr)
        m_loop->quit();
    // As on Windows, an owned dialog that goes away while active hands the activation back to
    // its owner; not every window system does that by itself.
    QPointer<QWidget> owner;
    if (QWidget* w = GetWidget();
        w != nullptr && w->isWindow() && w->isActiveWindow() && w->parentWidget() != nullptr)
        owner = w->parentWidget()->window();
    if (auto* w = dynamic_cast<DialogWidget*>(GetWidget()))
        w->Detach();
    ForgetControls();
    CWnd::DestroyWindow();
    if (!owner.isNull() && owner->isVisible())
        owner->activateWindow();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

BOOL CDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

int CDialog::DefaultButtonId() const {
    for (const ControlTemplate& c : m_template.controls)
        if (c.kind == ControlKind::DefPushButton)
            return c.id;
    return IDOK;
}

void CDialog::PressEnter() {
    // A push button holding the focus is the one Enter presses.
    const int focus = GetFocusId();
    int id = DefaultButtonId();
    if (focus != 0)
        if (qobject_cast<QPushButton*>(GetDlgItem(focus)) != nullptr)
            id = focus;
    if (QWidget* button = GetDlgItem(id)) {
        if (!button->isEnabled() || button->isHidden()) {
            QApplication::beep();
            return;
        }
    }
    SendMessage(WM_COMMAND, MakeWParam(id, BN_CLICKED), 0);
}

void CDialog::PressEscape() {
    if (QWidget* cancel = GetDlgItem(IDCANCEL))
        if (!cancel->isEnabled())
            return;
    SendMessage(WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED), 0);
}

ModalDialogHook SetModalDialogHook(ModalDialogHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

}  // namespace platform
