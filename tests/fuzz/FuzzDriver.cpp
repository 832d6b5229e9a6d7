// A small stand-in for libFuzzer's driver, so the fuzz targets build and run
// with any compiler: every seed file, then deterministic mutations of them,
// each handed to LLVMFuzzerTestOneInput. A crash or an input that runs longer
// than the per-input limit is saved to a file named after the target and ends
// the run with a non-zero status.
//
//   <target> SEEDDIR [--runs N] [--seconds S] [--max-len N] [--timeout S]
//   <target> FILE...          runs exactly these inputs (to replay a crash)
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// The input being run, for the crash and hang handlers.
std::vector<uint8_t> current;
const char* kInterrupted = "fuzz-crash";

void saveCurrent(const char* prefix) {
    std::string name = std::string(prefix) + "-input";
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    size_t done = 0;
    while (done < current.size()) {
        ssize_t n = write(fd, current.data() + done, current.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
}

void onCrash(int sig) {
    saveCurrent(kInterrupted);
    const char text[] = "\nfuzz driver: the target crashed; the input is in fuzz-crash-input\n";
    ssize_t ignored = write(2, text, sizeof text - 1);
    (void)ignored;
    signal(sig, SIG_DFL);
    raise(sig);
}

void onHang(int) {
    saveCurrent("fuzz-hang");
    const char text[] = "\nfuzz driver: an input ran over the time limit; it is in fuzz-hang-input\n";
    ssize_t ignored = write(2, text, sizeof text - 1);
    (void)ignored;
    _exit(3);
}

// splitmix64: the same mutations on every machine.
struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(next() % n); }
};

// Pieces that the readers treat specially.
const std::vector<std::string>& tokens() {
    static const std::vector<std::string> list = {
        "nan", "inf", "-inf", "1e999", "-1e-999", "\r\n", "\n", " ", "@", "@100", "@200", "@300", "@400", "@99",
        "%", "----", "---- VAR x", "---- VAR y", ".", "+INF", "EPS", "**** MODEL STATUS      5",
        " ** Infeasible solution.", "S O L V E      S U M M A R Y", "**** REPORT SUMMARY", "99999999999999999999",
        "-", "0.5", "1 .2", "\t", std::string(300, 'x')};
    return list;
}

std::vector<uint8_t> mutate(const std::vector<std::vector<uint8_t>>& seeds, Random& random, size_t maxLength) {
    std::vector<uint8_t> data = seeds[random.below(seeds.size())];
    size_t steps = 1 + random.below(4);
    for (size_t s = 0; s < steps; s++) {
        size_t at = random.below(data.size() + 1);
        switch (random.below(7)) {
            case 0:  // flip a bit
                if (!data.empty()) data[random.below(data.size())] ^= static_cast<uint8_t>(1u << random.below(8));
                break;
            case 1:  // a random byte in
                data.insert(data.begin() + static_cast<long>(at), static_cast<uint8_t>(random.below(256)));
                break;
            case 2:  // a run out
                if (!data.empty()) {
                    size_t length = std::min(data.size() - std::min(at, data.size() - 1), 1 + random.below(16));
                    size_t from = std::min(at, data.size() - 1);
                    data.erase(data.begin() + static_cast<long>(from), data.begin() + static_cast<long>(from + length));
                }
                break;
            case 3: {  // a known token in
                const std::string& token = tokens()[random.below(tokens().size())];
                data.insert(data.begin() + static_cast<long>(at), token.begin(), token.end());
                break;
            }
            case 4: {  // a piece of itself repeated
                if (data.empty()) break;
                size_t from = random.below(data.size());
                size_t length = std::min(data.size() - from, 1 + random.below(64));
                std::vector<uint8_t> piece(data.begin() + static_cast<long>(from),
                                           data.begin() + static_cast<long>(from + length));
                size_t times = 1 + random.below(8);
                for (size_t t = 0; t < times; t++) data.insert(data.begin() + static_cast<long>(at), piece.begin(), piece.end());
                break;
            }
            case 5: {  // the tail of another seed
                const std::vector<uint8_t>& other = seeds[random.below(seeds.size())];
                size_t from = random.below(other.size() + 1);
                data.resize(at);
                data.insert(data.end(), other.begin() + static_cast<long>(from), other.end());
                break;
            }
            default:  // a digit changed, so numbers get other sizes
                if (!data.empty()) data[random.below(data.size())] = static_cast<uint8_t>('0' + random.below(10));
                break;
        }
    }
    if (data.size() > maxLength) data.resize(maxLength);
    return data;
}

bool readFile(const std::string& path, std::vector<uint8_t>& data) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    data.assign(s.begin(), s.end());
    return true;
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::vector<uint8_t>> readSeeds(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(dir + "/" + e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::vector<uint8_t>> seeds;
    for (const std::string& name : names) {
        std::vector<uint8_t> data;
        if (readFile(name, data)) seeds.push_back(data);
    }
    return seeds;
}

void runOne(const std::vector<uint8_t>& data, unsigned timeoutSeconds) {
    current = data;
    alarm(timeoutSeconds);
    LLVMFuzzerTestOneInput(current.data(), current.size());
    alarm(0);
}

double secondsSince(const timespec& start) {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SEEDDIR [--runs N] [--seconds S] [--max-len N] [--timeout S]\n"
                             "       %s FILE...   (replays the given inputs)\n", argv[0], argv[0]);
        return 2;
    }
    long runs = -1;  // default: 10000, or as many as the seconds allow
    double seconds = 0;
    size_t maxLength = 4096;
    unsigned timeout = 10;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--runs" && hasValue) runs = std::atol(argv[++i]);
        else if (a == "--seconds" && hasValue) seconds = std::atof(argv[++i]);
        else if (a == "--max-len" && hasValue) maxLength = static_cast<size_t>(std::atol(argv[++i]));
        else if (a == "--timeout" && hasValue) timeout = static_cast<unsigned>(std::atol(argv[++i]));
        else paths.push_back(a);
    }
    if (runs < 0) runs = seconds > 0 ? -1 : 10000;
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) signal(sig, onCrash);
    signal(SIGALRM, onHang);

    timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    if (paths.size() != 1 || !isDirectory(paths[0])) {
        for (const std::string& p : paths) {
            std::vector<uint8_t> data;
            if (!readFile(p, data)) {
                std::fprintf(stderr, "fuzz driver: cannot read %s\n", p.c_str());
                return 2;
            }
            runOne(data, timeout);
        }
        std::fprintf(stderr, "fuzz driver: %zu inputs replayed, no crash\n", paths.size());
        return 0;
    }
    std::vector<std::vector<uint8_t>> seeds = readSeeds(paths[0]);
    if (seeds.empty()) seeds.push_back({});
    for (const auto& seed : seeds) runOne(seed, timeout);
    Random random{0x5eed};
    long tried = static_cast<long>(seeds.size());
    for (long i = 0; runs < 0 || i < runs; i++) {
        if (seconds > 0 && secondsSince(start) >= seconds) break;
        runOne(mutate(seeds, random, maxLength), timeout);
        tried++;
    }
    std::fprintf(stderr, "fuzz driver: %ld inputs tried (%zu seeds) in %.1f s; no crash, no hang\n", tried,
                 seeds.size(), secondsSince(start));
    return 0;
}
