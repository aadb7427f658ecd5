#pragma once
// The graph and report options of a statistics figure, held by its data
// set.  Only what the columns and their formulas read is here so far.
#include "platform/object.h"

#include <QString>

class QvStatProperties : public CObject {
public:
    // Copies the stored options; the label column index and the loaded flag
    // stay this record's own.
    virtual void Copy(const QvStatProperties& other);
    // The options' own record comes with the statistics graphs; until then
    // a data set stores its columns alone.
    void Serialize(CArchive&) override {}

    // Set once the data set has been read from a file.
    bool Loaded = false;
    // The label column's letter, or "None".
    QString Label1 = QStringLiteral("None");
    // The label column's index (0 to 25), -1 for none.  Not copied.
    int LabelCol1 = -1;
    // The two-variable choices the column formulas take for missing
    // arguments: x and y column (0 to 26) and fit model (1 to 7).
    int col1 = 0;
    int col2 = 1;
    int RegType = 1;
};
