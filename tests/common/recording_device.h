#pragma once
// A paint device that keeps what is drawn on it instead of pixels: every
// line (polylines split into their segments), ellipse, rectangle, polygon
// and path, and every text with where its baseline starts, in device
// coordinates, with the pen and brush it was drawn with.  Tests count and
// measure drawings with it where pixels would blur.  Each item carries the
// number of the drawing call that made it, so the segments of one polyline
// can be told from those of the next.
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include <vector>

struct DrawnItem {
    enum Kind { Line, Ellipse, Rect, Polygon, Path, Point, Text };
    Kind kind = Line;
    QLineF line;       // Line
    QRectF rect;       // Ellipse, Rect, and the bounds of the others
    QPolygonF polygon; // Polygon
    QPointF point;     // Point; Text: the start of its baseline
    QString text;      // Text
    QPen pen;
    QBrush brush;
    int call = 0; // items of one drawing call share it
};

class RecordingPaintEngine : public QPaintEngine {
public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }
    void drawLines(const QLineF* lines, int count) override {
        ++m_call;
        AddLines(lines, count);
    }
    void AddLines(const QLineF* lines, int count) {
        for (int i = 0; i < count; ++i) {
            DrawnItem item = Start(DrawnItem::Line);
            item.line = m_transform.map(lines[i]);
            item.rect = QRectF(item.line.p1(), item.line.p2()).normalized();
            items.push_back(item);
        }
    }
    void drawEllipse(const QRectF& rect) override {
        ++m_call;
        DrawnItem item = Start(DrawnItem::Ellipse);
        item.rect = m_transform.mapRect(rect);
        items.push_back(item);
    }
    void drawRects(const QRectF* rects, int count) override {
        ++m_call;
        for (int i = 0; i < count; ++i) {
            DrawnItem item = Start(DrawnItem::Rect);
            item.rect = m_transform.mapRect(rects[i]);
            items.push_back(item);
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        ++m_call;
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << m_transform.map(points[i]);
        if (mode == PolylineMode) {
            for (int i = 0; i + 1 < polygon.size(); ++i) {
                QLineF segment(polygon[i], polygon[i + 1]);
                AddLines(&segment, 1);
            }
            return;
        }
        DrawnItem item = Start(DrawnItem::Polygon);
        item.polygon = polygon;
        item.rect = polygon.boundingRect();
        items.push_back(item);
    }
    void drawPoints(const QPointF* points, int count) override {
        ++m_call;
        for (int i = 0; i < count; ++i) {
            DrawnItem item = Start(DrawnItem::Point);
            item.point = m_transform.map(points[i]);
            item.rect = QRectF(item.point, QSizeF(0, 0));
            items.push_back(item);
        }
    }
    void drawPath(const QPainterPath& path) override {
        ++m_call;
        DrawnItem item = Start(DrawnItem::Path);
        item.rect = m_transform.map(path).boundingRect();
        items.push_back(item);
    }
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override {
        ++m_call;
        DrawnItem item = Start(DrawnItem::Text);
        item.point = m_transform.map(p);
        item.text = textItem.text();
        const QFontMetricsF metrics(textItem.font());
        item.rect =
            m_transform.mapRect(QRectF(p.x(), p.y() - metrics.ascent(),
                                       metrics.horizontalAdvance(item.text), metrics.height()));
        items.push_back(item);
    }
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override {
        ++m_call;
        DrawnItem item = Start(DrawnItem::Rect);
        item.rect = m_transform.mapRect(rect);
        items.push_back(item);
    }

    std::vector<DrawnItem> items;

private:
    DrawnItem Start(DrawnItem::Kind kind) const {
        DrawnItem item;
        item.kind = kind;
        item.pen = m_pen;
        item.brush = m_brush;
        item.call = m_call;
        return item;
    }

    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    int m_call = 0;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(int width = 2000, int height = 2000, int dpi = 96)
        : m_width(width), m_height(height), m_dpi(dpi) {}
    ~RecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<DrawnItem>& Items() const { return m_engine.items; }
    void Clear() { m_engine.items.clear(); }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
            return m_width * 254 / (m_dpi * 10);
        case PdmHeightMM:
            return m_height * 254 / (m_dpi * 10);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    int m_width, m_height, m_dpi;
    mutable RecordingPaintEngine m_engine;
};
