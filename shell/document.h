#pragma once
// The base of the program's documents: title, path, modified flag and the
// views that show it.  A document is deleted when its last view closes.
#include "platform/command_target.h"

#include <QString>

#include <vector>

class CMultiDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    ~CDocument() override;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    // Also names the document after the file and, when asked, puts the file
    // at the top of the recent-file list.
    virtual void SetPathName(const QString& path, BOOL addToMRU = TRUE);

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    const std::vector<CView*>& Views() const { return m_viewList; }
    void AddView(CView* view);
    void RemoveView(CView* view);
    // Tells every view but `sender` that the document changed; `hint` and
    // `hintObject` say what changed (0 and null: anything).
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    virtual BOOL OnNewDocument();
    // Checks that the file can be read and tells the user when it cannot;
    // derived documents read their contents after this.
    virtual BOOL OnOpenDocument(const QString& path);
    virtual void DeleteContents() {}
    // TRUE when the document may be closed; a document with unsaved changes
    // asks the user here.
    virtual BOOL SaveModified();
    // Closes the views' frames and deletes the document.
    virtual void OnCloseDocument();

    BOOL m_bAutoDelete = TRUE;

private:
    friend class CMultiDocTemplate;
    void UpdateFrameTitles();

    QString m_strTitle;
    QString m_strPathName;
    BOOL m_bModified = FALSE;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    bool m_bClosing = false;
};
