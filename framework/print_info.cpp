#include "framework/print_info.h"

#include <QPrinter>

QPrinter& SessionPrinter() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}
