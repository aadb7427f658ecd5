// The random and sequence functions of the column formulas.
#include "statistics/stat_formula.h"

void QvStatFormula::RunGenerator(int code, Run& run) {
    (void)run;
    // Not built yet: the function takes its arguments and gives an empty
    // cell.
    for (int i = ArgumentCount(code); i > 0; --i)
        Pop();
    Push(QvStatEmpty);
}
