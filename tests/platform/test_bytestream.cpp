#include "platform/bytestream.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <limits>

namespace {

void writeEveryKind(ByteStream &s)
{
    s.writeUInt8(0xAB);
    s.writeInt8(-2);
    s.writeBool(true);
    s.writeUInt16(0x1234);
    s.writeInt16(-2);
    s.writeUInt32(0xDEADBEEF);
    s.writeInt32(-100000);
    s.writeInt64(std::numeric_limits<qint64>::min() + 1);
    s.writeDouble(1.5);
    s.writeFloat(-2.0f);
    s.writeBytes("xyz");
    s.writeCp1250(QString::fromUtf8("Kč"));
}

// The same values, byte by byte, least significant first.
const QByteArray kEveryKindBytes = QByteArray::fromHex("ab"
                                                       "fe"
                                                       "01"
                                                       "3412"
                                                       "feff"
                                                       "efbeadde"
                                                       "6079feff"
                                                       "0100000000000080"
                                                       "000000000000f83f"
                                                       "000000c0"
                                                       "78797a"
                                                       "4be8");

} // namespace

TEST(ByteStream, WritesLittleEndianByteForByte)
{
    MemoryStream s;
    writeEveryKind(s);
    EXPECT_EQ(s.data().toHex(), kEveryKindBytes.toHex());
    EXPECT_EQ(s.size(), kEveryKindBytes.size());
    EXPECT_EQ(s.position(), s.size());
}

TEST(ByteStream, ReadsBackWhatWasWritten)
{
    MemoryStream s(kEveryKindBytes);
    EXPECT_EQ(s.position(), 0);
    EXPECT_EQ(s.readUInt8(), 0xAB);
    EXPECT_EQ(s.readInt8(), -2);
    EXPECT_TRUE(s.readBool());
    EXPECT_EQ(s.readUInt16(), 0x1234);
    EXPECT_EQ(s.readInt16(), -2);
    EXPECT_EQ(s.readUInt32(), 0xDEADBEEFu);
    EXPECT_EQ(s.readInt32(), -100000);
    EXPECT_EQ(s.readInt64(), std::numeric_limits<qint64>::min() + 1);
    EXPECT_EQ(s.readDouble(), 1.5);
    EXPECT_EQ(s.readFloat(), -2.0f);
    EXPECT_EQ(s.readBytes(3), "xyz");
    EXPECT_EQ(s.readCp1250(2), QString::fromUtf8("Kč"));
    EXPECT_TRUE(s.atEnd());
    EXPECT_EQ(s.remaining(), 0);
}

TEST(ByteStream, ReadingPastTheEndThrowsAndKeepsThePosition)
{
    MemoryStream s(QByteArray::fromHex("010203"));
    s.seek(1);
    EXPECT_THROW(s.readUInt32(), StreamError);
    EXPECT_EQ(s.position(), 1);
    EXPECT_EQ(s.readUInt16(), 0x0302);
    EXPECT_THROW(s.readUInt8(), StreamError);
    // A damaged length must not allocate or read anything.
    s.seek(0);
    EXPECT_THROW(s.readBytes(std::numeric_limits<qint64>::max()), StreamError);
    EXPECT_THROW(s.readBytes(-1), StreamError);
    EXPECT_EQ(s.position(), 0);
    try {
        s.readInt64();
        FAIL() << "no error";
    } catch (const StreamError &e) {
        EXPECT_NE(std::string(e.what()).find("Stream read error"), std::string::npos) << e.what();
    }
    EXPECT_THROW(s.seek(-1), StreamError);
}

TEST(ByteStream, PlaceholdersArePatchedInPlace)
{
    MemoryStream s;
    s.writeUInt8(7);
    const auto count = s.writePlaceholder(4);
    const auto small = s.writePlaceholder(2);
    s.writeBytes("abc");
    s.patch(count, 3);
    s.patch(small, -1);
    EXPECT_EQ(s.position(), 10); // patching leaves the position at the end
    s.writeUInt8(9);
    EXPECT_EQ(s.data().toHex(), "0703000000ffff61626309");
    s.patchUInt32(1, 0xA1B2C3D4);
    EXPECT_EQ(s.data().toHex(), "07d4c3b2a1ffff61626309");
    EXPECT_THROW(s.patch(small, 0x10000), StreamError);
    EXPECT_THROW(s.patch(small, -0x8001), StreamError);
    EXPECT_THROW(s.patchUInt32(9, 1), StreamError); // would run past the data
    EXPECT_THROW(s.writePlaceholder(3), StreamError);
    EXPECT_EQ(s.size(), 11);
}

TEST(ByteStream, SeekAndOverwriteInMemory)
{
    MemoryStream s;
    s.writeUInt32(0);
    s.writeUInt32(0);
    s.seek(2);
    s.writeUInt16(0xFFFF);
    EXPECT_EQ(s.size(), 8);
    EXPECT_EQ(s.data().toHex(), "0000ffff00000000");
    s.clear();
    EXPECT_EQ(s.size(), 0);
    EXPECT_EQ(s.position(), 0);
}

// Memory streams keep room to grow: what data() hands out is exactly what
// was written, a copy taken from it stays as it was, and a gap left by a seek
// past the end reads as zeros.
TEST(ByteStream, MemoryGrowsWithoutChangingWhatWasHandedOut)
{
    MemoryStream s;
    s.writeUInt8(1);
    const QByteArray first = s.data();
    for (int i = 0; i < 1000; ++i)
        s.writeUInt32(0xA1B2C3D4);
    EXPECT_EQ(first.toHex(), "01");
    EXPECT_EQ(s.size(), 4001);
    EXPECT_EQ(s.data().size(), 4001);
    EXPECT_EQ(s.data().right(4).toHex(), "d4c3b2a1");
    const QByteArray second = s.data();
    s.seek(4004);
    s.writeUInt16(0x0203);
    EXPECT_EQ(second.size(), 4001);
    EXPECT_EQ(s.data().right(5).toHex(), "0000000302");

    MemoryStream copy(s.data());
    copy.seek(1);
    copy.writeUInt32(0);
    EXPECT_EQ(s.data().mid(1, 4).toHex(), "d4c3b2a1");
    copy.seek(4001);
    EXPECT_EQ(copy.readUInt32(), 0x03000000u);
    EXPECT_THROW(copy.readUInt16(), StreamError);
}

TEST(ByteStream, FilesHoldTheSameBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report.bin");
    {
        FileStream out(path, FileStream::Create);
        writeEveryKind(out);
        const auto total = out.writePlaceholder(4);
        out.patch(total, out.size());
        out.close();
    }
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll().toHex(), (kEveryKindBytes + QByteArray::fromHex("2c000000")).toHex());

    FileStream in(path, FileStream::Read);
    in.seek(kEveryKindBytes.size());
    EXPECT_EQ(in.readUInt32(), 0x2Cu);
    EXPECT_THROW(in.readUInt8(), StreamError);
    EXPECT_THROW(in.writeUInt8(1), StreamError); // opened for reading only
}

TEST(ByteStream, OpeningErrorsNameTheFile)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("nothing.vlf");
    try {
        FileStream in(missing, FileStream::Read);
        FAIL() << "opened a missing file";
    } catch (const StreamError &e) {
        EXPECT_NE(QString::fromStdString(e.what()).indexOf(missing), -1) << e.what();
    }
    EXPECT_THROW(FileStream(missing, FileStream::ReadWrite), StreamError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(ByteStream, WorksOverACallersDevice)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ByteStream s(buffer);
    s.writeInt16(-32768);
    EXPECT_EQ(bytes.toHex(), "0080");
}
