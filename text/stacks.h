#pragma once
// Two fixed-size stacks: operator codes while infix text is turned into
// postfix form, and the operands of the function and column-formula
// evaluators.  Popping or reading an empty stack gives 0 and changes
// nothing; a push onto a full stack is refused.
#include "platform/object.h"
#include "platform/win_types.h"

#include <QString>

class QvIntStack : public CObject {
public:
    static constexpr int kCapacity = 199; // entry 0 is never used

    // FALSE, and nothing stored, when the stack is full.
    BOOL Push(int value);
    int Pop();
    int Top() const;
    BOOL IsEmpty() const { return m_count == 0; }
    int GetCount() const { return m_count; }

private:
    int m_count = 0;
    int m_items[kCapacity + 1] = {};
};

struct QvValueRecord {
    int m_code = -1; // -1 a plain number; other codes belong to the caller
    double m_value = 0.0;
    QString m_text;
};

class QvValueStack : public CObject {
public:
    // The count was an 8-bit number; it stops at 127 instead of wrapping.
    static constexpr int kCapacity = 127;

    // The record gets the value and the plain-number code; its text stays.
    // FALSE, and nothing stored, when the stack is full.
    BOOL PushValue(double value);
    double PopValue();
    double TopValue() const;
    BOOL IsEmpty() const { return m_count == 0; }
    int GetCount() const { return m_count; }
    // On an empty stack these reset the empty-stack record only.
    void SetTopCode(int code);
    int GetTopCode() const;
    void SetTopText(const QString& text);
    QString GetTopText() const;

private:
    int m_count = 0;
    QvValueRecord m_records[kCapacity + 1]; // record 0 stands for the empty stack
};
