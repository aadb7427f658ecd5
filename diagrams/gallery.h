#pragma once
// One gallery file in memory: a title, a description and a list of gallery
// figures, each with a description of its own.
//
// The file is an archive: the string "ZKW2Gallery", the version (2), the
// title, the figure list, the gallery description and the figure
// descriptions.  Version 1 ends after the figures, version 0 after the
// version.  Files without the magic are older galleries: a 50-byte title,
// a 16-bit record count and records of the older drawing format, of which
// only the containers are kept.
//
// A gallery loads lazily, the first time anything asks for its figures, and
// only once.  A file that cannot be read is reported once and stays
// unreadable: it is never written over, so nothing in it is lost.  Every
// write goes to a temporary file that replaces the gallery only when
// complete.
#include "figures/legacy_losses.h"
#include "platform/win_types.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CArchive;
class QIODevice;
class QvFigure;
class QvFigGallery;

class QvGallery {
public:
    static constexpr const char* Magic = "ZKW2Gallery";
    static constexpr WORD Version = 2;
    // The title field of an older gallery.
    static constexpr int OlderTitleBytes = 50;

    // Reads one record of the older drawing format (with the records nested
    // in it) from the device's position, containers as gallery figures;
    // a new figure, or null for a record that makes none.  What could not
    // be kept is added to `losses`.  Throws on malformed input.
    using OlderRecordReader = std::function<QvFigure*(QIODevice& file, QvLegacyLosses& losses)>;
    // Returns the reader installed before; without one, older galleries
    // cannot be read.
    static OlderRecordReader SetOlderRecordReader(OlderRecordReader reader);

    QvGallery();
    ~QvGallery();
    QvGallery(const QvGallery&) = delete;
    QvGallery& operator=(const QvGallery&) = delete;

    void SetPath(const QString& path) { m_strPath = path; }
    const QString& GetPath() const { return m_strPath; }

    // Stores the whole gallery, or loads it: on a failed load it throws and
    // leaves the gallery as it was.
    void Serialize(CArchive& ar);
    // Loads the file once; an empty path keeps the one set.
    void Load(const QString& path = QString());
    // Writes the whole gallery over its file; false when it could not
    // (the change then stays in memory only).
    bool Save();
    // Reads only the title, and whether the file may be written.
    void ReadTitle(const QString& path = QString());
    // Sets the title and writes the gallery afresh.
    bool WriteWithTitle(const QString& title);

    QString GetTitle();
    int GetFigureCount();
    // The stored figure, not a copy; null for an index out of range.
    QvFigGallery* GetFigureAt(int i);
    QString GetDescription(int i);
    QString GetGalleryDescription();
    // In memory only.
    void SetDescription(const QString& text, int i);
    void SetGalleryDescription(const QString& text);

    // Each of these saves at once; false means the change could not be
    // written.  Nothing to change is not a failure.
    // Takes ownership; a null figure does nothing.
    bool AddFigure(QvFigGallery* figure);
    bool RemoveFigure(int i);
    // Exchange figure i (and its description) with the one before or
    // after it.
    bool MoveFigureUp(int i);
    bool MoveFigureDown(int i);

    bool IsLoaded() const { return m_bLoaded; }
    bool IsWritable() const { return m_bWritable; }
    // False once reading the file failed.
    bool IsReadable() const { return !m_bUnreadable; }
    // A gallery just created is loaded (empty) without reading.
    void MarkLoaded() { m_bLoaded = m_bTitleRead = true; }

    // What the program says when a gallery cannot be read or written.
    static QString UnreadableMessage(const QString& path);
    static QString OlderFormatMessage(const QString& path);
    // Said after an older gallery opened without all of its contents.
    static QString OlderFormatLossMessage(const QString& path, const QvLegacyLosses& losses);
    static QString WriteFailedMessage(const QString& path);

private:
    // Writes through a temporary file; false on any failure.
    bool Write();
    void LoadOlderForm(CArchive& ar);
    void DeleteFigures();

    std::vector<QvFigGallery*> m_figures; // owned
    QString m_strTitle;
    QString m_strPath;
    bool m_bLoaded = false;
    bool m_bTitleRead = false;
    bool m_bWritable = false;
    bool m_bUnreadable = false;
    QString m_strDescription;
    QStringList m_descriptions; // one per figure
    QvLegacyLosses m_losses;    // of the last older form read
};
