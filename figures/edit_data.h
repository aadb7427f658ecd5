#pragma once
// The attribute record every figure owns: its line and fill colours and
// styles.  Figure kinds with settings of their own derive from it.
#include "platform/gdi_types.h"
#include "platform/object.h"

class QvEditData : public CObject {
    DECLARE_SERIAL(QvEditData)
public:
    COLORREF m_lineColor = 0;
    COLORREF m_fillColor = 0;
    LONG m_lineStyle = 0; // a Format>Line command id
    LONG m_fillStyle = 0; // a Format>Fill command id

    QvEditData() = default;
    ~QvEditData() override = default;

    // Line colour, fill colour, line style, fill style: 16 bytes.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyCommon(const QvEditData& src);
    // The whole record; a record without fields of its own copies the four.
    virtual QvEditData& CopyFrom(const QvEditData& src) { return CopyCommon(src); }
    // The four from the current drawing style.
    void SetFromCurrentStyle();
};
