// The application object every window of the program runs in, prepared as the windows need it.
#pragma once

#include <QApplication>
#include <memory>

namespace wexbo {

// Makes the application object: the web views' sandbox off for root (Qt WebEngine refuses to start
// otherwise), the program's name, and how the web views draw. `argc` must outlive the application.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace wexbo
