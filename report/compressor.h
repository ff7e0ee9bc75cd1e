#pragma once
// The hook through which prepared pages may be compressed in prepared-report
// files. The engine's own compressor is switched off, so pages are stored as
// they are; a replacement sets Enabled and overrides both operations.
#include "platform/bytestream.h"

#include <memory>

class TvlCompressor
{
public:
    virtual ~TvlCompressor() = default;
    bool Enabled = false;
    virtual void Compress(ByteStream &source, ByteStream &destination) { (void)source, (void)destination; }
    virtual void DeCompress(ByteStream &source, ByteStream &destination) { (void)source, (void)destination; }
};

// The shared compressor of the engine.
TvlCompressor &vlCompressor();
// Installs another compressor (nullptr returns to the engine's own).
void vlSetCompressor(std::unique_ptr<TvlCompressor> compressor);
