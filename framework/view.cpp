#include "framework/view.h"

#include "framework/child_frame.h"
#include "framework/document.h"

IMPLEMENT_DYNAMIC(CView, CCmdTarget)

CView::CView(QWidget* parent) : QWidget(parent) {}

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CChildFrame* CView::GetParentFrame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<CChildFrame*>(w))
            return frame;
    return nullptr;
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    update();
}
