#include "text/stacks.h"

BOOL QvIntStack::Push(int value) {
    if (m_count >= kCapacity)
        return FALSE;
    m_items[++m_count] = value;
    return TRUE;
}

int QvIntStack::Pop() {
    return m_count == 0 ? 0 : m_items[m_count--];
}

int QvIntStack::Top() const {
    return m_count == 0 ? 0 : m_items[m_count];
}

BOOL QvValueStack::PushValue(double value) {
    if (m_count >= kCapacity)
        return FALSE;
    QvValueRecord& r = m_records[++m_count];
    r.m_value = value;
    r.m_code = -1;
    return TRUE;
}

double QvValueStack::PopValue() {
    return m_count == 0 ? 0.0 : m_records[m_count--].m_value;
}

double QvValueStack::TopValue() const {
    return m_count == 0 ? 0.0 : m_records[m_count].m_value;
}

void QvValueStack::SetTopCode(int code) {
    m_records[m_count].m_code = m_count == 0 ? -1 : code;
}

int QvValueStack::GetTopCode() const {
    return m_count == 0 ? 0 : m_records[m_count].m_code;
}

void QvValueStack::SetTopText(const QString& text) {
    m_records[m_count].m_text = m_count == 0 ? QString() : text;
}

QString QvValueStack::GetTopText() const {
    return m_count == 0 ? QString() : m_records[m_count].m_text;
}
