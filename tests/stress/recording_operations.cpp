#include "recording_operations.h"

std::vector<RecordingOperations::Status> RecordingOperations::take_statuses() {
    const std::lock_guard lock(mutex_);
    return std::exchange(statuses_, {});
}

void RecordingOperations::show_status(const Text& text) {
    {
        const std::lock_guard lock(mutex_);
        statuses_.emplace_back(std::this_thread::get_id(), text);
    }
    window_.show_status(text);
}
