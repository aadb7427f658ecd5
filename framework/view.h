#pragma once
// The base of the program's views: a widget inside a child frame that shows
// one document and takes commands before it.
#include "platform/command_target.h"

#include <QWidget>

class CChildFrame;
class CDocument;

class CView : public QWidget, public CCmdTarget {
    DECLARE_DYNAMIC(CView)
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CChildFrame* GetParentFrame() const;
    // Called once the view sits in its frame and its document is loaded.
    virtual void OnInitialUpdate() {}
    // The document changed (see CDocument::UpdateAllViews); repaints all.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
