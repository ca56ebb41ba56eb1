#pragma once

#include "search/workflows.h"
#include "text/text.h"

class WindowOperations;
class ResultSearch;

// The main window's entry points over the real workflows. The references must
// outlive every worker, which they do: the process ends without tearing them
// down.
[[nodiscard]] Workflows make_workflows(WindowOperations& window, ResultSearch& result_search,
                                       Text notice_address);
