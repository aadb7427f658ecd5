#pragma once
// The one document template: which document and view classes make a
// drawing window, the file type's strings, and the open documents.
#include "platform/win_types.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CDocument;
class CView;
class QMdiArea;

// How a drawing window's document and view are made.
struct DocumentClasses {
    std::function<std::unique_ptr<CDocument>()> createDocument;
    std::function<CView*()> createView;
};

class CMultiDocTemplate {
public:
    // Fields of the template's string.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    // `docStrings` is the template's string (its resource): the fields
    // below, separated by '\n'.
    CMultiDocTemplate(const QString& docStrings, DocumentClasses classes);
    ~CMultiDocTemplate();
    CMultiDocTemplate(const CMultiDocTemplate&) = delete;
    CMultiDocTemplate& operator=(const CMultiDocTemplate&) = delete;

    QString GetDocString(DocStringIndex index) const;

    // Which document and view new windows get.
    void SetDocumentClasses(DocumentClasses classes) { m_classes = std::move(classes); }
    // Where new drawing windows go.
    void SetMdiArea(QMdiArea* area) { m_mdiArea = area; }

    // A new document when `path` is empty, else the document read from it,
    // shown in a new maximised child frame; null when that failed (the
    // document has told the user why).
    CDocument* OpenDocumentFile(const QString& path);

    const std::vector<std::unique_ptr<CDocument>>& Documents() const { return m_docList; }
    // Forgets and deletes a document; its views must be gone.
    void RemoveDocument(CDocument* doc);
    // FALSE when some document refused to close.
    BOOL SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments(BOOL endSession);

private:
    void SetDefaultTitle(CDocument* doc);

    QString m_strDocStrings;
    DocumentClasses m_classes;
    QMdiArea* m_mdiArea = nullptr;
    std::vector<std::unique_ptr<CDocument>> m_docList;
    int m_nUntitledCount = 0;
};
