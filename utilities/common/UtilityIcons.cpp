#include "utilities/common/UtilityIcons.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace utilities {

namespace {

QPixmap DrawIcon(const UtilityTraits& traits, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour(static_cast<QRgb>(traits.iconColor));
    painter.setPen(QPen(colour.darker(150), size / 16.0 + 0.5));
    painter.setBrush(colour);
    const double inset = size / 16.0;
    painter.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), size / 5.0,
                            size / 5.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 5 / 8);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QString initial = traits.name.empty() ? QString("?") : QString(QChar(traits.name[0]));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, initial);
    return pixmap;
}

}  // namespace

QIcon UtilityIcon(const UtilityTraits& traits) {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(DrawIcon(traits, size));
    return icon;
}

}  // namespace utilities
