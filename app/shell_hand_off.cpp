#include "app/shell_hand_off.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

ShellHandOff desktop_hand_off() {
    return [](const QString& address) {
        // Tolerant: magnet links carry spaces and non-ASCII names as they were
        // decoded from the page. The result is not looked at.
        QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    };
}
