#pragma once
// The base of the program's documents: title, path, modified flag and the
// views that show it.  A document is deleted when its last view closes.
#include "platform/command_target.h"

#include <QString>

#include <exception>
#include <vector>

class CMultiDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
    DECLARE_COMMAND_MAP()
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
    // Empties the document and reads it from the file through Serialize.
    // On any failure the user is told, the document is left empty and the
    // result is FALSE.
    virtual BOOL OnOpenDocument(const QString& path);
    // Writes the whole document to a temporary file beside `path` and puts
    // it in place only when all of it reached the disk, so a failed save
    // (a full disk included) leaves the old file as it was and the document
    // modified.  Tells the user when it fails.
    virtual BOOL OnSaveDocument(const QString& path);
    virtual void DeleteContents() {}
    // TRUE when the document may be closed; a document with unsaved changes
    // asks the user whether to save them first.
    virtual BOOL SaveModified();
    // Saves to `path`, or asks for a name when it is empty.  With `replace`
    // the document takes the new name.  FALSE when cancelled or failed.
    BOOL DoSave(const QString& path, BOOL replace = TRUE);
    // Saves under the document's name when that file exists and may be
    // written, and otherwise asks for a name.
    BOOL DoFileSave();
    // The name the Save As dialog starts from: the document's file, or for
    // a document never saved its title with the file type's extension.
    virtual QString GetSaveProposal() const;
    // Closes the views' frames and deletes the document.
    virtual void OnCloseDocument();

    void OnFileSave();
    void OnFileSaveAs();

    BOOL m_bAutoDelete = TRUE;

    // The messages for a failed open or save.
    static QString InvalidPathMessage(const QString& path);
    static QString UnreadableFileMessage(const QString& path);
    static QString FailedToOpenMessage(const QString& path);
    static QString FailedToSaveMessage(const QString& path);
    static QString InvalidFormatMessage(const QString& path);
    static QString AccessWriteMessage(const QString& path);
    static QString WriteErrorMessage(const QString& path);
    static QString AskToSaveMessage(const QString& name);

protected:
    // Tells the user why reading or writing `path` failed; `e` is the
    // exception caught, null when there is none.
    virtual void ReportSaveLoadException(const QString& path, const std::exception* e, BOOL saving);

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
