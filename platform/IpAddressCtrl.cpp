#include "platform/IpAddressCtrl.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <utility>

#include "platform/MessageBox.h"
#include "platform/Types.h"
#include "platform/Wnd.h"

namespace platform {

IpAddressCtrl::IpAddressCtrl(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* validator = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), this);
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(validator);
        field->setMaxLength(3);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { FieldEdited(i); });
        m_fields[i] = field;
        if (i < 3) {
            auto* dot = new QLabel(".", this);
            dot->setAlignment(Qt::AlignCenter);
            dot->setObjectName(QString("dot%1").arg(i));
        }
    }
    setFocusProxy(m_fields[0]);
}

void IpAddressCtrl::resizeEvent(QResizeEvent*) {
    // Four equal fields with a narrow dot between each; the frame is drawn by the style.
    const int dotWidth = 6;
    const int inner = width() - 4;
    const int fieldWidth = (inner - 3 * dotWidth) / 4;
    int x = 2;
    for (int i = 0; i < 4; ++i) {
        m_fields[i]->setGeometry(x, 2, fieldWidth, height() - 4);
        x += fieldWidth;
        if (i < 3) {
            if (auto* dot = findChild<QLabel*>(QString("dot%1").arg(i)))
                dot->setGeometry(x, 2, dotWidth, height() - 4);
            x += dotWidth;
        }
    }
}

void IpAddressCtrl::SetAddress(std::uint32_t address) {
    for (int i = 0; i < 4; ++i) {
        const unsigned value = (address >> (24 - 8 * i)) & 0xFFu;
        m_fields[i]->setText(QString::number(value));
        Notify(EN_CHANGE);
    }
}

int IpAddressCtrl::GetAddress(std::uint32_t& address) const {
    address = 0;
    int filled = 0;
    for (int i = 0; i < 4; ++i) {
        const QString text = m_fields[i]->text();
        unsigned value = 0;
        if (!text.isEmpty()) {
            ++filled;
            value = std::min(text.toUInt(), 255u);
        }
        address |= value << (24 - 8 * i);
    }
    return filled;
}

void IpAddressCtrl::ClearAddress() {
    for (QLineEdit* field : m_fields) {
        field->clear();
        Notify(EN_CHANGE);
    }
}

bool IpAddressCtrl::IsBlank() const {
    for (QLineEdit* field : m_fields)
        if (!field->text().isEmpty())
            return false;
    return true;
}

void IpAddressCtrl::SetFieldFocus(int field) {
    if (field < 0 || field > 3)
        return;
    m_current = field;
    m_fields[field]->setFocus();
    m_fields[field]->selectAll();
}

void IpAddressCtrl::TypeDotted(const std::string& text) {
    ClearAddress();
    m_current = 0;
    for (char c : text) TypeChar(c);
    Constrain(m_current);
}

void IpAddressCtrl::TypeChar(char c) {
    QLineEdit* field = m_fields[m_current];
    const bool movedOn = std::exchange(m_movedOn, false);
    if (c == '.') {
        if (!movedOn && !field->text().isEmpty() && m_current < 3) {
            Constrain(m_current);
            ++m_current;
            m_fields[m_current]->selectAll();
        }
        return;
    }
    if (c < '0' || c > '9')
        return;
    if (field->text().size() >= 3) {
        if (m_current == 3)
            return;
        ++m_current;
        field = m_fields[m_current];
    }
    field->setText(field->text() + QChar(c));
    FieldEdited(m_current);
}

void IpAddressCtrl::FieldEdited(int field) {
    m_current = field;
    Notify(EN_CHANGE);
    const QString text = m_fields[field]->text();
    if (text.toInt() > 255) {
        Constrain(field);
        return;
    }
    if (text.size() == 3 && field < 3) {
        m_current = field + 1;
        m_movedOn = true;
        if (m_fields[field]->hasFocus())
            SetFieldFocus(m_current);
    }
}

void IpAddressCtrl::Constrain(int field) {
    const QString text = m_fields[field]->text();
    const int value = text.toInt();
    if (text.isEmpty() || value <= 255)
        return;
    m_fields[field]->setText("255");
    Notify(EN_CHANGE);
    MessageBox(
        CWnd::FromWidget(this),
        std::to_string(value) + " is not a valid entry. Please specify a value between 0 and 255.",
        "Error", MB_OK | MB_ICONEXCLAMATION);
    m_current = field;
    if (isVisible())
        SetFieldFocus(field);
}

int IpAddressCtrl::FieldOf(QObject* object) const {
    for (int i = 0; i < 4; ++i)
        if (m_fields[i] == object)
            return i;
    return -1;
}

bool IpAddressCtrl::eventFilter(QObject* watched, QEvent* event) {
    const int field = FieldOf(watched);
    if (field < 0)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool movedOn = std::exchange(m_movedOn, false);
        if (text == "." || text == " ") {
            m_current = field;
            // After a move by the third digit the next field may still hold an old number,
            // selected for replacing: skipping it would put the next number one field on.
            if (!movedOn && !m_fields[field]->text().isEmpty() && field < 3) {
                Constrain(field);
                SetFieldFocus(field + 1);
            }
            return true;
        }
        if (key->key() == Qt::Key_Backspace && m_fields[field]->text().isEmpty() && field > 0) {
            SetFieldFocus(field - 1);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        m_movedOn = false;
    } else if (event->type() == QEvent::FocusIn) {
        m_current = field;
    } else if (event->type() == QEvent::FocusOut) {
        Constrain(field);
    }
    return QFrame::eventFilter(watched, event);
}

void IpAddressCtrl::Notify(int code) {
    if (m_onNotify)
        m_onNotify(code);
}

}  // namespace platform
