#include "report/compressor.h"

namespace {
std::unique_ptr<TvlCompressor> &installed()
{
    static std::unique_ptr<TvlCompressor> compressor;
    return compressor;
}
} // namespace

TvlCompressor &vlCompressor()
{
    if (!installed())
        installed() = std::make_unique<TvlCompressor>();
    return *installed();
}

void vlSetCompressor(std::unique_ptr<TvlCompressor> compressor)
{
    installed() = std::move(compressor);
}
