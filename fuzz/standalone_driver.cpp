// Runs a fuzz target without libFuzzer: replays the given files and folders, then, when
// -max_total_time=N is given, feeds it random mutations of them for N seconds.
// Mutations are blind (no coverage feedback); clang builds use libFuzzer instead.
//
//   driver [-max_total_time=N] [-seed=S] [-max_len=L] [-dict=FILE] [-artifact_prefix=DIR/]
//          FILE_OR_DIR...
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The input under test, written out when the target aborts so that it can be replayed.
const std::string* current = nullptr;
std::string crashFile = "crash-input";

extern "C" void saveCrashInput(int sig) {
    if (current) {
        int fd = ::open(crashFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ssize_t ignored = ::write(fd, current->data(), current->size());
            (void)ignored;
            ::close(fd);
        }
        const char msg[] = "the failing input was written to the crash file\n";
        ssize_t ignored = ::write(2, msg, sizeof msg - 1);
        (void)ignored;
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void run(const std::string& input) {
    current = &input;
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// Dictionary lines as libFuzzer writes them: name="value" with \xNN, \\ and \" escapes.
std::vector<std::string> readDictionary(const fs::path& p) {
    std::vector<std::string> out;
    std::ifstream in(p, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        auto open = line.find('"');
        auto close = line.rfind('"');
        if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open)
            continue;
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 1 < close && line[i + 1] == 'x' && i + 3 < close) {
                token += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else if (line[i] == '\\' && i + 1 < close) {
                token += line[++i];
            } else {
                token += line[i];
            }
        }
        out.push_back(token);
    }
    return out;
}

class Mutator {
public:
    Mutator(std::uint64_t seed, std::vector<std::string> dict, std::size_t maxLen)
        : rng_(seed), dict_(std::move(dict)), maxLen_(maxLen) {}

    std::string mutate(const std::string& base, const std::string& other) {
        std::string s = base;
        int rounds = 1 + static_cast<int>(below(8));
        for (int i = 0; i < rounds; ++i)
            step(s, other);
        if (s.size() > maxLen_)
            s.resize(maxLen_);
        return s;
    }

private:
    std::size_t below(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

    char interestingByte() {
        static constexpr char bytes[] = {'\r',   '\n',   '\0',   ',',    '/',    ':',
                                         ' ',    '0',    '9',    '\x80', '\x81', '\x87',
                                         '\xA0', '\xED', '\xFA', '\xFD', '\xFF'};
        return below(2) ? bytes[below(sizeof bytes)] : static_cast<char>(below(256));
    }

    void step(std::string& s, const std::string& other) {
        std::size_t at = below(s.size() + 1);
        switch (below(8)) {
        case 0: // change a byte
            if (!s.empty())
                s[below(s.size())] = interestingByte();
            break;
        case 1: // insert a byte
            s.insert(at, 1, interestingByte());
            break;
        case 2: // delete a range
            if (!s.empty())
                s.erase(at, 1 + below(16));
            break;
        case 3: // duplicate a range (more records for one room, longer lines)
            if (!s.empty()) {
                std::size_t from = below(s.size());
                std::string piece = s.substr(from, 1 + below(200));
                for (std::size_t n = 1 + below(4); n > 0; --n)
                    s.insert(at, piece);
            }
            break;
        case 4: // insert a dictionary token
            if (!dict_.empty())
                s.insert(at, dict_[below(dict_.size())]);
            break;
        case 5: // splice in a piece of another input
            if (!other.empty()) {
                std::size_t from = below(other.size());
                s.insert(at, other.substr(from, 1 + below(400)));
            }
            break;
        case 6: // cut the end (a file without its last line end)
            if (!s.empty())
                s.resize(below(s.size()));
            break;
        default: // swap two ranges' bytes
            if (s.size() > 2) {
                std::size_t a = below(s.size()), b = below(s.size());
                std::swap(s[a], s[b]);
            }
            break;
        }
    }

    std::mt19937_64 rng_;
    std::vector<std::string> dict_;
    std::size_t maxLen_;
};

} // namespace

int main(int argc, char** argv) {
    double seconds = 0;
    std::uint64_t seed = std::random_device{}();
    std::size_t maxLen = 1 << 16;
    std::vector<std::string> dict;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a.rfind("-max_total_time=", 0) == 0)
            seconds = std::atof(argv[i] + 16);
        else if (a.rfind("-seed=", 0) == 0)
            seed = std::strtoull(argv[i] + 6, nullptr, 10);
        else if (a.rfind("-max_len=", 0) == 0)
            maxLen = std::strtoull(argv[i] + 9, nullptr, 10);
        else if (a.rfind("-artifact_prefix=", 0) == 0)
            crashFile = std::string(argv[i] + 17) + "crash-input";
        else if (a.rfind("-dict=", 0) == 0)
            dict = readDictionary(argv[i] + 6);
        else if (a.rfind("-", 0) == 0)
            std::fprintf(stderr, "ignoring %s\n", argv[i]);
        else if (fs::is_directory(a)) {
            for (const auto& e : fs::directory_iterator(a))
                if (e.is_regular_file())
                    inputs.push_back(readFile(e.path()));
        } else {
            inputs.push_back(readFile(a));
        }
    }
    if (inputs.empty())
        inputs.emplace_back();
    std::signal(SIGABRT, saveCrashInput);
    std::signal(SIGSEGV, saveCrashInput);

    for (const auto& in : inputs)
        run(in);
    std::printf("replayed %zu inputs\n", inputs.size());
    std::fflush(stdout);
    if (seconds <= 0)
        return 0;

    // Mutants that run cleanly join the pool, so changes pile up over the run.
    Mutator mutator(seed, std::move(dict), maxLen);
    std::vector<std::string> pool = inputs;
    std::mt19937_64 pick(seed ^ 0x9E3779B97F4A7C15ull);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::uint64_t runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < 64; ++i, ++runs) {
            const std::string& a = pool[pick() % pool.size()];
            const std::string& b = pool[pick() % pool.size()];
            std::string m = mutator.mutate(a, b);
            run(m);
            if (pick() % 16 != 0)
                continue;
            if (pool.size() < 4096)
                pool.push_back(std::move(m));
            else if (pool.size() > inputs.size())
                pool[inputs.size() + pick() % (pool.size() - inputs.size())] = std::move(m);
        }
    }
    std::printf("seed %llu: %llu mutated inputs in %.0f s, all properties held\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(runs),
                seconds);
    return 0;
}
