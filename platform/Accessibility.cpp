#include "platform/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ControlsHost.h"

namespace platform::detail {

namespace {

constexpr char kAccessibleAs[] = "platformAccessibleAs";
enum AccessibleAs { kQtDefault = 0, kAlert, kTemplateButton };  // kQtDefault: unmarked

QAccessible::Role RoleOf(const QAbstractButton* button) {
    if (qobject_cast<const QRadioButton*>(button) != nullptr)
        return QAccessible::RadioButton;
    if (qobject_cast<const QCheckBox*>(button) != nullptr)
        return QAccessible::CheckBox;
    return QAccessible::Button;
}

class TemplateButton : public QAccessibleWidget {
public:
    explicit TemplateButton(QAbstractButton* button) : QAccessibleWidget(button, RoleOf(button)) {}

    QString text(QAccessible::Text t) const override {
        QString text;
        if (t == QAccessible::Name) {
            text = widget()->accessibleName();
            if (text.isEmpty())
                text = ControlsHost::WithoutAccessKeys(Button()->text());
        } else if (t == QAccessible::Accelerator) {
            text = QKeySequence::mnemonic(Button()->text()).toString(QKeySequence::NativeText);
        }
        return text.isEmpty() ? QAccessibleWidget::text(t) : text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QAbstractButton* button = Button();
        state.checkable = button->isCheckable();
        state.checked = button->isChecked();
        if (const auto* box = qobject_cast<const QCheckBox*>(button))
            state.checkStateMixed = box->checkState() == Qt::PartiallyChecked;
        state.pressed = button->isDown();
        if (const auto* push = qobject_cast<const QPushButton*>(button))
            state.defaultButton = push->isDefault();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled())
            names << (Button()->isCheckable() ? toggleAction() : pressAction());
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != pressAction() && action != toggleAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Clicked after the call returns, so that a box the click opens never holds the
        // assistive technology that asked; a disabled button ignores it, as it does the mouse.
        if (widget()->isEnabled())
            Button()->animateClick();
    }

private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    switch (widget->property(kAccessibleAs).toInt()) {
        case kAlert:
            return new QAccessibleWidget(widget, QAccessible::AlertMessage);
        case kTemplateButton:
            return new TemplateButton(static_cast<QAbstractButton*>(widget));
        default:
            return nullptr;
    }
}

void MarkAs(QWidget* widget, AccessibleAs as) {
    QAccessible::installFactory(&MakeInterface);  // a factory installed is kept
    // The interface Qt made while it constructed the widget goes; the next query makes ours.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    widget->setProperty(kAccessibleAs, static_cast<int>(as));
}

}  // namespace

void AccessibleAsAlert(QWidget* box) {
    MarkAs(box, kAlert);
}

void AccessibleAsTemplateButton(QAbstractButton* button) {
    MarkAs(button, kTemplateButton);
}

}  // namespace platform::detail
