// Progress bars, up-down controls, IP-address controls, tab controls and control messages
// of ControlsHost.
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <cstdlib>
#include <functional>

#include "platform/ControlsHost.h"
#include "platform/ControlsTab.h"
#include "platform/ControlsUpDown.h"
#include "platform/IpAddressCtrl.h"
#include "platform/Wnd.h"

namespace platform {

namespace {

// Up and down keys in a buddy edit act as the arrows of its up-down (UDS_ARROWKEYS).
class ArrowKeys : public QObject {
public:
    ArrowKeys(QObject* parent, std::function<void(int)> step)
        : QObject(parent), m_step(std::move(step)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                m_step(key == Qt::Key_Up ? +1 : -1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(int)> m_step;
};

int Low(int a, int b) {
    return a < b ? a : b;
}
int High(int a, int b) {
    return a < b ? b : a;
}

std::string WithThousands(int value) {
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

}  // namespace

// ---- up-down

void ControlsHost::AttachBuddy(size_t index) {
    Control& spin = m_controls[index];
    if ((spin.style & UDS_AUTOBUDDY) != 0 && index > 0)
        spin.buddy = static_cast<int>(index) - 1;
    PlaceUpDown(spin);
}

void ControlsHost::PlaceUpDown(Control& spin) {
    if (spin.buddy < 0 || (spin.style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) == 0)
        return;
    QWidget* buddy = m_controls[static_cast<size_t>(spin.buddy)].widget;
    if (buddy == nullptr)
        return;
    // As on Windows the arrows take a fixed width out of the buddy's rectangle.
    const int width = 16;
    QRect r = buddy->geometry();
    if ((spin.style & UDS_ALIGNLEFT) != 0) {
        spin.widget->setGeometry(r.left(), r.top(), width, r.height());
        r.setLeft(r.left() + width);
    } else {
        r.setRight(r.right() - width);
        spin.widget->setGeometry(r.right() + 1, r.top(), width, r.height());
    }
    buddy->setGeometry(r);
    if ((spin.style & UDS_ARROWKEYS) != 0) {
        const int id = spin.id;
        buddy->installEventFilter(new ArrowKeys(buddy, [this, id](int arrow) {
            if (Control* c = Find(id))
                UpDownStep(*c, arrow);
            if (Control* c = Find(id))
                UpDownRelease(*c);
        }));
    }
}

bool ControlsHost::UpDownReadBuddy(Control& spin) {
    if (spin.buddy < 0)
        return false;
    const Control& buddy = m_controls[static_cast<size_t>(spin.buddy)];
    if (buddy.widget == nullptr)
        return false;
    std::string text = ReadText(buddy);
    if ((spin.style & UDS_NOTHOUSANDS) == 0)
        std::erase(text, ',');
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE)
        return false;
    if (value < Low(spin.lower, spin.upper) || value > High(spin.lower, spin.upper))
        return false;
    spin.pos = static_cast<int>(value);
    return true;
}

void ControlsHost::UpDownWriteBuddy(Control& spin) {
    if ((spin.style & UDS_SETBUDDYINT) == 0 || spin.buddy < 0)
        return;
    Control& buddy = m_controls[static_cast<size_t>(spin.buddy)];
    if (buddy.widget == nullptr)
        return;
    const std::string text =
        (spin.style & UDS_NOTHOUSANDS) != 0 ? std::to_string(spin.pos) : WithThousands(spin.pos);
    // The control leaves a buddy alone that already shows the number.
    if (ReadText(buddy) == text)
        return;
    WriteText(buddy, text);
}

void ControlsHost::UpDownScroll(Control& spin, int code) {
    const int id = spin.id;
    const int pos = spin.pos;
    if ((spin.style & UDS_HORZ) != 0)
        OnHScroll(code, pos, id);
    else
        OnVScroll(code, pos, id);
}

void ControlsHost::UpDownStep(Control& control, int arrow) {
    const int id = control.id;
    if ((control.style & UDS_SETBUDDYINT) != 0)
        UpDownReadBuddy(control);
    NMUPDOWN nm{control.pos, arrow * (control.upper < control.lower ? -1 : 1)};
    const LRESULT refuse = NotifyOwner(id, UDN_DELTAPOS, &nm);
    Control* spin = Find(id);  // the handler may have changed the controls
    if (spin == nullptr)
        return;
    if (refuse == 0 && nm.iDelta != 0) {
        const int low = Low(spin->lower, spin->upper);
        const int high = High(spin->lower, spin->upper);
        long long next = static_cast<long long>(spin->pos) + nm.iDelta;
        if (next < low || next > high) {
            if ((spin->style & UDS_WRAP) != 0)
                next = next > high ? low : high;
            else
                next = next > high ? high : low;
        }
        if (next != spin->pos) {
            spin->pos = static_cast<int>(next);
            UpDownWriteBuddy(*spin);
        }
    }
    if ((spin = Find(id)) != nullptr)
        UpDownScroll(*spin, SB_THUMBPOSITION);
}

void ControlsHost::UpDownRelease(Control& control) {
    UpDownScroll(control, SB_ENDSCROLL);
}

bool ControlsHost::SpinBy(int id, int clicks) {
    Control* c = Find(id);
    if (!OperatorCanUse(c) || c->kind != ControlKind::UpDown)
        return false;
    const int arrow = clicks > 0 ? +1 : -1;
    for (int n = clicks > 0 ? clicks : -clicks; n > 0; --n) {
        if ((c = Find(id)) == nullptr)
            return false;
        UpDownStep(*c, arrow);
        if ((c = Find(id)) == nullptr)
            return false;
        UpDownRelease(*c);
    }
    return true;
}

int ControlsHost::GetBuddy(int id) const {
    const Control* c = Find(id);
    if (c == nullptr || c->buddy < 0)
        return 0;
    return m_controls[static_cast<size_t>(c->buddy)].id;
}

// ---- ranges shared by progress bars and up-downs

void ControlsHost::SetRange32(int id, int lower, int upper) {
    Control* c = Find(id);
    if (c == nullptr)
        return;
    if (auto* bar = qobject_cast<QProgressBar*>(c->widget.data())) {
        bar->setRange(lower, upper < lower ? lower : upper);
    } else if (c->kind == ControlKind::UpDown) {
        c->lower = lower;
        c->upper = upper;
    }
}

void ControlsHost::GetRange32(int id, int& lower, int& upper) const {
    lower = upper = 0;
    const Control* c = Find(id);
    if (c == nullptr)
        return;
    if (auto* bar = qobject_cast<QProgressBar*>(c->widget.data())) {
        lower = bar->minimum();
        upper = bar->maximum();
    } else if (c->kind == ControlKind::UpDown) {
        lower = c->lower;
        upper = c->upper;
    }
}

int ControlsHost::SetPos(int id, int pos) {
    Control* c = Find(id);
    if (c == nullptr)
        return 0;
    if (auto* bar = qobject_cast<QProgressBar*>(c->widget.data())) {
        const int previous = bar->value() < bar->minimum() ? bar->minimum() : bar->value();
        bar->setValue(pos < bar->minimum() ? bar->minimum()
                                           : (pos > bar->maximum() ? bar->maximum() : pos));
        return previous;
    }
    if (c->kind != ControlKind::UpDown)
        return 0;
    const int previous = c->pos;
    const int low = Low(c->lower, c->upper);
    const int high = High(c->lower, c->upper);
    c->pos = pos < low ? low : (pos > high ? high : pos);
    UpDownWriteBuddy(*c);
    return previous;
}

int ControlsHost::GetPos(int id, bool* ok) {
    if (ok != nullptr)
        *ok = true;
    Control* c = Find(id);
    if (c == nullptr) {
        if (ok != nullptr)
            *ok = false;
        return 0;
    }
    if (auto* bar = qobject_cast<QProgressBar*>(c->widget.data()))
        return bar->value() < bar->minimum() ? bar->minimum() : bar->value();
    if (c->kind != ControlKind::UpDown)
        return 0;
    if ((c->style & UDS_SETBUDDYINT) != 0 && c->buddy >= 0) {
        const bool read = UpDownReadBuddy(*c);
        if (ok != nullptr)
            *ok = read;
    }
    return c->pos;
}

int ControlsHost::SetStep(int id, int step) {
    Control* c = Find(id);
    if (c == nullptr)
        return 0;
    const int previous = c->step;
    c->step = step;
    return previous;
}

int ControlsHost::StepIt(int id) {
    Control* c = Find(id);
    if (c == nullptr)
        return 0;
    auto* bar = qobject_cast<QProgressBar*>(c->widget.data());
    if (bar == nullptr)
        return 0;
    const int previous = GetPos(id);
    long long next = static_cast<long long>(previous) + c->step;
    const int span = bar->maximum() - bar->minimum();
    if (next > bar->maximum())
        next = span > 0 ? bar->minimum() + (next - bar->minimum()) % span : bar->minimum();
    if (next < bar->minimum())
        next = bar->minimum();
    bar->setValue(static_cast<int>(next));
    return previous;
}

int ControlsHost::OffsetPos(int id, int delta) {
    const int previous = GetPos(id);
    SetPos(id, previous + delta);
    return previous;
}

// ---- IP-address controls

void ControlsHost::SetIpAddress(int id, std::uint32_t address) {
    Control* c = Find(id);
    if (c != nullptr && c->kind == ControlKind::IpAddress)
        static_cast<IpAddressCtrl*>(c->widget.data())->SetAddress(address);
}

int ControlsHost::GetIpAddress(int id, std::uint32_t& address) const {
    address = 0;
    const Control* c = Find(id);
    if (c == nullptr || c->kind != ControlKind::IpAddress)
        return 0;
    return static_cast<IpAddressCtrl*>(c->widget.data())->GetAddress(address);
}

void ControlsHost::ClearIpAddress(int id) {
    Control* c = Find(id);
    if (c != nullptr && c->kind == ControlKind::IpAddress)
        static_cast<IpAddressCtrl*>(c->widget.data())->ClearAddress();
}

bool ControlsHost::IsIpAddressBlank(int id) const {
    const Control* c = Find(id);
    if (c == nullptr || c->kind != ControlKind::IpAddress)
        return true;
    return static_cast<IpAddressCtrl*>(c->widget.data())->IsBlank();
}

// ---- tab controls

namespace {
ControlsTab* TabOf(QWidget* w) {
    return dynamic_cast<ControlsTab*>(w);
}
}  // namespace

int ControlsHost::InsertTabItem(int id, int index, const std::string& text) {
    ControlsTab* tab = TabOf(GetDlgItem(id));
    if (tab == nullptr)
        return -1;
    ++tab->m_programWrite;
    const int at = tab->TabBar()->insertTab(index, ToQString(text));
    --tab->m_programWrite;
    tab->Relayout();
    return at;
}

void ControlsHost::DeleteAllTabItems(int id) {
    ControlsTab* tab = TabOf(GetDlgItem(id));
    if (tab == nullptr)
        return;
    ++tab->m_programWrite;
    while (tab->TabBar()->count() > 0) tab->TabBar()->removeTab(0);
    --tab->m_programWrite;
    tab->Relayout();
}

int ControlsHost::GetTabCount(int id) const {
    ControlsTab* tab = TabOf(GetDlgItem(id));
    return tab != nullptr ? tab->TabBar()->count() : 0;
}

int ControlsHost::GetTabCurSel(int id) const {
    ControlsTab* tab = TabOf(GetDlgItem(id));
    return tab != nullptr ? tab->TabBar()->currentIndex() : -1;
}

int ControlsHost::SetTabCurSel(int id, int index) {
    ControlsTab* tab = TabOf(GetDlgItem(id));
    if (tab == nullptr)
        return -1;
    const int previous = tab->TabBar()->currentIndex();
    if (index < 0 || index >= tab->TabBar()->count())
        return -1;
    ++tab->m_programWrite;
    tab->TabBar()->setCurrentIndex(index);
    --tab->m_programWrite;
    return previous;
}

QRect ControlsHost::GetTabDisplayRect(int id) const {
    ControlsTab* tab = TabOf(GetDlgItem(id));
    if (tab == nullptr)
        return {};
    return tab->DisplayRect().translated(tab->pos());
}

bool ControlsHost::ChooseTab(int id, int index) {
    Control* c = Find(id);
    if (!OperatorCanUse(c))
        return false;
    ControlsTab* tab = TabOf(c->widget);
    if (tab == nullptr || index < 0 || index >= tab->TabBar()->count())
        return false;
    tab->TabBar()->setCurrentIndex(index);  // the operator's path: notifications follow
    return true;
}

// ---- messages by number

LRESULT ControlsHost::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* c = Find(id);
    if (c == nullptr)
        return 0;
    auto lo16 = [](LPARAM v) { return static_cast<int>(static_cast<short>(v & 0xFFFF)); };
    auto hi16 = [](LPARAM v) { return static_cast<int>(static_cast<short>((v >> 16) & 0xFFFF)); };
    auto pack = [](int low, int high) {
        return static_cast<LRESULT>((static_cast<unsigned>(low) & 0xFFFFu) |
                                    ((static_cast<unsigned>(high) & 0xFFFFu) << 16));
    };
    switch (message) {
        case EM_LIMITTEXT:
            LimitText(id, static_cast<int>(wParam));
            return 0;
        case EM_SETSEL:
            SetEditSel(id, static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case CB_INITSTORAGE:
            return InitStorage(id, static_cast<int>(wParam), static_cast<int>(lParam));
        case UDM_SETRANGE:
            SetRange32(id, hi16(lParam), lo16(lParam));
            return 0;
        case UDM_GETRANGE:
            return pack(c->upper, c->lower);
        case UDM_SETRANGE32:
            SetRange32(id, static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case UDM_GETRANGE32: {
            int lower = 0, upper = 0;
            GetRange32(id, lower, upper);
            if (wParam != 0)
                *reinterpret_cast<int*>(wParam) = lower;
            if (lParam != 0)
                *reinterpret_cast<int*>(lParam) = upper;
            return 0;
        }
        case UDM_SETPOS:
            return SetPos(id, lo16(lParam));
        case UDM_SETPOS32:
            return SetPos(id, static_cast<int>(lParam));
        case UDM_GETPOS: {
            bool ok = true;
            const int pos = GetPos(id, &ok);
            return pack(pos, ok ? 0 : 1);
        }
        case UDM_GETPOS32: {
            bool ok = true;
            const int pos = GetPos(id, &ok);
            if (lParam != 0)
                *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
            return pos;
        }
        case UDM_GETBUDDY:
            return GetBuddy(id);
        case UDM_SETBUDDY: {
            const int previous = GetBuddy(id);
            c->buddy = -1;
            for (size_t i = 0; i < m_controls.size(); ++i)
                if (m_controls[i].id == static_cast<int>(wParam))
                    c->buddy = static_cast<int>(i);
            PlaceUpDown(*c);
            return previous;
        }
        case PBM_SETRANGE: {
            int lower = 0, upper = 0;
            GetRange32(id, lower, upper);
            SetRange32(id, static_cast<int>(lParam & 0xFFFF),
                       static_cast<int>((lParam >> 16) & 0xFFFF));
            return pack(lower, upper);
        }
        case PBM_SETRANGE32: {
            int lower = 0, upper = 0;
            GetRange32(id, lower, upper);
            SetRange32(id, static_cast<int>(wParam), static_cast<int>(lParam));
            return pack(lower, upper);
        }
        case PBM_SETPOS:
            return SetPos(id, static_cast<int>(wParam));
        case PBM_DELTAPOS:
            return OffsetPos(id, static_cast<int>(wParam));
        case PBM_SETSTEP:
            return SetStep(id, static_cast<int>(wParam));
        case PBM_STEPIT:
            return StepIt(id);
        case PBM_GETPOS:
            return GetPos(id);
        default:
            return 0;
    }
}

}  // namespace platform
