#include "text/equation_options.h"

QvEquationOptions& TheEquationOptions() {
    static QvEquationOptions options;
    return options;
}
