#include "app/pressable_label.h"

#include <QMouseEvent>

void PressableLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) emit pressed();
}
