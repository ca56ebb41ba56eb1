// Draws the banner's two frames and the application icon into the folder
// given as the only argument. Run once by hand; the PNG files are kept in the
// tree beside this program.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

namespace {

constexpr int banner_width = 930;
constexpr int banner_height = 80;

QFont chinese_font(int pixel_size) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixel_size);
    font.setBold(true);
    return font;
}

// Both frames are drawn alike except for the colour of the line of text.
QImage banner_frame(const QColor& text_colour) {
    QImage image(banner_width, banner_height, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(text_colour);
    painter.setFont(chinese_font(48));
    painter.drawText(image.rect(), Qt::AlignCenter,
                     QStringLiteral("澄岚网盘 · 海量资源 · 点击进入"));
    return image;
}

// A white magnifier on a red rounded square.
QImage icon() {
    constexpr int size = 256;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawRoundedRect(QRectF(8, 8, size - 16, size - 16), 40, 40);
    painter.setPen(QPen(QColor(255, 255, 0), 22, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(108, 108), 58, 58);
    painter.drawLine(QPointF(152, 152), QPointF(206, 206));
    return image;
}

bool save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool written = save(banner_frame(QColor(255, 255, 0)), folder, "banner_1.png") &&
                         save(banner_frame(QColor(255, 255, 255)), folder, "banner_2.png") &&
                         save(icon(), folder, "icon.png");
    return written ? 0 : 1;
}
