// The about box: the program's name and version and what it is for.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace nimbrel {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QStringList Labels() const;
    QPushButton* OkButton() const { return m_ok; }

private:
    QList<QLabel*> m_labels;
    QPushButton* m_ok = nullptr;
};

}  // namespace nimbrel
