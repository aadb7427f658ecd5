#include "framework/child_frame.h"

#include "framework/document.h"
#include "framework/view.h"
#include "platform/lazy_icon.h"

#include <QCloseEvent>
#include <QIcon>

IMPLEMENT_DYNAMIC(CChildFrame, CCmdTarget)

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(LazySvgIcon(QStringLiteral(":/app/lumbrel2.svg")));
}

CView* CChildFrame::GetActiveView() const {
    return dynamic_cast<CView*>(widget());
}

void CChildFrame::SetView(CView* view) {
    setWidget(view);
    OnUpdateFrameTitle();
}

void CChildFrame::OnUpdateFrameTitle() {
    CView* view = GetActiveView();
    CDocument* doc = view ? view->GetDocument() : nullptr;
    setWindowTitle(doc ? doc->GetTitle() : QString());
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    CView* view = GetActiveView();
    CDocument* doc = view ? view->GetDocument() : nullptr;
    // Closing the last window of a drawing closes the drawing.
    if (doc && doc->Views().size() == 1 && !doc->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
