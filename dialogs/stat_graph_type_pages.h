#pragma once
// The page of the "Graph Options" sheet that belongs to one graph type.  It
// stands in front of the common pages and edits the settings only that
// type draws with.  Each type's page derives from CGOptTypePage and is made
// by NewGraphTypeOptionsPage.
#include "platform/dialog.h"

#include <memory>

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
