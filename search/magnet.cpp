#include "search/magnet.h"

#include "search/texts.h"
#include "search/window_operations.h"
#include "text/between.h"
#include "text/percent.h"
#include "text/text_ops.h"
#include "web/http_request.h"

bool is_magnet_link(const Text& address) { return to_lower(left(address, 7)) == Text("magnet:"); }

void resolve_magnet(WindowOperations& window, const Text& link) {
    const WorkflowTexts& texts = workflow_texts();
    window.show_status(texts.resolving_two_dots);
    const Text page = url_decode(fetch_text(link), true);
    window.show_status(texts.resolving_three_dots);
    const Text magnet = text_between(page, texts.magnet_start, texts.magnet_end);
    window.show_status(texts.resolving_one_dot);
    if (!is_magnet_link(magnet)) {
        window.show_status(texts.magnet_not_found);
        return;
    }
    window.open_address(magnet);
    window.show_status(texts.magnet_opened);
}
