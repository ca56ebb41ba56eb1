#include <cstddef>
#include <cstdint>

#include "fuzz/support/fuzz_input.h"
#include "search/texts.h"
#include "search/update_check.h"
#include "text/between.h"
#include "text/codepage.h"

// The input is the notice page's body: counted bytes, read as UTF-8 the way
// the update check reads it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WorkflowTexts& texts = workflow_texts();
    const Text notice = utf8_bytes_to_gbk(Bytes(data, size));
    const Text version = text_between(notice, texts.version_start, texts.version_end);
    const Text download = text_between(notice, texts.version_end, texts.address_end);
    fuzz_require(
        version.empty() || contains(notice, texts.version_start + version + texts.version_end),
        "the version stands between its markers");
    fuzz_require(
        download.empty() || contains(notice, texts.version_end + download + texts.address_end),
        "the address stands between its markers");
    (void)is_web_address(download);
    return 0;
}
