#pragma once

#include "payloadfield.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads the big-endian fields of an OPC UA payload. Every read says whether its bytes were
// there; a failed read leaves its target and the position untouched, so no read can pass
// the end. With a trace list, every field read is also recorded by name (for dumps); the
// names cost nothing otherwise.
class PayloadReader
{
public:
    explicit PayloadReader(const QByteArray& data, QList<PayloadField>* trace = nullptr);

    bool u8(const char* name, quint8& value);
    bool u16(const char* name, quint16& value);
    bool u32(const char* name, quint32& value);
    // A length of the given width, then that many bytes in the local 8-bit encoding; all
    // must be there. A masked text is traced without its content.
    bool text8(const char* name, QString& value, bool masked = false);
    bool text16(const char* name, QString& value);

    int pos() const { return m_pos; }
    int remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

    // Trace names below this group ("user 1") until endGroup; nothing without a trace.
    bool tracing() const { return m_trace != nullptr; }
    void group(const QString& name);
    void endGroup();
    // A line of its own in the trace (computed values, summaries).
    void note(const QString& name, int offset, int size, const QString& value);

private:
    bool has(int count) const { return count >= 0 && count <= remaining(); }
    bool text(const char* name, int lengthSize, QString& value, bool masked);
    void trace(const char* name, int offset, int size, const QString& value);

    const QByteArray& m_data;
    const char* m_bytes;
    int m_pos = 0;
    QList<PayloadField>* m_trace;
    QStringList m_groups;
};
