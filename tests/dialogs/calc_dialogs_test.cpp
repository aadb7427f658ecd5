// "Calculate Derivative" and "Calculate Integral": which functions they
// offer, the labels they build and the points and limits they refuse.
#include "dialogs/calc_dialogs.h"
#include "graph_dialog_test_support.h"
#include "property_dialog_test_support.h"
#include "text/equation.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class CalcDialogsTest : public PropertyDialogTest {
protected:
    // A graph whose function slots hold the typed texts, compiled as the
    // Edit Functions dialog leaves them.
    static QvGraphData Graph(std::initializer_list<const char*> typed) {
        QvGraphData data;
        int i = 0;
        for (const char* text : typed) {
            QvFunctionStr f;
            f.SetText(QString::fromLatin1(text));
            data.functions[i].caption = QString::fromLatin1(text);
            data.functions[i].expression = f.ToFunctionText();
            ++i;
        }
        return data;
    }

    template <class Dialog, class Record>
    static bool Run(bool (*run)(const QvGraphData&, Record&), const QvGraphData& data,
                    Record& record, const std::function<void(Dialog&)>& drive) {
        SetModalDialogHandler([&](CDialog& dialog) { drive(dynamic_cast<Dialog&>(dialog)); });
        const bool ok = run(data, record);
        SetModalDialogHandler({});
        return ok;
    }
};

TEST_F(CalcDialogsTest, OnlyTypedFunctionsOfXAreOffered) {
    const QvGraphData data =
        Graph({"x=y^2", "y = x^2", "", "r=2q", "x=cos(t);y=sin(t)", "F(X)=x^3", "x^2+1"});
    QvDerivativeRecord derivative;
    Run<CCalcDerivativeDlg>(RunDerivativeDialog, data, derivative, [](CCalcDerivativeDlg& d) {
        EXPECT_EQ(ItemTexts(d.m_comboFunction), QStringList({"y = x^2", "F(X)=x^3", "x^2+1"}));
        EXPECT_EQ(d.m_map, QList<int>({1, 5, 6}));
        EXPECT_EQ(d.m_comboFunction->currentIndex(), 0);
        EXPECT_EQ(d.m_nFunction, 1);
        EXPECT_EQ(d.m_editPoint->text(), u"0");
        d.m_comboFunction->setCurrentIndex(2);
        EXPECT_EQ(d.m_nFunction, 6);
        d.OnCancel();
    });
    QvIntegralRecord integral;
    Run<CCalcIntegralDlg>(RunIntegralDialog, data, integral, [](CCalcIntegralDlg& d) {
        EXPECT_EQ(ItemTexts(d.m_comboFirst), QStringList({"y = x^2", "F(X)=x^3", "x^2+1"}));
        EXPECT_EQ(ItemTexts(d.m_comboSecond),
                  QStringList({"x Axis", "y = x^2", "F(X)=x^3", "x^2+1"}));
        EXPECT_EQ(d.m_comboSecond->currentIndex(), 0);
        EXPECT_EQ(d.m_nFirst, 1);
        EXPECT_EQ(d.m_nSecond, -1);
        EXPECT_EQ(d.m_editFrom->text(), u"0");
        EXPECT_EQ(d.m_editTo->text(), u"1");
        d.m_comboSecond->setCurrentIndex(3);
        EXPECT_EQ(d.m_nSecond, 6);
        d.m_comboSecond->setCurrentIndex(0);
        EXPECT_EQ(d.m_nSecond, -1);
        d.OnCancel();
    });
    EXPECT_EQ(SuitableFunctions(Graph({"x=2", "", "r=q"})), QList<int>());
}

TEST_F(CalcDialogsTest, DerivativeLabels) {
    struct Case {
        const char* entry;
        const char* point;
        const char* label;
    } cases[] = {
        {"y = x^2", "3", "d/dx  x^2 ( at x = 3 )"},
        {"F(X)=x^2", "1", "d/dx  x^2 ( at x = 1 )"},
        {"x^2+1", "0", "d/dx  x^2+1 ( at x = 0 )"},
        {"f (x) =  sin x", "pi/2", "d/dx  sin x ( at x = pi/2 )"},
    };
    for (const Case& c : cases) {
        QvDerivativeRecord record;
        EXPECT_TRUE(Run<CCalcDerivativeDlg>(
            RunDerivativeDialog, Graph({"x=1", c.entry}), record, [&](CCalcDerivativeDlg& d) {
                d.m_editPoint->setText(QString::fromLatin1(c.point));
                EXPECT_EQ(d.m_strLabel, QString::fromLatin1(c.label));
                d.OnOK();
            }));
        EXPECT_EQ(record.labelText, QString::fromLatin1(c.label)) << c.entry;
        EXPECT_EQ(record.xText, QString::fromLatin1(c.point));
        EXPECT_EQ(record.function, 1);
    }
}

TEST_F(CalcDialogsTest, IntegralLabels) {
    const QvGraphData data = Graph({"y=x^2", "x=3", "y=x"});
    struct Case {
        const char* from;
        const char* to;
        int second; // position in the second list
        const char* label;
        int functionB;
    } cases[] = {
        {"0", "1", 0, "int(0,1) x^2 dx", -1},
        {"0", "2", 2, "int(0,2) x^2- [x] dx", 2},
    };
    for (const Case& c : cases) {
        QvIntegralRecord record;
        EXPECT_TRUE(
            Run<CCalcIntegralDlg>(RunIntegralDialog, data, record, [&](CCalcIntegralDlg& d) {
                d.m_editFrom->setText(QString::fromLatin1(c.from));
                d.m_editTo->setText(QString::fromLatin1(c.to));
                d.m_comboSecond->setCurrentIndex(c.second);
                d.OnOK();
            }));
        EXPECT_EQ(record.labelText, QString::fromLatin1(c.label));
        EXPECT_EQ(record.functionA, 0);
        EXPECT_EQ(record.functionB, c.functionB);
        EXPECT_EQ(record.lowerText, QString::fromLatin1(c.from));
        EXPECT_EQ(record.upperText, QString::fromLatin1(c.to));
    }
}

TEST_F(CalcDialogsTest, PointsAndLimitsMustReadAsNumbers) {
    MessageRecorder recorder;
    const QvGraphData data = Graph({"y=x^2"});
    struct Case {
        const char* typed;
        const char* kept; // null: refused
    } cases[] = {
        {"", nullptr},      {"abc", nullptr}, {"1e5", nullptr}, {"2/0", nullptr},
        {"pi/ 2", nullptr}, {"-", nullptr},   {"x", nullptr},   {"-2.5", "-2.5"},
        {" pi/2 ", "pi/2"}, {"3e", "3e"},     {"1,5", "1,5"},   {"-2PI/3", "-2PI/3"},
    };
    for (const Case& c : cases) {
        recorder.messages.clear();
        QvDerivativeRecord derivative;
        const bool ok = Run<CCalcDerivativeDlg>(
            RunDerivativeDialog, data, derivative, [&](CCalcDerivativeDlg& d) {
                d.m_editPoint->setText(QString::fromLatin1(c.typed));
                d.OnOK();
            });
        EXPECT_EQ(ok, c.kept != nullptr) << c.typed;
        if (c.kept) {
            EXPECT_EQ(derivative.xText, QString::fromLatin1(c.kept));
            EXPECT_TRUE(recorder.messages.empty());
        } else {
            ASSERT_EQ(recorder.messages.size(), 1u) << c.typed;
            EXPECT_EQ(recorder.messages[0].text,
                      u"The point must be a number, such as 2, -0.5 or pi/2.");
        }
        QvIntegralRecord integral;
        EXPECT_EQ(Run<CCalcIntegralDlg>(RunIntegralDialog, data, integral,
                                        [&](CCalcIntegralDlg& d) {
                                            d.m_editTo->setText(QString::fromLatin1(c.typed));
                                            d.OnOK();
                                        }),
                  c.kept != nullptr)
            << c.typed;
    }
    // Refused, the dialog stays open for the user to mend it.
    QvIntegralRecord integral;
    EXPECT_TRUE(Run<CCalcIntegralDlg>(RunIntegralDialog, data, integral, [&](CCalcIntegralDlg& d) {
        d.m_editFrom->clear();
        d.OnOK();
        EXPECT_EQ(d.ModalResult(), -1);
        EXPECT_EQ(recorder.messages.back().text,
                  u"Both limits must be numbers, such as 0, 2.5 or pi/2.");
        d.m_editFrom->setText(QStringLiteral("-1"));
        d.OnOK();
    }));
    EXPECT_EQ(integral.lowerText, u"-1");
    EXPECT_EQ(integral.labelText, u"int(-1,1) x^2 dx");
}

TEST_F(CalcDialogsTest, PreviewsShowTheLabels) {
    const QvGraphData data = Graph({"y=x^2+1", "y=x"});
    QvDerivativeRecord derivative;
    Run<CCalcDerivativeDlg>(RunDerivativeDialog, data, derivative, [](CCalcDerivativeDlg& d) {
        d.m_editPoint->setText(QStringLiteral("2"));
        EXPECT_GT(InkIn(Picture(d, QStringLiteral("calculate_derivative")), d.m_preview, &d), 50);
        d.OnCancel();
    });
    QvIntegralRecord integral;
    Run<CCalcIntegralDlg>(RunIntegralDialog, data, integral, [](CCalcIntegralDlg& d) {
        d.m_comboSecond->setCurrentIndex(2);
        EXPECT_GT(InkIn(Picture(d, QStringLiteral("calculate_integral")), d.m_preview, &d), 50);
        d.OnCancel();
    });
}

} // namespace
