#pragma once
// Small metafiles written byte by byte for the tests: a red rectangle
// (10,10)-(60,40) on a 100 x 50 picture, and a blue line across it.
#include <QByteArray>
#include <QtEndian>
#include <initializer_list>

namespace metafilebytes {

inline void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

inline void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

inline QByteArray emfRecord(quint32 type, std::initializer_list<quint32> values)
{
    QByteArray r;
    put32(r, type);
    put32(r, quint32(8 + 4 * values.size()));
    for (quint32 v : values)
        put32(r, v);
    return r;
}

// An enhanced metafile: bounds 100 x 50 pixels, frame 26.45 x 13.22 mm.
inline QByteArray emf(bool line = false)
{
    QByteArray body;
    body += emfRecord(39, {1, 0, 0x000000FF, 0}); // CREATEBRUSHINDIRECT 1: solid red
    body += emfRecord(37, {1});                   // SELECTOBJECT 1
    body += emfRecord(37, {0x80000008});          // SELECTOBJECT the null pen
    body += emfRecord(43, {10, 10, 60, 40});      // RECTANGLE
    int records = 4;
    if (line) {
        body += emfRecord(38, {2, 0, 3, 0, 0x00FF0000}); // CREATEPEN 2: solid, 3 wide, blue
        body += emfRecord(37, {2});
        body += emfRecord(27, {0, 45});  // MOVETOEX
        body += emfRecord(54, {99, 45}); // LINETO
        records += 4;
    }
    body += emfRecord(14, {0, 16, 20}); // EOF
    QByteArray header;
    put32(header, 1);
    put32(header, 88);
    for (quint32 v : {0u, 0u, 99u, 49u, 0u, 0u, 2645u, 1322u})
        put32(header, v);
    put32(header, 0x464D4520); // " EMF"
    put32(header, 0x10000);
    put32(header, quint32(88 + body.size()));
    put32(header, quint32(records + 2));
    put16(header, 3);
    put16(header, 0);
    for (quint32 v : {0u, 0u, 0u, 1024u, 768u, 271u, 203u})
        put32(header, v);
    return header + body;
}

inline QByteArray wmfRecord(quint16 function, std::initializer_list<qint16> params)
{
    QByteArray r;
    put32(r, quint32(3 + params.size()));
    put16(r, function);
    for (qint16 p : params)
        put16(r, quint16(p));
    return r;
}

// A placeable Windows metafile of 100 x 50 units at 96 units per inch.
inline QByteArray wmf()
{
    QByteArray records;
    records += wmfRecord(0x020B, {0, 0});            // SETWINDOWORG
    records += wmfRecord(0x020C, {50, 100});         // SETWINDOWEXT
    records += wmfRecord(0x02FC, {0, 0x00FF, 0, 0}); // CREATEBRUSHINDIRECT: solid red
    records += wmfRecord(0x012D, {0});               // SELECTOBJECT
    records += wmfRecord(0x041B, {40, 60, 10, 10});  // RECTANGLE bottom, right, top, left
    records += wmfRecord(0x0000, {});                // EOF
    QByteArray header;
    put16(header, 1);
    put16(header, 9);
    put16(header, 0x300);
    put32(header, quint32((18 + records.size()) / 2));
    put16(header, 1);
    put32(header, 7);
    put16(header, 0);
    QByteArray placeable;
    put32(placeable, 0x9AC6CDD7);
    for (quint16 v : {0, 0, 0, 100, 50, 96})
        put16(placeable, v);
    put32(placeable, 0);
    quint16 check = 0;
    for (int i = 0; i < 20; i += 2)
        check ^= qFromLittleEndian<quint16>(placeable.constData() + i);
    put16(placeable, check);
    return placeable + header + records;
}

} // namespace metafilebytes
