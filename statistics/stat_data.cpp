#include "statistics/stat_data.h"

#include "platform/archive.h"

#include <algorithm>

IMPLEMENT_SERIAL(QvStatData, CObject, 0)

QvStatData::QvStatData() {
    QvStatColumn& rows = columns[RowNumberColumn];
    rows.name = QStringLiteral("Row Number");
    rows.symbol = QStringLiteral("Row");
    rows.type = QvStatColumn::Data;
    for (int r = 0; r < QvStatColumn::Rows; ++r)
        rows.cells[size_t(r)] = {double(r + 1), 1, {}};
    rows.MarkDirty();
}

void QvStatData::Serialize(CArchive& ar) {
    properties.Serialize(ar);
    for (QvStatColumn& c : columns)
        c.Serialize(ar);
    if (ar.IsLoading())
        properties.Loaded = true;
}

void QvStatData::Copy(const QvStatData& other) {
    if (&other == this)
        return;
    for (int i = 0; i < ColumnCount; ++i)
        columns[size_t(i)].Copy(other.columns[size_t(i)]);
    properties.Copy(other.properties);
}

void QvStatData::CopyWhole(const QvStatData& other) {
    if (&other == this)
        return;
    Copy(other);
    QvStatProperties& d = properties;
    const QvStatProperties& s = other.properties;
    d.LabelCol1 = s.LabelCol1;
    d.LabelCol2 = s.LabelCol2;
    d.LabelColActive1 = s.LabelColActive1;
    d.LabelColActive2 = s.LabelColActive2;
    d.CustomColors = s.CustomColors;
    d.DefaultFont = s.DefaultFont;
    d.Loaded = s.Loaded;
}

QvStatColumn* QvStatData::Column(int index) {
    return index >= 0 && index < ColumnCount ? &columns[size_t(index)] : nullptr;
}

int QvStatData::CountDataColumns() const {
    return int(std::count_if(properties.dc.begin(), properties.dc.end(),
                             [](int column) { return column != -1; }));
}
