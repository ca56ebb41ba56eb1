// The twelve controls with their places, sizes, texts, fonts and colours.

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <limits>

#include "app/banner.h"
#include "app/main_window.h"
#include "app/pressable_label.h"
#include "app/qt_text.h"
#include "app/result_model.h"
#include "app/result_view.h"

namespace {

const QColor red(255, 0, 0);

template <class Widget>
Widget* place(Widget* widget, const char16_t* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromUtf16(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

void colour_text(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(role, colour);
    widget->setPalette(colours);
}

// A label without a background of its own: the window shows through.
void make_transparent_label(QLabel* label, Qt::Alignment alignment) {
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(false);
    label->setAutoFillBackground(false);
    colour_text(label, QPalette::WindowText, red);
}

void make_edit_box(QLineEdit* edit, Qt::Alignment alignment) {
    edit->setAlignment(alignment);
    edit->setFrame(true);
    edit->setMaxLength(std::numeric_limits<int>::max());
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    edit->setPalette(colours);
}

// None of the buttons is a default button, so Enter anywhere starts nothing.
QPushButton* make_button(QWidget* parent, const char* caption) {
    auto* button = new QPushButton(ui_text(caption), parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QFont windows_font(const char16_t* family, int pixel_height, bool underline = false) {
    QFont font(QString::fromUtf16(family));
    font.setPixelSize(pixel_height);
    font.setWeight(QFont::Normal);
    font.setUnderline(underline);
    return font;
}

}  // namespace

void MainWindow::create_controls() {
    constexpr Qt::Alignment left_middle = Qt::AlignLeft | Qt::AlignVCenter;

    // Creation order is drawing order: the status label, made after 编辑框2,
    // stays readable where the two overlap.
    编辑框1 = place(new QLineEdit(ui_text("功夫2"), this), u"编辑框1", 95, 56, 240, 32);
    make_edit_box(编辑框1, Qt::AlignCenter);
    编辑框1->setFont(windows_font(u"微软雅黑", 16));

    按钮1 = place(make_button(this, "搜  索"), u"按钮1", 351, 56, 80, 32);
    按钮4 = place(make_button(this, "按钮"), u"按钮4", 440, 64, 48, 24);
    按钮4->hide();

    透明标签3 = place(new QLabel(ui_text("请配合，讯雷、QQ旋风等下载工具"), this), u"透明标签3",
                      144, 16, 232, 24);
    make_transparent_label(透明标签3, left_middle);

    标签1 = place(new QLabel(ui_text("新版下载地址："), this), u"标签1", 24, 112, 80, 24);
    标签1->setTextFormat(Qt::PlainText);
    标签1->setAlignment(left_middle);
    标签1->setAutoFillBackground(true);
    colour_text(标签1, QPalette::WindowText, Qt::black);
    标签1->hide();

    编辑框2 = place(new QLineEdit(this), u"编辑框2", 112, 112, 376, 24);
    make_edit_box(编辑框2, left_middle);
    编辑框2->hide();

    透明标签1 = place(new QLabel(this), u"透明标签1", 123, 120, 232, 24);
    make_transparent_label(透明标签1, Qt::AlignCenter);

    results_ = new ResultModel(this);
    超级列表框1 = place(new ResultView(this), u"超级列表框1", 16, 177, 480, 280);
    超级列表框1->setModel(results_);
    for (int column = 0; column < ResultModel::column_count; ++column) {
        超级列表框1->horizontalHeader()->resizeSection(column, 200);
    }

    透明标签2 = place(new PressableLabel(ui_text("如果搜索后没有结果请点此"), this), u"透明标签2",
                      16, 472, 184, 32);
    make_transparent_label(透明标签2, left_middle);
    透明标签2->setFont(windows_font(u"宋体", 12, true));

    按钮3 = place(make_button(this, "下一页"), u"按钮3", 309, 470, 80, 32);
    按钮2 = place(make_button(this, "加入下一页"), u"按钮2", 400, 470, 80, 32);

    图片框10 = place(new Banner(this), u"图片框10", -8, 512, 520, 40);
}
