#include "wav.h"

#include <cerrno>
#include <cstring>

#include "decode.h"

namespace {

constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint32_t kFormatChunkSize = 16;
constexpr std::uint32_t kHeaderAfterRiffSize = 36;  // "WAVE", the fmt chunk, the data chunk's head
constexpr std::uint32_t kRiffHeadSize = 8;  // "RIFF" and the size after it
constexpr std::uint32_t kMaxDataBytes = 0xffffffffu - kHeaderAfterRiffSize;

void put16(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    put16(b, v & 0xffffu);
    put16(b, v >> 16);
}

void putTag(std::vector<std::uint8_t>& b, const char* tag)
{
    b.insert(b.end(), tag, tag + 4);
}

std::vector<std::uint8_t> header(std::uint32_t dataBytes)
{
    const std::uint32_t blockAlign = kMixChannels * kBitsPerSample / 8;
    std::vector<std::uint8_t> b;
    // Room for the whole header up front, which also spares GCC 12's
    // mingw-w64 build a false overflow warning on the first insert.
    b.reserve(kRiffHeadSize + kHeaderAfterRiffSize);
    putTag(b, "RIFF");
    put32(b, kHeaderAfterRiffSize + dataBytes);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, kFormatChunkSize);
    put16(b, kPcmFormat);
    put16(b, kMixChannels);
    put32(b, kMixRate);
    put32(b, kMixRate * blockAlign);
    put16(b, blockAlign);
    put16(b, kBitsPerSample);
    putTag(b, "data");
    put32(b, dataBytes);
    return b;
}

}  // namespace

const std::uint64_t kWavMaxFrames = kMaxDataBytes / (kMixChannels * kBitsPerSample / 8);

WavWriter::~WavWriter()
{
    discard();
}

void WavWriter::discard()
{
    file_.discard();
}

bool WavWriter::fail(std::string& error)
{
    error = "cannot write " + path_ + ": " + std::strerror(errno);
    return false;
}

bool WavWriter::open(const std::string& path, std::string& error)
{
    path_ = path;
    bytes_ = 0;
    broken_ = false;
    if (!file_.create(path, error))
        return false;
    const std::vector<std::uint8_t> head = header(0);
    return std::fwrite(head.data(), 1, head.size(), file_.stream()) == head.size() || fail(error);
}

bool WavWriter::write(const std::vector<std::int16_t>& samples, std::string& error)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (std::int16_t s : samples)
        put16(bytes, static_cast<std::uint16_t>(s));
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.stream()) != bytes.size()) {
        broken_ = true;
        return fail(error);
    }
    bytes_ += bytes.size();
    return true;
}

bool WavWriter::close(std::string& error)
{
    if (!file_.open())
        return true;  // closed already, or discarded
    if (bytes_ > kMaxDataBytes || broken_) {
        if (!broken_)
            error = path_ + ": too long for a WAV file";
        discard();
        return false;
    }
    // Flushing the data first tells a full disk from a failed header write.
    std::FILE* f = file_.stream();
    const std::vector<std::uint8_t> head = header(static_cast<std::uint32_t>(bytes_));
    if (std::fflush(f) == 0 && std::fseek(f, 0, SEEK_SET) == 0 &&
        std::fwrite(head.data(), 1, head.size(), f) == head.size())
        return file_.commit(error);
    fail(error);
    discard();
    return false;
}
