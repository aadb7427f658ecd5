// Equation texts drawn in each dialect: the first byte chooses the dialect
// and the mapping mode, the rest is the text (UTF-16).
#include "fuzz_support.h"

#include "platform/dc.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <QImage>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    FuzzInput in(data, size);
    const uint8_t choice = in.Take<uint8_t>();
    const QByteArray bytes = in.Rest();
    const QString text(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
    std::unique_ptr<QvEquation> equation;
    switch (choice % 3) {
    case 0:
        equation = std::make_unique<QvEquation>();
        break;
    case 1:
        equation = std::make_unique<QvFunctionStr>();
        break;
    default:
        equation = std::make_unique<QvStatStr>();
        break;
    }
    const QvEquationOptions* options = &TheEquationOptions();
    equation->SetText(text, options);
    static QImage image(64, 64, QImage::Format_RGB32);
    CDC dc(&image);
    const bool himetric = (choice / 3) % 2 != 0;
    if (himetric)
        dc.SetMapMode(MM_HIMETRIC);
    const QvLogFont font = QvEquation::GetDefaultFont();
    equation->Measure(&dc, options, &font);
    equation->Draw(&dc, 10, himetric ? -1000 : 40, options, &font);
    equation->ToFunctionText();
    return 0;
}
