#pragma once

#include <QLabel>

// A label that reports the left mouse button going down on it: the event the
// window reacts to fires on the press itself, before any release.
class PressableLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;
    PressableLabel(const PressableLabel&) = delete;
    PressableLabel& operator=(const PressableLabel&) = delete;

  signals:
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};
