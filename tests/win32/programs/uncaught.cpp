// Ends on an error that nothing catches, through the tool's own handler: with the argument
// "memory" a lack of memory, with any other another error.
#include <windows.h>

#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>

#include "entry/terminate_handler.h"
#include "ui/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::set_terminate(qm::endOnUncaughtError);
    qm::Application::create(instance);
    if (std::strstr(commandLine, "memory")) throw std::bad_alloc();
    throw std::runtime_error("other");
}
