#pragma once
// "Graph Options": the tabbed sheet in which the user sets how one
// statistics graph looks.  The page of the graph's type comes first, then
// General, Data Columns, Grid, Fonts and Scales.  The sheet edits a working
// copy of the data set's options: OK hands every change back, Cancel none,
// including colours and fonts already confirmed in their choosers.
#include "platform/dialog.h"

#include <QList>
#include <QString>

#include <array>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QvStatData;

class CGOptGeneral : public CPropertyPage {
public:
    explicit CGOptGeneral(QWidget* parent = nullptr);

    void SetStatData(QvStatData* data) { m_pData = data; }
    void ReadProperties(const QvStatData& data);
    // Also the label column from the label text, when label columns were
    // offered.
    void WriteProperties(QvStatData& data) const;
    // Offers the data set's label columns by their short names, or only
    // the stored label when there are none.
    BOOL OnInitDialog() override;

    QLineEdit* m_editTitle;
    QComboBox* m_comboLabel; // editable; enabled when a label column exists
    QList<QAbstractButton*> m_radioArtType;
    QLineEdit* m_editXAxis;
    QLineEdit* m_editYAxis;
    QLineEdit* m_editXAxisMid;
    QLineEdit* m_editYAxisMid;

    QString m_strTitle;
    QString m_strXAxis;
    QString m_strYAxis;
    QString m_strLabel;
    QString m_strXAxisMid;
    QString m_strYAxisMid;
    int m_nArtType = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    QvStatData* m_pData = nullptr;
};

class CGOptDataCol : public CPropertyPage {
public:
    static constexpr int Sets = 10;

    explicit CGOptDataCol(QWidget* parent = nullptr);

    void SetStatData(QvStatData* data) { m_pData = data; }
    // Selects each set's stored column.
    BOOL OnInitDialog() override;
    // Each set's column from its text, only when the page was shown.  A
    // set-1 text that names no column keeps the first column: every graph
    // needs one.
    void WriteColumns(QvStatData& data) const;
    // Set k's "Color" button (0-based): the series' colour and its brush
    // in the colour-shading row take the choice.
    void OnColor(int set);

    std::array<QComboBox*, Sets> m_comboSet;   // set 1 "A".."Z", "Row"; others "None" first
    std::array<QPushButton*, Sets> m_buttonColor;
    std::array<QString, Sets> m_strSet;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    QvStatData* m_pData = nullptr;
};

class CGOptGrid : public CPropertyPage {
public:
    // Major x, minor x, major y, minor y.
    static constexpr int Kinds = 4;

    explicit CGOptGrid(QWidget* parent = nullptr);

    void SetStatData(QvStatData* data) { m_pData = data; }
    void ReadProperties(const QvStatData& data);
    // A group left with no choice keeps its kind.
    void WriteProperties(QvStatData& data) const;
    void OnColor(int kind);

    // None, Dotted, Solid in each.
    std::array<QList<QAbstractButton*>, Kinds> m_radioKind;
    std::array<QPushButton*, Kinds> m_buttonColor;
    std::array<int, Kinds> m_nKind = {-1, -1, -1, -1};

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    QvStatData* m_pData = nullptr;
};

class CGOptFonts : public CPropertyPage {
public:
    enum Font { Title, MidAxis, Legend, EndAxis, Scales, Ancillary, FontCount };

    explicit CGOptFonts(QWidget* parent = nullptr);

    void SetStatData(QvStatData* data) { m_pData = data; }
    // The chooser on one of the graph's fonts; OK sets the font, its colour
    // and the height it is drawn at.
    void OnFont(Font font);

    std::array<QPushButton*, FontCount> m_buttonFont;

protected:
    void DoDataExchange(CDataExchange*) override {}

private:
    QvStatData* m_pData = nullptr;
};

class CGOptScales : public CPropertyPage {
public:
    // The limits, then the steps.
    enum Value { MaxX, MinX, MaxY, MinY, MajorX, MinorX, MajorY, MinorY, ValueCount };

    explicit CGOptScales(QWidget* parent = nullptr);

    void ReadProperties(const QvStatData& data);
    void WriteProperties(QvStatData& data) const;
    // Disables the edits whose "Auto" box is set.
    BOOL OnInitDialog() override;
    // An "Auto" box clicked: takes the page's values, then enables its
    // edit when the box is clear.
    void OnAuto(Value value);

    std::array<QLineEdit*, ValueCount> m_edit;
    std::array<QCheckBox*, ValueCount> m_checkAuto;
    QCheckBox* m_checkLogX;
    QCheckBox* m_checkLogY;
    QCheckBox* m_checkBreak;
    QList<QAbstractButton*> m_radioBreakType; // "Zig Zag Break", "Parallel Line Break"

    std::array<double, ValueCount> m_dValue{};
    std::array<int, ValueCount> m_bAuto{};
    int m_bLogX = 0;
    int m_bLogY = 0;
    int m_bBreak = 0;
    int m_nBreakType = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The texts the edits were filled with: an edit still showing its text
    // keeps the value exactly, beyond the fifteen digits shown.
    std::array<QString, ValueCount> m_shown;
};

// Runs the sheet on a data set's options; true, and the options changed,
// on OK.
bool RunGraphOptionsSheet(QvStatData& data, QWidget* parent = nullptr);
