#pragma once
// The pictogram: a bar or column graph whose bars are rows of equal
// pictures, each standing for the same value, the last one cut back to the
// value.  The pictures are the user's symbols or five made on the spot.
#include "statgraphs/stat_graph.h"

class QvFigure;

class QvStatGraphPictogram : public QvStatGraph {
public:
    // The value one picture stands for: the first of 1, 2, 5, 10, 20 ...
    // with axisMax / N at most 7; 1 for an axis ending at 0 or below.
    static double PictureValue(double axisMax);
    // The value axis's new end for maximum m: a whole number of pictures
    // along a bar frame, one picture past m on a column frame.
    static double AxisEnd(double m, double pictureValue, bool vertical);
    // How many pictures show v: those starting below it.
    static int PictureCount(double v, double pictureValue);
    // The legend box of a picture whose height is `aspect` times its width:
    // 1000 along the longer side.
    static CSize LegendBox(double aspect);
    // Height over width of a symbol: a gallery figure's ratio, 1 otherwise.
    static double SymbolAspect(const QvFigure* symbol);

    void Draw(CDC* dc, CRect rect) override;
};
