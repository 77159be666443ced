// The IP-address control: four fields of 0..255 separated by dots.
//
// Typing takes digits only. Three digits or a '.' move on to the next field. A field whose
// value goes above 255 is set to 255 and the operator is told with the Windows message
// "<n> is not a valid entry. Please specify a value between 0 and 255." (exclamation icon,
// through MessageBox.h, so tests answer it like any other box).
//
// Changes, whether typed or written by the program, are reported through m_onNotify as the
// control reports them to its parent on Windows: EN_CHANGE for each field written. The focus
// notifications of the control as a whole come from its host (ControlsHost.h).
#pragma once

#include <QFrame>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QLineEdit;

namespace platform {

class IpAddressCtrl : public QFrame {
public:
    explicit IpAddressCtrl(QWidget* parent);

    // The first number goes in the highest byte.
    void SetAddress(std::uint32_t address);
    // Returns how many fields are not blank; blank fields read 0.
    int GetAddress(std::uint32_t& address) const;
    void ClearAddress();
    bool IsBlank() const;
    void SetFieldFocus(int field);

    // Types the characters one by one as the operator would, from the first field on.
    // Characters other than digits and '.' are refused, as the keyboard filter refuses them.
    void TypeDotted(const std::string& text);

    std::function<void(int code)> m_onNotify;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int FieldOf(QObject* object) const;
    void TypeChar(char c);
    void FieldEdited(int field);
    void Constrain(int field);
    void Notify(int code);

    std::array<QLineEdit*, 4> m_fields{};
    int m_current = 0;
    // The last digit filled its field and moved on to the next one: a separator typed now
    // only confirms that move, as the operator types an address the usual way.
    bool m_movedOn = false;
};

}  // namespace platform
