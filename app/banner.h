#pragma once

#include <QPixmap>
#include <QTimer>
#include <array>

#include "app/pressable_label.h"

// The animated banner: two frames shown in turn without end, each stretched
// to the banner's box. The frames differ only in the colour of their text,
// so the text blinks.
class Banner final : public PressableLabel {
    Q_OBJECT

  public:
    static constexpr int frame_milliseconds = 150;

    explicit Banner(QWidget* parent = nullptr);
    Banner(const Banner&) = delete;
    Banner& operator=(const Banner&) = delete;

    [[nodiscard]] int frame() const { return frame_; }

  private:
    void show_next_frame();

    std::array<QPixmap, 2> frames_;
    int frame_ = 0;
    QTimer timer_;
};
