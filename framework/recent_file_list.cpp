#include "framework/recent_file_list.h"

#include "platform/profile.h"

#include <QDir>

CRecentFileList::CRecentFileList(const QString& section, const QString& entryPrefix, int size)
    : m_strSection(section), m_strEntryPrefix(entryPrefix), m_nSize(size) {}

void CRecentFileList::ReadList() {
    m_files.clear();
    for (int i = 1; i <= m_nSize; ++i) {
        QString path = GetProfileString(m_strSection, m_strEntryPrefix + QString::number(i));
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void CRecentFileList::WriteList() const {
    for (int i = 0; i < m_nSize; ++i) {
        QString entry = m_strEntryPrefix + QString::number(i + 1);
        if (i < m_files.size())
            WriteProfileString(m_strSection, entry, m_files[i]);
        else
            RemoveProfileEntry(m_strSection, entry);
    }
    FlushProfile();
}

void CRecentFileList::Add(const QString& path) {
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > m_nSize)
        m_files.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

QString CRecentFileList::MenuText(int index) const {
    QString name = QDir::toNativeSeparators(m_files.value(index));
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}
