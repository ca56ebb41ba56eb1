#include "app/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace {

// The first installed family that covers simplified Chinese, preferring the
// one the setup installs.
QString chinese_family() {
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString& wanted :
         {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")}) {
        if (families.contains(wanted)) return wanted;
    }
    return families.isEmpty() ? QString() : families.first();
}

}  // namespace

void substitute_windows_fonts() {
    const QString family = chinese_family();
    if (family.isEmpty()) return;
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), family);
    QFont::insertSubstitution(QStringLiteral("宋体"), family);
}
