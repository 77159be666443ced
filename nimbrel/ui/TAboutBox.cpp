#include "nimbrel/ui/TAboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace nimbrel {

namespace {

// The program's picture: a frame of colour bars, drawn here rather than shipped.
QPixmap ProgramPicture() {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor bars[] = {Qt::white,   Qt::yellow, Qt::cyan, Qt::green,
                           Qt::magenta, Qt::red,    Qt::blue};
    for (int i = 0; i < 7; ++i) {
        painter.fillRect(4 + 40 * i / 7, 8, 40 * (i + 1) / 7 - 40 * i / 7, 32, bars[i]);
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(4, 8, 40, 32);
    return pixmap;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Nimbrel");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramPicture());
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    for (const char* text :
         {"Nimbrel Version 4.00", "Bitmap to Frame Bitmap to convert BMP files to PIC files",
          "that are used by Quarn Signal Generator."}) {
        auto* label = new QLabel(text, this);
        m_labels.append(label);
        texts->addWidget(label);
    }
    QFont title = m_labels.front()->font();
    title.setBold(true);
    m_labels.front()->setFont(title);
    top->addLayout(texts, 1);
    layout->addLayout(top);
    m_ok = new QPushButton("OK", this);
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList TAboutBox::Labels() const {
    QStringList texts;
    for (const QLabel* label : m_labels) {
        texts.append(label->text());
    }
    return texts;
}

}  // namespace nimbrel
