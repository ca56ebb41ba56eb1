#include "search/update_check.h"

#include "search/texts.h"
#include "search/window_operations.h"
#include "text/between.h"
#include "text/codepage.h"
#include "text/text_ops.h"
#include "web/fetch_bytes.h"

namespace {

Text read_notice(const Text& notice_address) {
    return utf8_bytes_to_gbk(fetch_bytes(notice_address));
}

}  // namespace

bool is_web_address(const Text& address) {
    const Text scheme = to_lower(left(address, 8));
    return left(scheme, 7) == Text("http://") || scheme == Text("https://");
}

void check_update(WindowOperations& window, const Text& notice_address) {
    const WorkflowTexts& texts = workflow_texts();
    const Text version = text_between(read_notice(notice_address), texts.version_start, texts.version_end);
    // No version at all means the notice could not be read, not that a new
    // version exists.
    if (version.empty() || version == texts.own_version) return;

    window.message_box(texts.new_version_message);
    window.set_visible(Control::编辑框2, true);
    window.set_visible(Control::标签1, true);
    // The address comes from a second reading of the page, as the row shows it.
    const Text download =
        text_between(read_notice(notice_address), texts.version_end, texts.address_end);
    window.set_text(Control::编辑框2, download);
    const Text shown = window.get_text(Control::编辑框2);
    if (is_web_address(shown)) window.shell_open(shown);
}
