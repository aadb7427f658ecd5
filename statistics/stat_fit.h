#pragma once
// Two-variable fits on two columns of a data set: seven models, values
// predicted from a fit, residuals, seasonal adjustment of one column and
// random two-variable data with a chosen correlation.
//
// A fit pairs the columns row by row; a row counts when both cells hold a
// value, and where their counts differ both take the larger.  No result of
// a failed fit, and no value a model cannot form, comes out as a number:
// the status says what failed and every such cell is empty.
#include "statistics/stat_column.h"

class QvStatData;

struct QvStatFitResult {
    // The model fitted (1 to 7), or a QvStatFit::Status failure.
    int status = 0;
    // Intercept or leading coefficient.
    double a = 0.0;
    // Slope or exponent.
    double b = 0.0;
    // c of the quadratic; the correlation coefficient of the other models
    // (of the transformed pair for the power, exponential, logarithmic and
    // reciprocal fits).
    double cOrR = 0.0;
    // Population covariance of the (transformed) pair; 0 for the quadratic
    // and median-median fits.
    double covariance = 0.0;
    // Sum over rows of count × x × y of the (transformed) pair.
    double sumOfProducts = 0.0;
    // Total count of the paired rows.
    int n = 0;
    // Some row held a value in only one of the two columns.
    bool unpaired = false;
};

class QvStatFit : public CObject {
public:
    enum Model {
        Linear = 1,   // y = a + bx
        Quadratic,    // y = a + bx + cx²
        Power,        // y = a x^b
        Exponential,  // y = a e^(bx)
        Logarithmic,  // y = a + b ln x
        MedianMedian, // y = a + bx through the medians of the outer thirds
        Reciprocal,   // y = a + b/x
    };
    enum Status {
        InputError = 0, // a value the model cannot take, or no spread in x
        NoData = 8,
        UnequalCounts = 9,
        NotPaired = 10,
        NeedTwo = 11,
        NeedThree = 12, // the quadratic with one or two points
    };

    QvStatFit();
    QvStatFit(const QvStatFit&) = delete;
    QvStatFit& operator=(const QvStatFit&) = delete;

    void SetData(QvStatData* data);

    // Pairs columns xCol and yCol (0 to 26) and fits the model; the result
    // goes to `out` and is kept for Predict.
    const QvStatFitResult& Calc(QvStatFitResult& out, int xCol, int yCol, int model);
    // The last fit's y at x, count 1; empty for an empty x, when the last
    // fit was not of this model or did not succeed, and where the curve has
    // no value.
    QvStatCell Predict(double x, int model) const;

    // Each fits first, then fills all 500 rows of `out` (texts emptied).
    // y predicted from column xCol.
    void PredictColumn(int xCol, int yCol, int model, QvStatColumn& out);
    // x predicted from column yCol.
    void PredictXColumn(int xCol, int yCol, int model, QvStatColumn& out);
    // Observed y minus predicted y.
    void ResidualColumn(int xCol, int yCol, int model, QvStatColumn& out);
    // Observed x minus predicted x.
    void XResidualColumn(int xCol, int yCol, int model, QvStatColumn& out);

    // Column `col` less the mean deviation of its season from the centred
    // moving average.  A period below 1 or above 250 empties `out`; the
    // texts of `out` stay.
    void Deseasonalise(int period, int col, QvStatColumn& out);

    // Up to 500 random points (n above 500 gives 500) with x from xLow to
    // xHigh on the curve of `model` plus noise, the noise tuned until the
    // fit's |r| is within 0.01 of |r| or 100 passes have run.  One CrtRand
    // draw per x and per noisy y.  Rows from n on are emptied; a point
    // where the curve has no value gets an empty y.  Nothing is written for
    // n below 1, xHigh not above xLow, or |r| not in (0, 1].
    void GenerateBivariate(double xLow, double xHigh, double a, double b, double c, int model,
                           double r, int n, QvStatColumn& xOut, QvStatColumn& yOut);

    // The report's line for a failure status; empty for a fitted model.
    static QString StatusText(int status);
    // The centred moving average of `period` at `row`: p cells for an odd
    // period, p + 1 for an even one with the end cells halved.  Empty near
    // the ends, for a period below 2 and where a cell in reach is empty.
    static double MovingAverage(const QvStatColumn& column, int period, int row);

private:
    struct PairMoments;
    // The model on the current x and y columns, into m_result.
    void FitModel(int model);
    void FitCore();
    void FitQuadratic();
    void FitTransformed(int model);
    void FitMedianMedian();
    // Equal totals of at least `least`, every row paired; else the status
    // says which is missing.
    bool Enough(const PairMoments& m, int least);
    // A fit that came out with a value that is no number fails.
    void RefuseNonFinite();

    QvStatData* m_data = nullptr;
    QvStatFitResult m_last;
    QvStatColumn m_yWork;
    QvStatColumn m_xWork;
    QvStatColumn m_t3;
    QvStatColumn m_t4;
    // The columns the model reads; the transformed models point them at a
    // scratch column.
    QvStatColumn* m_y = &m_yWork;
    QvStatColumn* m_x = &m_xWork;
    QvStatFitResult m_result;
};
