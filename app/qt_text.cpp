#include "app/qt_text.h"

#include "text/codepage.h"

QString to_qstring(const Text& gbk_text) {
    return QString::fromStdU16String(gbk_to_u16(gbk_text.view()));
}

Text to_text(const QString& text) {
    return u16_to_gbk(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

QString ui_text(std::string_view utf8) { return to_qstring(gbk(utf8)); }
