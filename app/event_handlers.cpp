#include "app/event_handlers.h"

#include "app/main_window.h"
#include "search/addresses.h"
#include "search/program_state.h"
#include "search/window_operations.h"

// An entry point that is not set is skipped: the window can be built and
// driven before every workflow is plugged in.

EventHandlers::EventHandlers(MainWindow& window, WindowOperations& operations, ProgramState& state,
                             Workflows workflows)
    : operations_(operations), state_(state), workflows_(std::move(workflows)) {
    connect(&window, &MainWindow::search_clicked, this, [this] { search(); });
    connect(&window, &MainWindow::next_page_clicked, this, [this] { page(0); });
    connect(&window, &MainWindow::add_page_requested, this, [this] { page(1); });
    connect(&window, &MainWindow::update_check_clicked, this, [this] { check_update(); });
    connect(&window, &MainWindow::list_double_clicked, this, [this] { list_double_clicked(); });
    connect(&window, &MainWindow::banner_pressed, this, [this] { banner_pressed(); });
}

void EventHandlers::window_created() { check_update(); }

void EventHandlers::check_update() {
    if (workflows_.check_update) workflows_.check_update();
}

void EventHandlers::search() {
    if (!workflows_.search) return;
    operations_.start_worker([search = workflows_.search](Text) { search(); });
}

// The page is raised first and the raised value is the one loaded.
void EventHandlers::page(int append) {
    const int raised = ++state_.current_page;
    if (workflows_.load_page) workflows_.load_page(raised, append);
}

void EventHandlers::list_double_clicked() {
    const int row = operations_.list_selected_row();
    if (row == -1) return;
    state_.selected_link = operations_.list_cell(row, 1);
    // The worker gets its own copy: a later double-click neither changes nor
    // releases the link of a worker still running.
    if (workflows_.resolve_magnet)
        operations_.start_worker(workflows_.resolve_magnet, state_.selected_link);
}

// The first hand-off's outcome is not looked at; the second follows anyway.
void EventHandlers::banner_pressed() {
    operations_.shell_open(Text(addresses::file_share_page));
    operations_.shell_open(Text(addresses::second_site));
}
