#pragma once
// The page of the "Graph Options" sheet that belongs to one graph type.  It
// stands in front of the common pages and edits the settings only that
// type draws with.  Each type's page derives from CGOptTypePage and is made
// by NewGraphTypeOptionsPage.
//
// Radio groups hold the index of the checked button, -1 for none.  Point
// type groups show the stored marker code less one; a group left with no
// choice keeps the stored code, so marks never turn invisible.
#include "platform/dialog.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QvFigure;
class QvStatData;

class CGOptTypePage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

    // Before the sheet runs: the page's members from the data set's record.
    virtual void ReadProperties(const QvStatData& data) = 0;
    // After OK: the members back into the record.
    virtual void WriteProperties(QvStatData& data) = 0;
};

// The page of a stored graph type; null for a type without one.
std::unique_ptr<CGOptTypePage> NewGraphTypeOptionsPage(int graphType);

// Columns of radio buttons, one exclusive group per column, that may also
// have nothing checked.
struct RadioGrid {
    QList<QList<QAbstractButton*>> columns;
    QList<QButtonGroup*> groups;
};

// The regression combo's entries, in list order.
QStringList GraphRegressionTexts();

class CGOptBarGraph : public CGOptTypePage {
public:
    explicit CGOptBarGraph(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QCheckBox* m_checkLegend;
    QCheckBox* m_checkBack2Back; // hidden: carried through
    int m_bLegend = 0;
    int m_bBack2Back = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptBoxPlot : public CGOptTypePage {
public:
    explicit CGOptBoxPlot(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QList<QAbstractButton*> m_radioOrientate; // "Horizontal", "Vertical"
    QList<QAbstractButton*> m_radioStatType;  // median / IQR, mean / SD
    QCheckBox* m_checkOutliers;
    int m_nOrientate = -1;
    int m_nStatType = -1;
    int m_bOutliers = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptPie : public CGOptTypePage {
public:
    explicit CGOptPie(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QList<QAbstractButton*> m_radioShow; // "Nothing", "Data", "Percentages"
    int m_nShow = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptLineGraph : public CGOptTypePage {
public:
    static constexpr int Series = 10;

    explicit CGOptLineGraph(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;
    // Selects the stored regression.
    BOOL OnInitDialog() override;

    QCheckBox* m_checkLegend;
    QCheckBox* m_checkDataPoints;
    QCheckBox* m_checkFillGaps;
    QCheckBox* m_checkUseLabels;
    QComboBox* m_comboCycle; // editable, "2" .. "12"
    QComboBox* m_comboRegression;
    RadioGrid m_pointTypes; // six rows, one column per series
    RadioGrid m_smoothing;  // "None", "Moving Point Ave", "Seasonalised", "Regression"

    int m_bLegend = 0;
    int m_bDataPoints = 0;
    int m_bFillGaps = 0;
    int m_bUseLabels = 0;
    QString m_strCycle;
    int m_nCycle = 4;
    int m_nRegression = -1;
    std::array<int, Series> m_nPointType{};
    std::array<int, Series> m_nSmoothing{};

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int m_nStoredRegType = 1;
    std::array<int, Series> m_nStoredPointType{};
};

class CGOptScatterGraph : public CGOptTypePage {
public:
    static constexpr int Sets = 5;

    explicit CGOptScatterGraph(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;
    BOOL OnInitDialog() override;

    QCheckBox* m_checkLine;
    QCheckBox* m_checkResiduals;
    QComboBox* m_comboRegression;
    RadioGrid m_pointTypes;
    int m_bLine = 0;
    int m_bResiduals = 0;
    int m_nRegression = -1;
    std::array<int, Sets> m_nPointType{};

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int m_nStoredRegType = 1;
    std::array<int, Sets> m_nStoredPointType{};
};

// The dot plot's page.
class CGOPTBox : public CGOptTypePage {
public:
    static constexpr int Series = 10;

    explicit CGOPTBox(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QCheckBox* m_checkLegend;
    RadioGrid m_pointTypes;
    int m_bLegend = 0;
    std::array<int, Series> m_nPointType{};

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::array<int, Series> m_nStoredPointType{};
};

class CGOptStemLeaf : public CGOptTypePage {
public:
    explicit CGOptStemLeaf(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;
    // Enables the marks when splitting is allowed.
    BOOL OnInitDialog() override;
    // "Allow Split Stems" clicked: takes the page's values, then enables
    // the marks to match.
    void OnAllowSplit();

    QCheckBox* m_checkSort;
    QCheckBox* m_checkRound;
    QCheckBox* m_checkSplit;
    QLineEdit* m_editHigh;
    QLineEdit* m_editLow;
    QLabel* m_labelHigh;
    QLabel* m_labelLow;
    QLineEdit* m_editStems; // digits only
    int m_bSort = 0;
    int m_bRound = 0;
    int m_bSplit = 0;
    QString m_strHigh;
    QString m_strLow;
    UINT m_nStems = 15;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void EnableMarks();
};

class CGOptHistogram : public CGOptTypePage {
public:
    explicit CGOptHistogram(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;
    // Puts the slider, 1 to 100, at the stored number of groups.
    BOOL OnInitDialog() override;

    QSlider* m_sliderGroups;
    QList<QAbstractButton*> m_radioFreq; // absolute, percentage, relative, density
    int m_nGroups = 10;
    int m_nFreq = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptCFPlot : public CGOptTypePage {
public:
    explicit CGOptCFPlot(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QCheckBox* m_checkLegend;
    QCheckBox* m_checkPercentage;        // hidden: carried through
    QList<QAbstractButton*> m_radioFreq; // absolute, percentage, relative
    int m_bLegend = 0;
    int m_bPercentage = 0;
    int m_nFreq = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptColumnGraph : public CGOptTypePage {
public:
    explicit CGOptColumnGraph(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QCheckBox* m_checkLegend;
    int m_bLegend = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptFreqPoly : public CGOptTypePage {
public:
    explicit CGOptFreqPoly(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;

    QCheckBox* m_checkLegend;
    QCheckBox* m_checkPercentage; // hidden: carried through
    QList<QAbstractButton*> m_radioFreq;
    QCheckBox* m_checkEnds;
    int m_bLegend = 0;
    int m_bPercentage = 0;
    int m_nFreq = -1;
    int m_bEnds = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGOptGraphResidual : public CGOptTypePage {
public:
    static constexpr int Sets = 5;

    explicit CGOptGraphResidual(QWidget* parent = nullptr);
    void ReadProperties(const QvStatData& data) override;
    void WriteProperties(QvStatData& data) override;
    BOOL OnInitDialog() override;

    QCheckBox* m_checkFillGaps;
    QCheckBox* m_checkJoin;
    QComboBox* m_comboRegression;
    RadioGrid m_pointTypes;
    int m_bFillGaps = 0;
    int m_bJoin = 0;
    int m_nRegression = -1;
    std::array<int, Sets> m_nPointType{};

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int m_nStoredRegType = 1;
    std::array<int, Sets> m_nStoredPointType{};
};

class CGOptPictoGram : public CGOptTypePage {
public:
    static constexpr int Slots = 5;

    explicit CGOptPictoGram(QWidget* parent = nullptr);
    ~CGOptPictoGram() override;
    // Copies of the record's symbols: the record keeps its own until OK.
    void ReadProperties(const QvStatData& data) override;
    // Hands the page's pictures over to the record.
    void WriteProperties(QvStatData& data) override;
    // Picks slot's picture from the galleries.  Only a figure selected
    // and confirmed with OK replaces it; the picture it replaces goes.
    void ChoosePicture(int slot);

    QList<QAbstractButton*> m_radioOrientate;
    QCheckBox* m_checkLegend;
    std::array<QPushButton*, Slots> m_buttonPicture;
    int m_nOrientate = -1;
    int m_bLegend = 0;
    std::array<std::unique_ptr<QvFigure>, Slots> m_symbols;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
