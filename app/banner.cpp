#include "app/banner.h"

#include "app/qt_text.h"

Banner::Banner(QWidget* parent)
    : PressableLabel(parent),
      frames_{QPixmap(QStringLiteral(":/chenglan/banner_1.png")),
              QPixmap(QStringLiteral(":/chenglan/banner_2.png"))} {
    setScaledContents(true);
    // The frames are pictures; a screen reader gets their line as the name.
    setAccessibleName(ui_text("澄岚网盘 · 海量资源 · 点击进入"));
    setPixmap(frames_[0]);
    timer_.setInterval(frame_milliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Banner::show_next_frame);
    timer_.start();
}

void Banner::show_next_frame() {
    frame_ = 1 - frame_;
    setPixmap(frames_[static_cast<std::size_t>(frame_)]);
}
