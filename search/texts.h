#pragma once

#include "text/text.h"

// The fixed texts the workflows look for and show, in GBK, made once.
struct WorkflowTexts {
    // How the search site writes one result: the detail-page href, then the title.
    Text result_pattern;
    // The magnet link stands between these two on a detail page.
    Text magnet_start;
    Text magnet_end;
    // The notice page: the version stands between the first two markers, the
    // download address between the second and the third.
    Text version_start;
    Text version_end;
    Text address_end;
    Text own_version;

    // Statuses.
    Text fetched;
    Text double_click_hint;
    Text fetch_failed;
    Text page_label_before;
    Text page_label_after;
    Text resolving_two_dots;
    Text resolving_three_dots;
    Text resolving_one_dot;
    Text magnet_opened;
    Text magnet_not_found;

    Text new_version_message;
};

[[nodiscard]] const WorkflowTexts& workflow_texts();

// "现正为第（N）页"
[[nodiscard]] Text page_label(int page);
