#pragma once
// What main() does before the event loop, kept in the library so that tests
// start the program the same way.
#include <memory>

class QApplication;
class QMainWindow;

// Organisation and application names, random seed.
void InitApplication(QApplication& app);
// The first window the user sees.
std::unique_ptr<QMainWindow> CreateMainWindow();
