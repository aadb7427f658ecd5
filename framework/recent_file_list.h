#pragma once
// The most recently used drawings, newest first, kept in the profile under
// one section as "File1", "File2", ...
#include <QString>
#include <QStringList>

class CRecentFileList {
public:
    CRecentFileList(const QString& section, const QString& entryPrefix, int size);

    void ReadList();
    void WriteList() const;

    // Moves `path` to the top, dropping the oldest when full.
    void Add(const QString& path);
    void Remove(int index);

    int GetSize() const { return m_nSize; }
    int Count() const { return int(m_files.size()); }
    QString operator[](int index) const { return m_files.value(index); }
    // "&1 /home/ann/circle.kw2": the menu text of entry `index`.
    QString MenuText(int index) const;

private:
    QString m_strSection;
    QString m_strEntryPrefix;
    int m_nSize;
    QStringList m_files;
};
