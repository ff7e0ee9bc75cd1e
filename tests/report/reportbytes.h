#pragma once
// Building expected file bytes by hand in tests: little-endian numbers and the
// string layouts of both file generations.
#include "platform/cp1250.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class Bytes
{
public:
    Bytes &u8(int v)
    {
        m_data += char(v & 0xFF);
        return *this;
    }
    Bytes &u16(int v) { return u8(v).u8(v >> 8); }
    Bytes &i32(qint64 v) { return u16(int(v & 0xFFFF)).u16(int((v >> 16) & 0xFFFF)); }
    Bytes &raw(const QByteArray &bytes)
    {
        m_data += bytes;
        return *this;
    }
    // Version 23: word length, bytes, 0.
    Bytes &str(const QString &s)
    {
        const QByteArray b = Cp1250::encode(s);
        return u16(int(b.size())).raw(b).u8(0);
    }
    Bytes &memo(const QStringList &lines)
    {
        u16(int(lines.size()));
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray b = Cp1250::encode(lines[i]);
            u16(int(b.size())).raw(b);
            if (i + 1 < lines.size())
                u8(13);
        }
        return u8(0);
    }
    // Versions 21 and 22: text up to 0; lines ended by 13, then 0.
    Bytes &oldStr(const QString &s) { return raw(Cp1250::encode(s)).u8(0); }
    Bytes &oldMemo(const QStringList &lines)
    {
        for (const QString &line : lines)
            raw(Cp1250::encode(line)).u8(13);
        return u8(0);
    }
    const QByteArray &data() const { return m_data; }
    operator QByteArray() const { return m_data; }

private:
    QByteArray m_data;
};
