#pragma once
// A column formula of a statistics data set, such as 2*A+1, SORT(B) or
// PREDICTY(@,A,B): its text turned into tokens and a postfix program, and
// the program run for one row at a time.
//
// A caller makes one formula for one fill of a column, compiles it once and
// evaluates rows 0 to 499 in ascending order: the functions that work on a
// whole column (sorting, ranking, tables, fits) do that work at row 0 and
// hand out one row per later call.
//
// Everything has a fixed size and stays within it: the token list holds 99
// tokens and the program 100 entries.  A text that does not fit gets no
// program at all, never a shortened one, and Compile says so.
#include "graphs/function_token.h"
#include "platform/object.h"
#include "statistics/stat_cell.h"
#include "text/stacks.h"

#include <QString>

#include <memory>
#include <vector>

class QvStatColumn;
class QvStatData;
class QvStatFit;

// The codes of the column formulas where they go beyond the shared ones.
// Columns A to Z have codes of their own (QvStatFormula::ColumnCode).
enum QvStatTokenCode : int32_t {
    StatTokStop = 104,      // ";" ends the formula, unless it is the list separator
    StatTokGreater = 105,   // ">", a relation without effect
    StatTokSeparator = 110, // the list separator between arguments
    // The functions, in code order.
    StatFisher = 200,
    StatNormP,
    StatZScore,
    StatInc,
    StatRand,
    StatNormQ,
    StatNormPdf,
    StatRandBetween,
    StatStandardize,
    StatMpa,
    StatSortCol,
    StatSortColD,
    StatDeviation,
    StatFreqTable,
    StatRandNormal,
    StatRound,
    StatSort,
    StatSortD,
    StatRankA,
    StatRankD,
    StatPercentile,
    StatStanine,
    StatDecile,
    StatCumFreqTable,
    StatGroupN,
    StatGroupW,
    StatGroupE,
    StatRandBinomial,
    StatRandHypergeometric,
    StatRandGeometric,
    StatRandBernoulli,
    StatRandNegBinomial,
    StatPredictX,
    StatPredictY,
    StatResidualX,
    StatResidualY,
    StatTokMissing = 236, // a missing argument, marked by Compile
    StatSeasonalise = 237,
    StatTokRow = 238, // "@" or "ROW": the row number
    StatBiDataGen = 239,
    StatFibonacci,
    StatTribonacci,
    StatTriangular,
    StatTsdGen,
};

// The value a missing argument stands for.
inline constexpr double QvStatMissingValue = 1000000000001.4;
// A result that asks the caller to fill the column again from row 0.
inline constexpr double QvStatRestartValue = 1000000000001.3;

class QvStatFormula : public CObject {
public:
    static constexpr int kTokens = 100;  // entries 1 to 99; entry 0 is not used
    static constexpr int kProgram = 101; // entries 1 to 100; entry 0 is not used
    // What Compile answers.
    static constexpr int kRead = 0; // the text was read whole
    static constexpr int kUnread =
        1; // unreadWord was not understood; the program is what came before
    static constexpr int kTooLong = 2; // the text does not fit: no program

    QvStatFormula();
    ~QvStatFormula() override;
    QvStatFormula(const QvStatFormula&) = delete;
    QvStatFormula& operator=(const QvStatFormula&) = delete;

    // No program; angles in degrees.
    void Reset();
    // Stores the text; it does not compile.
    void SetText(QString text);
    const QString& GetText() const { return m_text; }

    // The code of a word, letter or operator of the language (any case); 0
    // for anything else.
    static int ClassifyToken(QString word);
    // Tokenises the text, marks missing arguments and writes the program.
    // kTooLong, with no program, when the text does not fit; kUnread, with
    // the first word that could not be read in unreadWord, when the text
    // holds an unknown word, a relation, an operand too many or too few, or
    // anything after ";".
    int Compile();

    // The cell that the formula gives at row 0 to 499 of `data` for column
    // `target` (0 to 25).  Whole-column functions may write into `data`.
    // Allocates nothing after row 0.
    QvStatCell Evaluate(QvStatData* data, int row, int target);

    // ---- The steps of Compile ----
    // Fills the token list from the text; false when the text holds more
    // tokens than fit.  The list ends at the first word that is not read.
    bool Tokenize();
    // Marks the missing arguments of GROUPN, the fitted values and
    // residuals and SEASONALISE; false when the marks do not fit.
    bool InsertArgumentMarks();
    // The function word at p with m arguments: PREDICTY(@) becomes
    // PREDICTY(@,236,236).  Each argument is taken to be one token.
    bool MarkMissingArguments(int p, int m);
    // Moves entries position to 98 one place up and puts `code` at
    // position.  Refused, changing nothing, when entry 99 is in use.
    bool InsertToken(int position, int code);

    // The column (0 to 25, 26 for the row numbers) that a code reads; -1
    // for every other code.
    static int ColumnOf(int code);
    // The code of column 0 to 25.
    static int ColumnCode(int column);
    // How many arguments a function word takes; 0 for anything else.
    static int ArgumentCount(int code);

    // Carried from row to row by the sequence and random functions.
    double state[3] = {};
    int angleUnit = 0; // 0 degrees, 1 radians, 2 grads
    // From the equation settings when the formula is made.
    char decimalPoint;
    char listSeparator;
    QvFunctionToken program[kProgram];
    QvFunctionToken tokens[kTokens];
    // What Compile could not read; empty when it read the text whole.
    QString unreadWord;

private:
    // The row being evaluated.
    struct Run {
        QvStatData* data;
        int row;
        int target;
        int emptyReads; // cells read in this row that were empty
    };
    // A value popped from the stack and where it came from: a column (0 to
    // 26), a missing argument (StatTokMissing) or a computed value (-1).
    struct Arg {
        double value;
        int code;
    };

    Arg Pop();
    void Push(double value, int code = -1);
    void Push(double value, const QString& text);
    // A column argument that was an empty cell leaves the result alone: the
    // functions that hand out a table or a reordering fill rows whatever
    // the argument holds in that row.
    static void Forget(Run& run, const Arg& column);
    // The work column of the function being run; `second` for a second one.
    QvStatColumn& Work(int second = 0);
    QvStatFit& Fit(QvStatData* data);

    void RunStatistics(int code, Run& run);
    void RunSorting(int code, Run& run);
    void RunTables(int code, Run& run);
    void RunFits(int code, Run& run);
    // The random and sequence functions.
    void RunGenerator(int code, Run& run);
    void RunRandNormal(Run& run);
    // BIDATAGEN and TSDGEN: their data is made at row 0 into work columns.
    void RunDataGenerator(int code, Run& run);

    // The text a token was read from.
    QString TokenText(int token) const;
    // kRead, or kUnread with unreadWord set, for the program just written.
    int CheckProgram();
    // Gives each function that needs work columns its own.
    void MakeWorkColumns();

    QString m_text;
    // Where each token stands in the text; from -1 for marks.
    int m_from[kTokens] = {};
    int m_length[kTokens] = {};
    // The token each program entry came from.
    int m_source[kProgram] = {};
    // The first of each entry's work columns in m_work; -1 for none.
    int m_workOf[kProgram] = {};
    std::vector<std::unique_ptr<QvStatColumn>> m_work;
    int m_entry = 0; // the program entry being run
    // Filled entries of the sorted table that SORTCOLD and SORTD walk.
    int m_filled = 0;
    std::unique_ptr<QvStatFit> m_fit;
    QvValueStack m_stack;
};
