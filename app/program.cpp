#include "app/program.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/event_handlers.h"
#include "app/fonts.h"
#include "app/main_window.h"
#include "app/qt_window_operations.h"
#include "search/program_state.h"

namespace {

// The exit step: the one value that the run keeps to its end.
void release_selected_link(ProgramState& state) { state.selected_link = Text(); }

}  // namespace

void run_program(int argc, char** argv, ShellHandOff hand_off,
                 const WorkflowFactory& make_workflows) {
    QApplication application(argc, argv);
    substitute_windows_fonts();
    ProgramState state;

    MainWindow window;
    QtWindowOperations operations(window, std::move(hand_off));
    EventHandlers handlers(window, operations, state, make_workflows(operations, state));

    handlers.window_created();
    window.show_centred();
    application.exec();

    release_selected_link(state);
    // Workers may still be running, or blocked in a window operation that the
    // ended loop will never carry out. Tearing the widgets down under them
    // would crash them, and waiting for them could hang: end the process here,
    // with nothing destroyed.
    std::fflush(nullptr);
    std::_Exit(0);
}
