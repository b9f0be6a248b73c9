// Feeds the fuzz target deterministic pseudo-random inputs where no
// coverage-guided fuzzer is at hand:
//   vallora_fuzz_definition [count [seed]]
// A third of the inputs are random bytes weighted towards the file's
// punctuation, a third are random runs of the file's own words, and a third
// are saved definition texts with random damage.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "storage/definition_file.h"
#include "unit/storage/sample_definitions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr std::string_view kWords[] = {
    "\r\n",
    "\r\n",
    "\r\n",
    "\r",
    "\n",
    "[",
    "]",
    "=",
    "-",
    "$vbcrlf$",
    "$vbcr",
    "lf$",
    "[Desktop]",
    "[Security]",
    "[Program00]",
    "[Program12]",
    "[Program126]",
    "[Program35]",
    "BackColor=",
    "TextColor=",
    "Width=",
    "StartUp=",
    "AdminPassword=",
    "NoRun=",
    "IEHomePage=",
    "DisplayName=",
    "URL=",
    "Picture=",
    "Align=",
    "HyperLink=",
    "Transparency=",
    "0",
    "1",
    "2",
    "-1",
    "65793",
    "6381921",
    "2147483648",
    "32768",
    " ",
    "\t",
    "+",
    "x",
    "\xe9",
    std::string_view("\0", 1),
};

class Inputs {
  public:
    explicit Inputs(uint64_t seed) : random_(seed) {
        texts_[0] = vallora::DefinitionText(vallora::samples::SmallDefinition());
        texts_[1] = vallora::DefinitionText(vallora::samples::FullDefinition());
    }

    std::string Next() {
        switch (Below(3)) {
            case 0:
                return RandomBytes();
            case 1:
                return RandomWords();
            default:
                return DamagedText();
        }
    }

  private:
    // A number from 0 to n - 1 (0 when n is 0).
    size_t Below(size_t n) {
        return n ? std::uniform_int_distribution<size_t>(0, n - 1)(random_) : 0;
    }

    char RandomByte() {
        constexpr std::string_view kPunctuation = "[]=\r\n$-0123456789";
        return Below(2) ? kPunctuation[Below(kPunctuation.size())] : static_cast<char>(Below(256));
    }

    std::string_view RandomWord() { return kWords[Below(std::size(kWords))]; }

    std::string RandomBytes() {
        std::string text(Below(512), '\0');
        for (char& c : text) c = RandomByte();
        return text;
    }

    std::string RandomWords() {
        std::string text;
        for (size_t n = Below(200); n > 0; --n) text += RandomWord();
        return text;
    }

    std::string DamagedText() {
        std::string text = texts_[Below(2)];
        for (size_t n = 1 + Below(8); n > 0; --n) {
            const size_t at = Below(text.size() + 1);
            switch (Below(5)) {
                case 0:
                    if (at < text.size()) text[at] = RandomByte();
                    break;
                case 1:
                    text.erase(at, Below(64));
                    break;
                case 2:
                    text.insert(at, RandomWord());
                    break;
                case 3:
                    text.insert(at, text.substr(Below(text.size()), Below(256)));
                    break;
                default:
                    text.resize(at);
                    break;
            }
        }
        return text;
    }

    std::mt19937_64 random_;
    std::string texts_[2];
};

}  // namespace

int main(int argc, char** argv) {
    const unsigned long long count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    Inputs inputs(seed);
    for (unsigned long long i = 0; i < count; ++i) {
        const std::string input = inputs.Next();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%llu inputs, seed %llu: all properties held\n", count, seed);
    return 0;
}
