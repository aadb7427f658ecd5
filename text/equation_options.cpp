#include "text/equation_options.h"

#include <algorithm>
#include <iterator>

bool QvEquationOptions::operator==(const QvEquationOptions& o) const {
    return m_decimalPoint == o.m_decimalPoint && m_separator == o.m_separator &&
           m_lowerCase == o.m_lowerCase && m_displayVect == o.m_displayVect &&
           m_doubleCaps == o.m_doubleCaps && m_tabWidth == o.m_tabWidth &&
           m_verticalSpacing == o.m_verticalSpacing && m_raiseDecimal == o.m_raiseDecimal &&
           m_ignoreSeparator == o.m_ignoreSeparator && m_functionsItalic == o.m_functionsItalic &&
           m_functionsBold == o.m_functionsBold && m_variablesItalic == o.m_variablesItalic &&
           m_variablesBold == o.m_variablesBold && m_greekItalic == o.m_greekItalic &&
           m_greekBold == o.m_greekBold &&
           std::equal(std::begin(m_letters), std::end(m_letters), std::begin(o.m_letters)) &&
           m_dotMultiply == o.m_dotMultiply;
}

QvEquationOptions& TheEquationOptions() {
    static QvEquationOptions options;
    return options;
}
