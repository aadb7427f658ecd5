#pragma once
// One column of a statistics data set: a title, a symbol, a formula, a type
// and 500 cells, with every one-variable statistic of the cells kept as a
// cache, an ascending copy of the cells and a frequency or class table.
//
// The statistics are weighted by the cells' counts: a row of count c stands
// for c equal observations.  Whoever changes cells calls MarkDirty (the
// getters then recalculate once) or Recalc before reading fields.
#include "platform/object.h"
#include "statistics/stat_cell.h"

#include <array>

class QvStatRichText;

class QvStatColumn : public CObject {
    DECLARE_SERIAL(QvStatColumn)
public:
    static constexpr int Rows = 500;
    // Column types.
    enum { Data = 1, Label = 2, Group = 3, Formula = 4, Frequency = 5 };

    QvStatColumn();

    // Empties every cell and zeroes the moments; the type becomes data.  The
    // percentiles, stanine bounds, mode, last filled row, flags and texts
    // stay.
    void Clear();
    void MarkDirty();
    // Moments, median, quartiles and mode from the cells, whatever `dirty`
    // says; the percentiles are CalcPercentiles'.  A group column's come
    // from RecalcGrouped.
    void Recalc();
    // A group column: the findings about its classes, then every statistic
    // of the class midpoints weighted by the class counts, with the class
    // bounds as min and max.  The ascending table holds each class's
    // midpoint, count and upper bound; the cells are not changed.
    void RecalcGrouped();

    // Each recalculates first when the column is dirty.
    double GetMean();
    QvStatMode GetMode();
    double GetMedian();
    double GetSampleSD();
    double GetSD();
    double GetVariance();
    double GetRange();
    double GetMeanAbsDev();
    double GetIQR();

    // Texts, type, column number and cells; the statistics of `other` are
    // not copied, so the column is left dirty.
    virtual QvStatColumn& Copy(const QvStatColumn& other);
    // The header and every row with a count or a text.  A stored row index
    // outside 0 to 499 refuses the record; nothing of it is kept.
    void Serialize(CArchive& ar) override;

    // ---- One-variable statistics ----
    // Sums, moments, product root; also forces the count of an empty cell
    // to 0.
    void CalcMoments();
    // Sorts, then min, max, range, median, quartiles and outer-third medians.
    void CalcMedianQuartiles();
    // P0 to P100 and the stanine bounds, by the current percentile method
    // (of the class midpoints in a group column).
    void CalcPercentiles();
    void CalcMode();
    // The ascending table: values ascending and stable, empty cells last,
    // labels ordered by the number their texts read as.
    void Sort();
    // The value at 0-based position k of the ascending order in which every
    // entry is repeated count times; the empty value outside 0 to n - 1.
    double ValueAt(int k) const;

    // ---- Frequency and class tables (in `classes`) ----
    // Merges values within `tolerance` of the first value of their class;
    // returns the number of classes (1 also for a column without counts).
    int BuildFrequencyTable(double tolerance);
    // The frequency table with running totals as counts.
    void BuildCumulativeFrequencyTable(double tolerance);
    // Classes of width w half a width off the multiples of w.  A width that
    // is not a positive number leaves the table empty.
    void GroupByWidth(double w);
    // About `classCount` classes of a nice width; below 1 the table is empty.
    void GroupByCount(int classCount);
    // The first nice width (0, 0.0001, 0.0002, 0.0005, ... 10000000, 9e99)
    // not below (high - low) / classCount.
    static double NiceClassWidth(double low, double high, int classCount);
    // The classes of a group column's ascending table; what falls in none
    // counts in the class "Other".
    void GroupByClasses(const QvStatSortCell* source);

    // ---- Generated data ----
    // Rows 0 to rowCount - 1 (at most 500) become a time series: a trend of
    // fit model 1 to 7 in the row number i, a seasonal pattern of `period`
    // values that sums to 0, and noise, each value brought to a step that
    // follows the trend's spread.  A row whose trend has no finite value
    // (row 0 of the reciprocal and logarithmic models, of the power model
    // with a negative b) is left empty and does not count in the spread.
    // Another model number keeps the values and sets the counts.  Draws
    // CrtRand period - 1 times, then once per row with a value.  Does
    // nothing for a period outside 1 to 500; texts and later rows stay, and
    // the column is not marked dirty.
    void GenerateTimeSeries(int period, double a, double b, double c, int model, double noise,
                            double seasonal, int rowCount);

    // ---- Reports ----
    // Each appends the statistics of the cached fields to `out`, runs
    // wrapped in `markup`'s markers; the caller recalculates first and
    // prints "No Data" instead when n is 0.  The full, decile, percentile
    // and stanine reports work out the percentiles by the current method.
    void WriteSummaryReport(QString& out, QvStatRichText& markup);
    void WriteFullReport(QString& out, QvStatRichText& markup);
    void WriteQuartileReport(QString& out, QvStatRichText& markup);
    void WriteDecileReport(QString& out, QvStatRichText& markup);
    void WritePercentileReport(QString& out, QvStatRichText& markup);
    void WriteStanineReport(QString& out, QvStatRichText& markup);
    void WriteCentralTendencyReport(QString& out, QvStatRichText& markup);
    void WriteDispersionReport(QString& out, QvStatRichText& markup);
    void WriteCentralDispersionReport(QString& out, QvStatRichText& markup);
    // The cautions a group column's report opens with (none for another
    // type, or without observations).
    void WriteGroupCautions(QString& out) const;
    // "st", "nd", "rd" or "th" after the number j.
    static QString OrdinalSuffix(int j);

    // ---- Fields ----
    bool frequencyTableValid = false;
    bool sortedValid = false;
    int rowsWithCount = 0;
    int columnNumber = 0;
    QString name;
    QString symbol;
    QString formula;
    int type = Data;
    std::array<QvStatCell, Rows> cells;
    std::array<QvStatSortCell, Rows> sorted;
    std::array<QvStatCell, Rows> classes;
    int lastFilledRow = 0; // 1-based; 0 when no row has a value
    bool groupNoCounts = false;
    bool groupGap = false;
    bool groupOverlap = false;
    bool groupUnevenWidth = false;
    int filledCount = 0;
    double lowerThirdMedian = 0.0;
    double upperThirdMedian = 0.0;
    double max = 0.0;
    double min = 0.0;
    std::array<double, 101> percentiles{};
    std::array<double, 10> stanineBounds{};
    double productRoot = 0.0;
    double product = 0.0;
    int dirty = 1;
    double mean = 0.0;
    double median = 0.0;
    double sampleSD = 0.0;
    double sd = 0.0;
    double variance = 0.0;
    double range = 0.0;
    double meanAbsDev = 0.0;
    double iqr = 0.0;
    double sum = 0.0;
    double sumSquares = 0.0;
    double lowerQuartile = 0.0;
    double upperQuartile = 0.0;
    int n = 0;
    QvStatMode mode;

private:
    // Fills `classes` from `start` by steps of w while a bound is below (or,
    // with `includeMax`, not above) the maximum, then counts every row in
    // the class whose bounds hold it.
    void FillClasses(double start, double w, bool includeMax);
    void EmptyClasses();
};
