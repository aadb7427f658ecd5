#pragma once
// The equation engine's options.  One program-wide record is filled from the
// "Equation" settings by the document and passed to most typesetting calls.
#include "platform/object.h"
#include "platform/win_types.h"

class QvEquationOptions : public CObject {
public:
    char m_decimalPoint = '.';
    char m_separator = ','; // 255 when "IgnoreSeparator" is set
    int m_lowerCase = 1;    // 0 ignore, 1 best guess, 2 selected letters
    int m_displayVect = 0;  // 0 bold, 1 line below, 2 tilde below
    int m_doubleCaps = 1;   // 0 ignore, 1 vectors, 2 line segments
    int m_tabWidth = 1000;
    int m_verticalSpacing = 200;
    BYTE m_raiseDecimal = 0;
    BYTE m_ignoreSeparator = 0;
    BYTE m_functionsItalic = 0;
    BYTE m_functionsBold = 0;
    BYTE m_variablesItalic = 1;
    BYTE m_variablesBold = 0;
    BYTE m_greekItalic = 0;
    BYTE m_greekBold = 0;
    BYTE m_letters[26] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0,
                          0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    WORD m_dotMultiply = 0;

    bool operator==(const QvEquationOptions& other) const;
};

// The program-wide record, built on first use and kept until exit.
QvEquationOptions& TheEquationOptions();
