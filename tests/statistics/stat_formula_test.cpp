// The column formula language: tokens, marks of missing arguments, the
// postfix program, what Compile says about texts it cannot read whole, and
// the fixed sizes.  Expected programs are worked out by hand from the
// language's rules (precedence, implicit products, signs).
#include "settings/settings.h"
#include "statistics/stat_formula.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A readable list: numbers by value, columns by letter, "@" for the row
// number, "_" for a missing argument, "," for the separator, words for the
// rest.
std::string Show(const QvFunctionToken* entries, int size) {
    static const char* const kWords[] = {
        "SIN",   "ASIN",        "ROUND",  "SORTD", "GROUPN", "MPA",  "PREDICTY",
        "RANKA", "SEASONALISE", "ZSCORE", "SQRT",  "EXP",    "RAND", ">"};
    std::string out;
    for (int i = 1; i < size && entries[i].code != TokEnd; ++i) {
        const int code = entries[i].code;
        std::string word;
        const int column = QvStatFormula::ColumnOf(code);
        if (code == TokNumber)
            word = QString::number(entries[i].value).toStdString();
        else if (column == 26)
            word = "@";
        else if (column >= 0)
            word = std::string(1, char('A' + column));
        else if (code == StatTokMissing)
            word = "_";
        else if (code == StatTokSeparator)
            word = ",";
        else if (code == TokPi)
            word = "pi";
        else if (code >= TokMultiply && code <= TokPower)
            word = std::string(1, "*/+-^"[code - TokMultiply]);
        else if (code == TokOpen || code == TokClose)
            word = code == TokOpen ? "(" : ")";
        else
            for (const char* w : kWords)
                if (QvStatFormula::ClassifyToken(QString::fromLatin1(w)) == code)
                    word = w;
        if (word.empty())
            word = std::to_string(code);
        out += (out.empty() ? "" : " ") + word;
    }
    return out;
}

struct Compiled {
    std::unique_ptr<QvStatFormula> f = std::make_unique<QvStatFormula>();
    int status = -1;
    std::string program() const { return Show(f->program, QvStatFormula::kProgram); }
    std::string tokens() const { return Show(f->tokens, QvStatFormula::kTokens); }
};

Compiled Compile(const QString& text, char point = '.') {
    Compiled c;
    c.f->decimalPoint = point;
    c.f->listSeparator = point == '.' ? ',' : ';';
    c.f->SetText(text);
    c.status = c.f->Compile();
    return c;
}

TEST(StatFormulaLanguage, CompilesToPostfix) {
    struct Row {
        const char* text;
        const char* program;
    };
    const Row rows[] = {
        {"2A", "2 A *"},
        {"-A", "-1 A *"},
        {"-5", "-5"},
        {"(-5", "-5"},
        {"A-5", "A 5 -"},
        {"A - 5", "A 5 -"}, // spaces part tokens and are skipped
        {"sortd(b)", "B SORTD"},
        {"SORTD(B)", "B SORTD"},
        {"2*A+1", "2 A * 1 +"},
        {"1+2*A^2", "1 2 A 2 ^ * +"},
        {"A^B^C", "A B C ^ ^"}, // powers from the right
        {"(A+1)(A-1)", "A 1 + A 1 - *"},
        {"2(A+1)", "2 A 1 + *"},
        {"-A^2", "-1 A 2 ^ *"},
        {"2^-A", "2 -1 A * ^"}, // the power of -A, not (2^-1)*A
        {"2*-3", "2 -3 *"},
        {"2--3", "2 -3 -"},
        {"ROW-1", "@ 1 -"},
        {"@*2", "@ 2 *"},
        {"SIN-A", "-1 A * SIN"},
        {"ROUND(A,-B)", "A -1 B * ROUND"},
        {"MPA(A,4)/2", "A 4 MPA 2 /"},
        {"SQRT(ZSCORE(A)^2)", "A ZSCORE 2 ^ SQRT"},
        {"E", "E"}, // column E, not Euler's number
        {"P", "P"}, // column P, not pi
        {"\xCD", "pi"},
        {"X+Y+T+R+Q", "X Y + T + R + Q +"},
        {"SORTD(B", "B SORTD"}, // an unclosed bracket keeps its function
        {"A;", "A"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const Compiled c = Compile(QString::fromLatin1(row.text));
        EXPECT_EQ(c.program(), row.program);
        EXPECT_EQ(c.status, QvStatFormula::kRead);
        EXPECT_EQ(c.f->unreadWord, QString());
    }
}

TEST(StatFormulaLanguage, TokensOfImpliedProductsAndSigns) {
    EXPECT_EQ(Compile(")(").tokens(), ") * (");
    EXPECT_EQ(Compile("(-5").tokens(), "( -5");
    EXPECT_EQ(Compile("-A").tokens(), "-1 * A");
    EXPECT_EQ(Compile("A2").tokens(), "A 2"); // no product after a letter
    EXPECT_EQ(Compile("2 A").tokens(), "2 * A");
}

// The list separator follows the decimal point: "," after ".", ";" after ",".
TEST(StatFormulaLanguage, SeparatorFollowsTheDecimalPoint) {
    EXPECT_EQ(Compile("ROUND(A,2)").program(), "A 2 ROUND");
    EXPECT_EQ(Compile("ROUND(A;2)", ',').program(), "A 2 ROUND");
    EXPECT_EQ(Compile("ROUND(A;2,5)", ',').program(), "A 2.5 ROUND");
    // With "." a ";" ends the formula; what follows is not read.
    const Compiled stop = Compile("ROUND(A;2)");
    EXPECT_EQ(stop.status, QvStatFormula::kUnread);
    EXPECT_EQ(stop.f->unreadWord, QStringLiteral("2"));

    // A new formula takes both from the equation settings.
    QvSettingChar& point = TheSettings().m_EquationDefaults.DecimalPoint;
    const char before = point.GetValue();
    for (char p : {',', '.'}) {
        point.SetValue(p);
        QvStatFormula f;
        EXPECT_EQ(f.decimalPoint, p);
        EXPECT_EQ(f.listSeparator, p == '.' ? ',' : ';');
    }
    point.SetValue(before);
}

TEST(StatFormulaLanguage, MarksMissingArguments) {
    struct Row {
        const char* text;
        const char* tokens;
        const char* program;
    };
    const Row rows[] = {
        {"GROUPN(A)", "GROUPN ( A , _ )", "A _ GROUPN"},
        {"GROUPN(,5)", "GROUPN ( _ , 5 )", "_ 5 GROUPN"},
        {"GROUPN()", "GROUPN ( _ , _ )", "_ _ GROUPN"},
        {"PREDICTY(@)", "PREDICTY ( @ , _ , _ )", "@ _ _ PREDICTY"},
        {"PREDICTY(@,,2)", "PREDICTY ( @ , _ , 2 )", "@ _ 2 PREDICTY"},
        {"PREDICTY(@,A,B)", "PREDICTY ( @ , A , B )", "@ A B PREDICTY"},
        {"SEASONALISE(A)+1", "SEASONALISE ( A , _ ) + 1", "A _ SEASONALISE 1 +"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const Compiled c = Compile(QString::fromLatin1(row.text));
        EXPECT_EQ(c.tokens(), row.tokens);
        EXPECT_EQ(c.program(), row.program);
        EXPECT_EQ(c.status, QvStatFormula::kRead);
    }
}

// What cannot be read is named; the program is what came before it.
TEST(StatFormulaLanguage, TellsWhatItCouldNotRead) {
    struct Row {
        const char* text;
        const char* program;
        const char* unread;
    };
    const Row rows[] = {
        {"2+FOO(A)", "2 +", "FOO"},
        {"A2", "A 2", "2"},    // two operands
        {"A B", "A B", "B"},   // likewise
        {"AB", "", "AB"},      // letters together are a word
        {"A>5", "A 5 >", ">"}, // a relation has no value
        {"A-", "A", "-"},      // nothing to subtract
        {"2+", "2 +", "+"},    // an operand too few
        {"ROUND(A)", "A ROUND", "ROUND"},
        {"A;B", "A", "B"},
        {"A>=1", "A", ">="},    // typed as two characters
        {"SO RT(A)", "", "SO"}, // a space inside a word
        {"1.5", "1.5", ""},     // (read: see below)
        {"()", "", "()"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const Compiled c = Compile(QString::fromLatin1(row.text));
        EXPECT_EQ(c.program(), row.program);
        EXPECT_EQ(c.f->unreadWord.toStdString(), row.unread);
        EXPECT_EQ(c.status, *row.unread ? QvStatFormula::kUnread : QvStatFormula::kRead);
    }
    // Under a "," decimal point "." is no number.
    const Compiled point = Compile("1.5", ',');
    EXPECT_EQ(point.status, QvStatFormula::kUnread);
    EXPECT_EQ(point.f->unreadWord, QStringLiteral("."));
    EXPECT_EQ(Compile("").status, QvStatFormula::kRead);
    EXPECT_EQ(Compile("   ").status, QvStatFormula::kRead);
}

// Every word of the language, in any case, and the unbuilt random and
// sequence functions among them.
TEST(StatFormulaLanguage, KnowsEveryWord) {
    struct Row {
        const char* word;
        int code;
    };
    const Row rows[] = {
        {"x", 1},
        {"E", 29},
        {"t", 30},
        {"Y", 31},
        {"R", 32},
        {"A", 40},
        {"d", 43},
        {"F", 44},
        {"P", 54},
        {"S", 55},
        {"W", 58},
        {"Z", 59},
        {"Q", 60},
        {"exp", 100},
        {">", 105},
        {";", 104},
        {"@", 238},
        {"Row", 238},
        {"SR", 20},
        {"normal", 201},
        {"NORMP", 201},
        {"NORMQ", 205},
        {"normpdf", 206},
        {"standardise", 208},
        {"SORTCOLA", 210},
        {"SORTA", 216},
        {"RANK", 219},
        {"GROUP", 224},
        {"PREDICT", 233},
        {"RESIDUAL", 235},
        {"SEASONALISE", 237},
        {"INC", 203},
        {"RAND", 204},
        {"RANDBETWEEN", 207},
        {"RANDNORMAL", 214},
        {"RANDBINOMIAL", 227},
        {"RANDHYPERGEOMETRIC", 228},
        {"RANDGEOMETRIC", 229},
        {"RANDBERNOULLI", 230},
        {"RANDNEGBINOMIAL", 231},
        {"BIDATAGEN", 239},
        {"FIBONACCI", 240},
        {"TRIBONACCI", 241},
        {"TRIANGULAR", 242},
        {"TSDGEN", 243},
        {"\xB3", 101},
        {"<", 102},
        {"\xA3", 103},
        {"\xCD", 28},
        {"\xB4", 0},
        {"FOO", 0},
        {"PI", 0},
        {"A ", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.word);
        EXPECT_EQ(QvStatFormula::ClassifyToken(QString::fromLatin1(row.word)), row.code);
    }
    const Compiled rand = Compile("RAND(5)+TSDGEN(4,1,2,0,1,0,0,0,20)");
    EXPECT_EQ(rand.status, QvStatFormula::kRead);
}

// The token list holds 99 entries and the program 100; a text that needs
// more is refused whole, marks included.
TEST(StatFormulaLanguage, RefusesWhatDoesNotFit) {
    auto sum = [](int terms) {
        QString text = QStringLiteral("A");
        for (int i = 1; i < terms; ++i)
            text += QStringLiteral("+A");
        return text;
    };
    EXPECT_EQ(Compile(sum(50)).status, QvStatFormula::kRead); // 99 tokens
    const Compiled over = Compile(sum(51));                   // 101
    EXPECT_EQ(over.status, QvStatFormula::kTooLong);
    EXPECT_EQ(over.program(), "");
    EXPECT_EQ(over.f->unreadWord, QString());

    const Compiled long300 = Compile(QString(300, u'(') + u'A');
    EXPECT_EQ(long300.status, QvStatFormula::kTooLong);
    EXPECT_EQ(long300.program(), "");
    QString mixed;
    while (mixed.size() < 300)
        mixed += QStringLiteral("SORT(A)*-2+");
    EXPECT_EQ(Compile(mixed).status, QvStatFormula::kTooLong);

    // PREDICTY(@) grows by four marks: 2k + 4 tokens become 2k + 8.
    auto predict = [](int k) {
        QString text;
        for (int i = 0; i < k; ++i)
            text += QStringLiteral("A+");
        return text + QStringLiteral("PREDICTY(@)");
    };
    EXPECT_EQ(Compile(predict(45)).status, QvStatFormula::kRead); // 98
    EXPECT_EQ(Compile(predict(46)).status, QvStatFormula::kTooLong);

    // InsertToken never pushes an entry out of the list.
    QvStatFormula f;
    f.SetText(sum(50));
    ASSERT_TRUE(f.Tokenize());
    EXPECT_FALSE(f.InsertToken(1, StatTokMissing));
    EXPECT_EQ(f.tokens[99].code, 40);
    EXPECT_EQ(f.tokens[1].code, 40);
}

} // namespace
