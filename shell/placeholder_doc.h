#pragma once
// Stand-ins for the drawing document and view: an empty document and a
// blank page, so that the shell opens windows before drawings exist.
#include "shell/document.h"
#include "shell/view.h"

class CPlaceholderDoc : public CDocument {
    DECLARE_DYNAMIC(CPlaceholderDoc)
};

class CPlaceholderView : public CView {
    DECLARE_DYNAMIC(CPlaceholderView)
public:
    explicit CPlaceholderView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
