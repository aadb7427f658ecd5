#include "shell/placeholder_doc.h"

#include "shell/doc_template.h"

#include <QPaintEvent>
#include <QPainter>

IMPLEMENT_DYNAMIC(CPlaceholderDoc, CDocument)
IMPLEMENT_DYNAMIC(CPlaceholderView, CView)

CPlaceholderView::CPlaceholderView(QWidget* parent) : CView(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPlaceholderView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
}

DocumentClasses LumbrelDocumentClasses() {
    return {[] { return std::make_unique<CPlaceholderDoc>(); },
            [] { return new CPlaceholderView; }};
}
