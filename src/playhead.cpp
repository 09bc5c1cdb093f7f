#include "playhead.h"

#include <algorithm>

#include "decode.h"

namespace {
constexpr std::uint64_t kNsPerSecond = 1000000000;
}  // namespace

void Playhead::restart(std::size_t from)
{
    started_ = false;
    blockStart_ = from;
    handedOutEnd_ = from;
    reported_ = from;
}

void Playhead::handedOut(std::uint64_t nowNs, std::size_t start, std::size_t count)
{
    started_ = true;
    callbackNs_ = nowNs;
    blockStart_ = start;
    handedOutEnd_ = start + count;
}

std::size_t Playhead::position(std::uint64_t nowNs, std::size_t trackEnd)
{
    if (!started_)
        return std::min(reported_, trackEnd);
    // A reading taken just before the callback's own can come out a little
    // earlier on another thread: that counts as no time at all.
    const std::uint64_t sinceNs = nowNs - callbackNs_;
    const std::uint64_t since = sinceNs > kNsPerSecond * 3600 ? 0 : sinceNs * kMixRate / kNsPerSecond;
    const std::uint64_t ahead = blockStart_ + since;
    std::size_t heard = ahead > latency_ ? static_cast<std::size_t>(ahead - latency_) : 0;
    reported_ = std::max(reported_, std::min(heard, handedOutEnd_));
    // The end is known only once the track is decoded, and may then lie
    // before a position already reported in silence past the decoder.
    return std::min(reported_, trackEnd);
}
