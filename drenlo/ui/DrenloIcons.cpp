#include "drenlo/ui/DrenloIcons.h"

#include <QFont>
#include <QPainter>

#include "resources/drenlo/Resource.h"

namespace drenlo {

namespace {
void DrawFolder(QPainter& p, qreal s, bool open) {
    p.setPen(QPen(QColor(160, 115, 10), s / 24.0));
    p.setBrush(QColor(236, 190, 60));
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.18, s * 0.38, s * 0.16), s * 0.04, s * 0.04);
    p.setBrush(open ? QColor(250, 215, 110) : QColor(244, 200, 70));
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.28, s * 0.84, s * 0.56), s * 0.05, s * 0.05);
}

void DrawSheet(QPainter& p, qreal s, QColor colour, const char* letter) {
    p.setPen(QPen(QColor(110, 110, 110), s / 24.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.2, s * 0.08, s * 0.6, s * 0.84));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(s * 0.2, s * 0.56, s * 0.6, s * 0.36));
    if (letter != nullptr) {
        QFont font;
        font.setBold(true);
        font.setPixelSize(static_cast<int>(s * 0.32));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(s * 0.2, s * 0.56, s * 0.6, s * 0.36), Qt::AlignCenter, letter);
    }
}

void DrawRoot(QPainter& p, qreal s, bool selected) {
    p.setPen(QPen(QColor(40, 40, 60), s / 20.0));
    p.setBrush(selected ? QColor(90, 130, 210) : QColor(70, 100, 170));
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.22, s * 0.88, s * 0.5), s * 0.06, s * 0.06);
    p.setBrush(QColor(120, 230, 120));
    p.drawEllipse(QRectF(s * 0.72, s * 0.52, s * 0.12, s * 0.12));
    p.setBrush(QColor(40, 40, 60));
    p.drawRect(QRectF(s * 0.3, s * 0.74, s * 0.4, s * 0.1));
}
}  // namespace

QPixmap DrenloIcon(int resourceId, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    switch (resourceId) {
        case IDI_FOLDER:
            DrawFolder(p, s, false);
            break;
        case IDI_FOLDER_OPEN:
            DrawFolder(p, s, true);
            break;
        case IDI_ROOT:
        case IDI_ROOT_SELECTED:
            DrawRoot(p, s, resourceId == IDI_ROOT_SELECTED);
            break;
        case IDI_PLACEHOLDER:
        case IDI_PLACEHOLDER_SELECTED:
            break;
        case IDI_PRESET:
            DrawSheet(p, s, QColor(50, 140, 70), "P");
            break;
        case IDI_DOWNLOAD:
            DrawSheet(p, s, QColor(180, 60, 50), "D");
            break;
        case IDI_LOGO:
            DrawSheet(p, s, QColor(150, 70, 170), "L");
            break;
        case IDI_SEQUENCE:
            DrawSheet(p, s, QColor(40, 110, 190), "Q");
            break;
        case IDI_PICTURE:
            DrawSheet(p, s, QColor(220, 130, 20), "I");
            break;
        case IDI_SIGNAL:
            DrawSheet(p, s, QColor(0, 140, 150), "S");
            break;
        default:
            DrawSheet(p, s, QColor(150, 150, 150), nullptr);
            break;
    }
    return pixmap;
}

}  // namespace drenlo
