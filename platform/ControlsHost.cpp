#include "platform/ControlsHost.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QValidator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/ControlsTab.h"
#include "platform/ControlsUpDown.h"
#include "platform/IpAddressCtrl.h"
#include "platform/Wnd.h"

namespace platform {

namespace {

// What the keyboard lets the operator type into an edit: the length limit, digits only,
// upper case. Program writes pass unchanged except for upper case, as on Windows.
class EditFilter : public QValidator {
public:
    EditFilter(unsigned style, QObject* parent) : QValidator(parent), m_style(style) {}
    int m_limit = 0;

    State validate(QString& input, int&) const override {
        if ((m_style & ES_UPPERCASE) != 0)
            input = input.toUpper();
        if (m_limit > 0 && input.size() > m_limit)
            return Invalid;
        if ((m_style & ES_NUMBER) != 0)
            for (QChar c : input)
                if (!c.isDigit())
                    return Invalid;
        return Acceptable;
    }

private:
    unsigned m_style;
};

// The text a static or group box shows: the access-key markers go unless SS_NOPREFIX.
QString StaticText(const std::string& text, unsigned style) {
    const QString q = ToQString(text);
    return (style & SS_NOPREFIX) != 0 ? q : ControlsHost::WithoutAccessKeys(q);
}

bool IsEditKind(ControlKind kind) {
    return kind == ControlKind::Edit;
}
bool IsComboKind(ControlKind kind) {
    return kind == ControlKind::ComboDropDownList || kind == ControlKind::ComboDropDown;
}

}  // namespace

ControlsHost::ControlsHost() = default;

ControlsHost::~ControlsHost() {
    ForgetControls();
}

QString ControlsHost::WithoutAccessKeys(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += '&';
            ++i;
            if (i < text.size() && text[i] != '&')
                out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

QPoint ControlsHost::DialogBaseUnits(const QFont& font) {
    // Measuring the alphabet shapes text; a form maps every control through here, so each font
    // is measured once. The programs use a handful of fonts, all on the user-interface thread.
    static std::vector<std::pair<QFont, QPoint>> measured;
    for (const auto& [known, base] : measured) {
        if (known == font)
            return base;
    }
    QFontMetrics fm(font);
    const int width = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QPoint base((width / 26 + 1) / 2, fm.height());
    if (measured.size() >= 32)
        measured.erase(measured.begin());
    measured.emplace_back(font, base);
    return base;
}

QRect ControlsHost::MapDialogRect(const QRect& units, const QFont& font) {
    const QPoint base = DialogBaseUnits(font);
    return QRect(units.x() * base.x() / 4, units.y() * base.y() / 8, units.width() * base.x() / 4,
                 units.height() * base.y() / 8);
}

void ControlsHost::BuildControls(const DialogTemplate& dialogTemplate, QWidget* surface,
                                 CWnd* owner) {
    ForgetControls();
    m_builtTemplate = dialogTemplate;
    m_owner = owner;
    m_surface = surface;
    const QFont font = surface->font();
    m_controls.reserve(dialogTemplate.controls.size());
    for (const ControlTemplate& t : dialogTemplate.controls) {
        Control control;
        control.id = t.id;
        control.kind = t.kind;
        control.style = t.style;
        control.widget = CreateWidget(t, surface, font);
        if ((t.style & WS_DISABLED) != 0)
            control.widget->setEnabled(false);
        m_controls.push_back(control);
    }
    for (size_t i = 0; i < m_controls.size(); ++i) {
        WireControl(m_controls[i], dialogTemplate.controls[i]);
        if (m_controls[i].kind == ControlKind::UpDown)
            AttachBuddy(i);
    }
    // Group boxes and tab controls are frames drawn behind the controls placed on them.
    for (Control& c : m_controls)
        if (c.kind == ControlKind::GroupBox || c.kind == ControlKind::Tab)
            c.widget->lower();
    QObject::connect(qApp, &QApplication::focusChanged, surface,
                     [this, surface](QWidget*, QWidget* now) {
                         if (m_surface != surface)
                             return;
                         int id = 0;
                         for (QWidget* w = now; w != nullptr && id == 0; w = w->parentWidget())
                             for (const Control& c : m_controls)
                                 if (c.widget == w)
                                     id = c.id;
                         FocusChanged(id);
                     });
}

void ControlsHost::ForgetControls() {
    if (m_surface != nullptr)
        QObject::disconnect(qApp, nullptr, m_surface, nullptr);
    m_controls.clear();
    m_surface = nullptr;
    m_focusId = 0;
}

QWidget* ControlsHost::CreateWidget(const ControlTemplate& t, QWidget* surface, const QFont& font) {
    QRect rect = MapDialogRect(QRect(t.x, t.y, t.cx, t.cy), font);
    QWidget* w = nullptr;
    switch (t.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(StaticText(t.text, t.style), surface);
            // Statics show texts from the instrument too; they are never markup.
            label->setTextFormat(Qt::PlainText);
            Qt::Alignment h = Qt::AlignLeft;
            if ((t.style & 0x3u) == SS_CENTER)
                h = Qt::AlignHCenter;
            if ((t.style & 0x3u) == SS_RIGHT)
                h = Qt::AlignRight;
            const bool centred = (t.style & SS_CENTERIMAGE) != 0;
            label->setAlignment(h | (centred ? Qt::AlignVCenter : Qt::AlignTop));
            label->setWordWrap(!centred && (t.style & 0x3u) == SS_LEFT);
            if ((t.style & SS_SUNKEN) != 0)
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            w = label;
            break;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(surface);
            if (!t.text.empty() && t.text.front() == ':') {
                // A template may name its own image by resource path: drawn to fit the
                // rectangle, as a small icon in a table of them has to be.
                const int side = std::min(rect.width(), rect.height());
                QPixmap image(ToQString(t.text));
                if (!image.isNull() && side > 0)
                    label->setPixmap(
                        image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
                label->setAlignment(Qt::AlignCenter);
                w = label;
                break;
            }
            QIcon icon = QApplication::windowIcon();
            if (icon.isNull())
                icon = surface->style()->standardIcon(QStyle::SP_MessageBoxInformation);
            const int side = std::max(32, std::min(rect.width(), rect.height()));
            label->setPixmap(icon.pixmap(side, side));
            rect.setSize(QSize(side, side));
            w = label;
            break;
        }
        case ControlKind::Edit: {
            if ((t.style & ES_MULTILINE) != 0) {
                auto* edit = new QPlainTextEdit(ToQString(t.text), surface);
                edit->setReadOnly((t.style & ES_READONLY) != 0);
                w = edit;
            } else {
                auto* edit = new QLineEdit(ToQString(t.text), surface);
                edit->setReadOnly((t.style & ES_READONLY) != 0);
                if ((t.style & ES_PASSWORD) != 0)
                    edit->setEchoMode(QLineEdit::Password);
                if ((t.style & ES_CENTER) != 0)
                    edit->setAlignment(Qt::AlignCenter);
                if ((t.style & ES_RIGHT) != 0)
                    edit->setAlignment(Qt::AlignRight);
                edit->setValidator(new EditFilter(t.style, edit));
                w = edit;
            }
            break;
        }
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new QPushButton(ToQString(t.text), surface);
            button->setDefault(t.kind == ControlKind::DefPushButton);
            w = button;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(ToQString(t.text), surface);
            const unsigned type = t.style & BS_TYPEMASK;
            box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
            w = box;
            break;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(ToQString(t.text), surface);
            // Groups follow WS_GROUP, not the parent widget; the host keeps them exclusive.
            radio->setAutoExclusive(false);
            w = radio;
            break;
        }
        case ControlKind::GroupBox:
            w = new QGroupBox(StaticText(t.text, 0), surface);
            w->setFocusPolicy(Qt::NoFocus);
            break;
        case ControlKind::ComboDropDownList:
        case ControlKind::ComboDropDown: {
            auto* combo = new QComboBox(surface);
            combo->setEditable(t.kind == ControlKind::ComboDropDown);
            combo->setInsertPolicy(QComboBox::NoInsert);
            const int lineHeight =
                std::max(combo->sizeHint().height(), QFontMetrics(font).height() + 8);
            const int listHeight = rect.height() - lineHeight;
            const int itemHeight = QFontMetrics(font).height() + 2;
            combo->setMaxVisibleItems(std::max(3, listHeight / std::max(1, itemHeight)));
            rect.setHeight(lineHeight);
            w = combo;
            break;
        }
        case ControlKind::ListBox:
            w = new QListWidget(surface);
            break;
        case ControlKind::IpAddress:
            w = new IpAddressCtrl(surface);
            break;
        case ControlKind::Progress: {
            auto* bar = new QProgressBar(surface);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            if ((t.style & PBS_VERTICAL) != 0)
                bar->setOrientation(Qt::Vertical);
            w = bar;
            break;
        }
        case ControlKind::UpDown:
            w = new ControlsUpDown((t.style & UDS_HORZ) != 0, surface);
            break;
        case ControlKind::Tab:
            w = new ControlsTab(surface);
            break;
        case ControlKind::Animation:
            w = new QLabel(surface);
            break;
        case ControlKind::ListView:
        case ControlKind::TreeView: {
            auto* tree = new QTreeWidget(surface);
            tree->setRootIsDecorated(t.kind == ControlKind::TreeView);
            tree->setHeaderHidden(t.kind == ControlKind::TreeView);
            tree->setHeaderLabels({QString()});  // columns are the program's to add
            w = tree;
            break;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        detail::AccessibleAsTemplateButton(button);
    w->setGeometry(rect);
    w->setObjectName(QString("control%1").arg(t.id));
    return w;
}

void ControlsHost::WireControl(Control& control, const ControlTemplate& t) {
    QWidget* w = control.widget;
    const int id = control.id;
    switch (control.kind) {
        case ControlKind::Edit:
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                QObject::connect(edit, &QLineEdit::textEdited, edit, [this, id] {
                    NotifyCommand(id, EN_UPDATE);
                    NotifyCommand(id, EN_CHANGE);
                });
            } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
                QObject::connect(text, &QPlainTextEdit::textChanged, text, [this, id] {
                    if (m_programWrite > 0)
                        return;
                    NotifyCommand(id, EN_UPDATE);
                    NotifyCommand(id, EN_CHANGE);
                });
            }
            break;
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            auto* button = static_cast<QAbstractButton*>(w);
            QObject::connect(button, &QAbstractButton::clicked, button, [this, id] {
                Control* c = Find(id);
                if (c == nullptr)
                    return;
                auto* b = static_cast<QAbstractButton*>(c->widget.data());
                const unsigned type = c->style & BS_TYPEMASK;
                if (c->kind == ControlKind::CheckBox && (type == BS_CHECKBOX || type == BS_3STATE))
                    b->setChecked(!b->isChecked());  // Qt toggled it; this kind does not
                if (c->kind == ControlKind::RadioButton) {
                    if (type == BS_RADIOBUTTON)
                        b->setChecked(!b->isChecked());
                    else
                        ClickRadio(*c);
                }
                NotifyCommand(id, BN_CLICKED);
            });
            break;
        }
        case ControlKind::ComboDropDownList:
        case ControlKind::ComboDropDown: {
            auto* combo = static_cast<QComboBox*>(w);
            const bool sorted = (control.style & CBS_SORT) != 0;
            for (const std::string& item : t.items) {
                if (sorted)
                    AddString(id, item);
                else
                    combo->addItem(ToQString(item));
            }
            ++m_programWrite;
            combo->setCurrentIndex(-1);
            --m_programWrite;
            QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this, id](int i) {
                if (m_programWrite > 0)
                    return;
                if (Control* c = Find(id))
                    ListSelectionChanged(*c, i);
            });
            if (combo->isEditable()) {
                QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [this, id] {
                    NotifyCommand(id, CBN_EDITUPDATE);
                    NotifyCommand(id, CBN_EDITCHANGE);
                });
            }
            break;
        }
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            for (const std::string& item : t.items) AddString(id, item);
            QObject::connect(list, &QListWidget::currentRowChanged, list, [this, id](int i) {
                if (m_programWrite > 0)
                    return;
                if (Control* c = Find(id))
                    ListSelectionChanged(*c, i);
            });
            break;
        }
        case ControlKind::IpAddress:
            static_cast<IpAddressCtrl*>(w)->m_onNotify = [this, id](int code) {
                NotifyCommand(id, code);
            };
            break;
        case ControlKind::UpDown: {
            auto* spin = static_cast<ControlsUpDown*>(w);
            spin->m_onStep = [this, id](int arrow) {
                if (Control* c = Find(id))
                    UpDownStep(*c, arrow);
            };
            spin->m_onRelease = [this, id] {
                if (Control* c = Find(id))
                    UpDownRelease(*c);
            };
            break;
        }
        case ControlKind::Tab:
            static_cast<ControlsTab*>(w)->m_onOperatorChange = [this, id](int index, int previous) {
                LRESULT refuse = NotifyOwner(id, TCN_SELCHANGING, nullptr);
                if (refuse != 0) {
                    SetTabCurSel(id, previous);
                    return;
                }
                NotifyOwner(id, TCN_SELCHANGE, nullptr);
                (void)index;
            };
            break;
        default:
            break;
    }
}

ControlsHost::Control* ControlsHost::Find(int id) {
    for (Control& c : m_controls)
        if (c.id == id && c.widget != nullptr)
            return &c;
    return nullptr;
}

const ControlsHost::Control* ControlsHost::Find(int id) const {
    for (const Control& c : m_controls)
        if (c.id == id && c.widget != nullptr)
            return &c;
    return nullptr;
}

QWidget* ControlsHost::GetDlgItem(int id) const {
    const Control* c = Find(id);
    return c != nullptr ? c->widget.data() : nullptr;
}

void ControlsHost::NotifyCommand(int id, int code) {
    if (m_owner != nullptr)
        m_owner->SendMessage(WM_COMMAND, MakeWParam(id, code), 0);
}

LRESULT ControlsHost::NotifyOwner(int id, int code, void* data) {
    LRESULT result = 0;
    OnNotify(id, code, data, &result);
    return result;
}

BOOL ControlsHost::OnNotify(int, int, void*, LRESULT* result) {
    if (result != nullptr)
        *result = 0;
    return FALSE;
}

void ControlsHost::OnVScroll(int, int, int) {}
void ControlsHost::OnHScroll(int, int, int) {}

void ControlsHost::FocusChanged(int newId) {
    if (newId == m_focusId)
        return;
    const int oldId = m_focusId;
    m_focusId = newId;
    auto code = [](const Control* c, bool set) {
        if (c == nullptr)
            return -1;
        if (c->kind == ControlKind::Edit || c->kind == ControlKind::IpAddress)
            return set ? EN_SETFOCUS : EN_KILLFOCUS;
        if (IsComboKind(c->kind))
            return set ? CBN_SETFOCUS : CBN_KILLFOCUS;
        return -1;
    };
    const int kill = code(Find(oldId), false);
    if (kill >= 0)
        NotifyCommand(oldId, kill);
    // A handler of the kill notification may have moved the focus again.
    if (m_focusId != newId)
        return;
    const int set = code(Find(newId), true);
    if (set >= 0)
        NotifyCommand(newId, set);
}

void ControlsHost::WriteText(Control& control, const std::string& text) {
    QWidget* w = control.widget;
    ++m_programWrite;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(ToQString(text));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(ToQString(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(ToQString(text));
        } else {
            combo->setCurrentIndex(combo->findText(ToQString(text), Qt::MatchFixedString));
            if (Control* c = Find(control.id))
                c->lastSelection = combo->currentIndex();
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(StaticText(text, control.style));
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(StaticText(text, 0));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(ToQString(text));
    }
    --m_programWrite;
    if (IsEditKind(control.kind)) {
        NotifyCommand(control.id, EN_UPDATE);
        NotifyCommand(control.id, EN_CHANGE);
    }
}

std::string ControlsHost::ReadText(const Control& control) const {
    QWidget* w = control.widget;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return FromQString(edit->text());
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return FromQString(plain->toPlainText());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return FromQString(combo->currentText());
    if (auto* label = qobject_cast<QLabel*>(w))
        return FromQString(label->text());
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return FromQString(group->title());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return FromQString(button->text());
    if (auto* ip = dynamic_cast<IpAddressCtrl*>(w)) {
        std::uint32_t a = 0;
        ip->GetAddress(a);
        return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 0xFF) + "." +
               std::to_string((a >> 8) & 0xFF) + "." + std::to_string(a & 0xFF);
    }
    return {};
}

void ControlsHost::SetDlgItemText(int id, const std::string& text) {
    if (Control* c = Find(id))
        WriteText(*c, text);
}

std::string ControlsHost::GetDlgItemText(int id) const {
    const Control* c = Find(id);
    return c != nullptr ? ReadText(*c) : std::string();
}

void ControlsHost::SetDlgItemInt(int id, int value, bool isSigned) {
    SetDlgItemText(id,
                   isSigned ? std::to_string(value) : std::to_string(static_cast<unsigned>(value)));
}

int ControlsHost::GetDlgItemInt(int id, bool* ok, bool isSigned) const {
    if (ok != nullptr)
        *ok = false;
    const std::string text = GetDlgItemText(id);
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-' && isSigned) {
        negative = true;
        ++p;
    }
    if (*p < '0' || *p > '9')
        return 0;
    unsigned long long value = 0;
    const unsigned long long limit =
        isSigned ? (negative ? 2147483648ull : 2147483647ull) : 4294967295ull;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > limit)
            return 0;
    }
    if (ok != nullptr)
        *ok = true;
    if (!isSigned)
        return static_cast<int>(static_cast<unsigned>(value));
    return negative ? static_cast<int>(-static_cast<long long>(value)) : static_cast<int>(value);
}

void ControlsHost::CheckDlgButton(int id, int check) {
    Control* c = Find(id);
    if (c == nullptr)
        return;
    if (auto* box = qobject_cast<QCheckBox*>(c->widget.data())) {
        box->setCheckState(check == 2 ? Qt::PartiallyChecked
                                      : (check != 0 ? Qt::Checked : Qt::Unchecked));
    } else if (auto* button = qobject_cast<QAbstractButton*>(c->widget.data())) {
        button->setChecked(check != 0);
    }
}

int ControlsHost::IsDlgButtonChecked(int id) const {
    const Control* c = Find(id);
    if (c == nullptr)
        return 0;
    if (auto* box = qobject_cast<QCheckBox*>(c->widget.data())) {
        switch (box->checkState()) {
            case Qt::Checked:
                return 1;
            case Qt::PartiallyChecked:
                return 2;
            default:
                return 0;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(c->widget.data()))
        return button->isChecked() ? 1 : 0;
    return 0;
}

void ControlsHost::CheckRadioButton(int first, int last, int id) {
    for (int i = first; i <= last; ++i) CheckDlgButton(i, i == id ? 1 : 0);
}

int ControlsHost::RadioGroupEnd(size_t index) const {
    size_t end = index + 1;
    while (end < m_controls.size() && (m_controls[end].style & WS_GROUP) == 0) ++end;
    return static_cast<int>(end);
}

void ControlsHost::ClickRadio(Control& control) {
    size_t index = static_cast<size_t>(&control - m_controls.data());
    size_t begin = index;
    while (begin > 0 && (m_controls[begin].style & WS_GROUP) == 0) --begin;
    const size_t end = static_cast<size_t>(RadioGroupEnd(index));
    for (size_t i = begin; i < end; ++i) {
        if (m_controls[i].kind != ControlKind::RadioButton)
            continue;
        auto* b = static_cast<QAbstractButton*>(m_controls[i].widget.data());
        if (b != nullptr)
            b->setChecked(i == index);
    }
}

void ControlsHost::EnableDlgItem(int id, bool enable) {
    if (QWidget* w = GetDlgItem(id))
        w->setEnabled(enable);
}

bool ControlsHost::IsDlgItemEnabled(int id) const {
    QWidget* w = GetDlgItem(id);
    return w != nullptr && w->isEnabled();
}

void ControlsHost::ShowDlgItem(int id, bool show) {
    if (QWidget* w = GetDlgItem(id))
        w->setVisible(show);
}

bool ControlsHost::IsDlgItemVisible(int id) const {
    QWidget* w = GetDlgItem(id);
    return w != nullptr && !w->isHidden();
}

void ControlsHost::GotoDlgCtrl(int id) {
    Control* c = Find(id);
    if (c == nullptr)
        return;
    FocusChanged(id);
    c->widget->setFocus(Qt::OtherFocusReason);
}

void ControlsHost::SetEditSel(int id, int start, int end) {
    if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id))) {
        const int length = static_cast<int>(edit->text().size());
        if (end < 0 || end > length)
            end = length;
        if (start < 0) {
            edit->deselect();
            return;
        }
        edit->setSelection(start, end - start);
    }
}

void ControlsHost::LimitText(int id, int maxChars) {
    Control* c = Find(id);
    if (c == nullptr)
        return;
    c->limit = maxChars;
    if (auto* edit = qobject_cast<QLineEdit*>(c->widget.data()))
        if (auto* filter =
                const_cast<EditFilter*>(dynamic_cast<const EditFilter*>(edit->validator())))
            filter->m_limit = maxChars;
}

void ControlsHost::DisableInputMethod(int id) {
    if (QWidget* w = GetDlgItem(id))
        w->setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool ControlsHost::OperatorCanUse(const Control* control) const {
    return control != nullptr && control->widget != nullptr && control->widget->isEnabled() &&
           !control->widget->isHidden();
}

bool ControlsHost::ClickButton(int id) {
    Control* c = Find(id);
    if (!OperatorCanUse(c))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(c->widget.data());
    if (button == nullptr)
        return false;
    button->click();
    return true;
}

bool ControlsHost::TypeText(int id, const std::string& text) {
    Control* c = Find(id);
    if (!OperatorCanUse(c))
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(c->widget.data())) {
        if (edit->isReadOnly())
            return false;
        QString typed;
        for (QChar ch : ToQString(text)) {
            if ((c->style & ES_NUMBER) != 0 && !ch.isDigit())
                continue;  // the keyboard refuses
            if (c->limit > 0 && typed.size() >= c->limit)
                break;
            typed += (c->style & ES_UPPERCASE) != 0 ? ch.toUpper() : ch;
        }
        ++m_programWrite;
        edit->setText(typed);
        --m_programWrite;
        NotifyCommand(id, EN_UPDATE);
        NotifyCommand(id, EN_CHANGE);
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(c->widget.data())) {
        if (plain->isReadOnly())
            return false;
        plain->setPlainText(ToQString(text));  // textChanged raises the notifications
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(c->widget.data())) {
        if (!combo->isEditable())
            return false;
        ++m_programWrite;
        combo->setEditText(ToQString(text));
        --m_programWrite;
        NotifyCommand(id, CBN_EDITUPDATE);
        NotifyCommand(id, CBN_EDITCHANGE);
        return true;
    }
    return false;
}

bool ControlsHost::FocusControl(int id) {
    Control* c = Find(id);
    if (!OperatorCanUse(c))
        return false;
    GotoDlgCtrl(id);
    return true;
}

bool ControlsHost::TypeIpAddress(int id, const std::string& dotted) {
    Control* c = Find(id);
    if (!OperatorCanUse(c) || c->kind != ControlKind::IpAddress)
        return false;
    static_cast<IpAddressCtrl*>(c->widget.data())->TypeDotted(dotted);
    return true;
}

}  // namespace platform
