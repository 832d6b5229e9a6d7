#include "ScenarioClaims.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A cache line of its own, so that nothing else shares the word's line.
const size_t kFileSize = 64;

std::uint64_t* mapWord(int fd) {
    void* at = mmap(nullptr, kFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return at == MAP_FAILED ? nullptr : static_cast<std::uint64_t*>(at);
}

std::uint64_t load(const std::uint64_t* word) { return __atomic_load_n(word, __ATOMIC_ACQUIRE); }

}  // namespace

std::string scenarioClaimsFile(const std::string& answers) { return answers + ".claims"; }

bool ScenarioClaims::create(const std::string& path) {
    release();
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    if (ftruncate(fd, static_cast<off_t>(kFileSize)) == 0) word_ = mapWord(fd);
    const int cause = errno;
    close(fd);
    if (word_ == nullptr) {
        unlink(path.c_str());
        errno = cause;
    }
    return word_ != nullptr;
}

bool ScenarioClaims::attach(const std::string& path) {
    release();
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == static_cast<off_t>(kFileSize))
        word_ = mapWord(fd);
    close(fd);
    return word_ != nullptr;
}

void ScenarioClaims::release() {
    if (word_ != nullptr) munmap(word_, kFileSize);
    word_ = nullptr;
}

void ScenarioClaims::openRound(std::uint32_t tag) {
    if (word_ != nullptr) __atomic_store_n(word_, static_cast<std::uint64_t>(tag) << 32, __ATOMIC_RELEASE);
}

std::uint32_t ScenarioClaims::taken() const {
    return word_ == nullptr ? 0 : static_cast<std::uint32_t>(load(word_) & 0xffffffffU);
}

ScenarioClaims::Take ScenarioClaims::take(std::uint32_t tag, int numScenarios, int released, int& k) {
    if (word_ == nullptr) return Take::Over;
    std::uint64_t seen = load(word_);
    for (;;) {
        if (static_cast<std::uint32_t>(seen >> 32) != tag) return Take::Over;
        const std::int64_t taken = static_cast<std::int64_t>(seen & 0xffffffffU);
        if (taken >= numScenarios) return Take::Over;
        if (taken >= released) return Take::Wait;
        // On failure `seen` is what another rank left: look again.
        if (__atomic_compare_exchange_n(word_, &seen, seen + 1, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) {
            k = static_cast<int>(taken) + 1;
            return Take::Taken;
        }
    }
}
