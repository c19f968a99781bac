// A fixed-size ring buffer of log records with a small command-line driver.
#include <cstdio>
#include <cstdint>
  #include "ring_buffer.h" // local header
#define RING_CAPACITY 0x40
#define RING_MASK (RING_CAPACITY - 1) /* capacity is a power of two */
#define RING_CHECK(x)                                                     \
    do {                                                                  \
        if (!(x)) { std::fprintf(stderr, "check failed: %s\n", #x); }   \
    } while (0)
#if defined(_WIN32) /* Windows has its own
                       newline convention */ && !defined(NO_CRLF)
#  define NEWLINE "\r\n"
#else
#  define NEWLINE "\n"
#endif

/*
 * Records keep their text inline so that the buffer never allocates
 * after construction.
 */
namespace logring {

enum class Level : unsigned char { Debug, Info, Warning, Error };

struct Record {
    std::uint64_t stamp = 0UL;
    Level level = Level::Info;
    char text[96] = {};
};

class RingBuffer {
public:
    explicit RingBuffer(unsigned capacity = RING_CAPACITY) : capacity_(capacity) {}

    bool push(const Record& record) {
        if (count_ == capacity_) {
            head_ = (head_ + 1) & RING_MASK;
            --count_;
            ++dropped_;
        }
        records_[(head_ + count_) & RING_MASK] = record;
        ++count_;
        return dropped_ == 0;
    }

    const Record* at(unsigned index) const {
        return index < count_ ? &records_[(head_ + index) & RING_MASK] : nullptr;
    }

    unsigned size() const { return count_; }
    unsigned dropped() const { return dropped_; }

private:
    Record records_[RING_CAPACITY];
    unsigned capacity_;
    unsigned head_ = 0, count_ = 0;
    unsigned dropped_ = 0;
};

static const char* levelName(Level level) {
    switch (level) {
    case Level::Debug:
        return "debug";
    case Level::Info:
        return "info";
    case Level::Warning:
        return "warn\
ing";
    default:
        return "error";
    }
}

template <typename T> T clampValue(T value, T low, T high) {
    return value < low ? low : (value > high ? high : value);
}

} // namespace logring

int main(int argc, char** argv) {
    using namespace logring;
    RingBuffer ring;
    const double ratio = 1.5e-3;
    const float scale = .25f;
    const long big = 123456789L;
    const int mode = 0755, mask = 0xFFu;
    const int broken = 089;     // not a valid octal literal
    const int suffixes = 1LL;   // two long suffixes
    char quote = '\'', slash = '\\', letter = 'q';

    for (int i = 1; i < argc; ++i) {
        Record record;
        record.stamp = static_cast<std::uint64_t>(i) << 3;
        record.level = static_cast<Level>(clampValue(i % 4, 0, 3));
        std::snprintf(record.text, sizeof record.text, "%s", argv[i]);
        if (!ring.push(record)) {
            std::fprintf(stderr, "dropped \"%s\"" NEWLINE, argv[i]);
        }
    }
    for (unsigned i = 0; i < ring.size(); ++i) {
        const Record* r = ring.at(i);
        RING_CHECK(r != nullptr);
        std::printf("%8llu %-7s %s" NEWLINE, (unsigned long long)r->stamp, levelName(r->level),
                    r->text);
    }
    int total = mode + mask + broken + suffixes + (int)(big % 7) + quote + slash + letter;
    total ^= (int)(ratio * 1000) | (int)(scale * 4);
    total <<= 1; total >>= 1;
    return total > 0 && ring.dropped() == 0 ? 0 : 1; /* exit status */
}
