#pragma once
// The typesetter for one line of typed maths: "x^2 + 1/2", "sqrt(x)",
// "sin-1 x".  Processing classifies every character of the text into a
// cell (its kind, its row level and the style it is drawn with); drawing
// lays the cells out with scripts, fractions, radicals and big operators.
//
// Three dialects share the layout and the drawing and differ in the passes
// they run and the words they know: equations (text boxes and labels),
// function-graph formulas and statistics column formulas.  Each keeps its
// own word counts and digit set, so making one never changes another.
//
// Cells hold Windows-1252 codes (0-255; Symbol-font codes in Symbol cells).
// A typed character outside that code page keeps its own Unicode value
// (256 and above), which no pass matches, and is drawn as typed.
#include "platform/object.h"
#include "platform/win_types.h"
#include "text/log_font.h"

#include <QString>

#include <array>
#include <string>

class CDC;
class QvEquationCanvas;
class QvEquationOptions;

// The drawing attributes of one cell.
struct QvCellStyle {
    enum Font { Caller = 0, Symbol = 1 };
    enum Style { Regular = 0, Bold = 1, Italic = 2, BoldItalic = 3, Hidden = 10 };
    enum Position { Baseline = 0, Raised = 4, Lowered = 5 };
    enum Decoration {
        None = 0,
        BarOver = 1,
        LineBelow = 2,
        TildeBelow = 4,
        ArrowOver = 5,
        HatOver = 6
    };
    enum BigOperator { NoOperator = 0, Integral = 1, Sum = 2, Limit = 3, Product = 4 };

    int font = Caller;
    int style = Regular;
    int size = 11; // size step: 11 normal, 9 script, 7 second-level script
    int level = 2;
    int position = Baseline;
    int underRadical = 0;
    int decoration = None;
    int bigOperator = NoOperator;
    int upperCase = 0;
    int function = 0;
};

// Text-wide facts the passes find; the drawing sizes the height from them.
struct QvLayoutFlags {
    bool fraction = false; // a fraction, stacked list or big operator
    bool root = false;
    bool tallRadical = false;
    bool raisedFraction = false; // a fraction inside a superscript
    bool backslash = false;
    bool secondLevel = false;
    bool scripts = false;      // raised or lowered items, bars, hats
    bool tallBrackets = false; // tall brackets, a sum or a product
};

// Below the baseline, width, and total height, in logical units.  The
// heights carry the y direction: they are negative where y grows up the
// page (MM_HIMETRIC); below includes one unit more when the text has a
// fraction, a big operator or a script.
struct QvEquationExtent {
    int below = 0;
    int width = 0;
    int height = 0;
    bool operator==(const QvEquationExtent&) const = default;
};

class QvEquation : public CObject {
    DECLARE_DYNCREATE(QvEquation)
public:
    static constexpr int kCells = 200;

    // Cell kinds.  A kind plus kUnderRadical stands under a radical sign.
    enum Kind : unsigned char {
        Plain = 0,
        Superscript = 1,
        Variable = 3,
        FunctionLetter = 4,
        SymbolChar = 5,
        RootIndexDigit = 10,
        RaisedScript = 19,
        HiddenOpen = 20,
        HiddenClose = 21,
        HiddenCaret = 22,
        RaisedVariable = 23,
        RaisedFunction = 24,
        RaisedSymbol = 25,
        HiddenMark = 26,
        FractionMark = 27,
        LowerVector = 28,
        FirstCapital = 29,
        SecondCapital = 30,
        HiddenBackslash = 31,
        Lowered = 32,
        LoweredSymbol = 33,
        LoweredVariable = 34,
        LoweredFunction = 35,
        IntegralLetter = 36,
        SumLetter = 37,
        LimitLetter = 38,
        BarOver = 39,
        HatOver = 40,
        Raised2 = 41,
        Raised2Variable = 42,
        Raised2Function = 43,
        Raised2Symbol = 44,
        Literal = 45,
        HiddenFunction = 46,
        RadicalSign = 47,
        ProductLetter = 48,
        kUnderRadical = 100,
    };

    QvEquation();
    ~QvEquation() override = default;

    // Processes a text only when it differs from the stored one: owners
    // set the text before every draw and rely on that being cheap.
    void SetText(const QString& text, const QvEquationOptions* options = nullptr);
    QString GetText() const { return m_text; }
    static QvLogFont GetDefaultFont() { return QvLogFont(); }

    // Step arithmetic on the stored text, which each replaces: sums and
    // products of exact texts ("pi/6", "2/3") stay exact, anything else is
    // worked out in decimals.  FALSE, with the empty text, when a text is
    // not a number text.
    BOOL AddNumberText(const QString& other);
    BOOL SubtractNumberText(const QString& other);
    BOOL MultiplyNumberText(int factor);
    double GetValue() const;

    // The processed text as the graphs' function language reads it:
    // inverse functions spelled out, roots as powers, absolute values as a
    // function, round brackets only and every product written with '*'.
    // Works on a copy, so the cells stay as drawing needs them.
    QString ToFunctionText() const;

    // Clears the cells, runs the dialect's passes and styles every cell.
    virtual void Process();
    // Replaces the symbol words ("pi", "al", ">=") by Symbol-font codes.
    virtual void MarkSymbolWords();

    // Draws with the context's alignment: its horizontal part places the
    // text (left end, middle or right end at x), its vertical part the top,
    // baseline or bottom at y.  Returns the extent.
    QvEquationExtent Draw(CDC* dc, int x, int y, const QvEquationOptions* options,
                          const QvLogFont* font);
    QvEquationExtent Draw(QvEquationCanvas& canvas, UINT align, int x, int y,
                          const QvEquationOptions* options, const QvLogFont* font);
    // The extent Draw would give; nothing is drawn.
    QvEquationExtent Measure(CDC* dc, const QvEquationOptions* options, const QvLogFont* font);
    QvEquationExtent Measure(QvEquationCanvas& canvas, const QvEquationOptions* options,
                             const QvLogFont* font);

    // The pen of fraction bars and radical signs (colour is reset from the
    // font at every draw).
    void SetPenColour(COLORREF colour) { m_penColour = colour; }
    void SetPenWidth(int width) { m_penWidth = width; }

    // The processed cells.
    int GetCellCount() const { return int(m_work.size()); }
    char16_t GetCellChar(int i) const { return m_work[size_t(i)]; }
    int GetKind(int i) const { return m_kind[size_t(i)]; }
    int GetLevel(int i) const { return m_level[size_t(i)]; }
    const QvCellStyle& GetCellStyle(int i) const { return m_style[size_t(i)]; }
    const QvLayoutFlags& GetLayoutFlags() const { return m_flags; }

protected:
    // Dialect constants.
    virtual int FunctionNameCount() const { return 20; }
    virtual int SymbolWordCount() const { return 44; }
    virtual const char* DigitSet() const;

    const QvEquationOptions& Options() const;
    // Every cell plain at level 2, flags cleared, working text reset to the
    // text and two blanks (cut to the cell limit).
    void ClearCells();
    // Sets every cell's style from its kind and level.
    void MapCells();
    virtual void MapKind(int i, int kind, QvCellStyle& style);

    // A blank cell at i (the cells from i on move toward the end and the
    // last one drops off when the text is full); it copies the cell it
    // displaced.  Returns false when i lies beyond the text.
    bool InsertAt(int i);
    void DeleteAt(int i);
    // The list separator; 254 and 255 never match.
    virtual char Separator() const;

    // The passes, in the order equations run them.
    void MarkQuoted();
    void MarkBigOperators();
    void MarkScripts();
    void MarkBackslashGroups();
    // With removeBrackets, sin(x) is drawn as sin x until a bracketed
    // argument holds '+', '-' or '*'.
    void MarkFunctions(bool removeBrackets);
    void MarkLetters();
    void MarkDoubleCapitals();
    void MarkVectors();
    void RaiseDecimalPoints();
    void MarkRoots();
    void MarkFractions();
    void MarkTallRadicals();
    void MarkBarsAndHats();
    void MarkInverseTrig();
    // The passes of the two formula dialects.
    void ProcessFormula(bool removeBrackets);

    QString m_text;
    std::u16string m_work;
    std::array<unsigned char, kCells> m_kind{};
    std::array<unsigned char, kCells> m_level{};
    std::array<QvCellStyle, kCells> m_style{};
    QvLayoutFlags m_flags;
    const QvEquationOptions* m_options = nullptr;
    double m_yDir = 1.0;
    COLORREF m_penColour = 0;
    int m_penWidth = 1;

private:
    friend class QvEquationRenderer;
    char16_t At(int i) const; // 0 beyond the text
    int KindAt(int i) const;
    bool IsLiteral(int i) const;
    bool IsSymbolCell(int i) const;
    bool IsDigitChar(char16_t c) const;
    bool IsNumberChar(char16_t c) const; // a digit or the decimal point
    bool IsRootIndex(int i) const;
    bool ReadsAt(int i, const char* word) const;
    int MatchClose(int open) const; // -1 when unbalanced
    int MatchOpen(int close) const;
    bool InsertHidden(int i, char16_t c, int kind);
    void Raise(int i);
    void RaiseNumberAfter(int i);
    void GroupArguments(bool removeBrackets);
    void MarkRadicand(int j);
    // A fraction's or list's item: a bracketed group or a run of root-index
    // characters and hidden carets (with minus, '-' may stand in it).
    int ItemEnd(int j, bool minus) const;
    int ItemStart(int j, bool minus) const;
    void HideBrackets(int start, int end);

    QvEquationExtent Render(QvEquationCanvas& canvas, int x, int y, UINT vertical, bool draw,
                            const QvLogFont& font);
};

// Function-graph formula texts.
class QvFunctionStr : public QvEquation {
    DECLARE_DYNCREATE(QvFunctionStr)
public:
    void Process() override;

protected:
    int SymbolWordCount() const override { return 10; }
    void MapKind(int i, int kind, QvCellStyle& style) override;
};

// Statistics column-formula texts: column names are drawn as capitals and
// '.' joins a number only where it is the decimal point.
class QvStatStr : public QvEquation {
    DECLARE_DYNCREATE(QvStatStr)
public:
    void Process() override;

protected:
    int FunctionNameCount() const override { return 69; }
    int SymbolWordCount() const override { return 7; }
    const char* DigitSet() const override;
    char Separator() const override { return char(254); }
    void MapKind(int i, int kind, QvCellStyle& style) override;
};
