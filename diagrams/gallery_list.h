#pragma once
// The galleries of the gallery folder, with the gallery figure chosen in
// the browser, which the gallery tool draws.  Each drawing has its own
// list; the folder is read once, the first time the list is scanned.
#include "diagrams/gallery.h"
#include "figures/fig_gallery.h"

#include <QString>

#include <memory>
#include <vector>

class QvGalleryList {
public:
    QvGalleryList();
    ~QvGalleryList();
    QvGalleryList(const QvGalleryList&) = delete;
    QvGalleryList& operator=(const QvGalleryList&) = delete;

    // Sets the folder (the default one for an empty argument) and, on the
    // first call only, lists its "*.gal" files in name order and reads
    // their titles.  The list's getters scan the folder set when nothing
    // has been scanned yet.
    void Scan(const QString& folder);
    // Ends the folder in exactly one '/'.
    void SetFolder(const QString& folder);
    const QString& GetFolder() const { return m_strFolder; }
    // A "Galleries" folder beside the program when there is one, otherwise
    // the one in the user's data folder for the program.
    static QString DefaultFolder();
    void DeleteAll();

    int GetGalleryCount();
    // Null, "", 0 or false for an index out of range.
    QvGallery* GetGallery(int g);
    QString GetGalleryTitle(int g);
    int GetFigureCount(int g);
    bool IsWritable(int g);
    bool IsReadable(int g);
    // The stored figure f of gallery g, its members re-linked; null when
    // either index is out of range or the gallery is not loaded yet.
    QvFigGallery* GetFigure(int g, int f);
    // A copy of that figure for the caller; null when there is none.
    std::unique_ptr<QvFigGallery> CreateFigure(int g, int f);
    // What the gallery tool draws.
    std::unique_ptr<QvFigGallery> CreateSelectedFigure();

    int GetSelectedGallery() const { return m_nSelectedGallery; }
    int GetSelectedFigure() const { return m_nSelectedFigure; }
    bool HasSelectedFigure() const { return m_nSelectedFigure != -1; }
    // Selects figure f of gallery g when it exists; otherwise nothing changes.
    void Select(int g, int f);

    // These write the gallery at once; false means it could not be written.
    bool DeleteSelectedFigure();
    // Move figure f of gallery g; a selection of that figure follows it.
    bool MoveSelectedFigureUp(int g, int f);
    bool MoveSelectedFigureDown(int g, int f);
    bool SetGalleryDescription(const QString& text, int g);
    bool SetSelectedFigureDescription(const QString& text);
    // Takes ownership of the figure even when the write fails.
    bool AddFigureToGallery(QvFigGallery* figure, int g);

    QString GetGalleryDescription(int g);
    QString GetSelectedGalleryDescription();
    QString GetSelectedFigureDescription();

    // A gallery of that title is listed, or its file name is taken.
    bool GalleryExists(const QString& title);
    // The file name a title is saved under: no separators, no leading
    // dot, never empty, never outside the folder.
    static QString FileNameFor(const QString& title);
    // Writes a new gallery into a file of its own (never over another
    // one) and lists it; its index, or -1 when it could not be written.
    int CreateGallery(const QString& title);
    // Writes the title into the gallery's file; the file keeps its name.
    bool RetitleGallery(int g, const QString& title);

    // The browser's Add Gallery button.
    bool IsCreationAllowed() const { return m_bCreationAllowed; }

private:
    bool IsValidFigure(int g, int f);

    std::vector<std::unique_ptr<QvGallery>> m_galleries;
    QString m_strFolder;
    int m_nSelectedFigure = -1;
    int m_nSelectedGallery = -1;
    bool m_bScanned = false;
    bool m_bCreationAllowed = true;
};
